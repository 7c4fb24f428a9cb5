// The main window's status bar, clock and indicators, its messages, texts
// and colours, the panel's background and the focus handlers.

#include <algorithm>
#include <cctype>

#include "Gui/Application.h"
#include "Source/AppSelect.h"
#include "Source/MainForm.h"
#include "Source/MainFormRules.h"
#include "Tools/CfgFile/Options.h"
#include "Tools/Service/GlassGradienter.h"
#include "Tools/Service/GlassGradienterDwm.h"
#include "Tools/Service/Keyboard.h"
#include "Tools/Service/TextConst.h"
#include "Tools/Service/WindowsVersion.h"

namespace vk {
namespace {

constexpr UINT kRefreshLayoutMessage = 1787;
constexpr UINT kDwmColorizationColorChanged = 0x0320;
constexpr UINT kInputLangChangeRequest = 0x0050;
enum StatusPanel { kHintPanel, kNumPanel, kModePanel, kLayoutPanel, kClockPanel };

}  // namespace

void TMainFormStore::ShowMoveClock(bool longForm) {
  const TDateTime when = store_.MoveDateTime();
  StatusBar.SetPanelText(kClockPanel, longForm ? FormatLongDateTime(when) : FormatTimeOnly(when));
  const int month = store_.MoveMonth();
  if (month != shownMonth_) {
    shownMonth_ = month;
    LayoutStatusBar();
  }
}

void TMainFormStore::LayoutStatusBar() {
  const int clock = StatusBar.TextWidth(FormatLongDateTime(store_.MoveDateTime()) + "0");
  const int width = StatusBar.ClientWidth() - clock - StatusBar.Panel(kLayoutPanel).Width -
                    StatusBar.Panel(kNumPanel).Width - StatusBar.Panel(kHintPanel).Width;
  if (width != StatusBar.Panel(kModePanel).Width) {
    StatusBar.SetPanelWidth(kModePanel, width);
    if (store_.Mode == 3) {
      StatusBar.SetPanelText(kModePanel,
                             RelaidSearchStatusText(ModeNames[3], StatusBar.Panel(kModePanel).Text, width,
                                                    [this](const std::string& s) { return StatusBar.TextWidth(s); }));
    }
  }
  StatusBar.Update();
}

void TMainFormStore::Resize() {
  TForm::Resize();
  if (GridStore) LayoutStatusBar();
}

void TMainFormStore::TimerTimer() {
  if (!EditCode) return;
  blink_ = !blink_;
  if (blink_) {
    ShowMoveClock(true);
  } else if (store_.WorkDate() != 0) {
    ShowMoveClock(false);
  }
  if (active_) return;
  ShowNumLock();
  if (WindowsVersionClass() > kWin7) {
    ShowKeyboardLayout(GetWindowThreadProcessId(GetForegroundWindow(), nullptr));
  } else if (busy_) {
    ShowKeyboardLayout(GetCurrentThreadId());
  }
}

void TMainFormStore::ShowNumLock() { StatusBar.SetPanelText(kNumPanel, (GetKeyState(VK_NUMLOCK) & 1) ? "NUM" : ""); }

void TMainFormStore::ShowKeyboardLayout(DWORD threadId) {
  HKL layout = GetKeyboardLayout(threadId);
  if (layout == shownLayout_) return;
  char name[3] = {};
  const LCID locale = MAKELCID(LOWORD(reinterpret_cast<UINT_PTR>(layout)), SORT_DEFAULT);
  GetLocaleInfoA(locale, LOCALE_SISO639LANGNAME, name, 3);
  std::string text(name);
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  StatusBar.SetPanelText(kLayoutPanel, text);
  shownLayout_ = layout;
}

void TMainFormStore::ShowHint() { StatusBar.SetPanelText(kHintPanel, " " + Hint()); }

void TMainFormStore::ApplicationEventsMessage(MSG& message, bool& handled) {
  if ((message.message == WM_KEYDOWN && message.wParam == VK_NUMLOCK) || message.message == kNumLockOnMessage ||
      message.message == kNumLockRestoreMessage) {
    ShowNumLock();
    ResetNumLockState();
  }
  if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE) handled = CollapseSelection();
  if (layoutChangePending_) {
    layoutChangePending_ = false;
    ShowKeyboardLayout(0);
    return;
  }
  const uint8_t version = WindowsVersionClass();
  if (version < kWin7) {
    layoutChangePending_ = message.message == kInputLangChangeRequest;
  } else if (version == kWin7) {
    layoutChangePending_ = message.message == 0xC03E && message.wParam == 0x12;
  } else {
    layoutChangePending_ = message.message == kRefreshLayoutMessage || message.message >= 0xC000;
  }
}

