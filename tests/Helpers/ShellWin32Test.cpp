#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>

#include "Platform/win32/Utf16.h"
#include "Tools/Service/Contacts.h"
#include "Tools/Service/StringUtils.h"
#include "Tools/Service/StringUtilsCanvas.h"

namespace vk {
namespace {

std::string TempFolder() {
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  return platform::WideToUtf8(folder);
}

bool Exists(const std::string& path) {
  return GetFileAttributesW(platform::Utf8ToWide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

TEST(ContactsWin32, RunProgramReportsAMissingTargetThroughItsResult) {
  EXPECT_LE(RunProgram(TempFolder() + "vk-helpers-no-such-document.vkx"), 32);
}

TEST(ContactsWin32, RunProgramOpensADocumentWithItsProgram) {
  std::string marker = TempFolder() + "vk-helpers-ran.txt";
  std::string script = TempFolder() + "vk-helpers-run.bat";
  DeleteFileW(platform::Utf8ToWide(marker).c_str());
  std::ofstream(script) << "@echo ran> \"" << marker << "\"\r\n";

  EXPECT_GT(RunProgram(script), 32);
  for (int i = 0; i < 300 && !Exists(marker); ++i) Sleep(50);
  EXPECT_TRUE(Exists(marker)) << "the script did not run";
  DeleteFileW(platform::Utf8ToWide(marker).c_str());
  DeleteFileW(platform::Utf8ToWide(script).c_str());
}

// A screen-compatible canvas with the dialog font, as the windows measure.
class MeasureCanvas {
 public:
  MeasureCanvas() : dc_(CreateCompatibleDC(nullptr)), canvas_(dc_) {
    old_ = SelectObject(dc_, GetStockObject(DEFAULT_GUI_FONT));
  }
  ~MeasureCanvas() {
    SelectObject(dc_, old_);
    DeleteDC(dc_);
  }
  MeasureCanvas(const MeasureCanvas&) = delete;
  MeasureCanvas& operator=(const MeasureCanvas&) = delete;
  gui::TCanvas& Canvas() { return canvas_; }
  HDC Dc() const { return dc_; }

 private:
  HDC dc_;
  gui::TCanvas canvas_;
  HGDIOBJ old_ = nullptr;
};

int TextWidthIn(HDC dc, const std::string& text) {
  std::wstring wide = platform::Utf8ToWide(text);
  SIZE size{};
  GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
  return size.cx;
}

TEST(StringUtilsWin32, ShortenedPathFitsTheCanvasWidth) {
  MeasureCanvas measure;
  const std::string path = "C:\\Users\\Shop\\Documents\\Vorkel exports\\2026\\stock of december.csv";
  int full = TextWidthIn(measure.Dc(), path);
  ASSERT_GT(full, 0);
  EXPECT_EQ(ShortenPathToWidth(path, measure.Canvas(), full), path);
  for (int width : {full - 1, full * 2 / 3, full / 2}) {
    std::string shortened = ShortenPathToWidth(path, measure.Canvas(), width);
    SCOPED_TRACE(shortened);
    EXPECT_LE(TextWidthIn(measure.Dc(), shortened), width);
    EXPECT_NE(shortened.find("..."), std::string::npos);
    EXPECT_EQ(shortened.rfind("\\stock of december.csv"), shortened.size() - 22);
  }
  std::string tiny = ShortenPathToWidth(path, measure.Canvas(), TextWidthIn(measure.Dc(), "...\\stock..."));
  EXPECT_EQ(tiny.substr(0, 4), "...\\");
  EXPECT_EQ(tiny.substr(tiny.size() - 3), "...");
}

}  // namespace
}  // namespace vk

namespace vk {
namespace {

std::string SystemPathEllipsis(HDC dc, const std::string& path, int width) {
  std::wstring text = platform::Utf8ToWide(path);
  text.resize(text.size() + 4, L'\0');  // DT_MODIFYSTRING may write up to four more characters
  RECT rect{0, 0, width, 0};
  DrawTextW(dc, text.data(), -1, &rect, DT_CALCRECT | DT_PATH_ELLIPSIS | DT_END_ELLIPSIS | DT_MODIFYSTRING);
  return platform::WideToUtf8(text.c_str());
}

// Wine's DrawText aborts for widths below the ellipsis, so the widths stay
// above that.
TEST(StringUtilsWin32, ShortenedPathAgreesWithTheSystemsPathEllipsis) {
  MeasureCanvas measure;
  const std::string paths[] = {"C:\\Users\\Shop\\Documents\\Vorkel exports\\2026\\stock of december.csv",
                               "C:\\Shop\\Data\\stock.csv", "stock-of-the-year-2026.csv", "/srv/shop/stock.csv"};
  for (const std::string& path : paths) {
    int full = TextWidthIn(measure.Dc(), path);
    for (int width : {full, full - 1, full * 2 / 3, full / 2, full / 3}) {
      SCOPED_TRACE(path + " in " + std::to_string(width));
      EXPECT_EQ(ShortenPathToWidth(path, measure.Canvas(), width), SystemPathEllipsis(measure.Dc(), path, width));
    }
  }
}

}  // namespace
}  // namespace vk
