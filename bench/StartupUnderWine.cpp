// Vorkel.exe's start-up under Wine, from the process start to the main
// window's first paint: a program folder with the small shop, and one with a
// copy of a large Data (100,000 products, 1,000,000 movements, filled by
// VkFill). Every start but the first of each folder is a later start of the
// day, which keeps the day's copy. Prints the figures; not a test.
//
// VorkelStartupTiming <folder holding the large Data\store.dat and moves.dat> [starts]

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "Core/SysUtils.h"
#include "Platform/win32/Utf16.h"
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
    const std::string large = PrepareFolder("timing-large", {});
    CreateDirectoryW(vk::platform::Utf8ToWide(large + "Data").c_str(), nullptr);
    for (const char* name : {"store.dat", "moves.dat"}) {
      const std::wstring from = vk::platform::Utf8ToWide(source + "\\Data\\" + name);
      const std::wstring to = vk::platform::Utf8ToWide(large + "Data\\" + name);
      if (!CopyFileW(from.c_str(), to.c_str(), FALSE)) {
        std::fprintf(stderr, "cannot copy %s from %s\n", name, source.c_str());
        return 1;
      }
    }
    for (const auto& [folder, label] : {std::pair{small, "30 products"}, std::pair{large, "100,000 products"}}) {
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
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
  return 0;
}