bool TMainFormStore::CollapseSelection() {
  auto* edit = dynamic_cast<gui::TEdit*>(ActiveControl());
  if (!edit || !edit->ReadOnly() || edit->SelLength() == 0) return false;
  edit->SetSelection(edit->SelStart() + edit->SelLength(), 0);
  return true;
}

void TMainFormStore::GoodsSearch(std::string& searchText) {
  const int width = StatusBar.Panel(kModePanel).Width;
  StatusBar.SetPanelText(kModePanel, SearchStatusText(ModeNames[3], searchText, width,
                                                      [this](const std::string& s) { return StatusBar.TextWidth(s); }));
  if (searchText.empty()) return;
  const int column = GridStore->Model().Col() - GridStore->Model().FixedCols() + 1;
  bool found = false;
  if (column == 2) found = store_.FindByName(searchText);
  if (column == 1) found = store_.FindByCode(searchText);
  if (!found) searchText.clear();
}

void TMainFormStore::NumericEnter(gui::TWinControl* control) {
  if (!ProgOptions().GetKeyboardEnhanced()) NumLockOn(reinterpret_cast<platform::WindowId>(Handle()));
  TrackFocusSide(control);
}

void TMainFormStore::TextEnter(gui::TWinControl* control) {
  if (!ProgOptions().GetKeyboardEnhanced()) NumLockRestore(reinterpret_cast<platform::WindowId>(Handle()));
  TrackFocusSide(control);
}

void TMainFormStore::TrackFocusSide(gui::TWinControl* control) {
  if (!control || !editModes_) return;
  for (int i = 0; i <= static_cast<int>(TMainControl::GridMoves); ++i) {
    const auto which = static_cast<TMainControl>(i);
    if (ControlOf(which) == control) return editModes_->ControlEntered(which);
  }
}

void TMainFormStore::ColumnEnter(int column) {
  const int dataColumn = column - GridStore->Model().FixedCols() + 1;
  if (dataColumn == 2) {
    TextEnter(GridStore.get());
  } else {
    NumericEnter(GridStore.get());
  }
}

void TMainFormStore::ApplyTexts() {
  const TTexts& t = ProgTexts;
  LbCode.SetCaption(t.LbCodeCaption);
  LbName.SetCaption(t.LbNameCaption);
  LbCost.SetCaption(t.LbCostCaption);
  LbWeight.SetCaption(t.LbWeightCaption);
  LbPCount.SetCaption(t.LbPCountCaption);
  LbMoves.SetCaption(t.LbMovesCaption);
  LbCostNote.SetCaption(t.LbCostNoteCaption);
  LbWeightNote.SetCaption(t.LbWeightNoteCaption);
  LbPCountNote.SetCaption(t.LbPCountNoteCaption);
  if (NoteLabel) NoteLabel->SetCaption(t.NoteLabelCaption);
  if (SumCaptionLabel) SumCaptionLabel->SetCaption(t.SumLabelCaption);
  if (GridStore) {
    int i = 0;
    for (const std::string* caption : {&t.ColumnCode, &t.ColumnName, &t.ColumnPrice, &t.ColumnDate, &t.ColumnQuantity,
                                       &t.ColumnPacks, &t.ColumnCost}) {
      GridStore->SetColumnCaption(i++, *caption);
    }
    i = 0;
    for (const std::string* caption : {&t.ColumnDate, &t.ColumnMove, &t.ColumnQuantity, &t.ColumnPacks, &t.ColumnSum}) {
      GridMoves->SetColumnCaption(i++, *caption);
    }
  }
  ApplyCommandTexts();
  ShowMoveClock(true);
  ShowModeName(ModeNames[std::min<size_t>(store_.Mode, ModeNames.size() - 1)]);
  if (GridStore) {
    GridStore->Invalidate();
    GridMoves->Invalidate();
  }
}

void TMainFormStore::UpdateLabelColors() {
  const gui::TColor color = GlassGradienter().GetColor(active_);
  for (gui::TControl* c : Controls()) {
    auto* label = dynamic_cast<gui::TLabel*>(c);
    if (!label) continue;
    gui::TFont font = label->Font();
    font.SetColor(color);
    label->SetFont(font);
    if (auto* nb = dynamic_cast<TNbLabel*>(label)) nb->Active = active_;
  }
}

