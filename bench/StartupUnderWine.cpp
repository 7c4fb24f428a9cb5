// Vorkel.exe's start-up under Wine, from the process start to the main
// window's first paint: a program folder with the small shop, and with a
// copy of a large Data (100,000 products, 1,000,000 movements, filled by
// VkFill) in code order and with the name order saved in vorkel.cfg. Every
// start but the first of each folder is a later start of the day, which
// keeps the day's copy. Then, in the large shop, the freeze of a switch of
// the goods to name order (F9 on the name column) and back to code order,
// from the key to a still window. Prints the figures; not a test.
//
// VorkelStartupTiming <folder holding the large Data\store.dat and moves.dat> [starts]

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "Core/SysUtils.h"
#include "Platform/win32/Utf16.h"
#include "Tools/CfgFile/CfgParams.h"
#include "Tools/CfgFile/Options.h"
#include "tests/e2e/E2eDriver.h"

namespace {

using namespace vk::e2e;

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct Timing {
  double shown, painted;
};

bool TimeOneStart(const std::string& folder, Timing& timing) {
  LARGE_INTEGER start, shown, painted;
  QueryPerformanceCounter(&start);
  RunningProgram program(folder);
  HWND main = program.WaitForWindow("TMainFormStore", 120000);
  if (!main) return false;
  QueryPerformanceCounter(&shown);
  // The first paint is done when the window's pixels (above the ticking
  // clock) last changed, once they stayed for half a second.
  std::vector<uint32_t> last;
  painted = shown;
  for (LARGE_INTEGER now = shown; Milliseconds(painted, now) < 500; QueryPerformanceCounter(&now)) {
    if (Milliseconds(shown, now) > 60000) return false;
    RECT r = WindowRect(main);
    r.bottom -= 30;
    int width = 0, height = 0;
    std::vector<uint32_t> pixels = CapturePixels(r, width, height);
    if (pixels != last) {
      QueryPerformanceCounter(&painted);
      last = std::move(pixels);
    }
    Sleep(10);
  }
  timing = {Milliseconds(start, shown), Milliseconds(start, painted)};
  BringToFront(main);
  PressKey(VK_F4, /*alt=*/true);
  return program.WaitForExit(60000).has_value();
}

// From the key to the window's last change once it has changed and then
// stayed still for half a second; negative when it never changed.
double StillAfterKey(HWND main, WORD key) {
  auto pixels = [&] {
    RECT r = WindowRect(main);
    r.bottom -= 30;  // the status bar's clock ticks
    int width = 0, height = 0;
    return CapturePixels(r, width, height);
  };
  std::vector<uint32_t> last = pixels();
  LARGE_INTEGER start, changed{}, now;
  QueryPerformanceCounter(&start);
  PressKey(key);
  bool moved = false;
  for (QueryPerformanceCounter(&now); !moved || Milliseconds(changed, now) < 500; QueryPerformanceCounter(&now)) {
    if (Milliseconds(start, now) > 60000) return -1;
    std::vector<uint32_t> current = pixels();
    if (current != last) {
      QueryPerformanceCounter(&changed);
      moved = true;
      last = std::move(current);
    }
    Sleep(5);
  }
  return Milliseconds(start, changed);
}

void ReportSwitches(const char* what, std::vector<double> values) {
  std::sort(values.begin(), values.end());
  std::printf("%-40s switches %zu  min %6.0f ms  median %6.0f ms  max %6.0f ms\n", what, values.size(), values.front(),
              values[values.size() / 2], values.back());
}

// F9 on the name column, then on the code column, each switch timed.
bool TimeSwitches(const std::string& folder, int rounds) {
  RunningProgram program(folder);
  HWND main = program.WaitForWindow("TMainFormStore", 120000);
  if (!main || !WaitPainted(main, 120000)) return false;
  BringToFront(main);
  std::vector<double> toName, toCode;
  for (int i = 0; i < rounds; ++i) {
    PressKey(VK_RIGHT);
    WaitPainted(main, 60000);
    toName.push_back(StillAfterKey(main, VK_F9));
    PressKey(VK_LEFT);
    WaitPainted(main, 60000);
    toCode.push_back(StillAfterKey(main, VK_F9));
  }
  ReportSwitches("100,000 products, F9 to name order", toName);
  ReportSwitches("100,000 products, F9 back to code order", toCode);
  PressKey(VK_F4, /*alt=*/true);
  return program.WaitForExit(60000).has_value() &&
         std::none_of(toName.begin(), toName.end(), [](double v) { return v < 0; });
}

void Report(const char* what, std::vector<Timing> timings) {
  if (timings.empty()) return;
  auto median = [&](double Timing::*member) {
    std::vector<double> values;
    for (const Timing& t : timings) values.push_back(t.*member);
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
  };
  std::printf("%-40s starts %zu  window shown %8.0f ms  first paint done %8.0f ms (medians)\n", what, timings.size(),
              median(&Timing::shown), median(&Timing::painted));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: VorkelStartupTiming <folder with large Data files> [starts]\n");
    return 2;
  }
  const std::string source = vk::platform::WideToUtf8(argv[1]);
  const int starts = argc > 2 ? std::max(1, _wtoi(argv[2])) : 5;
  try {
    const std::string small = PrepareFolder("timing-small", ShopFolder());
    // The large shop as VkFill leaves it (names in code page 1251), once in
    // code order and once with the name order saved (the name column, 2).
    auto largeFolder = [&](const char* name, uint32_t sortedColumn) {
      const std::string folder = PrepareFolder(name, {});
      vk::TProgOptions options(folder + vk::kCfgFileName, vk::kUninstallKeyName);
      vk::TCardinalParam(&options, "Language", "BaseCodePage").SetValue(1251);
      options.SetStoreSortedColumn(sortedColumn);
      CreateDirectoryW(vk::platform::Utf8ToWide(folder + "Data").c_str(), nullptr);
      for (const char* file : {"store.dat", "moves.dat"}) {
        const std::wstring from = vk::platform::Utf8ToWide(source + "\\Data\\" + file);
        const std::wstring to = vk::platform::Utf8ToWide(folder + "Data\\" + file);
        if (!CopyFileW(from.c_str(), to.c_str(), FALSE)) throw vk::Exception("cannot copy " + std::string(file));
      }
      return folder;
    };
    const std::string large = largeFolder("timing-large", 0);
    const std::string byName = largeFolder("timing-large-by-name", 2);
    for (const auto& [folder, label] : {std::pair{small, "30 products"}, std::pair{large, "100,000 products"},
                                        std::pair{byName, "100,000 products by name"}}) {
      std::vector<Timing> first(1), later;
      if (!TimeOneStart(folder, first[0])) throw vk::Exception("first start failed in " + folder);
      Report((std::string(label) + ", first start of the day").c_str(), first);
      for (int i = 0; i < starts; ++i) {
        Timing t{};
        if (!TimeOneStart(folder, t)) throw vk::Exception("a start failed in " + folder);
        later.push_back(t);
      }
      Report((std::string(label) + ", later starts").c_str(), later);
    }
    if (!TimeSwitches(large, starts)) throw vk::Exception("the switches of order failed in " + large);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
  return 0;
}
