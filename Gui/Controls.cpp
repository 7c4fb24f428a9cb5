#include "Gui/Controls.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "Gui/ExceptionBarrier.h"
#include "Gui/Menus.h"
#include "Gui/WindowClass.h"
#include "Platform/win32/Utf16.h"

namespace vk::gui {

using platform::Utf8ToWide;

namespace {

// The window property that ties one of our windows to its control object.
constexpr wchar_t kControlProperty[] = L"VorkelControl";

// Signed client coordinates of a mouse message.
int MouseX(LPARAM lParam) { return static_cast<short>(LOWORD(lParam)); }
int MouseY(LPARAM lParam) { return static_cast<short>(HIWORD(lParam)); }

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// One edge pair along one axis under the anchors for that axis.
void AnchorAxis(bool nearEdge, bool farEdge, int start, int size, int parentOld, int parentNew, int& outStart,
                int& outSize) {
  int delta = parentNew - parentOld;
  outStart = start;
  outSize = size;
  if (nearEdge && farEdge) {
    outSize = std::max(0, size + delta);
  } else if (farEdge) {
    outStart = start + delta;
  } else if (!nearEdge && parentOld > 0) {
    outStart = MulDiv(start + size / 2, parentNew, parentOld) - size / 2;
  }
}

}  // namespace

// ---- TControl ----

TControl::TControl(TWinControl* parent) : parent_(parent), parentFont_(parent != nullptr) {
  if (!parent_) return;
  parentColor_ = true;
  parent_->controls_.push_back(this);
}

TControl::~TControl() {
  if (!parent_) return;
  auto& list = parent_->controls_;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  if (parent_->pressedGraphic_ == this) parent_->pressedGraphic_ = nullptr;
  parent_->ChildRemoved(this);
}

void TControl::SetBounds(int left, int top, int width, int height) {
  PlaceAt({left, top, left + width, top + height});
  RememberAnchorOrigin();
}

void TControl::PlaceAt(const RECT& bounds) {
  RECT old = BoundsRect();
  if (SameRect(old, bounds)) return;
  left_ = bounds.left;
  top_ = bounds.top;
  width_ = bounds.right - bounds.left;
  height_ = bounds.bottom - bounds.top;
  BoundsChanged(old);
}

void TControl::SetAnchors(TAnchors anchors) {
  anchors_ = anchors;
  RememberAnchorOrigin();
}

void TControl::RememberAnchorOrigin() {
  if (!parent_) return;
  anchorBounds_ = BoundsRect();
  anchorParentSize_ = {parent_->ClientWidth(), parent_->ClientHeight()};
}

RECT TControl::AnchoredBounds(int parentWidth, int parentHeight) const {
  if (anchorParentSize_.cx <= 0 && anchorParentSize_.cy <= 0) return BoundsRect();
  const RECT& o = anchorBounds_;
  int left, width, top, height;
  AnchorAxis(anchors_ & akLeft, anchors_ & akRight, o.left, o.right - o.left, anchorParentSize_.cx, parentWidth, left,
             width);
  AnchorAxis(anchors_ & akTop, anchors_ & akBottom, o.top, o.bottom - o.top, anchorParentSize_.cy, parentHeight, top,
             height);
  return {left, top, left + width, top + height};
}

void TControl::SetVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  VisibleChanged();
}

bool TControl::Showing() const {
  for (const TControl* c = this; c; c = c->parent_) {
    if (!c->visible_) return false;
  }
  return true;
}

void TControl::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  EnabledChanged();
}

void TControl::SetCaption(const std::string& caption) {
  if (caption_ == caption) return;
  caption_ = caption;
  CaptionChanged();
}

const TFont& TControl::Font() const { return parentFont_ && parent_ ? parent_->Font() : font_; }

void TControl::SetFont(const TFont& font) {
  // The old font object (and its GDI font) lives until the windows have the new one.
  TFont previous = std::move(font_);
  font_ = font;
  parentFont_ = false;
  FontChanged();
}

