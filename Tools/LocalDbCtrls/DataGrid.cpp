#include "Tools/LocalDbCtrls/DataGrid.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "Platform/win32/Utf16.h"
#include "Tools/LocalDbCtrls/DataGridSearch.h"
#include "Tools/Service/WindowsVersion.h"

namespace vk::gui {
namespace {

constexpr int kRowStep = kDefaultRowHeight + 1;  // a row and its grid line

int HeaderFormat(TColumnAlignment alignment) {
  switch (alignment) {
    case taRightJustify: return HDF_RIGHT;
    case taCenter: return HDF_CENTER;
    default: return HDF_LEFT;
  }
}

TRgb RgbOf(COLORREF c) { return {GetRValue(c), GetGValue(c), GetBValue(c)}; }

// Visual themes in use: asked of uxtheme.dll at run time, so the program
// starts where there is none.
bool ThemesActive() {
  HMODULE uxtheme = GetModuleHandleW(L"uxtheme.dll");
  if (!uxtheme) uxtheme = LoadLibraryW(L"uxtheme.dll");
  if (!uxtheme) return false;
  using Query = BOOL(WINAPI*)();
  auto isAppThemed = reinterpret_cast<Query>(reinterpret_cast<void*>(GetProcAddress(uxtheme, "IsAppThemed")));
  auto isThemeActive = reinterpret_cast<Query>(reinterpret_cast<void*>(GetProcAddress(uxtheme, "IsThemeActive")));
  return isAppThemed && isThemeActive && isAppThemed() && isThemeActive();
}

TAlignment GuiAlignment(TColumnAlignment alignment) {
  switch (alignment) {
    case taRightJustify: return TAlignment::taRightJustify;
    case taCenter: return TAlignment::taCenter;
    default: return TAlignment::taLeftJustify;
  }
}

// The text cut at its end, with three dots, to fit the width.
std::string CutToWidth(TCanvas& canvas, const std::string& text, int width) {
  if (canvas.TextWidth(text) <= width) return text;
  std::string cut = text;
  while (!cut.empty()) {
    Utf8DropLast(cut);
    if (canvas.TextWidth(cut + "...") <= width) break;
  }
  return cut + "...";
}

}  // namespace

// ---- TGridHeader ----

TGridHeader::TGridHeader(TDataGrid* grid) : TWinControl(grid), grid_(grid) {
  SetColor(clBtnFace);
  const int left = GridHeaderLeft(grid->Model().FixedCols());
  SetBounds(left, 0, std::max(grid->ClientWidth() - left, 0), GridHeaderHeight(WindowsVersionClass()));
  SetAnchors(akLeft | akTop | akRight);
}

void TGridHeader::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.WindowClass = WC_HEADERW;
  params.SystemClass = true;
  params.Style |= HDS_BUTTONS | HDS_FULLDRAG | HDS_HORZ;
}

void TGridHeader::HandleCreated() {
  const TGridSections& sections = grid_->Model().Header().Sections();
  for (size_t i = 0; i < sections.size(); ++i) {
    HDITEMW item{};
    item.mask = HDI_WIDTH;
    item.cxy = sections[i].Width;
    settingSections_ = true;
    SendMessageW(handle_, HDM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
    settingSections_ = false;
  }
  // The sections fill the header from the start.
  grid_->Model().Header().Resize(Width());
  UpdateSections();
  grid_->CopyHeaderWidths();
}

int TGridHeader::SectionCount() { return static_cast<int>(SendMessageW(Handle(), HDM_GETITEMCOUNT, 0, 0)); }

void TGridHeader::UpdateSections() {
  if (!HandleAllocated()) return;
  const TGridSections& sections = grid_->Model().Header().Sections();
  // The control asks its parent before every width change, ours included.
  settingSections_ = true;
  struct Clear {
    bool& flag;
    ~Clear() { flag = false; }
  } clear{settingSections_};
  for (size_t i = 0; i < sections.size(); ++i) {
    std::wstring text = platform::Utf8ToWide(sections[i].Text);
    HDITEMW item{};
    item.mask = HDI_WIDTH | HDI_TEXT | HDI_FORMAT;
    item.cxy = sections[i].Width;
    item.pszText = text.data();
    item.fmt = (ownerDraw_ ? HDF_OWNERDRAW : HDF_STRING) | HeaderFormat(sections[i].Alignment);
    SendMessageW(handle_, HDM_SETITEMW, i, reinterpret_cast<LPARAM>(&item));
  }
}

LRESULT TGridHeader::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COLUMNRESIZE: ColumnResize(static_cast<int>(wParam), static_cast<int>(lParam)); return 0;
    case WM_SIZE: {
      LRESULT result = TWinControl::WndProc(message, wParam, lParam);
      grid_->Model().Header().Resize(Width());
      UpdateSections();
      return result;
    }
  }
  return TWinControl::WndProc(message, wParam, lParam);
}

