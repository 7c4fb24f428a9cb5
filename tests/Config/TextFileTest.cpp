// The whole-file reads and atomic rewrites on the real disk (posix natively,
// Windows under Wine), and the settings over a real file.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "CfgTestSupport.h"
#include "Core/SysUtils.h"
#include "Platform/ProgramFolder.h"
#include "Platform/TextFile.h"
#include "Tools/CfgFile/Options.h"
#include "Tools/Service/RegionInfo.h"

namespace vk {
namespace {

using platform::DefaultTextFiles;
using platform::WholeReadStatus;
using testing::ScratchFolder;

std::string DiskBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(TextFile, MissingFileOrFolderIsNotFound) {
  ScratchFolder folder;
  EXPECT_EQ(DefaultTextFiles().ReadWhole(folder.Path("none.cfg")).Status, WholeReadStatus::NotFound);
  EXPECT_EQ(DefaultTextFiles().ReadWhole(folder.Path("none/none.cfg")).Status, WholeReadStatus::NotFound);
}

TEST(TextFile, FolderCannotBeReadAsAFile) {
  ScratchFolder folder;
  auto result = DefaultTextFiles().ReadWhole(folder.Path(""));
  EXPECT_EQ(result.Status, WholeReadStatus::Failed);
  EXPECT_FALSE(result.Error.empty());
}

TEST(TextFile, RewriteLeavesExactlyTheBytesAndNoTemporaryFile) {
  ScratchFolder folder;
  std::string path = folder.Path("vorkel.cfg");
  std::string contents[] = {"[A]\r\nk=1\r\n", std::string(100000, 'x'), "", std::string("\0\r\n\xFF\x1A", 5), "short"};
  for (const std::string& bytes : contents) {
    DefaultTextFiles().ReplaceWhole(path, bytes);
    EXPECT_EQ(DiskBytes(path), bytes);
    auto read = DefaultTextFiles().ReadWhole(path);
    EXPECT_EQ(read.Status, WholeReadStatus::Ok);
    EXPECT_EQ(read.Bytes, bytes);
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"vorkel.cfg"});
  }
}

TEST(TextFile, RewriteIntoAMissingFolderFailsAndLeavesNothing) {
  ScratchFolder folder;
  EXPECT_THROW(DefaultTextFiles().ReplaceWhole(folder.Path("none/vorkel.cfg"), "x"), EOSError);
  EXPECT_TRUE(folder.Names().empty());
}

TEST(TextFile, SettingsSurviveAFreshStart) {
  ScratchFolder folder;
  std::string path = folder.Path("vorkel.cfg");
  TOptionsEnvironment env;
  env.FileCodePage = 1251;
  {
    TProgOptions options(path, "\\SOFTWARE\\VorkelTestNoSuchKey", env);
    options.SetProgLang(0);
    options.SetLastCopy("C:\\\xD0\x9A\xD0\xBE\xD0\xB4");  // Cyrillic: stored in the ANSI code page
    options.SetStoreCodeWidth(100);
  }
  EXPECT_EQ(DiskBytes(path),
            "[Language]\r\nProgLang=RUS\r\n\r\n[Paths]\r\nLastCopy=C:\\\xCA\xEE\xE4\r\n\r\n[GridStore]\r\nCodeWidth="
            "00000064\r\n");
  TProgOptions again(path, "\\SOFTWARE\\VorkelTestNoSuchKey", env);
  EXPECT_EQ(again.GetProgLang(), 0u);
  EXPECT_EQ(again.GetLastCopy(), "C:\\\xD0\x9A\xD0\xBE\xD0\xB4");
  EXPECT_EQ(again.GetStoreCodeWidth(), 100u);
}

// Run by CTest once per locale with VORKEL_EXPECT_ACP set (see CMakeLists.txt):
// the last copy's folder, named in Cyrillic, comes back exactly whatever the
// system's code page; the file is in that code page when it can hold it.
TEST(TextFile, CyrillicFolderReadsBackOnTheRunningSystem) {
  const char* expected = std::getenv("VORKEL_EXPECT_ACP");
  if (!expected) GTEST_SKIP() << "VORKEL_EXPECT_ACP not set";
  ASSERT_EQ(SystemAnsiCodePage(), static_cast<uint32_t>(std::stoul(expected)));
  ScratchFolder folder;
  const std::string path = folder.Path("vorkel.cfg");
  const std::string copy = "D:\\\xD0\x9A\xD0\xBE\xD0\xBF\xD0\xB8\xD1\x8F 2026";  // "Копия 2026"
  TProgOptions(path, "\\SOFTWARE\\VorkelTestNoSuchKey").SetLastCopy(copy);
  const std::string written = SystemAnsiCodePage() == 1251 ? "[Paths]\r\nLastCopy=D:\\\xCA\xEE\xEF\xE8\xFF 2026\r\n"
                                                           : "\xEF\xBB\xBF[Paths]\r\nLastCopy=" + copy + "\r\n";
  EXPECT_EQ(DiskBytes(path), written);
  EXPECT_EQ(TProgOptions(path, "\\SOFTWARE\\VorkelTestNoSuchKey").GetLastCopy(), copy);
}

TEST(ProgramFolder, IsTheFolderOfThisProgramWithItsDelimiter) {
  std::string folder = platform::ProgramFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_TRUE(folder.back() == '\\' || folder.back() == '/') << folder;
  bool found = false;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    found = found || entry.path().stem() == "CfgTests";
  }
  EXPECT_TRUE(found) << folder;
}

TEST(ProgramFolder, GlobalSettingsLiveBesideTheProgram) {
  std::string path = platform::ProgramFolder() + kCfgFileName;
  ASSERT_FALSE(std::filesystem::exists(path));
  CreateProgOptions();
  EXPECT_EQ(ProgOptions().GetProgLang(), 2u);
  EXPECT_EQ(ProgOptions().GetStoreCodeWidth(), 55u);
  FreeProgOptions();
  EXPECT_FALSE(std::filesystem::exists(path));  // reads never create the file
}

}  // namespace
}  // namespace vk
