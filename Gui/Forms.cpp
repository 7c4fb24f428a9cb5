#include "Gui/Forms.h"

#include <algorithm>

#include "Gui/Application.h"
#include "Gui/ExceptionBarrier.h"
#include "Gui/Menus.h"
#include "Platform/win32/Utf16.h"

namespace vk::gui {

namespace {

// The windows of this thread that a modal form disables, and gives back.
class DisabledThreadWindows {
 public:
  explicit DisabledThreadWindows(HWND modal) : modal_(modal) {
    EnumThreadWindows(GetCurrentThreadId(), Collect, reinterpret_cast<LPARAM>(this));
    for (HWND w : windows_) EnableWindow(w, FALSE);
  }
  ~DisabledThreadWindows() {
    for (HWND w : windows_) {
      if (IsWindow(w)) EnableWindow(w, TRUE);
    }
  }
  DisabledThreadWindows(const DisabledThreadWindows&) = delete;
  DisabledThreadWindows& operator=(const DisabledThreadWindows&) = delete;

 private:
  static BOOL CALLBACK Collect(HWND window, LPARAM self) {
    return Guarded<BOOL>(FALSE, [&] {
      auto* me = reinterpret_cast<DisabledThreadWindows*>(self);
      if (window != me->modal_ && IsWindowVisible(window) && IsWindowEnabled(window)) me->windows_.push_back(window);
      return TRUE;
    });
  }

  HWND modal_;
  std::vector<HWND> windows_;
};

}  // namespace

TForm::TForm() : TWinControl(nullptr) {
  visible_ = false;
  SetClientSize(clientWidth_, clientHeight_);
}

TForm::~TForm() { Application.FormDestroyed(this); }

void TForm::StyleOf(DWORD& style, DWORD& exStyle) const {
  style = WS_CLIPSIBLINGS;
  exStyle = 0;
  switch (borderStyle_) {
    case TFormBorderStyle::bsNone: style |= WS_POPUP; break;
    case TFormBorderStyle::bsSingle: style |= WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX; break;
    case TFormBorderStyle::bsSizeable: style |= WS_OVERLAPPEDWINDOW; break;
    case TFormBorderStyle::bsDialog:
      style |= WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
      exStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
      break;
    case TFormBorderStyle::bsToolWindow:
      style |= WS_CAPTION | WS_SYSMENU;
      exStyle |= WS_EX_TOOLWINDOW;
      break;
  }
}

SIZE TForm::FrameSize() const {
  if (handle_) {
    RECT window, client;
    GetWindowRect(handle_, &window);
    GetClientRect(handle_, &client);
    return {(window.right - window.left) - client.right, (window.bottom - window.top) - client.bottom};
  }
  DWORD style, exStyle;
  StyleOf(style, exStyle);
  RECT r{0, 0, 0, 0};
  AdjustWindowRectEx(&r, style, /*menu=*/menu_ != nullptr, exStyle);
  return {r.right - r.left, r.bottom - r.top};
}

int TForm::ClientWidth() const { return handle_ ? TWinControl::ClientWidth() : clientWidth_; }

int TForm::ClientHeight() const { return handle_ ? TWinControl::ClientHeight() : clientHeight_; }

void TForm::SetClientSize(int width, int height) {
  SIZE frame = FrameSize();
  SetBounds(left_, top_, width + frame.cx, height + frame.cy);
}

void TForm::SetBounds(int left, int top, int width, int height) {
  if (!handle_) {
    SIZE frame = FrameSize();
    clientWidth_ = width - frame.cx;
    clientHeight_ = height - frame.cy;
  }
  TWinControl::SetBounds(left, top, width, height);
}

void TForm::SetBorderStyle(TFormBorderStyle style) {
  int width = ClientWidth();
  int height = ClientHeight();
  borderStyle_ = style;
  if (!handle_) SetClientSize(width, height);
}

void TForm::CreateParams(TCreateParams& params) {
  params.WindowClass = platform::Utf8ToWide(ClassName());
  params.ClassStyle = CS_DBLCLKS;
  StyleOf(params.Style, params.ExStyle);
  params.Style |= WS_CLIPCHILDREN;
  if (!Enabled()) params.Style |= WS_DISABLED;
  // Owned windows get no taskbar button of their own; the main form needs one.
  if (Application.MainForm() == this) params.ExStyle |= WS_EX_APPWINDOW;
  params.X = left_;
  params.Y = top_;
  params.Width = width_;
  params.Height = height_;
  params.Parent = Application.Handle();
}

void TForm::HandleCreated() {
  if (menu_) menu_->SetWindow(handle_);
  if (createFired_) return;
  createFired_ = true;
  if (OnCreate) OnCreate();
}

void TForm::Destroying() {
  if (!destroyFired_) {
    destroyFired_ = true;
    if (OnDestroy) OnDestroy();
  }
  DestroyHandle();
}

LRESULT TForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ACTIVATE: return WmActivate(wParam, lParam);
    case WM_CLOSE: return WmClose(wParam, lParam);
    case WM_GETMINMAXINFO: return WmGetMinMaxInfo(wParam, lParam);
    case WM_COMMAND: return WmCommand(wParam, lParam);
    case WM_INITMENUPOPUP: return WmInitMenuPopup(wParam, lParam);
    case WM_ENTERMENULOOP:
    case WM_EXITMENULOOP: return WmMenuLoop(message, wParam, lParam);
    case WM_MENUSELECT: return WmMenuSelect(wParam, lParam);
    case WM_MEASUREITEM: return WmMeasureItem(wParam, lParam);
    case WM_DRAWITEM: return WmDrawItem(wParam, lParam);
    case WM_DESTROY: return WmDestroy(wParam, lParam);
  }
  return TWinControl::WndProc(message, wParam, lParam);
}

