#pragma once
// The data grid window: a read-only grid painted from a table on demand,
// with a header control over row 0. Every decision (rows, current record,
// search, sort mark, widths) is taken by the grid models; this window
// forwards messages to them and paints what they say.

// clang-format off
// The table engine before windows.h, whose CreateFile macro would rename
// the table file's CreateFile in every virtual table built here.
#include "Tools/LocalDbCtrls/DataGridFiltered.h"
#include "Tools/LocalDbCtrls/DataGridModel.h"
#include "Tools/LocalDbCtrls/DataGridPainter.h"
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <functional>
#include <memory>
#include <vector>

#include "Gui/Controls.h"

namespace vk::gui {

class TDataGrid;

// The header over the grid's row 0: a WC_HEADER whose section widths follow
// the grid's header model. A divider drag is turned into a posted pair
// resize, so the control's own resize never happens.
class TGridHeader : public TWinControl {
 public:
  explicit TGridHeader(TDataGrid* grid);

  // Shows the model's sections again (texts, widths, alignment).
  void UpdateSections();
  int SectionCount();
  // Sections drawn by us (when visual themes are off) or by the control.
  bool OwnerDraw() const { return ownerDraw_; }
  void SetOwnerDraw(bool ownerDraw);
  // The caption of an owner-drawn section, after the control's own drawing.
  void DrawSection(HDC dc, int section, RECT rect, bool pressed);

  // A divider drag resized this section (called for both sections of the pair).
  std::function<void(int section)> OnSectionResize;

 protected:
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  std::optional<LRESULT> NotifyReflected(NMHDR& header) override;
  std::optional<LRESULT> DrawItemReflected(DRAWITEMSTRUCT& item) override;
  bool EraseBackground(HDC) override { return true; }

 private:
  LRESULT ItemChanging(NMHEADERW& notify);
  void ColumnResize(int section, int delta);

  TDataGrid* grid_;
  bool settingSections_ = false;  // our own width changes pass
  bool ownerDraw_ = false;
};

class TDataGrid : public TWinControl, public TGridView {
 public:
  TDataGrid(TWinControl* parent, TTable* table, const std::vector<TDataColumn>& columns, bool centredCaptions);
  ~TDataGrid() override;

  TDataGridModel& Model() { return *model_; }
  TGridHeader& Header() { return *header_; }

  void Refresh() { model_->Refresh(); }
  void StartSearch() { model_->StartSearch(); }
  void StopSearch() { model_->StopSearch(); }
  void SortByColumn(int i) { model_->SortByColumn(i); }
  int SortedColumn() const { return model_->SortedColumn(); }
  std::string GetColumnCaption(int i) const { return model_->GetColumnCaption(i); }
  void SetColumnCaption(int i, const std::string& text) { model_->SetColumnCaption(i, text); }
  int ColWidth(int col) const { return model_->Layout().ColWidths[static_cast<size_t>(col)]; }
  int TopRow() const { return topRow_; }
  static int MinColumnWidth() { return kMinColumnWidth; }
  // Every column at its minimum, the grid lines, the scroll bar and the edges.
  int MinControlWidth() const;
  // Never narrower than MinControlWidth.
  void SetBounds(int left, int top, int width, int height) override;

  // The tint of the even data rows: 85 % of the way from the system's
  // highlight colour to its window colour.
  static TColor SelectionColor();
  void SetSelectionColor(TColor color);
  // Follows changed system colours.
  void UpdateSelectionColor() { SetSelectionColor(SelectionColor()); }
  // Header sections drawn by the themed control, or by us when visual
  // themes are off; the owner calls it again after a theme change.
  void UpdateHeaderStyle();
  // Colours of the even (0) and odd (1) data rows.
  TColor RowColor(int slot) const { return rowColors_[slot & 1]; }

  // TGridView
  void InvalidateCell(int32_t col, int32_t row) override;
  void RepaintData() override;
  void CurrentCellMoved() override;
  void SectionTextChanged(int32_t section) override;
  bool SelectCellEvent(int32_t col, int32_t row) override;

  // The grid's data area of grid columns c1..c2.
  void RepaintColumns(int c1, int c2);
  // Copies the header's widths into the columns after the header spread a
  // new width.
  void CopyHeaderWidths();

  // The owner's cell-selection event; false refuses the cell. The key hook
  // and the search and sort events are the model's (Model().OnKeyPress, ...).
  std::function<bool(int col, int row)> OnSelectCell;
  // The grid received the keyboard focus.
  std::function<void()> OnEnter;

 protected:
  TDataGrid(TWinControl* parent, TTable* table, const std::vector<TDataColumn>& columns, bool centredCaptions,
            bool filtered);

  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  // Every pixel once (see PaintDataGrid), so nothing flickers.
  void PaintWindow(TCanvas& canvas) override;
  bool EraseBackground(HDC) override { return true; }
  void Resize() override;

 private:
  friend class TGridHeader;

  TGridGeometry Geometry() const;
  int VisibleDataRows() const;
  // The top row kept so that no row past the last shows while rows above are hidden.
  int ClampedTopRow(int topRow) const;
  void KeepCurrentRowInView();
  void PlaceHeader();
  void ScrollTo(int topRow);
  void UpdateScrollBar();
  LRESULT KeyDown(WPARAM key);
  LRESULT MouseWheel(int delta);
  LRESULT Char(WPARAM ch);
  LRESULT LButtonDown(LPARAM lParam);
  LRESULT VScroll(WPARAM wParam);

  std::unique_ptr<TDataGridModel> model_;
  std::unique_ptr<TGridHeader> header_;
  TColor rowColors_[2] = {clWindow, clWindow};
  int topRow_ = 1;
  bool inHeaderResize_ = false;
};

// The grid over one key range of its table (see TFilteredDataGridModel).
class TFilteredDataGrid : public TDataGrid {
 public:
  TFilteredDataGrid(TWinControl* parent, TTable* table, const std::vector<TDataColumn>& columns, bool centredCaptions);

  void SetFilter(TIndex* index, const std::vector<Variant>& low, const std::vector<Variant>& high, bool keep);
  TFilteredDataGridModel& Filtered() { return static_cast<TFilteredDataGridModel&>(Model()); }
};

}  // namespace vk::gui
