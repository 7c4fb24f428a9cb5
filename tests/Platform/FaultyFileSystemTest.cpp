// Fault injection: which operation fails, what a torn write leaves, and that
// the counters and plans behave as the crash loops of the table tests expect.

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "tests/Platform/Subjects.h"
#include "tests/Platform/TempFolder.h"

namespace vk::platform::test {
namespace {

using Op = FaultyFileSystem::Op;

struct Base {
  const char* Name;
  bool OverMemory;
};

void PrintTo(const Base& base, std::ostream* out) { *out << base.Name; }

class FaultyFileSystemTest : public testing::TestWithParam<Base> {
 protected:
  FaultyFileSystemTest() : faulty_(GetParam().OverMemory ? static_cast<FileSystem&>(memory_) : DefaultFileSystem()) {}

  std::unique_ptr<File> Open(const std::string& name, OpenMode mode = OpenMode::CreateAlways) {
    OpenResult result = faulty_.Open(temp_.Path(name), mode);
    EXPECT_EQ(result.Status, OpenStatus::Ok) << result.Error;
    return std::move(result.Handle);
  }

  TempFolder temp_;
  MemoryFileSystem memory_;
  FaultyFileSystem faulty_;
};

// One step of a fixed script over two files to use and two to delete.
struct Step {
  Op op;
  const char* file;
};

constexpr Step kScript[] = {
    {Op::Open, "a"},     {Op::Write, "a"},  {Op::Open, "b"},     {Op::Read, "a"}, {Op::Write, "b"},
    {Op::Flush, "a"},    {Op::Delete, "c"}, {Op::Truncate, "b"}, {Op::Read, "b"}, {Op::Write, "a"},
    {Op::Truncate, "a"}, {Op::Flush, "b"},  {Op::Delete, "d"},
};

class ScriptRunner {
 public:
  ScriptRunner(FileSystem& fs, const TempFolder& temp) : fs_(fs), temp_(temp) {}

  bool Run(const Step& step) {
    std::string path = temp_.Path(step.file);
    if (step.op == Op::Delete) return fs_.DeleteFile(path);
    auto& file = files_[step.file];
    char buffer[4];
    switch (step.op) {
      case Op::Open: {
        OpenResult result = fs_.Open(path, OpenMode::OpenExisting);
        file = std::move(result.Handle);
        return result.Status == OpenStatus::Ok;
      }
      case Op::Write: return file && file->WriteAt(0, "data", 4) == 4;
      case Op::Read: return file && file->ReadAt(0, buffer, 4) == 4;
      case Op::Truncate: return file && file->Truncate(4);
      case Op::Flush: return file && file->Flush();
      default: break;  // the script has no folder or whole-file steps
    }
    return false;
  }