LRESULT TForm::WmActivate(WPARAM wParam, LPARAM /*lParam*/) {
  if (LOWORD(wParam) == WA_INACTIVE) {
    TWinControl* focused = FindControl(GetFocus());
    if (focused && focused != this && GetParentForm(focused) == this) activeControl_ = focused;
    if (OnDeactivate) OnDeactivate();
    return 0;
  }
  // The focus goes to the active control, not (as by default) to the form.
  if (!HIWORD(wParam)) FocusActiveControl();
  if (OnActivate) OnActivate();
  return 0;
}

LRESULT TForm::WmClose(WPARAM /*wParam*/, LPARAM /*lParam*/) {
  Close();
  return 0;
}

LRESULT TForm::WmGetMinMaxInfo(WPARAM /*wParam*/, LPARAM lParam) {
  auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
  if (Constraints.MinWidth > 0) info->ptMinTrackSize.x = Constraints.MinWidth;
  if (Constraints.MinHeight > 0) info->ptMinTrackSize.y = Constraints.MinHeight;
  if (Constraints.MaxWidth > 0) info->ptMaxTrackSize.x = Constraints.MaxWidth;
  if (Constraints.MaxHeight > 0) info->ptMaxTrackSize.y = Constraints.MaxHeight;
  return 0;
}

LRESULT TForm::WmCommand(WPARAM wParam, LPARAM lParam) {
  // A menu command comes without a control and with notification code 0.
  if (lParam == 0 && HIWORD(wParam) == 0 && menu_ && menu_->DispatchCommand(LOWORD(wParam))) return 0;
  return TWinControl::WndProc(WM_COMMAND, wParam, lParam);
}

LRESULT TForm::WmInitMenuPopup(WPARAM wParam, LPARAM lParam) {
  if (menu_ && menu_->InitPopup(reinterpret_cast<HMENU>(wParam))) return 0;
  return DefaultHandler(WM_INITMENUPOPUP, wParam, lParam);
}

LRESULT TForm::WmMenuLoop(UINT message, WPARAM wParam, LPARAM lParam) {
  if (menu_) menu_->SetTracking(message == WM_ENTERMENULOOP);
  return DefaultHandler(message, wParam, lParam);
}

LRESULT TForm::WmMenuSelect(WPARAM wParam, LPARAM lParam) {
  auto menu = reinterpret_cast<HMENU>(lParam);
  UINT flags = HIWORD(wParam);
  TMenuItem* item = nullptr;
  // Flags 0xFFFF without a menu: the menu closed.
  if (menu && flags != 0xFFFF) {
    for (TWinMenu* shown : {static_cast<TWinMenu*>(menu_), shownPopup_}) {
      if (shown && !item) item = shown->SelectedItem(menu, LOWORD(wParam), flags);
    }
  }
  Application.SetHint(item ? item->Hint() : std::string());
  return DefaultHandler(WM_MENUSELECT, wParam, lParam);
}

