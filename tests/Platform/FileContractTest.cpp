// The file contract, run against every file system (see Subjects.h).

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/Platform/Subjects.h"
#include "tests/Platform/TempFolder.h"

namespace vk::platform::test {
namespace {

class FileContract : public testing::TestWithParam<Subject> {
 protected:
  FileContract() : subject_(GetParam()) {}

  FileSystem& Fs() { return subject_.Fs(); }

  std::unique_ptr<File> OpenOk(const std::string& path, OpenMode mode) {
    OpenResult result = Fs().Open(path, mode);
    EXPECT_EQ(result.Status, OpenStatus::Ok) << result.Error;
    EXPECT_EQ(result.Status == OpenStatus::Ok, result.Handle != nullptr);
    return std::move(result.Handle);
  }

  // A closed file holding text.
  void Make(const std::string& path, const std::string& text) {
    auto file = OpenOk(path, OpenMode::CreateAlways);
    ASSERT_TRUE(file);
    ASSERT_TRUE(WriteText(*file, 0, text)) << file->LastError();
  }

  std::string Contents(const std::string& path) {
    auto file = OpenOk(path, OpenMode::OpenExisting);
    return file ? ReadAll(*file) : "<not opened>";
  }

  TempFolder temp_;
  SubjectFileSystem subject_;
};

TEST_P(FileContract, OpenModesGiveTheirStatuses) {
  struct Case {
    const char* name;
    bool present;  // the file holds "abc" before the open
    OpenMode mode;
    OpenStatus status;
    const char* contentAfter;  // nullptr: the file does not exist afterwards
  } cases[] = {
      {"existing-missing", false, OpenMode::OpenExisting, OpenStatus::NotFound, nullptr},
      {"existing-present", true, OpenMode::OpenExisting, OpenStatus::Ok, "abc"},
      {"new-missing", false, OpenMode::CreateNew, OpenStatus::Ok, ""},
      {"new-present", true, OpenMode::CreateNew, OpenStatus::Exists, "abc"},
      {"always-missing", false, OpenMode::CreateAlways, OpenStatus::Ok, ""},
      {"always-present", true, OpenMode::CreateAlways, OpenStatus::Ok, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string path = temp_.Path(std::string(c.name) + ".dat");
    if (c.present) Make(path, "abc");
    OpenResult result = Fs().Open(path, c.mode);
    EXPECT_EQ(result.Status, c.status) << result.Error;
    if (c.status == OpenStatus::Ok) {
      ASSERT_TRUE(result.Handle);
      EXPECT_EQ(result.Error, "");
    } else {
      EXPECT_FALSE(result.Handle);
      EXPECT_NE(result.Error.find(path), std::string::npos) << result.Error;
    }
    result.Handle.reset();
    EXPECT_EQ(Fs().FileExists(path), c.contentAfter != nullptr);
    if (c.contentAfter) {
      EXPECT_EQ(Contents(path), c.contentAfter);
    }
  }
}

TEST_P(FileContract, OpenInMissingFolderIsNotFound) {
  if (!GetParam().OnDisk) GTEST_SKIP() << "no folders in memory";
  std::string path = temp_.Path("no-such-folder/t.dat");
  for (OpenMode mode : {OpenMode::OpenExisting, OpenMode::CreateNew, OpenMode::CreateAlways}) {
    OpenResult result = Fs().Open(path, mode);
    EXPECT_EQ(result.Status, OpenStatus::NotFound) << result.Error;
  }
}

TEST_P(FileContract, FolderIsNotAFile) {
  if (!GetParam().OnDisk) GTEST_SKIP() << "no folders in memory";
  std::string path = temp_.Path("folder");
  std::filesystem::create_directory(FromUtf8(path));
  EXPECT_FALSE(Fs().FileExists(path));
  EXPECT_NE(Fs().Open(path, OpenMode::OpenExisting).Status, OpenStatus::Ok);
  EXPECT_FALSE(Fs().DeleteFile(path));
}

TEST_P(FileContract, WritesAtOffsetsOverwriteAndGrowWithZeroGap) {
  struct Case {
    const char* before;
    int64_t offset;
    std::string data;
    std::string after;
  } cases[] = {
      {"", 0, "hello", "hello"},
      {"hello", 3, "XY", "helXY"},
      {"hello", 4, "XYZ", "hellXYZ"},
      {"hello", 5, "!", "hello!"},
      {"hello", 8, "Z", std::string("hello\0\0\0Z", 9)},
      {"", 3, "ab", std::string("\0\0\0ab", 5)},
      {"hello", 2, "", "hello"},
  };
  int i = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "case " << i);
    std::string path = temp_.Path(std::to_string(i++) + "-write.dat");
    Make(path, c.before);
    {
      auto file = OpenOk(path, OpenMode::OpenExisting);
      ASSERT_TRUE(file);
      EXPECT_EQ(file->WriteAt(c.offset, c.data.data(), c.data.size()), c.data.size()) << file->LastError();
      EXPECT_EQ(file->Size(), static_cast<int64_t>(c.after.size()));
      EXPECT_EQ(ReadAll(*file), c.after);
    }
    EXPECT_EQ(Contents(path), c.after) << "after reopening";
  }
}

TEST_P(FileContract, ReadsStopShortAtTheEnd) {
  struct Case {
    int64_t offset;
    size_t n;
    std::string expected;
  } cases[] = {
      {0, 4, "0123"}, {6, 4, "6789"}, {8, 4, "89"}, {0, 20, "0123456789"}, {10, 4, ""}, {25, 4, ""}, {3, 0, ""},
  };
  std::string path = temp_.Path("r.dat");
  Make(path, "0123456789");
  auto file = OpenOk(path, OpenMode::OpenExisting);
  ASSERT_TRUE(file);
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "offset " << c.offset << " n " << c.n);
    std::string buffer(c.n, '?');
    size_t got = file->ReadAt(c.offset, buffer.data(), c.n);
    EXPECT_EQ(buffer.substr(0, got), c.expected);
    EXPECT_EQ(buffer.substr(got), std::string(c.n - got, '?')) << "bytes past the end were touched";
  }
  EXPECT_EQ(file->Size(), 10);
}

