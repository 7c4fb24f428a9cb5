// The grid's header window (declared with the grid in DataGrid.h).
// clang-format off
// The grid before windows.h (see DataGrid.h).
#include "Tools/LocalDbCtrls/DataGrid.h"
// clang-format on

#include <algorithm>

#include "Platform/win32/Utf16.h"
#include "Tools/Service/WindowsVersion.h"

namespace vk::gui {
namespace {

int HeaderFormat(TColumnAlignment alignment) {
  switch (alignment) {
    case taRightJustify: return HDF_RIGHT;
    case taCenter: return HDF_CENTER;
    default: return HDF_LEFT;
  }
}

TAlignment GuiAlignment(TColumnAlignment alignment) {
  switch (alignment) {
    case taRightJustify: return TAlignment::taRightJustify;
    case taCenter: return TAlignment::taCenter;
    default: return TAlignment::taLeftJustify;
  }
}

}  // namespace

// The grid places its header itself, from its real client width (see
// TDataGrid::PlaceHeader): anchors would measure from a size the grid has
// before its window and its scroll bar exist.
TGridHeader::TGridHeader(TDataGrid* grid) : TWinControl(grid), grid_(grid) {
  SetColor(clBtnFace);
  const int left = GridHeaderLeft(grid->Model().FixedCols());
  SetBounds(left, 0, std::max(grid->ClientWidth() - left, 0), GridHeaderHeight(WindowsVersionClass()));
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
    case WM_ERASEBKGND: return 1;  // the control paints all of itself
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

}  // namespace vk::gui