// The pictures of the menu bar's and the shown context menu's entries; other
// owner-drawn items go to their controls as before.
LRESULT TForm::WmMeasureItem(WPARAM wParam, LPARAM lParam) {
  auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
  for (TWinMenu* shown : {static_cast<TWinMenu*>(menu_), shownPopup_}) {
    if (wParam == 0 && shown && shown->MeasurePicture(*measure)) return TRUE;
  }
  return TWinControl::WndProc(WM_MEASUREITEM, wParam, lParam);
}

LRESULT TForm::WmDrawItem(WPARAM wParam, LPARAM lParam) {
  const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
  for (TWinMenu* shown : {static_cast<TWinMenu*>(menu_), shownPopup_}) {
    if (wParam == 0 && shown && shown->DrawPicture(*draw)) return TRUE;
  }
  return TWinControl::WndProc(WM_DRAWITEM, wParam, lParam);
}

TForm::ShownPopup::ShownPopup(TForm* form, TWinMenu* popup)
    : form_(form), previous_(form ? form->shownPopup_ : nullptr) {
  if (form_) form_->shownPopup_ = popup;
}

TForm::ShownPopup::~ShownPopup() {
  if (form_) form_->shownPopup_ = previous_;
}

LRESULT TForm::WmDestroy(WPARAM wParam, LPARAM lParam) {
  // The bar is the menu object's; the window must not destroy it with itself.
  if (menu_) menu_->SetWindow(nullptr);
  return DefaultHandler(WM_DESTROY, wParam, lParam);
}

void TForm::SetMenu(TMainMenu* menu) {
  if (menu_ == menu) return;
  int width = ClientWidth();
  int height = ClientHeight();
  if (menu_) menu_->SetWindow(nullptr);
  menu_ = menu;
  if (!handle_) {
    SetClientSize(width, height);
    return;
  }
  if (menu_) {
    menu_->SetWindow(handle_);
  } else {
    DrawMenuBar(handle_);
  }
}

void TForm::AddActionList(TActionList* list) {
  if (std::find(actionLists_.begin(), actionLists_.end(), list) == actionLists_.end()) actionLists_.push_back(list);
}

void TForm::RemoveActionList(TActionList* list) { std::erase(actionLists_, list); }

bool TForm::IsShortCut(TShortCut shortCut) {
  for (TActionList* list : std::vector<TActionList*>(actionLists_)) {
    if (list->IsShortCut(shortCut)) return true;
  }
  return false;
}

void TForm::PaintWindow(TCanvas& canvas) {
  if (OnPaint) OnPaint(canvas);
}

void TForm::Resize() {
  if (OnResize) OnResize();
}

bool TForm::Active() const { return handle_ && GetActiveWindow() == handle_; }

void TForm::SetActiveControl(TWinControl* control) {
  activeControl_ = control;
  if (control && Active() && control->CanFocus()) ::SetFocus(control->Handle());
  BroadcastFocusMoved(control);
}

void TForm::FocusChanged(TWinControl* control) {
  activeControl_ = control;
  BroadcastFocusMoved(control);
}

bool TForm::ChildFocusRequested(TWinControl* control) {
  SetActiveControl(control);
  return true;
}

void TForm::ChildRemoved(TControl* control) {
  if (activeControl_ == control) activeControl_ = nullptr;
}

TForm* GetParentForm(const TControl* control) {
  while (control && control->Parent()) control = control->Parent();
  return dynamic_cast<TForm*>(const_cast<TControl*>(control));
}

void TForm::FocusActiveControl() {
  TWinControl* target = activeControl_;
  if (!target || !target->CanFocus()) {
    std::vector<TWinControl*> stops;
    CollectTabStops(stops);
    target = stops.empty() ? nullptr : stops.front();
  }
  ::SetFocus(target ? target->Handle() : handle_);
}

void TForm::SetVisible(bool visible) {
  if (visible_ == visible) return;
  if (visible) {
    HandleNeeded();
    CreateChildHandles();
    if (OnShow) OnShow();
    ApplyPosition();
    visible_ = true;
    ShowWindow(handle_, SW_SHOWNORMAL);
    SetForegroundWindow(handle_);
  } else {
    visible_ = false;
    if (handle_) ShowWindow(handle_, SW_HIDE);
    if (OnHide) OnHide();
  }
}

