#include "Source/MainFormRules.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

#include "Core/Checked.h"

namespace vk {
namespace {

int Overlap(int a1, int a2, int b1, int b2) { return std::max(0, std::min(a2, b2) - std::max(a1, b1)); }

// Squared distance between the rectangle and the area; 0 when they meet.
long long DistanceSquared(const TPlacement& p, const TScreenArea& a) {
  const long long dx = std::max({0LL, static_cast<long long>(a.Left) - (p.Left + p.Width), 0LL + p.Left - a.Right});
  const long long dy = std::max({0LL, static_cast<long long>(a.Top) - (p.Top + p.Height), 0LL + p.Top - a.Bottom});
  return dx * dx + dy * dy;
}

int Clamp(int value, int low, int high) { return std::max(low, std::min(value, high)); }

}  // namespace

bool PlacementReachable(const TPlacement& p, const std::vector<TScreenArea>& monitors) {
  for (const TScreenArea& m : monitors) {
    const int across = Overlap(p.Left, p.Left + p.Width, m.Left, m.Right);
    const int down = Overlap(p.Top, p.Top + std::min(p.Height, kReachableHeight), m.Top, m.Bottom);
    if (across >= std::min(kReachableWidth, p.Width) && down > 0 && p.Top >= m.Top) return true;
  }
  return false;
}

TPlacement BringOntoMonitor(const TPlacement& p, const std::vector<TScreenArea>& monitors) {
  if (monitors.empty() || PlacementReachable(p, monitors)) return p;
  const TScreenArea* nearest = &monitors.front();
  long long best = LLONG_MAX;
  for (const TScreenArea& m : monitors) {
    const long long d = DistanceSquared(p, m);
    if (d < best) {
      best = d;
      nearest = &m;
    }
  }
  const TScreenArea& m = *nearest;
  TPlacement moved = p;
  moved.Width = std::min(p.Width, m.Right - m.Left);
  moved.Height = std::min(p.Height, m.Bottom - m.Top);
  moved.Left = Clamp(p.Left, m.Left, m.Right - moved.Width);
  moved.Top = Clamp(p.Top, m.Top, m.Bottom - moved.Height);
  return moved;
}

TPlacement RestoredPlacement(const TPlacement& stored, int minWidth, int minHeight, int designWidth, int designHeight,
                             int screenWidth, int screenHeight, const std::vector<TScreenArea>& monitors) {
  TPlacement place = stored;
  if (stored.Width < minWidth || stored.Height < minHeight) {
    place = {screenWidth / 2 - designWidth / 2, screenHeight / 2 - designHeight / 2, minWidth, minHeight};
  }
  return BringOntoMonitor(place, monitors);
}

namespace {

// The start of a window along one axis, stuck to the near or the far edge of
// the area when it comes closer than the snap distance.
int SnapAxis(int start, int size, int areaStart, int areaEnd) {
  if (std::abs(start - areaStart) < kSnapDistance) return areaStart;
  if (std::abs(start + size - areaEnd) < kSnapDistance) return areaEnd - size;
  return start;
}

}  // namespace

TPlacement SnapToScreen(const TPlacement& p, const TScreenArea& a) {
  return {SnapAxis(p.Left, p.Width, a.Left, a.Right), SnapAxis(p.Top, p.Height, a.Top, a.Bottom), p.Width, p.Height};
}

void TShownGoods::Show(const TTableStore& goods) {
  if (goods.RecordCount() == 0) {
    id_.reset();
  } else {
    id_ = goods.ID.Value();
  }
}

bool TShownGoods::Differs(const TTableStore& goods) const {
  const std::optional<int32_t> current =
      goods.RecordCount() == 0 ? std::nullopt : std::optional<int32_t>(goods.ID.Value());
  return current != id_;
}

TGoodsPanelTexts CurrentGoodsTexts(const TTableStore& goods) {
  return {goods.Code.GetAsString(),   goods.Name.GetAsString(),   goods.Cost.GetAsString(),
          goods.Weight.GetAsString(), goods.PCount.GetAsString(), goods.Sum.GetAsString()};
}

TGoodsPanelTexts EmptyGoodsTexts() { return {"", "", "0.00", "0.00", "0", "0.00"}; }

TKeyRange MovesRangeOf(int32_t goodsId) {
  return {{Variant::Integer(goodsId), Variant::Date(kMinDateDay)},
          {Variant::Integer(CheckedAdd<int32_t>(goodsId, 1)), Variant::Date(kMinDateDay)}};
}

std::string SearchStatusText(const std::string& modeName, const std::string& searchText, int panelWidth,
                             const std::function<int(const std::string&)>& textWidth) {
  if (searchText.empty()) return modeName;
  const std::string quoted = "\"" + searchText + "\"";
  const std::string both = modeName + "  " + quoted;
  return textWidth(both) >= panelWidth ? quoted : both;
}

std::string RelaidSearchStatusText(const std::string& modeName, const std::string& shown, int panelWidth,
                                   const std::function<int(const std::string&)>& textWidth) {
  const size_t quote = shown.find('"');
  if (quote == std::string::npos) return modeName;
  const std::string quoted = shown.substr(quote);
  const std::string both = modeName + "  " + quoted;
  return textWidth(both) >= panelWidth ? quoted : both;
}

}  // namespace vk