void TControl::SetParentFont(bool parentFont) {
  if (parentFont_ == parentFont) return;
  if (!parentFont && parent_) font_ = parent_->Font();
  parentFont_ = parentFont;
  FontChanged();
}

TColor TControl::Color() const { return parentColor_ && parent_ ? parent_->Color() : color_; }

void TControl::SetColor(TColor color) {
  color_ = color;
  parentColor_ = false;
  ColorChanged();
}

void TControl::SetParentColor(bool parentColor) {
  if (parentColor_ == parentColor) return;
  parentColor_ = parentColor;
  ColorChanged();
}

// ---- TGraphicControl ----

TGraphicControl::TGraphicControl(TWinControl* parent) : TControl(parent) {}

void TGraphicControl::Invalidate() {
  if (!Parent() || !Parent()->HandleAllocated()) return;
  RECT r = BoundsRect();
  InvalidateRect(Parent()->Handle(), &r, TRUE);
}

void TGraphicControl::BoundsChanged(const RECT& oldBounds) {
  if (!Parent() || !Parent()->HandleAllocated()) return;
  InvalidateRect(Parent()->Handle(), &oldBounds, TRUE);
  Invalidate();
}

// ---- TWinControl ----

TWinControl::TWinControl(TWinControl* parent) : TControl(parent) {
  if (parent) parent->tabList_.push_back(this);
}

TWinControl::~TWinControl() {
  DestroyHandle();
  for (TControl* c : controls_) c->parent_ = nullptr;
  if (TWinControl* parent = Parent()) {
    auto& list = parent->tabList_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
  }
}

HWND TWinControl::Handle() {
  HandleNeeded();
  return handle_;
}

void TWinControl::HandleNeeded() {
  if (!handle_) CreateHandle();
}

void TWinControl::CreateParams(TCreateParams& params) {
  params.Style = WS_CHILD | WS_CLIPSIBLINGS;
  if (visible_) params.Style |= WS_VISIBLE;
  if (!Enabled()) params.Style |= WS_DISABLED;
  if (tabStop_) params.Style |= WS_TABSTOP;
  params.ExStyle = WS_EX_NOPARENTNOTIFY;
  params.X = left_;
  params.Y = top_;
  params.Width = width_;
  params.Height = height_;
}

void TWinControl::CreateHandle() {
  if (TWinControl* parent = Parent()) {
    parent->HandleNeeded();
    if (handle_) return;  // the parent made its children's windows
  }
  TCreateParams params;
  CreateParams(params);
  if (TWinControl* parent = Parent()) params.Parent = parent->handle_;
  if (!params.SystemClass) RegisterWindowClass(params.WindowClass, StaticWndProc, params.ClassStyle);
  HMENU id = nullptr;
  if (TWinControl* parent = Parent()) id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(parent->nextChildId_++));
  RECT bounds{params.X, params.Y, params.X + params.Width, params.Y + params.Height};
  HWND window = CreateProgramWindow(params.ExStyle, params.WindowClass, Utf8ToWide(Caption()), params.Style, bounds,
                                    params.Parent, id, this);
  if (params.SystemClass) {
    Attach(window);
    subclassed_ = true;
    SetWindowSubclass(window, SubclassProc, /*id=*/0, reinterpret_cast<DWORD_PTR>(this));
  }
  SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), FALSE);
  CreateChildHandles();
  HandleCreated();
}

void TWinControl::CreateChildHandles() {
  if (!handle_) return;
  for (TControl* c : std::vector<TControl*>(controls_)) {
    if (auto* w = dynamic_cast<TWinControl*>(c)) {
      w->HandleNeeded();
      w->CreateChildHandles();
    }
  }
}

void TWinControl::DestroyHandle() {
  if (handle_) DestroyWindow(handle_);
}

void TWinControl::Attach(HWND window) {
  handle_ = window;
  SetPropW(window, kControlProperty, this);
}

TWinControl* TWinControl::FindControl(HWND window) {
  if (!window) return nullptr;
  return static_cast<TWinControl*>(GetPropW(window, kControlProperty));
}

