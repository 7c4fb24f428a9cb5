#pragma once
// What the grid window tests read back from the windows: the grid's client
// area as its own painting leaves it, and the header control's sections.

// clang-format off
// The grid before windows.h (see DataGrid.h).
#include "Tools/LocalDbCtrls/DataGrid.h"
// clang-format on

#include <numeric>
#include <vector>

#include "Gui/GdiHandles.h"

namespace vk::gui::test {

class GridSnapshot {
 public:
  explicit GridSnapshot(TDataGrid& grid) : width_(grid.ClientWidth()), height_(grid.ClientHeight()) {
    WindowDc screen(nullptr);
    bitmap_.Reset(CreateCompatibleBitmap(screen.Dc(), width_, height_));
    SelectGuard select(dc_.Dc(), bitmap_.Get());
    SendMessageW(grid.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_.Dc()), PRF_CLIENT);
    pixels_.resize(static_cast<size_t>(width_ * height_));
    for (int y = 0; y < height_; ++y) {
      for (int x = 0; x < width_; ++x) pixels_[static_cast<size_t>(y * width_ + x)] = GetPixel(dc_.Dc(), x, y);
    }
  }
  COLORREF At(int x, int y) const { return pixels_[static_cast<size_t>(y * width_ + x)]; }
  int Width() const { return width_; }
  int Height() const { return height_; }

 private:
  int width_;
  int height_;
  MemoryDc dc_;
  UniqueBitmap bitmap_;
  std::vector<COLORREF> pixels_;
};

// Widths of the header control's items as it shows them.
inline std::vector<int> HeaderItemWidths(TDataGrid& grid) {
  HWND header = grid.Header().Handle();
  std::vector<int> widths;
  const int count = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    RECT r{};
    SendMessageW(header, HDM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r));
    widths.push_back(r.right - r.left);
  }
  return widths;
}

inline std::vector<int> DataColumnWidths(TDataGrid& grid) {
  std::vector<int> widths;
  for (int c = grid.Model().FixedCols(); c < grid.Model().ColCount(); ++c) widths.push_back(grid.ColWidth(c));
  return widths;
}

inline int Sum(const std::vector<int>& values) { return std::accumulate(values.begin(), values.end(), 0); }

}  // namespace vk::gui::test
