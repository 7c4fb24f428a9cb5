#include "Source/PrintLayout.h"

#include "Core/Checked.h"
#include "Core/SysUtils.h"
#include "Tools/Service/TextConst.h"

namespace vk {

namespace {

constexpr const char* kUnit = "Source\\Print";

}  // namespace

int TPageGeometry::BodyTop() const { return CheckedAdd(HeaderHeight, HeaderHeight / 2); }

int TPageGeometry::BodyBottom() const { return CheckedSub(PageHeight, HeaderHeight); }

int TPageGeometry::TableWidth() const { return CheckedSub(RightEdge, LeftMargin); }

void SetPageSize(TPageGeometry& geometry, int pageWidth, int pageHeight) {
  // The margins come from unsigned, truncating divisions.
  geometry.LeftMargin = static_cast<int>(static_cast<unsigned>(pageWidth) / 32);
  geometry.RightEdge = CheckedSub(pageWidth, static_cast<int>(static_cast<unsigned>(geometry.LeftMargin) / 2));
  geometry.PageHeight = pageHeight;
}

bool PageHoldsOneRow(const TPageGeometry& g) {
  if (g.HeaderHeight < 0 || g.HeadHeight < 0 || g.RowHeight < 0) return false;
  int needed = CheckedAdd(CheckedAdd(g.BodyTop(), g.HeadHeight), CheckedAdd(g.RowHeight, g.HeadHeight));
  return needed <= g.BodyBottom() && g.TableWidth() > 0;
}

std::vector<int> SpreadColumnWidths(const std::vector<int>& weights, int available) {
  int round = 0;
  for (int weight : weights) {
    Assert(weight >= 0, "Invalid column weights", kUnit);
    round = CheckedAdd(round, weight);
  }
  Assert(round > 0, "Invalid column weights", kUnit);
  std::vector<int> widths(weights.size(), 0);
  if (available <= 0) return widths;
  int rounds = available / round;
  int rest = available % round;
  for (std::size_t i = 0; i < weights.size(); ++i) widths[i] = CheckedMul(weights[i], rounds);
  std::size_t last = 0;
  for (std::size_t i = 0; i < weights.size() && rest > 0; ++i) {
    widths[i] += weights[i];
    rest -= weights[i];
    last = i;
  }
  widths[last] += rest;  // the overshoot, given back
  return widths;
}

bool RowStartsNewPage(const TPageGeometry& g, int y, bool lastRow) {
  int bottom = CheckedAdd(y, g.RowHeight);
  if (lastRow) bottom = CheckedAdd(bottom, g.HeadHeight);
  return g.BodyBottom() < bottom;
}

int CountPages(const TPageGeometry& g, int y, int rowCount) {
  Assert(PageHoldsOneRow(g), "Page too small", kUnit);
  int pages = 1;
  int rowsLeft = rowCount;
  do {
    y = CheckedAdd(y, g.HeadHeight);
    while (rowsLeft > 0 && CheckedSub(g.BodyBottom(), y) >= g.RowHeight) {
      y = CheckedAdd(y, g.RowHeight);
      --rowsLeft;
    }
    if (rowsLeft > 0 || CheckedSub(g.BodyBottom(), y) < g.HeadHeight) {
      pages = CheckedAdd(pages, 1);
      y = g.BodyTop();
    }
  } while (rowsLeft > 0);
  return pages;
}

std::string FormatPageCounter(const std::string& pattern, int page, int pageCount) {
  std::string out;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern.compare(i, 4, "%0:d") == 0 || pattern.compare(i, 4, "%1:d") == 0) {
      out += std::to_string(pattern[i + 1] == '0' ? page : pageCount);
      i += 3;
    } else {
      out += pattern[i];
    }
  }
  return out;
}

std::string HeaderDateTime(TDateTime now) {
  std::string text = FormatLongDateTime(now);
  // The seconds and their colon stand just before the closing blank.
  if (text.size() >= 4) text.erase(text.size() - 4, 3);
  return text;
}

}  // namespace vk
