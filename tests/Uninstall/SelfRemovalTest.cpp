// The command that removes the uninstaller and its folder once it has ended:
// where it runs, what it may remove, and that no folder name is ever read as
// part of the command. (It is run for real by the end-to-end tests.)

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "vkSetup/SelfRemoval.h"

namespace vk::setup {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

const std::string kUninstaller = "C:\\Program Files\\Vorkel\\Uninstall.exe";

TEST(SelfRemoval, WorksOutsideTheFolderItRemoves) {
  struct Case {
    std::vector<std::string> candidates;
    std::string workFolder;
  };
  const std::string temp = "C:\\Users\\Olena\\AppData\\Local\\Temp\\";
  for (const Case& c : {
           Case{{temp, "C:\\Windows"}, temp},
           // A temporary folder inside the program's (any letter case) is passed over.
           Case{{"c:\\program files\\VORKEL\\tmp\\", "C:\\Windows"}, "C:\\Windows\\"},
           Case{{"C:\\Program Files\\Vorkel", "C:\\Windows\\"}, "C:\\Windows\\"},
           // A folder that only begins like the program's is outside it.
           Case{{"C:\\Program Files\\Vorkel Data\\"}, "C:\\Program Files\\Vorkel Data\\"},
           Case{{"", "C:\\Program Files\\Vorkel\\"}, "C:\\"},
           Case{{}, "C:\\"},
       }) {
    TSelfRemovalCommand command =
        SelfRemovalCommand(kUninstaller, "C:\\Windows\\system32\\cmd.exe", "C:\\Windows\\system32", c.candidates);
    EXPECT_EQ(command.WorkFolder, c.workFolder);
    EXPECT_FALSE(PathInsideFolder(command.WorkFolder, "C:\\Program Files\\Vorkel"));
  }
}

// Only the uninstaller's file is deleted and only an empty folder removed:
// no recursive removal, no wildcard, nothing but the two paths it is given.
TEST(SelfRemoval, RemovesOnlyItsFileAndThenTheEmptyFolder) {
  for (std::string folder : {"C:\\Program Files\\Vorkel", "D:\\Склад 100% & ^Co", "C:\\a"}) {
    SCOPED_TRACE(folder);
    TSelfRemovalCommand command = SelfRemovalCommand(folder + "\\Uninstall.exe", "", "C:\\Windows\\System32", {});
    EXPECT_EQ(command.Program, "C:\\Windows\\System32\\cmd.exe");
    ASSERT_EQ(command.Environment.size(), 2u);
    EXPECT_EQ(command.Environment[0].second, folder + "\\Uninstall.exe");
    EXPECT_EQ(command.Environment[1].second, folder);
    const std::string file = "\"%" + command.Environment[0].first + "%\"";
    const std::string dir = "\"%" + command.Environment[1].first + "%\"";
    const std::string& line = command.Parameters;
    // The paths come only from the variables.
    EXPECT_THAT(line, Not(HasSubstr(folder)));
    EXPECT_THAT(line, Not(HasSubstr("/s")));
    EXPECT_THAT(line, Not(HasSubstr("*")));
    EXPECT_THAT(line, HasSubstr("del /f /q " + file + " "));
    EXPECT_THAT(line, HasSubstr("(if not exist " + file + " rd " + dir + " >nul 2>&1)"));
    // Every "rd" and "del" in the line is one of those two.
    for (const std::string& verb : {std::string(" rd "), std::string("del ")}) {
      size_t count = 0;
      for (size_t at = line.find(verb); at != std::string::npos; at = line.find(verb, at + 1)) ++count;
      EXPECT_EQ(count, 1u) << verb;
    }
    // It tries again, pausing while the file is still there.
    EXPECT_THAT(line, HasSubstr("for /l %i in (1,1,60) do ("));
    EXPECT_THAT(line, HasSubstr("(if exist " + file + " ping -n 2 127.0.0.1 >nul)"));
  }
}

}  // namespace
}  // namespace vk::setup
