#include <fcntl.h>
#include <gtest/gtest.h>

#include "Platform/posix/UniqueFd.h"

namespace vk::platform::test {
namespace {

bool IsOpen(int fd) { return fcntl(fd, F_GETFD) != -1; }

TEST(UniqueFd, ResetKeepsErrnoAndCloseReportsAFailure) {
  int raw = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
  ASSERT_GE(raw, 0);
  {
    UniqueFd owner(raw);
    errno = EACCES;
  }
  EXPECT_EQ(errno, EACCES);
  EXPECT_FALSE(IsOpen(raw)) << "the owner did not close its descriptor";

  UniqueFd closedBehindItsBack(::open("/dev/null", O_RDONLY | O_CLOEXEC));
  ASSERT_TRUE(closedBehindItsBack.Valid());
  ::close(closedBehindItsBack.Get());
  errno = 0;
  EXPECT_FALSE(closedBehindItsBack.Close());
  EXPECT_EQ(errno, EBADF);
  EXPECT_FALSE(closedBehindItsBack.Valid());
  EXPECT_TRUE(closedBehindItsBack.Close()) << "nothing held counts as closed";
}

}  // namespace
}  // namespace vk::platform::test
