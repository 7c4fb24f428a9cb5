// The folder page's text turned into the install folder, and the rules a
// folder must meet before the install writes anything.

#include <gtest/gtest.h>

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

TEST(InstallFolderLength, TheLongestProgramFileMustFitThePathLimit) {
  // 241 units of folder, its delimiter and "Uninstall.exe.new" make 259
  // characters, the system's limit: they fit; one more does not.
  std::string fits = LongFolder(241);
  std::string tooLong = LongFolder(242);
  EXPECT_EQ(CheckInstallFolder(ReadInstallPath(fits, "")), TFolderVerdict::Ok);
  EXPECT_EQ(CheckInstallFolder(ReadInstallPath(tooLong, "")), TFolderVerdict::TooLong);
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
