#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>

#include "Platform/VersionResource.h"
#include "Platform/win32/Utf16.h"
#include "Tools/Service/Version.h"

namespace vk {
namespace {

std::string TempFile(const char* name) {
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  return platform::WideToUtf8(folder) + name;
}

TEST(VersionResource, ReadsTheRunningProgramsStrings) {
  std::string self = platform::RunningProgramFile();
  ASSERT_FALSE(self.empty());
  EXPECT_EQ(GetProductVersion(self), "1 .43");
  EXPECT_EQ(GetLegalCopyright(self), "Copyright (C) Halvern");
  EXPECT_EQ(platform::ReadVersionString(self, "FileDescription"), "Warehouse calculator");
  EXPECT_EQ(GetVersionQuery(), "ver=1.43");
}

TEST(VersionResource, GivesEmptyTextWhenValueOrResourceIsMissing) {
  std::string plain = TempFile("vk-helpers-no-version.txt");
  std::ofstream(plain) << "no version here";
  struct Case {
    std::string file;
    const char* value;
  } cases[] = {
      {platform::RunningProgramFile(), "PrivateBuild"},
      {plain, "ProductVersion"},
      {TempFile("vk-helpers-missing.exe"), "ProductVersion"},
      {"", "ProductVersion"},
  };
  for (const Case& c : cases) EXPECT_EQ(platform::ReadVersionString(c.file, c.value), "") << c.file << " " << c.value;
  DeleteFileW(platform::Utf8ToWide(plain).c_str());
}

TEST(VersionResource, GivesEmptyTextWithoutATranslationTable) {
  std::string self = platform::RunningProgramFile();
  std::string module = self.substr(0, self.find_last_of('\\') + 1) + VK_NO_TRANSLATION_MODULE;
  ASSERT_NE(GetFileAttributesW(platform::Utf8ToWide(module).c_str()), INVALID_FILE_ATTRIBUTES) << module;
  DWORD ignored = 0;
  ASSERT_GT(GetFileVersionInfoSizeW(platform::Utf8ToWide(module).c_str(), &ignored), 0u);
  EXPECT_EQ(GetProductVersion(module), "");
  EXPECT_EQ(GetLegalCopyright(module), "");
}

}  // namespace
}  // namespace vk