 private:
  FileSystem& fs_;
  const TempFolder& temp_;
  std::map<std::string, std::unique_ptr<File>> files_;
};

TEST_P(FaultyFileSystemTest, FailNthFailsExactlyThatOperation) {
  const Op ops[] = {Op::Read, Op::Write, Op::Truncate, Op::Flush, Op::Open, Op::Delete};
  for (Op op : ops) {
    for (int n : {1, 2}) {
      SCOPED_TRACE(testing::Message() << "op " << static_cast<int>(op) << " n " << n);
      TempFolder temp;
      MemoryFileSystem memory;
      FaultyFileSystem faulty(GetParam().OverMemory ? static_cast<FileSystem&>(memory) : DefaultFileSystem());
      // Every file holds 4 bytes throughout, so a lost write or cut never shortens a later read.
      for (const char* name : {"a", "b", "c", "d"}) {
        OpenResult made = faulty.Open(temp.Path(name), OpenMode::CreateAlways);
        ASSERT_TRUE(made.Handle && WriteText(*made.Handle, 0, "data"));
      }
      faulty.Reset();
      faulty.FailNth(op, n);
      ScriptRunner runner(faulty, temp);
      std::set<std::string> unopened;  // a file whose open failed: its operations fail without injection
      int seen = 0;
      for (const Step& step : kScript) {
        bool injected = step.op == op && ++seen == n;
        bool ok = runner.Run(step);
        EXPECT_EQ(ok, !injected && !unopened.count(step.file))
            << "step " << static_cast<int>(step.op) << " on " << step.file;
        if (step.op == Op::Open && !ok) unopened.insert(step.file);
      }
      EXPECT_EQ(faulty.InjectedCount(), 1);
      EXPECT_EQ(faulty.Count(op), seen);
    }
  }
}

TEST_P(FaultyFileSystemTest, CountsOperationsOverAllFiles) {
  auto a = Open("a");
  auto b = Open("b");
  char buffer[8];
  a->WriteAt(0, "12345678", 8);
  b->WriteAt(3, "xy", 2);
  a->ReadAt(0, buffer, 8);
  a->ReadAt(4, buffer, 8);
  b->Truncate(1);
  a->Flush();
  faulty_.DeleteFile(temp_.Path("missing"));
  a->Size();
  struct Case {
    Op op;
    int count;
  } cases[] = {{Op::Open, 2}, {Op::Write, 2}, {Op::Read, 2}, {Op::Truncate, 1}, {Op::Flush, 1}, {Op::Delete, 1}};
  for (const Case& c : cases) EXPECT_EQ(faulty_.Count(c.op), c.count) << static_cast<int>(c.op);
  EXPECT_EQ(faulty_.MutationCount(), 4);
  EXPECT_EQ(faulty_.InjectedCount(), 0);
}

TEST_P(FaultyFileSystemTest, NthMutationCountsWritesTruncatesAndFlushesTogether) {
  struct Case {
    int n;
    std::string contentAfter;
  } cases[] = {
      {1, std::string("\0\0\0XY", 5)},  // the first write is lost
      {2, "abcXYf"},                    // the cut is lost
      {3, "abcXY"},                     // the flush fails, the bytes are there
      {4, "abc"},                       // the last write is lost
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "mutation " << c.n);
    auto file = Open("m.dat");
    faulty_.Reset();
    faulty_.FailNthMutation(c.n);
    bool results[] = {WriteText(*file, 0, "abcdef"), file->Truncate(3), file->Flush(), WriteText(*file, 3, "XY")};
    for (int step = 0; step < 4; ++step) EXPECT_EQ(results[step], step + 1 != c.n) << "step " << step + 1;
    EXPECT_EQ(faulty_.MutationCount(), 4);
    EXPECT_EQ(faulty_.InjectedCount(), 1);
    EXPECT_NE(file->LastError().find("injected"), std::string::npos) << file->LastError();
    EXPECT_EQ(ReadAll(*file), c.contentAfter);
  }
}

TEST_P(FaultyFileSystemTest, TornWriteLeavesOnlyItsFirstBytes) {
  struct Case {
    size_t partial;
    int64_t offset;
    std::string after;
    size_t returned;
  } cases[] = {
      {0, 0, "", 0},
      {3, 0, "abc", 3},
      {6, 0, "abcde", 5},  // as many as asked: it still falls short, or no caller could see the failure
      {0, 5, "", 0},       // nothing written: the file does not grow to the offset
      {2, 5, std::string("\0\0\0\0\0ab", 7), 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "partial " << c.partial << " offset " << c.offset);
    auto file = Open("torn.dat");
    faulty_.Reset();
    faulty_.FailNthMutation(1, c.partial);
    std::string data = "abcdef";
    size_t written = file->WriteAt(c.offset, data.data(), c.partial == 6 ? 6 : data.size());
    EXPECT_EQ(written, c.returned);
    EXPECT_EQ(ReadAll(*file), c.after);
    EXPECT_TRUE(WriteText(*file, 0, "z")) << "only the planned mutation fails";
  }
}

TEST_P(FaultyFileSystemTest, StopFailsEveryChangeFromTheNthAndChangesNothing) {
  auto file = Open("stop.dat");
  ASSERT_TRUE(WriteText(*file, 0, "old"));
  auto other = Open("other.dat");
  other.reset();
  faulty_.Reset();
  faulty_.StopAtNthChange(2, 1);
  EXPECT_TRUE(WriteText(*file, 0, "first"));
  EXPECT_FALSE(WriteText(*file, 5, "second")) << "the stop: torn after one byte";
  EXPECT_FALSE(WriteText(*file, 0, "third"));
  EXPECT_FALSE(file->Flush());
  EXPECT_FALSE(file->Truncate(0));
  EXPECT_FALSE(faulty_.DeleteFile(temp_.Path("other.dat")));
  EXPECT_FALSE(faulty_.CopyFile(temp_.Path("stop.dat"), temp_.Path("copy.dat"), true));
  EXPECT_FALSE(faulty_.RenameFile(temp_.Path("other.dat"), temp_.Path("moved.dat")));
  EXPECT_FALSE(faulty_.CreateFolder(temp_.Path("folder")));
  EXPECT_EQ(faulty_.Open(temp_.Path("new.dat"), OpenMode::CreateNew).Status, OpenStatus::Failed);
  OpenResult existing = faulty_.Open(temp_.Path("other.dat"), OpenMode::OpenExisting);
  EXPECT_TRUE(existing.Handle) << "opening what exists changes nothing";
  existing.Handle.reset();
  EXPECT_EQ(ReadAll(*file), "firsts") << "reads go on";
  for (const char* name : {"copy.dat", "moved.dat", "new.dat", "folder"})
    EXPECT_FALSE(faulty_.FileExists(temp_.Path(name))) << name;
  EXPECT_FALSE(faulty_.FolderExists(temp_.Path("folder")));
  EXPECT_TRUE(faulty_.FileExists(temp_.Path("other.dat")));
  EXPECT_EQ(faulty_.ChangeCount(), 10);
  EXPECT_EQ(faulty_.InjectedCount(), 9);
}

TEST_P(FaultyFileSystemTest, ResetClearsCountersAndPlans) {
  auto file = Open("reset.dat");
  faulty_.FailNth(Op::Flush, 1);
  faulty_.FailNthMutation(2);
  faulty_.Reset();
  EXPECT_EQ(faulty_.Count(Op::Open), 0);
  EXPECT_TRUE(WriteText(*file, 0, "a"));
  EXPECT_TRUE(file->Flush());
  EXPECT_EQ(faulty_.MutationCount(), 2);
  EXPECT_EQ(faulty_.InjectedCount(), 0);
}

TEST_P(FaultyFileSystemTest, InjectedOpenFailureHoldsNothing) {
  faulty_.FailNth(Op::Open, 1);
  OpenResult failed = faulty_.Open(temp_.Path("o.dat"), OpenMode::CreateNew);
  EXPECT_EQ(failed.Status, OpenStatus::Failed);
  EXPECT_FALSE(failed.Handle);
  EXPECT_NE(failed.Error.find("o.dat"), std::string::npos);
  EXPECT_FALSE(faulty_.FileExists(temp_.Path("o.dat"))) << "the base was not asked";
  auto file = Open("o.dat", OpenMode::CreateNew);
  EXPECT_TRUE(file);
}

TEST_P(FaultyFileSystemTest, BaseErrorsPassThrough) {
  auto file = Open("e.dat");
  char buffer[2];
  EXPECT_EQ(file->ReadAt(-1, buffer, 2), 0u);
  EXPECT_EQ(file->LastError().find("injected"), std::string::npos);
  EXPECT_NE(file->LastError().find("e.dat"), std::string::npos) << file->LastError();
  EXPECT_EQ(faulty_.Open(temp_.Path("e.dat"), OpenMode::OpenExisting).Status, OpenStatus::Failed) << "base lock";
  EXPECT_EQ(faulty_.InjectedCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(All, FaultyFileSystemTest,
                         testing::Values(Base{"OverMemory", true}, Base{"OverSystem", false}),
                         [](const testing::TestParamInfo<Base>& base) { return std::string(base.param.Name); });

}  // namespace
}  // namespace vk::platform::test