std::optional<LRESULT> TGridHeader::NotifyReflected(NMHDR& header) {
  switch (header.code) {
    case HDN_ITEMCHANGINGA:
    case HDN_ITEMCHANGINGW: return ItemChanging(reinterpret_cast<NMHEADERW&>(header));
    case HDN_ITEMCLICKA:
    case HDN_ITEMCLICKW: {
      auto& notify = reinterpret_cast<NMHEADERW&>(header);
      if (grid_->CanFocus()) grid_->SetFocus();
      grid_->Model().SectionClick(notify.iItem);
      return 0;
    }
  }
  return std::nullopt;
}

void TGridHeader::SetOwnerDraw(bool ownerDraw) {
  if (ownerDraw_ == ownerDraw) return;
  ownerDraw_ = ownerDraw;
  UpdateSections();
  if (HandleAllocated()) InvalidateRect(handle_, nullptr, TRUE);
}

std::optional<LRESULT> TGridHeader::DrawItemReflected(DRAWITEMSTRUCT& item) {
  if (item.CtlType != ODT_HEADER) return std::nullopt;
  DrawSection(item.hDC, static_cast<int>(item.itemID), item.rcItem, (item.itemState & ODS_SELECTED) != 0);
  return TRUE;
}

void TGridHeader::DrawSection(HDC dc, int section, RECT rect, bool pressed) {
  const TGridSections& sections = grid_->Model().Header().Sections();
  if (section < 0 || static_cast<size_t>(section) >= sections.size()) return;
  if (pressed) {
    rect.left += 4;
    rect.right -= 2;
    rect.top += 2;
  } else {
    rect.left += 3;
    rect.right -= 3;
  }
  TCanvas canvas(dc);
  canvas.Font = Font();
  canvas.Brush.Style = TBrushStyle::bsClear;
  const TGridSection& s = sections[static_cast<size_t>(section)];
  canvas.DrawTextEllipsis(rect, s.Text, GuiAlignment(s.Alignment));
}

// The control never resizes a section itself: the wanted change is posted
// and the proposed width refused.
LRESULT TGridHeader::ItemChanging(NMHEADERW& notify) {
  if (settingSections_ || !notify.pitem || !(notify.pitem->mask & HDI_WIDTH)) return FALSE;
  const int delta = grid_->Model().Header().DragDelta(notify.iItem, notify.pitem->cxy);
  if (delta != 0) PostMessageW(handle_, WM_COLUMNRESIZE, static_cast<WPARAM>(notify.iItem), delta);
  return TRUE;
}

void TGridHeader::ColumnResize(int section, int delta) {
  TGridHeaderModel& model = grid_->Model().Header();
  if (!model.ColumnResize(section, delta)) return;
  UpdateSections();
  const int fixed = grid_->Model().FixedCols();
  grid_->inHeaderResize_ = true;
  try {
    CopySectionWidths(model.Sections(), grid_->Model().Layout().ColWidths, fixed);
    grid_->inHeaderResize_ = false;
  } catch (...) {
    grid_->inHeaderResize_ = false;
    throw;
  }
  grid_->RepaintColumns(section + fixed, section + 1 + fixed);
  if (OnSectionResize) {
    OnSectionResize(section);
    OnSectionResize(section + 1);
  }
}

// ---- TDataGrid ----

TDataGrid::TDataGrid(TWinControl* parent, TTable* table, const std::vector<TDataColumn>& columns, bool centredCaptions)
    : TDataGrid(parent, table, columns, centredCaptions, false) {}

