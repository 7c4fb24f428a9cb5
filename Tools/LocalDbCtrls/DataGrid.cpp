#include "Tools/LocalDbCtrls/DataGrid.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "Gui/VisualThemes.h"

namespace vk::gui {
namespace {

TRgb RgbOf(COLORREF c) { return {GetRValue(c), GetGValue(c), GetBValue(c)}; }

// The grid's painting on a window's canvas.
class TGdiGridCanvas : public TGridCanvas {
 public:
  TGdiGridCanvas(TCanvas& canvas, TColor evenRow, TColor oddRow) : canvas_(canvas), rows_{evenRow, oddRow} {}

  void FillRect(const TGridRect& rect, TGridColor color) override {
    canvas_.Brush.Style = TBrushStyle::bsSolid;
    canvas_.Brush.Color = ColorOf(color);
    canvas_.FillRect(RectOf(rect));
  }
  std::vector<int32_t> CharacterEnds(const std::string& text) override { return canvas_.CharacterEnds(text); }
  int32_t TextHeight() override {
    if (textHeight_ < 0) textHeight_ = canvas_.TextHeight("Wg");
    return textHeight_;
  }
  void TextRect(const TGridRect& clip, int32_t x, int32_t y, const std::string& text, const std::vector<int32_t>& ends,
                TGridColor fore, TGridColor back) override {
    canvas_.Brush.Style = TBrushStyle::bsSolid;
    canvas_.Brush.Color = ColorOf(back);
    canvas_.Font.SetColor(ColorOf(fore));
    canvas_.TextRectPlaced(RectOf(clip), x, y, text, ends);
  }
  void FocusRect(const TGridRect& rect) override { canvas_.DrawFocusRect(RectOf(rect)); }

 private:
  static RECT RectOf(const TGridRect& r) { return {r.Left, r.Top, r.Right, r.Bottom}; }
  TColor ColorOf(TGridColor color) const {
    switch (color) {
      case TGridColor::EvenRow: return rows_[0];
      case TGridColor::OddRow: return rows_[1];
      case TGridColor::Window: return clWindow;
      case TGridColor::WindowText: return clWindowText;
      case TGridColor::Highlight: return clHighlight;
      case TGridColor::HighlightText: return clHighlightText;
      case TGridColor::ButtonFace: return clBtnFace;
      case TGridColor::ButtonShadow: return clBtnShadow;
    }
    return clWindow;
  }

  TCanvas& canvas_;
  TColor rows_[2];
  int32_t textHeight_ = -1;
};

}  // namespace

// ---- TDataGrid ----

TDataGrid::TDataGrid(TWinControl* parent, TTable* table, const std::vector<TDataColumn>& columns, bool centredCaptions)
    : TDataGrid(parent, table, columns, centredCaptions, false) {}

// The model moves to the table's current record while it is built; the
// grid attaches itself as its view once it holds it, and shows that row.
TDataGrid::TDataGrid(TWinControl* parent, TTable* table, const std::vector<TDataColumn>& columns, bool centredCaptions,
                     bool filtered)
    : TWinControl(parent) {
  SetTabStop(true);
  SetColor(clWindow);
  SetBounds(0, 0, 320, 120);
  if (filtered)
    model_ = std::make_unique<TFilteredDataGridModel>(table, columns, centredCaptions);
  else
    model_ = std::make_unique<TDataGridModel>(table, columns, centredCaptions);
  model_->SetView(this);
  header_ = std::make_unique<TGridHeader>(this);
  UpdateSelectionColor();
  UpdateHeaderStyle();
  CurrentCellMoved();
}

TColor TDataGrid::SelectionColor() {
  const TRgb tint = SelectionTint(RgbOf(ColorToRGB(clWindow)), RgbOf(ColorToRGB(clHighlight)));
  return RGB(tint.R, tint.G, tint.B);
}

int TDataGrid::MinControlWidth() const {
  return model_->Layout().MinControlWidth(GetSystemMetrics(SM_CXVSCROLL), GetSystemMetrics(SM_CXEDGE));
}

void TDataGrid::SetBounds(int left, int top, int width, int height) {
  TWinControl::SetBounds(left, top, model_ ? std::max(width, MinControlWidth()) : width, height);
}

void TDataGrid::UpdateHeaderStyle() { header_->SetOwnerDraw(!VisualThemesActive()); }

void TDataGrid::SetSelectionColor(TColor color) {
  if (rowColors_[0] == color) return;
  rowColors_[0] = color;
  RepaintData();
}

TDataGrid::~TDataGrid() {
  header_.reset();
  DestroyHandle();
}

void TDataGrid::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.WindowClass = L"TDataGrid";
  params.Style |= WS_VSCROLL | WS_CLIPCHILDREN;
  params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TDataGrid::HandleCreated() {
  PlaceHeader();
  KeepCurrentRowInView();
  UpdateScrollBar();
}

LRESULT TDataGrid::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_KEYDOWN: return KeyDown(wParam);
    case WM_CHAR: return Char(wParam);
    case WM_LBUTTONDOWN: return LButtonDown(lParam);
    case WM_VSCROLL: return VScroll(wParam);
    case WM_MOUSEWHEEL: return MouseWheel(GET_WHEEL_DELTA_WPARAM(wParam));
    case WM_MOUSEHWHEEL: model_->HorizontalWheel(GET_WHEEL_DELTA_WPARAM(wParam)); return 0;
    case WM_KILLFOCUS:
      model_->Exit();
      InvalidateCell(model_->Col(), model_->Row());
      break;
    case WM_SETFOCUS: {
      LRESULT result = TWinControl::WndProc(message, wParam, lParam);
      InvalidateCell(model_->Col(), model_->Row());
      if (OnEnter) OnEnter();
      return result;
    }
  }
  return TWinControl::WndProc(message, wParam, lParam);
}

