// The folder and whole-file contract, run against every file system (see
// Subjects.h). The in-memory ones run with strict folders, as a disk has.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/Platform/Subjects.h"
#include "tests/Platform/TempFolder.h"

namespace vk::platform::test {
namespace {

const std::string kSep(1, static_cast<char>(std::filesystem::path::preferred_separator));

class FolderContract : public testing::TestWithParam<Subject> {
 protected:
  FolderContract() : subject_(GetParam(), MemoryFileSystem::Folders::Strict) {
    // In memory the temporary folder exists only once made, step by step.
    if (!GetParam().OnDisk) {
      std::filesystem::path made;
      for (const auto& step : temp_.Folder()) {
        made /= step;
        if (!step.has_root_directory()) Fs().CreateFolder(ToUtf8(made));
      }
    }
  }

  FileSystem& Fs() { return subject_.Fs(); }
  std::string Path(const std::string& name) const { return temp_.Path(name); }

  void Make(const std::string& path, const std::string& text) {
    OpenResult result = Fs().Open(path, OpenMode::CreateAlways);
    ASSERT_EQ(result.Status, OpenStatus::Ok) << result.Error;
    ASSERT_TRUE(WriteText(*result.Handle, 0, text));
  }

  // The file's text, or "<missing>".
  std::string Text(const std::string& path) {
    OpenResult result = Fs().Open(path, OpenMode::OpenExisting);
    if (result.Status == OpenStatus::NotFound) return "<missing>";
    return result.Handle ? ReadAll(*result.Handle) : "<not opened: " + result.Error + ">";
  }

  std::unique_ptr<File> Hold(const std::string& path) {
    OpenResult result = Fs().Open(path, OpenMode::OpenExisting);
    EXPECT_EQ(result.Status, OpenStatus::Ok) << result.Error;
    return std::move(result.Handle);
  }

