#pragma once
// The main window's decisions apart from the window: where it opens and what
// is stored of its place, the goods panel's texts, the moves range of a goods
// and the status bar's mode panel.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "Core/Variant.h"
#include "Source/StoreDataTables.h"

namespace vk {

struct TPlacement {
  int Left = 0, Top = 0, Width = 0, Height = 0;
  bool operator==(const TPlacement&) const = default;
};

// A monitor's work area in screen coordinates, right and bottom excluded.
struct TScreenArea {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
};

// The window's title strip can be reached with the mouse on some monitor: at
// least kReachableWidth pixels of its top kReachableHeight rows lie on one.
inline constexpr int kReachableWidth = 40;
inline constexpr int kReachableHeight = 20;
bool PlacementReachable(const TPlacement& placement, const std::vector<TScreenArea>& monitors);
// The placement moved (size kept, cut to the monitor) onto the monitor
// nearest to it, when it is not reachable; unchanged otherwise.
TPlacement BringOntoMonitor(const TPlacement& placement, const std::vector<TScreenArea>& monitors);

// Where the window opens: the stored place when the stored size is at least
// the minimum, else the minimum size centred by the designed size on the
// primary screen; brought onto a monitor either way.
TPlacement RestoredPlacement(const TPlacement& stored, int minWidth, int minHeight, int designWidth, int designHeight,
                             int screenWidth, int screenHeight, const std::vector<TScreenArea>& monitors);

// While the window is dragged, an edge that comes closer than kSnapDistance
// pixels to the same edge of the monitor's work area (from inside or outside)
// sticks to it; the size stays. Where both opposite edges are that close, the
// left and the top win, so the title stays on the screen.
inline constexpr int kSnapDistance = 10;
TPlacement SnapToScreen(const TPlacement& moving, const TScreenArea& workArea);

// The panel's texts of one goods record.
struct TGoodsPanelTexts {
  std::string Code, Name, Cost, Weight, PCount, Sum;
  bool operator==(const TGoodsPanelTexts&) const = default;
};
// The current goods record's display texts.
TGoodsPanelTexts CurrentGoodsTexts(const TTableStore& goods);
// An empty panel: no code or name, zero amounts.
TGoodsPanelTexts EmptyGoodsTexts();

// The goods record the panel shows. The goods grid keeps its row when a
// search switches the order under it, so the cell selection asks this, not
// the row, whether the table now stands on another record.
class TShownGoods {
 public:
  // The panel shows the table's current record (none in an empty table).
  void Show(const TTableStore& goods);
  void Clear() { id_.reset(); }
  // The table stands on a record the panel does not show.
  bool Differs(const TTableStore& goods) const;

 private:
  std::optional<int32_t> id_;
};

// The moves of one goods under IndSD: from (id, 1 January of year 1) up to,
// not including, (id + 1, the same date).
struct TKeyRange {
  std::vector<Variant> Low, High;
};
TKeyRange MovesRangeOf(int32_t goodsId);

// Status panel 2 in search mode: the mode name, two blanks and the quoted
// search text, or only the quoted text when both are at least as wide as the
// panel.
std::string SearchStatusText(const std::string& modeName, const std::string& searchText, int panelWidth,
                             const std::function<int(const std::string&)>& textWidth);
// The same rebuilt for a new width from the text panel 2 shows now: the part
// from its first double quote on is kept; without one, the mode name.
std::string RelaidSearchStatusText(const std::string& modeName, const std::string& shown, int panelWidth,
                                   const std::function<int(const std::string&)>& textWidth);

}  // namespace vk