TGridGeometry TDataGrid::Geometry() const { return TGridGeometry(model_->Layout(), topRow_, ClientHeight()); }

int TDataGrid::VisibleDataRows() const { return TGridGeometry::VisibleDataRows(ClientHeight()); }

void TDataGrid::InvalidateCell(int32_t col, int32_t row) {
  if (!HandleAllocated() || inHeaderResize_) return;
  const TGridRect cell = Geometry().CellRect(col, row);
  RECT r{cell.Left - 1, cell.Top - 1, cell.Right + 1, cell.Bottom + 1};
  InvalidateRect(handle_, &r, FALSE);
}

void TDataGrid::RepaintData() {
  if (!HandleAllocated() || inHeaderResize_) return;
  // A table that shrank leaves no top row past its end.
  topRow_ = ClampedTopRow(topRow_);
  UpdateScrollBar();
  RECT r = ClientRect();
  r.top = header_ ? header_->Height() : 0;
  InvalidateRect(handle_, &r, FALSE);
}

void TDataGrid::RepaintColumns(int c1, int c2) {
  if (!HandleAllocated()) return;
  const TDataGridLayout::Span span = model_->Layout().ColumnsSpan(c1, c2);
  RECT r{span.Left, header_->Height(), span.Right, ClientHeight()};
  InvalidateRect(handle_, &r, FALSE);
}

void TDataGrid::CurrentCellMoved() {
  KeepCurrentRowInView();
  RepaintData();
}

void TDataGrid::KeepCurrentRowInView() {
  const int visible = VisibleDataRows();
  const int row = model_->Row();
  if (row < topRow_)
    topRow_ = row;
  else if (row >= topRow_ + visible)
    topRow_ = row - visible + 1;
  topRow_ = ClampedTopRow(topRow_);
}

void TDataGrid::SectionTextChanged(int32_t) {
  if (header_) header_->UpdateSections();
}

bool TDataGrid::SelectCellEvent(int32_t col, int32_t row) { return OnSelectCell ? OnSelectCell(col, row) : true; }

int TDataGrid::ClampedTopRow(int topRow) const {
  return std::clamp(topRow, 1, std::max(model_->RowCount() - VisibleDataRows(), 1));
}

void TDataGrid::ScrollTo(int topRow) {
  topRow = ClampedTopRow(topRow);
  if (topRow == topRow_) return;
  topRow_ = topRow;
  RepaintData();
}

void TDataGrid::UpdateScrollBar() {
  if (!HandleAllocated()) return;
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  info.nMin = 1;
  info.nMax = model_->RowCount() - 1;
  info.nPage = static_cast<UINT>(VisibleDataRows());
  info.nPos = topRow_;
  SetScrollInfo(handle_, SB_VERT, &info, TRUE);
}

LRESULT TDataGrid::VScroll(WPARAM wParam) {
  switch (LOWORD(wParam)) {
    case SB_LINEUP: ScrollTo(topRow_ - 1); break;
    case SB_LINEDOWN: ScrollTo(topRow_ + 1); break;
    case SB_PAGEUP: ScrollTo(topRow_ - VisibleDataRows()); break;
    case SB_PAGEDOWN: ScrollTo(topRow_ + VisibleDataRows()); break;
    case SB_TOP: ScrollTo(1); break;
    case SB_BOTTOM: ScrollTo(model_->RowCount()); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      SCROLLINFO info{};
      info.cbSize = sizeof(info);
      info.fMask = SIF_TRACKPOS;
      GetScrollInfo(handle_, SB_VERT, &info);
      ScrollTo(info.nTrackPos);
      break;
    }
  }
  return 0;
}

