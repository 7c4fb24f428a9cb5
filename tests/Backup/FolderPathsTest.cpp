// The data folders' path texts, in Windows and posix spellings alike.

#include <gtest/gtest.h>

#include "Source/StoreDataFoldersPaths.h"

namespace vk {
namespace {

TEST(FolderPaths, JoinKeepsTheFolderDelimiter) {
  struct Case {
    const char* folder;
    const char* relative;
    const char* joined;
  } cases[] = {
      {"C:\\Vorkel\\", "Data", "C:\\Vorkel\\Data"},
      {"C:\\Vorkel", "Hist\\2024-03-05", "C:\\Vorkel\\Hist\\2024-03-05"},
      {"C:\\Vorkel\\Hist", "0000-00-00/tmp", "C:\\Vorkel\\Hist\\0000-00-00\\tmp"},
      {"/opt/vorkel/", "0000-00-00\\tmp", "/opt/vorkel/0000-00-00/tmp"},
      {"/opt/vorkel", "Data/", "/opt/vorkel/Data"},
      {"/opt/vorkel//", "\\\\Data\\\\store.dat", "/opt/vorkel//Data/store.dat"},
      {"/", "Data", "/Data"},
      {"C:\\", "Data", "C:\\Data"},
      {"", "Data", "Data"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(JoinPath(c.folder, c.relative), c.joined) << c.folder << " + " << c.relative;
  }
}

TEST(FolderPaths, TrailingDelimitersGoButRootsStay) {
  struct Case {
    const char* path;
    const char* trimmed;
  } cases[] = {
      {"C:\\Save\\", "C:\\Save"},
      {"C:\\Save", "C:\\Save"},
      {"/save//", "/save"},
      {"C:\\", "C:\\"},
      {"/", "/"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(ExcludeTrailingDelimiter(c.path), c.trimmed) << c.path;
}

TEST(FolderPaths, RelativeNamesCompareWithoutCaseOrDelimiterKind) {
  struct Case {
    const char* a;
    const char* b;
    bool same;
  } cases[] = {
      {"0000-00-00\\tmp", "0000-00-00\\TMP", true},
      {"0000-00-00\\tmp", "0000-00-00/tmp", true},
      {"0000-00-00", "0000-00-00", true},
      {"0000-00-00", "0000-00-00\\tmp", false},
      {"0000-00-00\\tmp", "0000-00-00\\tmq", false},
      {"IndName", "INDNAME", true},
  };
  for (const Case& c : cases) EXPECT_EQ(SameRelativeName(c.a, c.b), c.same) << c.a << " / " << c.b;
}

}  // namespace
}  // namespace vk