LRESULT TWinControl::Perform(UINT message, WPARAM wParam, LPARAM lParam) {
  return SendMessageW(Handle(), message, wParam, lParam);
}

LRESULT CALLBACK TWinControl::StaticWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return Guarded<LRESULT>(0, [&]() -> LRESULT {
    if (message == WM_NCCREATE) {
      auto* self = static_cast<TWinControl*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
      SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
      self->Attach(window);
    }
    auto* self = reinterpret_cast<TWinControl*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    return self->WndProc(message, wParam, lParam);
  });
}

LRESULT CALLBACK TWinControl::SubclassProc(HWND /*window*/, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR /*id*/,
                                           DWORD_PTR self) {
  return Guarded<LRESULT>(0, [&] { return reinterpret_cast<TWinControl*>(self)->WndProc(message, wParam, lParam); });
}

LRESULT TWinControl::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: return WmCommand(wParam, lParam);
    case WM_NOTIFY: return WmNotify(wParam, lParam);
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: return WmCtlColor(message, wParam, lParam);
    case WM_DRAWITEM: return WmDrawItem(wParam, lParam);
    case WM_ERASEBKGND: return WmEraseBkgnd(wParam, lParam);
    case WM_PAINT: return WmPaint(wParam, lParam);
    case WM_PRINTCLIENT: return WmPrintClient(wParam, lParam);
    case WM_SIZE: return WmSize(wParam, lParam);
    case WM_WINDOWPOSCHANGED: return WmWindowPosChanged(wParam, lParam);
    case WM_SETFOCUS: return WmSetFocus(wParam, lParam);
    case WM_CONTEXTMENU: return WmContextMenu(wParam, lParam);
    case WM_NCDESTROY: return WmNcDestroy(wParam, lParam);
    case WM_SETCURSOR: return WmSetCursor(wParam, lParam);
    case WM_LBUTTONDOWN: return WmLButtonDown(wParam, lParam);
    case WM_LBUTTONUP: return WmLButtonUp(wParam, lParam);
  }
  return DefaultHandler(message, wParam, lParam);
}

LRESULT TWinControl::DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam) {
  if (subclassed_) return DefSubclassProc(handle_, message, wParam, lParam);
  return DefWindowProcW(handle_, message, wParam, lParam);
}

LRESULT TWinControl::WmCommand(WPARAM wParam, LPARAM lParam) {
  TWinControl* child = FindControl(reinterpret_cast<HWND>(lParam));
  if (child && child != this) {
    if (auto result = child->CommandReflected(HIWORD(wParam))) return *result;
  }
  return DefaultHandler(WM_COMMAND, wParam, lParam);
}

LRESULT TWinControl::WmNotify(WPARAM wParam, LPARAM lParam) {
  auto* header = reinterpret_cast<NMHDR*>(lParam);
  TWinControl* child = FindControl(header->hwndFrom);
  if (child && child != this) {
    if (auto result = child->NotifyReflected(*header)) return *result;
  }
  return DefaultHandler(WM_NOTIFY, wParam, lParam);
}

LRESULT TWinControl::WmCtlColor(UINT message, WPARAM wParam, LPARAM lParam) {
  TWinControl* child = FindControl(reinterpret_cast<HWND>(lParam));
  if (child && child != this) {
    if (auto result = child->CtlColorReflected(message, reinterpret_cast<HDC>(wParam))) return *result;
  }
  return DefaultHandler(message, wParam, lParam);
}

LRESULT TWinControl::WmDrawItem(WPARAM wParam, LPARAM lParam) {
  auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
  TWinControl* child = item->CtlType == ODT_MENU ? nullptr : FindControl(item->hwndItem);
  if (child && child != this) {
    if (auto result = child->DrawItemReflected(*item)) return *result;
  }
  return DefaultHandler(WM_DRAWITEM, wParam, lParam);
}

LRESULT TWinControl::WmEraseBkgnd(WPARAM wParam, LPARAM lParam) {
  if (subclassed_) return DefaultHandler(WM_ERASEBKGND, wParam, lParam);
  return EraseBackground(reinterpret_cast<HDC>(wParam)) ? 1 : 0;
}

