// The folder page's text turned into the install folder, and the rules a
// folder must meet before the install writes anything.

#include <gtest/gtest.h>

#include <algorithm>

#include "Core/Utf8.h"
#include "vkSetup/InstallPath.h"

namespace vk::setup {
namespace {

struct FolderCase {
  const char* EditText;
  const char* Folder;
  TFolderVerdict Verdict;
};

class InstallFolder : public ::testing::TestWithParam<FolderCase> {};

TEST_P(InstallFolder, IsReadAndJudged) {
  const FolderCase& c = GetParam();
  std::string folder = ReadInstallPath(c.EditText, "D:\\Downloads");
  EXPECT_EQ(folder, c.Folder);
  EXPECT_EQ(CheckInstallFolder(folder), c.Verdict);
}

// A folder text of exactly length UTF-16 units, Cyrillic names, no trailing delimiter.
std::string LongFolder(size_t length) {
  std::u16string folder = u"C:\\";
  while (folder.size() < length) folder += u"Склад\\";
  folder.resize(length);
  if (folder.back() == u'\\') folder.back() = u'x';
  return Utf16ToUtf8(folder);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, InstallFolder,
    ::testing::Values(FolderCase{"C:\\Vorkel", "C:\\Vorkel\\", TFolderVerdict::Ok},
                      FolderCase{"  d:/Program Files//Vorkel/  ", "d:\\Program Files\\Vorkel\\", TFolderVerdict::Ok},
                      FolderCase{"C:\\Склад\\Облік товарів", "C:\\Склад\\Облік товарів\\", TFolderVerdict::Ok},
                      FolderCase{"", "D:\\Downloads\\", TFolderVerdict::Ok},
                      FolderCase{"   ", "D:\\Downloads\\", TFolderVerdict::Ok},
                      FolderCase{"C:\\", "C:\\", TFolderVerdict::DriveRoot},
                      FolderCase{"C:", "C:\\", TFolderVerdict::DriveRoot},
                      FolderCase{"e:\\\\", "e:\\", TFolderVerdict::DriveRoot},
                      FolderCase{"Vorkel", "Vorkel\\", TFolderVerdict::NotAbsolute},
                      FolderCase{"..\\Vorkel", "..\\Vorkel\\", TFolderVerdict::NotAbsolute},
                      FolderCase{"C:Vorkel", "C:Vorkel\\", TFolderVerdict::NotAbsolute},
                      FolderCase{"\\Vorkel", "\\Vorkel\\", TFolderVerdict::NotAbsolute},
                      FolderCase{"\\\\server\\share\\Vorkel", "\\server\\share\\Vorkel\\", TFolderVerdict::NotAbsolute},
                      FolderCase{"1:\\Vorkel", "1:\\Vorkel\\", TFolderVerdict::NotAbsolute},
                      FolderCase{"C:\\Vor*kel", "C:\\Vor*kel\\", TFolderVerdict::BadName},
                      FolderCase{"C:\\a:b", "C:\\a:b\\", TFolderVerdict::BadName},
                      FolderCase{"C:\\Vorkel\\..", "C:\\Vorkel\\..\\", TFolderVerdict::BadName},
                      FolderCase{"C:\\Vorkel.\\x", "C:\\Vorkel.\\x\\", TFolderVerdict::BadName},
                      FolderCase{"C:\\Vorkel \\x", "C:\\Vorkel \\x\\", TFolderVerdict::BadName},
                      FolderCase{"C:\\nul", "C:\\nul\\", TFolderVerdict::BadName},
                      FolderCase{"C:\\Data\\COM1.store", "C:\\Data\\COM1.store\\", TFolderVerdict::BadName},
                      FolderCase{"C:\\Data\\COM10", "C:\\Data\\COM10\\", TFolderVerdict::Ok},
                      FolderCase{"C:\\Vor\tkel", "C:\\Vor\tkel\\", TFolderVerdict::BadName}));

// The longest path of each kind the setup and the program write below the
// install folder: the setup's temporary program file, the settings file's
// temporary (process id and counter at their longest), the data pair's copy
// temporaries in Data, in a daily copy and in the pair held aside during a
// restore, and an export's proposed name.
const char* const kWrittenBelow[] = {
    "Uninstall.exe.new",
    "vorkel.cfg.4294967295-4294967295.tmp",
    "Data\\moves.dat.old9",
    "Data\\pair.replacing",
    "Hist\\2024-05-17\\store.dat.old9",
    "Hist\\0000-00-00\\tmp\\moves.dat.old9",
    "Hist\\0000-00-00\\tmp\\pair.replacing",
    "Export\\2024-05-17.csv",
};

struct LengthCase {
  size_t FolderLength;  // UTF-16 units, without the trailing delimiter
  TFolderVerdict Verdict;
};

class InstallFolderLength : public ::testing::TestWithParam<LengthCase> {};

TEST_P(InstallFolderLength, LeavesRoomForEverythingWrittenBelow) {
  std::string folder = ReadInstallPath(LongFolder(GetParam().FolderLength), "");
  EXPECT_EQ(CheckInstallFolder(folder), GetParam().Verdict);
  size_t longest = 0;
  for (const char* path : kWrittenBelow) longest = std::max(longest, Utf8ToUtf16(folder + path).size());
  // Accepted exactly while the longest fits the system's 259 characters.
  EXPECT_EQ(longest <= 259, GetParam().Verdict == TFolderVerdict::Ok) << longest;
}

INSTANTIATE_TEST_SUITE_P(Boundary, InstallFolderLength,
                         ::testing::Values(LengthCase{120, TFolderVerdict::Ok}, LengthCase{222, TFolderVerdict::Ok},
                                           LengthCase{223, TFolderVerdict::TooLong},
                                           LengthCase{241, TFolderVerdict::TooLong},
                                           LengthCase{300, TFolderVerdict::TooLong}));

TEST(RemovableFolder, AnyLengthButNeverARootARelativeOrABadName) {
  const std::string longest = ReadInstallPath(LongFolder(222), "");
  struct Case {
    std::string Folder;
    bool Removable;
  };
  const Case cases[] = {
      {"C:\\Program Files\\Vorkel\\", true},
      {longest, true},
      {longest + "Export\\", true},
      {longest + "Hist\\", true},
      {ReadInstallPath(LongFolder(300), ""), true},
      {"C:\\", false},
      {"Vorkel\\", false},
      {"\\\\server\\share\\Vorkel\\", false},
      {"C:\\Vorkel\\..\\", false},
      {longest + "nul\\", false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsRemovableFolder(c.Folder), c.Removable) << c.Folder;
}

TEST(InstallPathHelpers, DriveParentAndBrowseStart) {
  EXPECT_EQ(InstallDrive("d:\\Vorkel\\"), "D:");
  EXPECT_EQ(InstallDrive("\\\\server\\share\\"), "");
  EXPECT_EQ(ParentFolder("C:\\Program Files\\Vorkel\\"), "C:\\Program Files\\");
  EXPECT_EQ(ParentFolder("C:\\Vorkel"), "C:\\");
  EXPECT_EQ(BrowseStartFolder("C:\\Vorkel"), "C:\\");
  EXPECT_EQ(BrowseStartFolder("C:\\Tools\\vorkel\\"), "C:\\Tools\\");
  EXPECT_EQ(BrowseStartFolder("C:\\MyVorkel"), "C:\\MyVorkel\\");
  EXPECT_EQ(BrowseStartFolder("D:\\Склад"), "D:\\Склад\\");
}

}  // namespace
}  // namespace vk::setup