TEST_P(FileContract, TruncateCutsAndExtendsWithZeros) {
  struct Case {
    int64_t size;
    std::string after;
  } cases[] = {
      {4, "0123"},
      {0, ""},
      {10, "0123456789"},
      {13, std::string("0123456789\0\0\0", 13)},
  };
  int i = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "size " << c.size);
    std::string path = temp_.Path(std::to_string(i++) + "-truncate.dat");
    Make(path, "0123456789");
    {
      auto file = OpenOk(path, OpenMode::OpenExisting);
      ASSERT_TRUE(file);
      EXPECT_TRUE(file->Truncate(c.size)) << file->LastError();
      EXPECT_EQ(file->Size(), c.size);
      EXPECT_EQ(ReadAll(*file), c.after);
      // Writing after a cut continues from the new end, not the old one.
      EXPECT_TRUE(WriteText(*file, c.size, "#"));
      EXPECT_EQ(file->Size(), c.size + 1);
    }
    EXPECT_EQ(Contents(path), c.after + "#");
  }
}

TEST_P(FileContract, FlushKeepsContentAndSucceeds) {
  std::string path = temp_.Path("f.dat");
  {
    auto file = OpenOk(path, OpenMode::CreateNew);
    ASSERT_TRUE(file);
    EXPECT_TRUE(file->Flush()) << file->LastError();
    ASSERT_TRUE(WriteText(*file, 0, "data"));
    EXPECT_TRUE(file->Flush()) << file->LastError();
    EXPECT_EQ(ReadAll(*file), "data");
  }
  EXPECT_EQ(Contents(path), "data");
}

TEST_P(FileContract, BadOffsetsAndSizesFailWithText) {
  std::string path = temp_.Path("bad.dat");
  Make(path, "abc");
  auto file = OpenOk(path, OpenMode::OpenExisting);
  ASSERT_TRUE(file);
  char buffer[4] = {};
  EXPECT_EQ(file->ReadAt(-1, buffer, 2), 0u);
  EXPECT_NE(file->LastError().find(path), std::string::npos) << file->LastError();
  EXPECT_EQ(file->WriteAt(-2, "xy", 2), 0u);
  EXPECT_FALSE(file->Truncate(-1));
  EXPECT_FALSE(file->LastError().empty());
  EXPECT_EQ(ReadAll(*file), "abc");
}

TEST_P(FileContract, DeleteRemovesOnlyClosedExistingFiles) {
  std::string path = temp_.Path("d.dat");
  EXPECT_FALSE(Fs().DeleteFile(path)) << "missing file";
  Make(path, "keep");
  {
    auto file = OpenOk(path, OpenMode::OpenExisting);
    ASSERT_TRUE(file);
    EXPECT_FALSE(Fs().DeleteFile(path)) << "open file";
    EXPECT_TRUE(Fs().FileExists(path));
    EXPECT_EQ(ReadAll(*file), "keep");
  }
  EXPECT_TRUE(Fs().DeleteFile(path));
  EXPECT_FALSE(Fs().FileExists(path));
  EXPECT_EQ(Fs().Open(path, OpenMode::OpenExisting).Status, OpenStatus::NotFound);
}

