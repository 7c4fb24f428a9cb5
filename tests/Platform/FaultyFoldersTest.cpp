// Fault injection for the folder and whole-file operations: exactly the
// planned one fails, it changes nothing, except that a failed copy leaves a
// torn target as a real one may.

#include <gtest/gtest.h>

#include <string>

#include "tests/Platform/Subjects.h"
#include "tests/Platform/TempFolder.h"

namespace vk::platform::test {
namespace {

using Op = FaultyFileSystem::Op;

struct Step {
  Op op;
  const char* from;
  const char* to;  // the name a step makes; folder steps make from
};

constexpr Step kScript[] = {
    {Op::Copy, "a", "b"}, {Op::CreateFolder, "d1", "d1"}, {Op::Rename, "b", "c"}, {Op::CreateFolder, "d2", "d2"},
    {Op::Copy, "a", "e"}, {Op::RemoveFolder, "d1", ""},   {Op::Rename, "x", "y"}, {Op::RemoveFolder, "d2", ""},
};

class FaultyFolders : public testing::TestWithParam<Subject> {
 protected:
  struct Run {
    const TempFolder& temp;
    FileSystem& fs;

    void Make(const std::string& name, const std::string& text) {
      OpenResult result = fs.Open(temp.Path(name), OpenMode::CreateAlways);
      ASSERT_TRUE(result.Handle) << result.Error;
      ASSERT_TRUE(WriteText(*result.Handle, 0, text));
    }

    std::string Text(const std::string& name) {
      OpenResult result = fs.Open(temp.Path(name), OpenMode::OpenExisting);
      return result.Handle ? ReadAll(*result.Handle) : "<missing>";
    }

    bool Folder(const std::string& name) { return fs.FolderExists(temp.Path(name)); }

    bool Do(const Step& step) {
      std::string from = temp.Path(step.from), to = temp.Path(step.to);
      switch (step.op) {
        case Op::Copy: return fs.CopyFile(from, to, true);
        case Op::Rename: return fs.RenameFile(from, to);
        case Op::CreateFolder: return fs.CreateFolder(from);
        case Op::RemoveFolder: return fs.RemoveFolder(from);
        default: return false;
      }
    }
  };
};

TEST_P(FaultyFolders, FailNthFailsExactlyThatOperationAndChangesNothing) {
  for (Op op : {Op::Copy, Op::Rename, Op::CreateFolder, Op::RemoveFolder}) {
    for (int n : {1, 2}) {
      SCOPED_TRACE(testing::Message() << "op " << static_cast<int>(op) << " n " << n);
      TempFolder temp;
      SubjectFileSystem subject(GetParam());
      Run run{temp, subject.Fs()};
      run.Make("a", "abcdefgh");
      run.Make("x", "xx");
      subject.Faulty()->Reset();
      subject.Faulty()->FailNth(op, n);
      std::string unmade;  // what the failed step did not make: steps that need it fail on their own
      int seen = 0;
      for (const Step& step : kScript) {
        bool injected = step.op == op && ++seen == n;
        bool folderBefore = run.Folder(step.from);
        std::string textBefore = run.Text(step.from), targetBefore = run.Text(step.to);
        bool ok = run.Do(step);
        if (unmade != step.from) {
          EXPECT_EQ(ok, !injected) << "step " << static_cast<int>(step.op) << " " << step.from;
        }
        if (!injected) continue;
        unmade = step.to;
        switch (op) {
          case Op::Copy: EXPECT_EQ(run.Text(step.to), "abcd") << "a cut copy holds the first half"; break;
          case Op::Rename:
            EXPECT_EQ(run.Text(step.from), textBefore) << "the source stays";
            EXPECT_EQ(run.Text(step.to), targetBefore);
            break;
          case Op::CreateFolder: EXPECT_FALSE(run.Folder(step.from)); break;
          case Op::RemoveFolder: EXPECT_EQ(run.Folder(step.from), folderBefore); break;
          default: break;
        }
      }
      EXPECT_EQ(subject.Faulty()->InjectedCount(), 1);
      EXPECT_EQ(subject.Faulty()->Count(op), seen);
    }
  }
}

TEST_P(FaultyFolders, CutCopyDoesNotOverwriteWhenNotAllowed) {
  TempFolder temp;
  SubjectFileSystem subject(GetParam());
  Run run{temp, subject.Fs()};
  run.Make("a", "abcdefgh");
  run.Make("b", "old");
  subject.Faulty()->FailNth(Op::Copy, 1);
  EXPECT_FALSE(subject.Fs().CopyFile(temp.Path("a"), temp.Path("b"), false));
  EXPECT_EQ(run.Text("b"), "old");
  EXPECT_EQ(subject.Faulty()->InjectedCount(), 1);
}

// Only the fault-injecting subjects.
std::vector<Subject> FaultySubjects() {
  std::vector<Subject> faulty;
  for (const Subject& s : Subjects()) {
    if (s.Faulty) faulty.push_back(s);
  }
  return faulty;
}

INSTANTIATE_TEST_SUITE_P(All, FaultyFolders, testing::ValuesIn(FaultySubjects()), SubjectName);

}  // namespace
}  // namespace vk::platform::test