LRESULT TWinControl::WmPaint(WPARAM wParam, LPARAM lParam) {
  if (subclassed_) return DefaultHandler(WM_PAINT, wParam, lParam);
  PaintGuard paint(handle_);
  PaintTo(paint.Dc(), paint.UpdateRect());
  return 0;
}

LRESULT TWinControl::WmPrintClient(WPARAM wParam, LPARAM lParam) {
  if (subclassed_) return DefaultHandler(WM_PRINTCLIENT, wParam, lParam);
  HDC dc = reinterpret_cast<HDC>(wParam);
  RECT client = ClientRect();
  if (lParam & PRF_ERASEBKGND) EraseBackground(dc);
  PaintTo(dc, client);
  return 0;
}

LRESULT TWinControl::WmSize(WPARAM wParam, LPARAM lParam) {
  if (wParam != SIZE_MINIMIZED) {
    AlignControls();
    Resize();
  }
  return DefaultHandler(WM_SIZE, wParam, lParam);
}

LRESULT TWinControl::WmWindowPosChanged(WPARAM wParam, LPARAM lParam) {
  auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
  if ((pos->flags & (SWP_NOSIZE | SWP_NOMOVE)) != (SWP_NOSIZE | SWP_NOMOVE)) ReadBoundsFromWindow();
  return DefaultHandler(WM_WINDOWPOSCHANGED, wParam, lParam);
}

LRESULT TWinControl::WmSetFocus(WPARAM wParam, LPARAM lParam) {
  if (TWinControl* parent = Parent()) parent->ChildFocused(this);
  return DefaultHandler(WM_SETFOCUS, wParam, lParam);
}

LRESULT TWinControl::WmContextMenu(WPARAM wParam, LPARAM lParam) {
  if (!popupMenu_) return DefaultHandler(WM_CONTEXTMENU, wParam, lParam);
  POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  if (at.x == -1 && at.y == -1) {
    // From the keyboard: at the control's top left corner.
    at = {0, 0};
    ClientToScreen(handle_, &at);
  }
  // As a click would: the menu's commands act on the focused control.
  if (tabStop_ && CanFocus() && !Focused()) SetFocus();
  popupMenu_->SetPopupComponent(this);
  popupMenu_->Popup(at.x, at.y);
  return 0;
}

LRESULT TWinControl::WmNcDestroy(WPARAM wParam, LPARAM lParam) {
  HWND window = handle_;
  if (subclassed_) RemoveWindowSubclass(window, SubclassProc, /*id=*/0);
  LRESULT result = DefaultHandler(WM_NCDESTROY, wParam, lParam);
  RemovePropW(window, kControlProperty);
  if (!subclassed_) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  handle_ = nullptr;
  subclassed_ = false;
  return result;
}

TGraphicControl* TWinControl::GraphicAt(POINT point) const {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    auto* graphic = dynamic_cast<TGraphicControl*>(*it);
    if (!graphic || !graphic->Visible() || !graphic->Enabled()) continue;
    RECT bounds = graphic->BoundsRect();
    if (PtInRect(&bounds, point)) return graphic;
  }
  return nullptr;
}

LRESULT TWinControl::WmSetCursor(WPARAM wParam, LPARAM lParam) {
  if (reinterpret_cast<HWND>(wParam) == handle_ && LOWORD(lParam) == HTCLIENT) {
    POINT point;
    GetCursorPos(&point);
    ScreenToClient(handle_, &point);
    TGraphicControl* graphic = GraphicAt(point);
    if (graphic && graphic->Cursor()) {
      ::SetCursor(LoadCursorW(/*instance=*/nullptr, graphic->Cursor()));
      return TRUE;
    }
  }
  return DefaultHandler(WM_SETCURSOR, wParam, lParam);
}

LRESULT TWinControl::WmLButtonDown(WPARAM wParam, LPARAM lParam) {
  pressedGraphic_ = GraphicAt({MouseX(lParam), MouseY(lParam)});
  return DefaultHandler(WM_LBUTTONDOWN, wParam, lParam);
}

