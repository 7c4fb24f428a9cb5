// The system's files refuse a second open from another process too.

#include <gtest/gtest.h>

#include "tests/Platform/ChildProcess.h"
#include "tests/Platform/Subjects.h"
#include "tests/Platform/TempFolder.h"

namespace vk::platform::test {
namespace {

// Exit codes of FileOpenProbe.
constexpr int kOpened = 0;
constexpr int kExists = 2;
constexpr int kFailed = 3;

TEST(FileLockProcess, OtherProcessCannotOpenWhileHeld) {
  TempFolder temp;
  std::string path = temp.Path("shared.dat");
  FileSystem& fs = DefaultFileSystem();
  OpenResult held = fs.Open(path, OpenMode::CreateNew);
  ASSERT_EQ(held.Status, OpenStatus::Ok) << held.Error;
  ASSERT_TRUE(WriteText(*held.Handle, 0, "held"));

  struct Case {
    const char* mode;
    int exitCode;
  } cases[] = {{"existing", kFailed}, {"always", kFailed}, {"new", kExists}, {"read", kFailed}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    EXPECT_EQ(RunTestProgram("FileOpenProbe", {c.mode, path}), c.exitCode);
    EXPECT_EQ(ReadAll(*held.Handle), "held") << "the other process changed the file";
  }

  held.Handle.reset();
  EXPECT_EQ(RunTestProgram("FileOpenProbe", {"existing", path}), kOpened) << "open again once closed";
  EXPECT_EQ(RunTestProgram("FileOpenProbe", {"always", path}), kOpened);
  OpenResult after = fs.Open(path, OpenMode::OpenExisting);
  ASSERT_EQ(after.Status, OpenStatus::Ok) << after.Error;
  EXPECT_EQ(after.Handle->Size(), 0) << "CreateAlways from the other process empties a free file";
}

TEST(FileLockProcess, OtherProcessReadsBesideAReaderButCannotWrite) {
  TempFolder temp;
  std::string path = temp.Path("read.dat");
  FileSystem& fs = DefaultFileSystem();
  {
    OpenResult made = fs.Open(path, OpenMode::CreateNew);
    ASSERT_EQ(made.Status, OpenStatus::Ok) << made.Error;
    ASSERT_TRUE(WriteText(*made.Handle, 0, "read"));
  }
  OpenResult reader = fs.Open(path, OpenMode::ReadExisting);
  ASSERT_EQ(reader.Status, OpenStatus::Ok) << reader.Error;
  struct Case {
    const char* mode;
    int exitCode;
  } cases[] = {{"read", kOpened}, {"existing", kFailed}, {"always", kFailed}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    EXPECT_EQ(RunTestProgram("FileOpenProbe", {c.mode, path}), c.exitCode);
  }
  EXPECT_EQ(ReadAll(*reader.Handle), "read");
}

}  // namespace
}  // namespace vk::platform::test