LRESULT TDataGrid::KeyDown(WPARAM key) {
  const int col = model_->Col();
  const int row = model_->Row();
  const int page = VisibleDataRows();
  const int lastRow = model_->RowCount() - 1;
  const bool ctrl = GetKeyState(VK_CONTROL) < 0;
  switch (key) {
    case VK_UP: model_->MoveTo(col, std::max(row - 1, 1)); break;
    case VK_DOWN: model_->MoveTo(col, std::min(row + 1, lastRow)); break;
    case VK_PRIOR: model_->MoveTo(col, std::max(row - page, 1)); break;
    case VK_NEXT: model_->MoveTo(col, std::min(row + page, lastRow)); break;
    case VK_LEFT: model_->MoveTo(std::max(col - 1, model_->FixedCols()), row); break;
    case VK_RIGHT: model_->MoveTo(std::min(col + 1, model_->ColCount() - 1), row); break;
    case VK_HOME: model_->MoveTo(ctrl ? col : model_->FixedCols(), ctrl ? 1 : row); break;
    case VK_END: model_->MoveTo(ctrl ? col : model_->ColCount() - 1, ctrl ? lastRow : row); break;
    default: return DefaultHandler(WM_KEYDOWN, key, 0);
  }
  return 0;
}

// As the library grid: the wheel moves the current row, one row per notch
// direction, and the view follows it.
LRESULT TDataGrid::MouseWheel(int delta) {
  if (delta < 0 && model_->Row() < model_->RowCount() - 1) model_->MoveTo(model_->Col(), model_->Row() + 1);
  if (delta > 0 && model_->Row() > 1) model_->MoveTo(model_->Col(), model_->Row() - 1);
  return 0;
}

LRESULT TDataGrid::Char(WPARAM ch) {
  char32_t key = static_cast<char32_t>(ch);
  // A character outside the basic plane comes as two WM_CHARs; the search
  // takes whole characters only.
  if (key >= 0xD800 && key <= 0xDFFF) return 0;
  model_->KeyPress(key);
  return 0;
}

LRESULT TDataGrid::LButtonDown(LPARAM lParam) {
  if (CanFocus()) SetFocus();
  int col = 0, row = 0;
  if (!Geometry().CellAt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), col, row)) return 0;
  if (col >= model_->FixedCols() && row < model_->RowCount()) model_->MoveTo(col, row);
  return 0;
}

// The header spans the real client width, which changes with the grid's
// size and with its scroll bar coming and going.
void TDataGrid::PlaceHeader() {
  if (!header_) return;
  const int left = header_->Left();
  header_->SetBounds(left, 0, std::max(ClientWidth() - left, 0), header_->Height());
}

void TDataGrid::Resize() {
  if (!header_) return;
  PlaceHeader();
  CopyHeaderWidths();
  topRow_ = ClampedTopRow(topRow_);
  RepaintData();
}

void TDataGrid::CopyHeaderWidths() {
  TGridHeaderModel& header = model_->Header();
  if (!header.Resized()) return;
  inHeaderResize_ = true;
  try {
    CopySectionWidths(header.Sections(), model_->Layout().ColWidths, model_->FixedCols());
  } catch (...) {
    inHeaderResize_ = false;
    header.ClearResized();
    throw;
  }
  inHeaderResize_ = false;
  header.ClearResized();
}

void TDataGrid::PaintWindow(TCanvas& canvas) {
  RECT clip{};
  if (GetClipBox(canvas.Handle(), &clip) == ERROR) clip = ClientRect();
  TGridPaint paint;
  paint.TopRow = topRow_;
  paint.ClientWidth = ClientWidth();
  paint.ClientHeight = ClientHeight();
  if (header_ && header_->Visible()) {
    const RECT h = header_->BoundsRect();
    paint.Header = {h.left, h.top, h.right, h.bottom};
  }
  paint.Focused = Focused();
  TGdiGridCanvas gridCanvas(canvas, rowColors_[0], rowColors_[1]);
  PaintDataGrid(gridCanvas, *model_, paint, {clip.left, clip.top, clip.right, clip.bottom});
}

// ---- TFilteredDataGrid ----

TFilteredDataGrid::TFilteredDataGrid(TWinControl* parent, TTable* table, const std::vector<TDataColumn>& columns,
                                     bool centredCaptions)
    : TDataGrid(parent, table, columns, centredCaptions, true) {}

void TFilteredDataGrid::SetFilter(TIndex* index, const std::vector<Variant>& low, const std::vector<Variant>& high,
                                  bool keep) {
  Filtered().SetFilter(index, low, high, keep);
}

}  // namespace vk::gui