LRESULT TWinControl::WmLButtonUp(WPARAM wParam, LPARAM lParam) {
  TGraphicControl* pressed = std::exchange(pressedGraphic_, nullptr);
  LRESULT result = DefaultHandler(WM_LBUTTONUP, wParam, lParam);
  // Released over the control it was pressed on, which is still ours.
  if (pressed && pressed == GraphicAt({MouseX(lParam), MouseY(lParam)})) pressed->Click();
  return result;
}

void TWinControl::ReadBoundsFromWindow() {
  if (IsIconic(handle_)) return;
  RECT r;
  GetWindowRect(handle_, &r);
  if (TWinControl* parent = Parent(); parent && parent->handle_) {
    MapWindowPoints(HWND_DESKTOP, parent->handle_, reinterpret_cast<POINT*>(&r), 2);
  }
  left_ = r.left;
  top_ = r.top;
  width_ = r.right - r.left;
  height_ = r.bottom - r.top;
}

int TWinControl::ClientWidth() const {
  if (!handle_) return width_;
  RECT r;
  GetClientRect(handle_, &r);
  return r.right;
}

int TWinControl::ClientHeight() const {
  if (!handle_) return height_;
  RECT r;
  GetClientRect(handle_, &r);
  return r.bottom;
}

void TWinControl::AlignControls() {
  int width = ClientWidth();
  int height = ClientHeight();
  struct Move {
    HWND window;
    RECT bounds;
  };
  std::vector<Move> moves;
  for (TControl* c : controls_) {
    RECT r = c->AnchoredBounds(width, height);
    if (SameRect(r, c->BoundsRect())) continue;
    auto* w = dynamic_cast<TWinControl*>(c);
    if (w && w->handle_) {
      // The window moves in the batch below; its fields follow now.
      c->left_ = r.left;
      c->top_ = r.top;
      c->width_ = r.right - r.left;
      c->height_ = r.bottom - r.top;
      moves.push_back({w->handle_, r});
    } else {
      c->PlaceAt(r);
    }
  }
  if (moves.empty()) return;
  constexpr UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
  HDWP batch = BeginDeferWindowPos(static_cast<int>(moves.size()));
  for (const Move& m : moves) {
    if (!batch) break;
    batch = DeferWindowPos(batch, m.window, nullptr, m.bounds.left, m.bounds.top, m.bounds.right - m.bounds.left,
                           m.bounds.bottom - m.bounds.top, flags);
  }
  if (batch && EndDeferWindowPos(batch)) return;
  // A failed batch moves nothing: move the windows one by one instead.
  for (const Move& m : moves) {
    SetWindowPos(m.window, nullptr, m.bounds.left, m.bounds.top, m.bounds.right - m.bounds.left,
                 m.bounds.bottom - m.bounds.top, flags);
  }
}

void TWinControl::BoundsChanged(const RECT& /*oldBounds*/) {
  if (!handle_) {
    // Before the window exists the children's anchors measure from the designed size.
    for (TControl* c : controls_) c->RememberAnchorOrigin();
    return;
  }
  SetWindowPos(handle_, nullptr, left_, top_, width_, height_, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWinControl::VisibleChanged() {
  if (!handle_) return;
  if (visible_) CreateChildHandles();
  ShowWindow(handle_, visible_ ? SW_SHOW : SW_HIDE);
}

void TWinControl::EnabledChanged() {
  if (handle_) EnableWindow(handle_, Enabled());
}

void TWinControl::CaptionChanged() {
  if (handle_) SetWindowTextW(handle_, Utf8ToWide(Caption()).c_str());
}

void TWinControl::FontChanged() {
  if (handle_) SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), TRUE);
  for (TControl* c : controls_) {
    if (c->parentFont_) c->FontChanged();
  }
}

void TWinControl::ColorChanged() {
  for (TControl* c : controls_) {
    if (c->parentColor_) c->ColorChanged();
  }
  Invalidate();
}