void TForm::ApplyPosition() {
  if (position_ == TPosition::poDesigned) return;
  RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  TForm* main = Application.MainForm();
  if (position_ == TPosition::poMainFormCenter && main && main != this && main->HandleAllocated()) {
    GetWindowRect(main->handle_, &area);
  }
  int left = area.left + ((area.right - area.left) - width_) / 2;
  int top = area.top + ((area.bottom - area.top) - height_) / 2;
  SetBounds(left, top, width_, height_);
}

bool TForm::CloseQuery() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(canClose);
  return canClose;
}

void TForm::DoClose(TCloseAction& action) {
  if (OnClose) OnClose(action);
}

void TForm::Close() {
  if (modal_) {
    modalResult_ = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = TCloseAction::caHide;
  DoClose(action);
  if (action == TCloseAction::caNone) return;
  if (Application.MainForm() == this) {
    Application.Terminate();
    return;
  }
  switch (action) {
    case TCloseAction::caMinimize: ShowWindow(handle_, SW_MINIMIZE); break;
    case TCloseAction::caFree: Application.ReleaseForm(this); break;
    default: Hide(); break;
  }
}

void TForm::CloseModal() {
  TCloseAction action = TCloseAction::caNone;
  if (CloseQuery()) {
    action = TCloseAction::caHide;
    DoClose(action);
  }
  if (action == TCloseAction::caNone) modalResult_ = mrNone;
}

int TForm::ShowModal() {
  if (visible_ || modal_) throw EInvalidOperation("Cannot make a visible window modal");
  if (HWND capture = GetCapture()) SendMessageW(capture, WM_CANCELMODE, 0, 0);
  ReleaseCapture();
  HandleNeeded();
  HWND previousActive = GetActiveWindow();
  int result;
  {
    struct ModalState {
      TForm& form;
      explicit ModalState(TForm& f) : form(f) {
        form.modal_ = true;
        ++Application.modalLevel_;
      }
      ~ModalState() {
        form.modal_ = false;
        --Application.modalLevel_;
      }
    } state(*this);
    DisabledThreadWindows disabled(handle_);
    modalResult_ = mrNone;
    Show();
    while (modalResult_ == mrNone) {
      try {
        Application.HandleMessage();
      } catch (...) {
        HandOverCurrentException();
      }
      if (Application.Terminated()) {
        modalResult_ = mrCancel;
      } else if (modalResult_ != mrNone) {
        CloseModal();
      }
    }
    result = modalResult_;
  }
  // The other windows are enabled again before this one goes, so that the
  // activation returns to the window that was active before.
  if (previousActive && IsWindow(previousActive)) SetActiveWindow(previousActive);
  Hide();
  return result;
}

bool TForm::DialogKey(const MSG& message) {
  WORD key = static_cast<WORD>(message.wParam);
  // The control the key was meant for: the one it was sent to, else the focused one.
  TWinControl* focused = FindControl(message.hwnd);
  if (!focused || focused == this) focused = FindControl(GetFocus());
  if (!focused || focused == this || GetParentForm(focused) != this) focused = activeControl_;
  switch (key) {
    case VK_TAB:
      if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return false;
      SelectNext(focused, GetKeyState(VK_SHIFT) >= 0);
      return true;
    case VK_RETURN:
    case VK_ESCAPE:
      if (BroadcastDialogKey(key, focused)) return true;
      if (key == VK_ESCAPE && modal_) {
        modalResult_ = mrCancel;
        return true;
      }
      return false;
  }
  return false;
}

void TForm::SelectNext(TWinControl* current, bool forward) {
  std::vector<TWinControl*> stops;
  CollectTabStops(stops);
  if (stops.empty()) return;
  size_t count = stops.size();
  size_t index = forward ? 0 : count - 1;
  for (size_t i = 0; i < count; ++i) {
    if (stops[i] == current) {
      index = forward ? (i + 1) % count : (i + count - 1) % count;
      break;
    }
  }
  stops[index]->SetFocus();
}

void FormDeleter::operator()(TForm* form) const {
  try {
    form->Destroying();
  } catch (...) {
    HandOverCurrentException();
  }
  delete form;
}

}  // namespace vk::gui
