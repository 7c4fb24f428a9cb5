// Saving into a folder whose old files cannot be deleted once moved aside
// (read-only files on a system that keeps them, files another program
// holds): every save still succeeds, and what is left over blocks nothing.

#include <gtest/gtest.h>

#include <set>

#include "tests/Backup/BackupFixture.h"
#include "tests/Backup/ForwardingFileSystem.h"

namespace vk {
namespace {

using testing::BackupBench;
using testing::Pair;

// Marked files cannot be deleted, written or replaced; renaming one moves
// its mark along, and a copy of one is an ordinary file.
class Undeletable : public testing::ForwardingFileSystem {
 public:
  using ForwardingFileSystem::ForwardingFileSystem;
  void Mark(const std::string& path) { marked_.insert(platform::MemoryFileSystem::Tidy(path)); }

  platform::OpenResult Open(const std::string& path, platform::OpenMode mode) override {
    if (Marked(path) && mode != platform::OpenMode::ReadExisting) return {};
    return ForwardingFileSystem::Open(path, mode);
  }
  bool DeleteFile(const std::string& path) override { return !Marked(path) && ForwardingFileSystem::DeleteFile(path); }
  bool CopyFile(const std::string& from, const std::string& to, bool overwrite) override {
    return !Marked(to) && ForwardingFileSystem::CopyFile(from, to, overwrite);
  }
  bool RenameFile(const std::string& from, const std::string& to) override {
    if (Marked(to) || !ForwardingFileSystem::RenameFile(from, to)) return false;
    if (marked_.erase(platform::MemoryFileSystem::Tidy(from))) Mark(to);
    return true;
  }

 private:
  bool Marked(const std::string& path) const { return marked_.count(platform::MemoryFileSystem::Tidy(path)) != 0; }
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
    store.AddGoods(std::to_string(i) + "K", "Товар " + std::to_string(i), "1.25", "2.00", "1", "");
  bench.memory.CreateFolder("/prog/Save");
  ASSERT_TRUE(store.SaveTo("/prog/Save"));
  undeletable.Mark("/prog/Save/store.dat");
  undeletable.Mark("/prog/Save/moves.dat");

  for (int save = 1; save <= 12; ++save) {
    SCOPED_TRACE("save " + std::to_string(save));
    store.AddGoods(std::to_string(save) + "N", "Новый " + std::to_string(save), "3.00", "1.00", "1", "");
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