HBRUSH TWinControl::BackgroundBrush() {
  COLORREF rgb = ColorToRGB(Color());
  if (!brush_ || rgb != brushRgb_) {
    brush_.Reset(CreateSolidBrush(rgb));
    brushRgb_ = rgb;
  }
  return brush_.Get();
}

bool TWinControl::EraseBackground(HDC dc) {
  RECT r = ClientRect();
  FillRect(dc, &r, BackgroundBrush());
  return true;
}

void TWinControl::PaintTo(HDC dc, const RECT& area) noexcept {
  PaintingScope painting;
  try {
    TCanvas canvas(dc);
    canvas.Font = Font();
    canvas.Brush.Color = Color();
    PaintWindow(canvas);
    PaintControls(canvas, area);
  } catch (...) {
    HandOverCurrentException();  // shown after the painting
  }
}

void TWinControl::PaintControls(TCanvas& canvas, const RECT& area) {
  for (TControl* c : controls_) {
    auto* graphic = dynamic_cast<TGraphicControl*>(c);
    if (!graphic || !graphic->Visible()) continue;
    RECT bounds = graphic->BoundsRect();
    RECT overlap;
    if (!IntersectRect(&overlap, &bounds, &area)) continue;
    ClipGuard clip(canvas.Handle(), bounds);
    canvas.Font = graphic->Font();
    canvas.Brush.Color = graphic->Color();
    canvas.Brush.Style = TBrushStyle::bsSolid;
    graphic->Paint(canvas);
  }
}

void TWinControl::Invalidate() {
  if (handle_) InvalidateRect(handle_, nullptr, TRUE);
}

void TWinControl::Update() {
  if (handle_) UpdateWindow(handle_);
}

void TWinControl::SetTabStop(bool tabStop) {
  tabStop_ = tabStop;
  if (!handle_) return;
  LONG_PTR style = GetWindowLongPtrW(handle_, GWL_STYLE);
  style = tabStop ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
  SetWindowLongPtrW(handle_, GWL_STYLE, style);
}

int TWinControl::TabOrder() const {
  TWinControl* parent = Parent();
  if (!parent) return -1;
  auto& list = parent->tabList_;
  return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

void TWinControl::SetTabOrder(int order) {
  TWinControl* parent = Parent();
  if (!parent) return;
  auto& list = parent->tabList_;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  order = std::clamp(order, 0, static_cast<int>(list.size()));
  list.insert(list.begin() + order, this);
}

bool TWinControl::CanFocus() const {
  for (const TControl* c = this; c; c = c->Parent()) {
    if (!c->Visible() || !c->Enabled()) return false;
  }
  return true;
}

bool TWinControl::Focused() const { return handle_ && GetFocus() == handle_; }

void TWinControl::SetFocus() {
  if (TWinControl* parent = Parent(); parent && parent->ChildFocusRequested(this)) return;
  ::SetFocus(Handle());
}

void TWinControl::ChildFocused(TWinControl* control) {
  if (TWinControl* parent = Parent()) parent->ChildFocused(control);
}

bool TWinControl::ChildFocusRequested(TWinControl* control) {
  TWinControl* parent = Parent();
  return parent && parent->ChildFocusRequested(control);
}

void TWinControl::ChildRemoved(TControl* control) {
  if (TWinControl* parent = Parent()) parent->ChildRemoved(control);
}

void TWinControl::CollectTabStops(std::vector<TWinControl*>& out) const {
  for (TWinControl* c : tabList_) {
    if (!c->CanFocus()) continue;
    if (c->tabStop_) out.push_back(c);
    c->CollectTabStops(out);
  }
}

bool TWinControl::BroadcastDialogKey(WORD key, TWinControl* focused) {
  for (TWinControl* c : std::vector<TWinControl*>(tabList_)) {
    if (c->HandleDialogKey(key, focused) || c->BroadcastDialogKey(key, focused)) return true;
  }
  return false;
}

void TWinControl::BroadcastFocusMoved(TWinControl* focused) {
  for (TWinControl* c : tabList_) {
    c->FocusMovedTo(focused);
    c->BroadcastFocusMoved(focused);
  }
}

}  // namespace vk::gui
