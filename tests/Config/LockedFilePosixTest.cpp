// Another process holds vorkel.cfg exclusively (an flock, as the posix file
// layer takes it) for a while: the settings wait up to about 3 seconds.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include "CfgTestSupport.h"
#include "Core/SysUtils.h"
#include "Platform/TextFile.h"
#include "Tools/CfgFile/BaseOptions.h"
#include "Tools/CfgFile/CfgParams.h"

namespace vk {
namespace {

using testing::ScratchFolder;

// Starts a process that holds the file for holdMs and returns its id once
// the file is held.
pid_t HoldExclusively(const std::string& path, int holdMs) {
  int ready[2];
  if (pipe(ready) != 0) return -1;
  pid_t child = fork();
  if (child == 0) {
    int fd = open(path.c_str(), O_RDWR);
    if (fd < 0 || flock(fd, LOCK_EX) != 0) _exit(1);
    char byte = 1;
    if (write(ready[1], &byte, 1) != 1) _exit(1);
    usleep(static_cast<useconds_t>(holdMs) * 1000);
    _exit(0);
  }
  close(ready[1]);
  char byte = 0;
  bool held = read(ready[0], &byte, 1) == 1;
  close(ready[0]);
  return held ? child : -1;
}

int WaitFor(pid_t child) {
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(LockedFile, HeldForTwoSecondsOpensAfterRetries) {
  ScratchFolder folder;
  std::string path = folder.Path("vorkel.cfg");
  platform::DefaultTextFiles().ReplaceWhole(path, "[S]\r\nV=00000003\r\n");
  int sleeps = 0;
  TOptionsEnvironment env;
  env.Sleep = [&](int ms) { ++sleeps, usleep(static_cast<useconds_t>(ms) * 1000); };
  pid_t holder = HoldExclusively(path, 2000);
  ASSERT_GT(holder, 0);
  TCfgOptions store(path, env);
  EXPECT_EQ(TCardinalParam(&store, "S", "V").GetValue(), 3u);
  EXPECT_GE(sleeps, 10);
  EXPECT_LT(sleeps, 20);
  EXPECT_EQ(WaitFor(holder), 0);
}

TEST(LockedFile, HeldForFourSecondsFailsWithTheFileName) {
  ScratchFolder folder;
  std::string path = folder.Path("vorkel.cfg");
  platform::DefaultTextFiles().ReplaceWhole(path, "[S]\r\nV=00000003\r\n");
  pid_t holder = HoldExclusively(path, 4000);
  ASSERT_GT(holder, 0);
  try {
    TCfgOptions store(path);
    ADD_FAILURE() << "opened a held file";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Error while open " + path);
  }
  // A rewrite while the file is held fails too, and leaves the file alone.
  EXPECT_THROW(platform::DefaultTextFiles().ReplaceWhole(path, "x"), EOSError);
  EXPECT_EQ(WaitFor(holder), 0);
  EXPECT_EQ(platform::DefaultTextFiles().ReadWhole(path).Bytes, "[S]\r\nV=00000003\r\n");
  for (const std::string& name : folder.Names()) EXPECT_EQ(name.find(".tmp"), std::string::npos) << name;
}

}  // namespace
}  // namespace vk