  TempFolder temp_;
  SubjectFileSystem subject_;
};

TEST_P(FolderContract, TempFolderIsAFolder) { ASSERT_TRUE(Fs().FolderExists(ToUtf8(temp_.Folder()))); }

TEST_P(FolderContract, CreateFolderNeedsParentAndFreeName) {
  Make(Path("taken"), "file");
  ASSERT_TRUE(Fs().CreateFolder(Path("here")));
  struct Case {
    const char* name;
    bool ok;
    bool folderAfter;
  } cases[] = {
      {"new", true, true},
      {"here", true, true},  // already there
      {"missing-parent/child", false, false},
      {"taken", false, false},
      {"here/inner", true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string path = Path(c.name);
    EXPECT_EQ(Fs().CreateFolder(path), c.ok);
    EXPECT_EQ(Fs().FolderExists(path), c.folderAfter);
  }
  EXPECT_EQ(Text(Path("taken")), "file");
  EXPECT_FALSE(Fs().FolderExists(Path("taken")));
  EXPECT_FALSE(Fs().FolderExists(Path("missing-parent")));
}

TEST_P(FolderContract, RemoveFolderRemovesOnlyEmptyFolders) {
  ASSERT_TRUE(Fs().CreateFolder(Path("empty")));
  ASSERT_TRUE(Fs().CreateFolder(Path("withFile")));
  Make(Path("withFile" + kSep + "f.dat"), "keep");
  ASSERT_TRUE(Fs().CreateFolder(Path("withFolder")));
  ASSERT_TRUE(Fs().CreateFolder(Path("withFolder" + kSep + "inner")));
  Make(Path("plain.dat"), "file");
  struct Case {
    const char* name;
    bool ok;
    bool folderAfter;
  } cases[] = {
      {"empty", true, false},    {"withFile", false, true},   {"withFolder", false, true},
      {"missing", false, false}, {"plain.dat", false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Fs().RemoveFolder(Path(c.name)), c.ok);
    EXPECT_EQ(Fs().FolderExists(Path(c.name)), c.folderAfter);
  }
  EXPECT_EQ(Text(Path("withFile" + kSep + "f.dat")), "keep");
  EXPECT_EQ(Text(Path("plain.dat")), "file");
  EXPECT_TRUE(Fs().RemoveFolder(Path("withFolder" + kSep + "inner")));
  EXPECT_TRUE(Fs().RemoveFolder(Path("withFolder")));
}

TEST_P(FolderContract, CopyFileCopiesWholeFilesAndHonoursOverwrite) {
  struct Case {
    const char* name;
    const char* source;  // nullptr: no source file
    const char* before;  // nullptr: no target file
    bool overwrite;
    bool ok;
    const char* after;
  } cases[] = {
      {"new", "data", nullptr, false, true, "data"},
      {"new-overwrite", "data", nullptr, true, true, "data"},
      {"kept", "data", "old", false, false, "old"},
      {"replaced-longer", "data", "a much longer old content", true, true, "data"},
      {"empty-source", "", "old", true, true, ""},
      {"no-source", nullptr, nullptr, true, false, "<missing>"},
      {"no-source-kept", nullptr, "old", true, false, "old"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string from = Path(std::string(c.name) + ".src"), to = Path(std::string(c.name) + ".dst");
    if (c.source) Make(from, c.source);
    if (c.before) Make(to, c.before);
    EXPECT_EQ(Fs().CopyFile(from, to, c.overwrite), c.ok);
    EXPECT_EQ(Text(to), c.after);
    if (c.source) {
      EXPECT_EQ(Text(from), c.source) << "the source is kept";
    }
  }
}

TEST_P(FolderContract, CopyFileFailsIntoMissingFolderOrOntoAFolder) {
  Make(Path("a.dat"), "data");
  ASSERT_TRUE(Fs().CreateFolder(Path("folder")));
  EXPECT_FALSE(Fs().CopyFile(Path("a.dat"), Path("missing" + kSep + "a.dat"), true));
  EXPECT_FALSE(Fs().FolderExists(Path("missing")));
  EXPECT_FALSE(Fs().CopyFile(Path("a.dat"), Path("folder"), true));
  EXPECT_TRUE(Fs().FolderExists(Path("folder")));
  EXPECT_FALSE(Fs().CopyFile(Path("folder"), Path("b.dat"), true));
  EXPECT_TRUE(Fs().CopyFile(Path("a.dat"), Path("folder" + kSep + "a.dat"), false));
  EXPECT_EQ(Text(Path("folder" + kSep + "a.dat")), "data");
}

TEST_P(FolderContract, CopyFileFailsWhileEitherFileIsOpenAndOntoItself) {
  Make(Path("src.dat"), "source");
  Make(Path("dst.dat"), "target");
  {
    auto held = Hold(Path("src.dat"));
    EXPECT_FALSE(Fs().CopyFile(Path("src.dat"), Path("dst.dat"), true)) << "source open";
  }
  EXPECT_EQ(Text(Path("dst.dat")), "target");
  {
    auto held = Hold(Path("dst.dat"));
    EXPECT_FALSE(Fs().CopyFile(Path("src.dat"), Path("dst.dat"), true)) << "target open";
    EXPECT_EQ(ReadAll(*held), "target");
  }
  EXPECT_FALSE(Fs().CopyFile(Path("src.dat"), Path("src.dat"), true)) << "onto itself";
  EXPECT_EQ(Text(Path("src.dat")), "source");
}

TEST_P(FolderContract, RenameFileReplacesInOneStepOrChangesNothing) {
  struct Case {
    const char* name;
    const char* from;  // nullptr: missing
    const char* to;    // nullptr: missing
    bool ok;
    const char* fromAfter;
    const char* toAfter;
  } cases[] = {
      {"to-new-name", "new", nullptr, true, "<missing>", "new"},
      {"over-existing", "new", "old content", true, "<missing>", "new"},
      {"missing-source", nullptr, "old", false, "<missing>", "old"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string from = Path(std::string(c.name) + ".new"), to = Path(std::string(c.name) + ".dat");
    if (c.from) Make(from, c.from);
    if (c.to) Make(to, c.to);
    EXPECT_EQ(Fs().RenameFile(from, to), c.ok);
    EXPECT_EQ(Text(from), c.fromAfter);
    EXPECT_EQ(Text(to), c.toAfter);
  }
}

TEST_P(FolderContract, RenameFileFailsWhileEitherFileIsOpen) {
  for (bool holdSource : {true, false}) {
    SCOPED_TRACE(holdSource ? "source open" : "target open");
    std::string from = Path("r.new"), to = Path("r.dat");
    Make(from, "new");
    Make(to, "old");
    {
      auto held = Hold(holdSource ? from : to);
      EXPECT_FALSE(Fs().RenameFile(from, to));
    }
    EXPECT_EQ(Text(from), "new");
    EXPECT_EQ(Text(to), "old");
  }
}

TEST_P(FolderContract, RenameFileFailsIntoMissingFolder) {
  Make(Path("m.new"), "new");
  EXPECT_FALSE(Fs().RenameFile(Path("m.new"), Path("missing" + kSep + "m.dat")));
  EXPECT_EQ(Text(Path("m.new")), "new");
}

// The files a copy moves aside may carry the read-only mark of the files
// they were (copied from a CD, say); they must still go.
TEST_P(FolderContract, DeleteFileRemovesAReadOnlyFileButNotAnOpenOne) {
  if (!GetParam().OnDisk) GTEST_SKIP() << "files in memory carry no read-only mark";
  const std::filesystem::perms write =
      std::filesystem::perms::owner_write | std::filesystem::perms::group_write | std::filesystem::perms::others_write;
  Make(Path("marked.old"), "old");
  std::filesystem::permissions(FromUtf8(Path("marked.old")), write, std::filesystem::perm_options::remove);
  {
    OpenResult reader = Fs().Open(Path("marked.old"), OpenMode::ReadExisting);
    ASSERT_TRUE(reader.Handle) << reader.Error;
    EXPECT_FALSE(Fs().DeleteFile(Path("marked.old"))) << "deleted while open";
  }
  EXPECT_TRUE(Fs().FileExists(Path("marked.old")));
  EXPECT_TRUE(Fs().DeleteFile(Path("marked.old")));
  EXPECT_FALSE(Fs().FileExists(Path("marked.old")));
}

TEST_P(FolderContract, SameFolderFollowsTheFolderNotTheSpelling) {
  ASSERT_TRUE(Fs().CreateFolder(Path("one")));
  ASSERT_TRUE(Fs().CreateFolder(Path("one" + kSep + "inner")));
  ASSERT_TRUE(Fs().CreateFolder(Path("two")));
  Make(Path("file.dat"), "x");
  const std::string one = Path("one");
  struct Case {
    const char* name;
    std::string a, b;
    bool same;
  } cases[] = {
      {"itself", one, one, true},
      {"trailing delimiter", one, one + kSep, true},
      {"doubled delimiter", Path("one" + kSep + kSep + "inner"), Path("one" + kSep + "inner"), true},
      {"dot step", one, Path("." + kSep + "one"), true},
      {"up step", one, Path("two" + kSep + ".." + kSep + "one"), true},
      {"other folder", one, Path("two"), false},
      {"parent and child", one, Path("one" + kSep + "inner"), false},
      {"missing", Path("gone"), Path("gone"), false},
      {"a file", Path("file.dat"), Path("file.dat"), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Fs().SameFolder(c.a, c.b), c.same);
    EXPECT_EQ(Fs().SameFolder(c.b, c.a), c.same);
  }
}

INSTANTIATE_TEST_SUITE_P(All, FolderContract, testing::ValuesIn(Subjects()), SubjectName);

}  // namespace
}  // namespace vk::platform::test