void TMainFormStore::UpdateColors() {
  if (GridStore) {
    GridStore->SetSelectionColor(gui::TDataGrid::SelectionColor());
    GridMoves->SetSelectionColor(gui::TDataGrid::SelectionColor());
  }
  UpdateReadOnlyColor();
  for (gui::TControl* c : Controls()) {
    auto* edit = dynamic_cast<gui::TEdit*>(c);
    if (edit && edit->ReadOnly()) edit->SetColor(readOnlyColor_);
  }
  StatusBar.RecreateWnd();
  if (GridStore) {
    GridStore->UpdateHeaderStyle();
    GridMoves->UpdateHeaderStyle();
  }
}

LRESULT TMainFormStore::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCACTIVATE: return WmNcActivate(wParam, lParam);
    case WM_SYSCOLORCHANGE: return WmSysColorChange(wParam, lParam);
    case kDwmColorizationColorChanged: return WmDwmColorizationColorChanged(wParam, lParam);
    case WM_ACTIVATEINSTANCE: return HandleActivateRequest();
    case WM_CLOSEINSTANCE: TerminateInstance(); return 0;
    case WM_MENUSELECT: ShowMenuHint(wParam, lParam); break;
    case WM_MOVING: return WmMoving(wParam, lParam);
    case WM_SETCURSOR:
      // Over every child too: the system asks the parent first.
      if (busyCursor_ && LOWORD(lParam) == HTCLIENT) {
        ::SetCursor(LoadCursorW(/*instance=*/nullptr, IDC_APPSTARTING));
        return TRUE;
      }
      break;
  }
  return TForm::WndProc(message, wParam, lParam);
}

LRESULT TMainFormStore::WmNcActivate(WPARAM wParam, LPARAM lParam) {
  active_ = wParam != 0;
  UpdateLabelColors();
  if (active_ && WindowsVersionClass() > kWin7) PostMessageW(Handle(), kRefreshLayoutMessage, 0, 0);
  Invalidate();
  return TForm::WndProc(WM_NCACTIVATE, wParam, lParam);
}

// The dragged window snaps to the work area of the monitor it is over.
LRESULT TMainFormStore::WmMoving(WPARAM /*wParam*/, LPARAM lParam) {
  auto* r = reinterpret_cast<RECT*>(lParam);
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (GetMonitorInfoW(MonitorFromRect(r, MONITOR_DEFAULTTONEAREST), &info)) {
    const RECT& w = info.rcWork;
    const TPlacement p =
        SnapToScreen({r->left, r->top, r->right - r->left, r->bottom - r->top}, {w.left, w.top, w.right, w.bottom});
    *r = {p.Left, p.Top, p.Left + p.Width, p.Top + p.Height};
  }
  return TRUE;
}

LRESULT TMainFormStore::WmSysColorChange(WPARAM wParam, LPARAM lParam) {
  if (gui::Application.ModalLevel() == 0) GlassGradienter().UpdateColors(nullptr);
  UpdateColors();
  return TForm::WndProc(WM_SYSCOLORCHANGE, wParam, lParam);
}

LRESULT TMainFormStore::WmDwmColorizationColorChanged(WPARAM, LPARAM) {
  if (!dwm::DwmLoaded()) return 0;
  const uint32_t key = GlassGradienter().GetColorizationKey();
  if (key == colorizationKey_) return 0;
  colorizationKey_ = key;
  GlassGradienter().UpdateColors(nullptr);
  UpdateColors();
  Invalidate();
  if (gui::Application.ModalLevel() > 0) RefreshOpenDialog();
  return 0;
}

bool TMainFormStore::EraseBackground(HDC dc) {
  if (IsIconic(Handle())) return DefaultHandler(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) != 0;
  const int right = GridStore ? GridStore->Left() : ClientWidth();
  std::vector<TNbLabel*> labels;
  for (TNbLabel* label : {NoteLabel.get(), SumCaptionLabel.get(), SumLabel.get()}) {
    if (label) labels.push_back(label);
  }
  std::vector<bool> visible;
  {
    const int saved = SaveDC(dc);
    for (TNbLabel* label : labels) {
      const RECT r = label->BoundsRect();
      visible.push_back(RectVisible(dc, &r) != FALSE);
      ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
    }
    const RECT panel{0, 0, right, ClientHeight()};
    GlassGradienter().FillRect(dc, active_, panel);
    const RECT rest{right, 0, ClientWidth(), ClientHeight()};
    FillRect(dc, &rest, BackgroundBrush());
    RestoreDC(dc, saved);
  }
  gui::TCanvas canvas(dc);
  for (size_t i = 0; i < labels.size(); ++i) {
    labels[i]->Active = active_;
    if (!visible[i] || !labels[i]->Visible()) continue;
    gui::ClipGuard clip(dc, labels[i]->BoundsRect());
    canvas.Font = labels[i]->Font();
    labels[i]->Paint(canvas);
  }
  return true;
}

}  // namespace vk