TDataGrid::TDataGrid(TWinControl* parent, TTable* table, const std::vector<TDataColumn>& columns, bool centredCaptions,
                     bool filtered)
    : TWinControl(parent) {
  SetTabStop(true);
  SetColor(clWindow);
  SetBounds(0, 0, 320, 120);
  if (filtered)
    model_ = std::make_unique<TFilteredDataGridModel>(table, columns, centredCaptions, this);
  else
    model_ = std::make_unique<TDataGridModel>(table, columns, centredCaptions, this);
  header_ = std::make_unique<TGridHeader>(this);
  UpdateSelectionColor();
  UpdateHeaderStyle();
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

void TDataGrid::UpdateHeaderStyle() { header_->SetOwnerDraw(!ThemesActive()); }

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

RECT TDataGrid::CellRect(int col, int row) const {
  const TDataGridLayout::Span span = model_->Layout().ColumnsSpan(col, col);
  const int y = row == 0 ? 0 : kRowStep * (row - topRow_ + 1);
  return {span.Left, y, span.Right - 1, y + kDefaultRowHeight};
}

int TDataGrid::VisibleDataRows() const { return std::max((ClientHeight() - kRowStep) / kRowStep, 1); }

void TDataGrid::InvalidateCell(int32_t col, int32_t row) {
  if (!HandleAllocated() || inHeaderResize_) return;
  RECT r = CellRect(col, row);
  InflateRect(&r, 1, 1);
  InvalidateRect(handle_, &r, FALSE);
}

void TDataGrid::RepaintData() {
  if (!HandleAllocated() || inHeaderResize_) return;
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
  const int visible = VisibleDataRows();
  const int row = model_->Row();
  if (row < topRow_)
    ScrollTo(row);
  else if (row >= topRow_ + visible)
    ScrollTo(row - visible + 1);
  RepaintData();
}

void TDataGrid::SectionTextChanged(int32_t) {
  if (header_) header_->UpdateSections();
}

bool TDataGrid::SelectCellEvent(int32_t col, int32_t row) { return OnSelectCell ? OnSelectCell(col, row) : true; }

void TDataGrid::ScrollTo(int topRow) {
  const int last = std::max(model_->RowCount() - VisibleDataRows(), 1);
  topRow = std::clamp(topRow, 1, last);
  if (topRow == topRow_) return;
  topRow_ = topRow;
  RepaintData();
}

void TDataGrid::UpdateScrollBar() {
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
  const int x = GET_X_LPARAM(lParam);
  const int y = GET_Y_LPARAM(lParam);
  if (y < kRowStep) return 0;
  const int row = topRow_ + (y - kRowStep) / kRowStep;
  int left = 0;
  for (int col = 0; col < model_->ColCount(); ++col) {
    const int right = left + ColWidth(col) + 1;
    if (x >= left && x < right) {
      if (col >= model_->FixedCols() && row < model_->RowCount()) model_->MoveTo(col, row);
      return 0;
    }
    left = right;
  }
  return 0;
}

// The header follows the grid's width by its anchors and has spread the new
// width over its sections by now.
void TDataGrid::Resize() {
  if (!header_) return;
  CopyHeaderWidths();
  ScrollTo(topRow_);
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
  const RECT client = ClientRect();
  canvas.Brush.Color = clBtnFace;  // the grid lines between the cells
  canvas.FillRect(client);
  const int lastRow = std::min(model_->RowCount() - 1, topRow_ + VisibleDataRows());
  for (int row = 0; row <= lastRow; row = row == 0 ? topRow_ : row + 1) {
    for (int col = 0; col < model_->ColCount(); ++col) DrawCell(canvas, col, row, CellRect(col, row));
  }
  // Below the last row the window colour.
  RECT rest = client;
  rest.top = CellRect(0, lastRow).bottom + 1;
  if (rest.top < rest.bottom) {
    canvas.Brush.Color = clWindow;
    canvas.FillRect(rest);
  }
}

void TDataGrid::DrawCell(TCanvas& canvas, int col, int row, const RECT& r) {
  const int fixed = model_->FixedCols();
  if (col < fixed) {
    canvas.Brush.Color = clBtnFace;
    canvas.FillRect(r);
    canvas.Pen.Color = clBtnShadow;
    if (row == 0) {
      canvas.MoveTo(r.right, r.bottom - 1);
      canvas.LineTo(r.right + 1, r.bottom - 1);
    } else {
      canvas.MoveTo(r.right, r.top - 1);
      canvas.LineTo(r.right, r.bottom + 1);
      if (row == model_->RowCount() - 1) {
        canvas.MoveTo(r.right, r.bottom);
        canvas.LineTo(r.left - 1, r.bottom);
      }
    }
    if (row > 0 && model_->Searching() && row == model_->Row()) {
      canvas.Brush.Color = clHighlight;
      canvas.Pen.Color = clHighlight;
      canvas.Polygon(
          {{r.left + 1, r.top + 1}, {r.right - 1, r.top + (r.bottom - r.top) / 2}, {r.left + 1, r.bottom - 1}});
    }
    return;
  }
  if (row == 0) return;  // under the header
  const bool selected = col == model_->Col() && row == model_->Row();
  const bool searching = model_->Searching();
  const TColor rowColor = rowColors_[RowColorSlot(row)];
  std::string text;
  try {
    text = model_->GetCellText(col, row);
  } catch (...) {
    text.clear();  // a cell that cannot be read paints empty
  }
  const TColumnAlignment alignment = model_->Alignment(col - fixed);
  text = CutToWidth(canvas, text, std::max<int>(r.right - 1 - (r.left + 2), 0));
  const int width = canvas.TextWidth(text);
  int x0 = r.left + 2;
  if (alignment == taRightJustify) x0 = r.right - 1 - width;
  if (alignment == taCenter) x0 = (r.left + r.right - width) / 2 + 1;
  const int y = r.top + 2;
  if (!(selected && searching)) {
    canvas.Brush.Color = selected ? clHighlight : rowColor;
    canvas.Font.SetColor(selected ? clHighlightText : clWindowText);
    canvas.TextRect(r, x0, y, text);
  } else {
    const size_t plain = Utf8PrefixBytes(text, model_->HighlightLength());
    canvas.Brush.Color = rowColor;
    canvas.Font.SetColor(clWindowText);
    canvas.TextRect(r, x0, y, text.substr(0, plain));
    if (plain < text.size()) {
      canvas.Brush.Color = clHighlight;
      canvas.Font.SetColor(clHighlightText);
      canvas.TextOut(x0 + canvas.TextWidth(text.substr(0, plain)), y, text.substr(plain));
    }
  }
  if (selected && Focused()) canvas.DrawFocusRect(r);
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