TEST_P(FileContract, SecondOpenFailsWhileOpenAndLeavesContent) {
  struct Case {
    OpenMode mode;
    OpenStatus status;
  } cases[] = {
      {OpenMode::OpenExisting, OpenStatus::Failed},
      {OpenMode::CreateAlways, OpenStatus::Failed},
      {OpenMode::CreateNew, OpenStatus::Exists},
  };
  std::string path = temp_.Path("locked.dat");
  Make(path, "content");
  {
    auto first = OpenOk(path, OpenMode::OpenExisting);
    ASSERT_TRUE(first);
    for (const Case& c : cases) {
      SCOPED_TRACE(static_cast<int>(c.mode));
      OpenResult second = Fs().Open(path, c.mode);
      EXPECT_EQ(second.Status, c.status) << second.Error;
      EXPECT_FALSE(second.Handle);
      EXPECT_FALSE(second.Error.empty());
      EXPECT_EQ(ReadAll(*first), "content");
    }
    // The holder still works after the refused opens.
    EXPECT_TRUE(WriteText(*first, 7, "+"));
  }
  EXPECT_EQ(Contents(path), "content+") << "open again once closed";
}

TEST_P(FileContract, CreatedFileIsHeldUntilClosed) {
  std::string path = temp_.Path("held.dat");
  for (OpenMode mode : {OpenMode::CreateNew, OpenMode::CreateAlways}) {
    auto first = OpenOk(path, mode);
    ASSERT_TRUE(first);
    EXPECT_EQ(Fs().Open(path, OpenMode::OpenExisting).Status, OpenStatus::Failed);
    first.reset();
    EXPECT_TRUE(Fs().DeleteFile(path));
  }
}

TEST_P(FileContract, NonAsciiNamesAreKeptAsGiven) {
  std::string name = "склад ü€.dat";
  std::string path = temp_.Path(name);
  Make(path, "x");
  EXPECT_TRUE(Fs().FileExists(path));
  EXPECT_EQ(Contents(path), "x");
  if (GetParam().OnDisk) {
    int found = 0;
    for (const auto& entry : std::filesystem::directory_iterator(temp_.Folder())) {
      if (ToUtf8(entry.path().filename()) == name) ++found;
    }
    EXPECT_EQ(found, 1) << "the name on disk differs";
  }
  EXPECT_TRUE(Fs().DeleteFile(path));
}

// A reader only reads: it shares the file with other readers, never with a
// writer, and cannot change it.
TEST_P(FileContract, ReadExistingSharesWithReadersOnly) {
  std::string path = temp_.Path("read.dat");
  EXPECT_EQ(Fs().Open(path, OpenMode::ReadExisting).Status, OpenStatus::NotFound);
  Make(path, "abc");
  {
    auto reader = OpenOk(path, OpenMode::ReadExisting);
    ASSERT_TRUE(reader);
    EXPECT_EQ(ReadAll(*reader), "abc");
    EXPECT_EQ(reader->WriteAt(0, "x", 1), 0u);
    EXPECT_FALSE(reader->Truncate(0));
    auto second = OpenOk(path, OpenMode::ReadExisting);
    ASSERT_TRUE(second) << "two readers at once";
    for (OpenMode mode : {OpenMode::OpenExisting, OpenMode::CreateAlways}) {
      OpenResult writer = Fs().Open(path, mode);
      EXPECT_EQ(writer.Status, OpenStatus::Failed) << "a writer beside readers";
      EXPECT_FALSE(writer.Handle);
    }
    EXPECT_FALSE(Fs().DeleteFile(path)) << "a file being read stays";
  }
  {
    auto writer = OpenOk(path, OpenMode::OpenExisting);
    ASSERT_TRUE(writer);
    EXPECT_EQ(Fs().Open(path, OpenMode::ReadExisting).Status, OpenStatus::Failed) << "a reader beside a writer";
  }
  EXPECT_EQ(Contents(path), "abc");
}

INSTANTIATE_TEST_SUITE_P(All, FileContract, testing::ValuesIn(Subjects()), SubjectName);

}  // namespace
}  // namespace vk::platform::test
