#pragma once
// What the edit modes ask of the main window. The Win32 window implements it
// over its controls; native tests implement it over the grid models. Every
// call comes from the GUI thread; none is made while another is running,
// except that a focus change or a grid refresh made by the window may call
// back into TEditModes (ControlEntered, EndSearch, UpdateModeUi), which copes
// with that.

#include <optional>
#include <string>

#include "Source/MainFormModes.h"

namespace vk {

class TMainFormView {
 public:
  virtual ~TMainFormView() = default;

  // Shows a mode: each action's Enabled, Visible, ShortCut and secondary
  // shortcut; the import, export and report commands (EnableAll or
  // DisableAll); both grids' Enabled; each entry control's ReadOnly (with the
  // read-only colour) and focus lock; the entry controls set enabled when
  // EnableEntries; LbPlus; the busy flag when given; status panel 2. Called
  // again with an equal state only by SetEditMode, so it may apply only what
  // changed. Disabling the focused control moves the focus as the system does.
  virtual void ApplyModeUi(const TModeUi& ui) = 0;

  // The text an entry control shows, and setting it.
  virtual std::string EntryText(TMainControl edit) const = 0;
  virtual void SetEntryText(TMainControl edit, const std::string& text) = 0;
  virtual TMainControl FocusedControl() const = 0;
  // Gives the control the focus when it can take it (shown, enabled, not
  // locked); otherwise, and for Other, nothing happens. Its enter handler
  // runs as usual.
  virtual void FocusControl(TMainControl control) = 0;

  // The goods grid shows the table again (TDataGrid.Refresh of GridStore);
  // without notify its select-cell handler is not run meanwhile.
  virtual void RefreshGoodsGrid(bool notify) = 0;
  // The panel shows the current goods record and the moves grid its moves
  // (a reposition lets the moves grid move to them as a new filter does);
  // with no goods, as ClearGoods. Calls TEditModes::UpdateModeUi at the end,
  // since the moves actions follow the moves grid.
  virtual void RefreshGoods(bool reposition) = 0;
  // Empties the panel and the moves grid (a new goods is typed into it);
  // ends with UpdateModeUi as RefreshGoods does.
  virtual void ClearGoods() = 0;
  // The goods grid's current column: 1 code, 2 name, ... (0 is its fixed
  // column); setting it moves the grid's current cell.
  virtual int GoodsGridColumn() const = 0;
  virtual void SetGoodsGridColumn(int column) = 0;
  // Rows of the moves grid, its header row included (2 when it shows no or
  // one movement).
  virtual int MovesGridRowCount() const = 0;
  // TDataGrid.StartSearch and StopSearch of GridStore; the grid reports back
  // through TEditModes::BeginSearch and EndSearch.
  virtual void StartGoodsSearch() = 0;
  virtual void StopGoodsSearch() = 0;

  // "Keyboard"/"Enhanced".
  virtual bool EnhancedKeyboard() const = 0;
  // The next goods code when "Autogen"/"Enabled" is on (NextGoodsCode);
  // nothing when it is off.
  virtual std::optional<std::string> GeneratedGoodsCode() = 0;

  // The program's message box (ShowMessageBox): 1 the first or only button,
  // 2 the second.
  virtual int ShowMessageBox(const std::string& text, const std::string& caption, int flags,
                             const std::string& firstCaption, const std::string& firstHint,
                             const std::string& secondCaption, const std::string& secondHint) = 0;
  // The width of a text in the message box's font, and of its text label.
  virtual int MessageBoxTextWidth(const std::string& text) = 0;
  virtual int MessageBoxLabelWidth() = 0;

  // crAppStart while a file operation runs; crDefault otherwise.
  virtual void SetBusyCursor(bool busy) = 0;
};

}  // namespace vk
