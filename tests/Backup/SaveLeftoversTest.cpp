// Saving into a folder whose old files cannot be deleted once moved aside
// (read-only files on a system that keeps them, files another program
// holds): every save still succeeds, and what is left over blocks nothing.

#include <gtest/gtest.h>

#include <set>

#include "tests/Backup/BackupFixture.h"

namespace vk {
namespace {

using testing::BackupBench;
using testing::Pair;

// Marked files cannot be deleted, written or replaced; renaming one moves
// its mark along, and a copy of one is an ordinary file.
class Undeletable : public platform::FileSystem {
 public:
  explicit Undeletable(platform::FileSystem& base) : base_(base) {}
  void Mark(const std::string& path) { marked_.insert(Tidy(path)); }

  platform::OpenResult Open(const std::string& path, platform::OpenMode mode) override {
    if (Marked(path) && mode != platform::OpenMode::ReadExisting) return {};
    return base_.Open(path, mode);
  }
  bool FileExists(const std::string& path) override { return base_.FileExists(path); }
  bool DeleteFile(const std::string& path) override { return !Marked(path) && base_.DeleteFile(path); }
  bool FolderExists(const std::string& path) override { return base_.FolderExists(path); }
  bool CreateFolder(const std::string& path) override { return base_.CreateFolder(path); }
  bool RemoveFolder(const std::string& path) override { return base_.RemoveFolder(path); }
  bool CopyFile(const std::string& from, const std::string& to, bool overwrite) override {
    return !Marked(to) && base_.CopyFile(from, to, overwrite);
  }
  bool RenameFile(const std::string& from, const std::string& to) override {
    if (Marked(to) || !base_.RenameFile(from, to)) return false;
    if (marked_.erase(Tidy(from))) Mark(to);
    return true;
  }
  bool SameFolder(const std::string& a, const std::string& b) override { return base_.SameFolder(a, b); }

 private:
  static std::string Tidy(const std::string& path) { return platform::MemoryFileSystem::Tidy(path); }
  bool Marked(const std::string& path) const { return marked_.count(Tidy(path)) != 0; }

  platform::FileSystem& base_;
  std::set<std::string> marked_;
};

TEST(SaveLeftovers, OldFilesThatCannotBeDeletedNeverBlockTheNextSave) {
  BackupBench bench;
  Undeletable undeletable(bench.memory);
  testing::FixedClock clock;
  TStore store{undeletable, clock.Clock()};
  store.SetProgramFolder(BackupBench::kProgram);
  store.Open(true, "Data");
  for (int i = 0; i < 200; ++i)
    store.AddGoods("K" + std::to_string(i), "Товар " + std::to_string(i), "1.25", "2.00", "1", "");
  bench.memory.CreateFolder("/prog/Save");
  ASSERT_TRUE(store.SaveTo("/prog/Save"));
  undeletable.Mark("/prog/Save/store.dat");
  undeletable.Mark("/prog/Save/moves.dat");

  for (int save = 1; save <= 12; ++save) {
    SCOPED_TRACE("save " + std::to_string(save));
    store.AddGoods("N" + std::to_string(save), "Новый " + std::to_string(save), "3.00", "1.00", "1", "");
    EXPECT_TRUE(store.SaveTo("/prog/Save"));
    EXPECT_TRUE(store.IsOpen());
    store.Close();
    EXPECT_TRUE(bench.In("/prog/Save") == bench.In(BackupBench::kData)) << "the folder does not hold the saved pair";
    store.Open(false, "Data");
    EXPECT_FALSE(bench.memory.FileExists("/prog/Save/pair.replacing"));
    // Only the two files that could never be deleted are left over.
    int leftovers = 0;
    for (const std::string& path : bench.memory.FilePaths()) {
      if (path.rfind("/prog/Save/", 0) == 0 && path != "/prog/Save/store.dat" && path != "/prog/Save/moves.dat")
        ++leftovers;
    }
    EXPECT_EQ(leftovers, 2);
  }
  // The saved pair restores.
  store.AddGoods("X", "Лишний", "1.00", "1.00", "1", "");
  EXPECT_TRUE(store.RestoreFrom("/prog/Save"));
  EXPECT_EQ(store.Goods().RecordCount(), 212);
}

}  // namespace
}  // namespace vk
