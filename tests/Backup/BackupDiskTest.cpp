// The data folders on the real disk (posix natively, Windows under Wine):
// the daily copy, a save and a swap with the safety copy, with the store's
// files held open in between as the program holds them.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "Source/StoreData.h"
#include "tests/Platform/TempFolder.h"
#include "tests/Store/StoreFixture.h"

namespace vk {
namespace {

using platform::test::FromUtf8;
using platform::test::TempFolder;
using platform::test::ToUtf8;

std::string Bytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return "<missing>";
  return std::string(std::istreambuf_iterator<char>(in), {});
}

struct DiskPair {
  std::string Goods, Moves;
  bool operator==(const DiskPair&) const = default;
};

DiskPair PairIn(const std::filesystem::path& folder) {
  return {Bytes(folder / "store.dat"), Bytes(folder / "moves.dat")};
}

TEST(BackupOnDisk, DailyCopySaveAndSwapWithTheSafetyCopy) {
  LoadEnglishTexts();
  TempFolder temp;
  const std::filesystem::path root = temp.Folder();
  testing::FixedClock clock;
  clock.now = testing::At(2024, 3, 5, 9, 0);
  TStore store(platform::DefaultFileSystem(), clock.Clock());
  store.SetProgramFolder(ToUtf8(root) + static_cast<char>(std::filesystem::path::preferred_separator));

  store.Open(true, "Data");
  store.AddGoods("A", "Apples", "2.50", "4.00", "3", "");
  store.Close();
  const DiskPair first = PairIn(root / "Data");
  ASSERT_TRUE(store.Backup(store.DailyCopyName(), false));
  EXPECT_EQ(PairIn(root / "Hist" / "2024-03-05"), first);

  store.Open(false, "Data");
  std::filesystem::create_directory(root / "Save");
  ASSERT_TRUE(store.SaveTo(temp.Path("Save")));
  EXPECT_EQ(PairIn(root / "Save"), first);
  store.AddGoods("B", "Pears", "1.00", "2.00", "1", "");
  store.Close();
  const DiskPair second = PairIn(root / "Data");
  store.Open(false, "Data");

  // The folder spelled otherwise is still Data, and is refused.
  EXPECT_FALSE(store.RestoreFrom(ToUtf8(root / "Hist" / ".." / "Data")));
  ASSERT_TRUE(store.RestoreFrom(temp.Path("Save")));
  EXPECT_EQ(store.Goods().RecordCount(), 1);
  EXPECT_EQ(PairIn(root / "Hist" / "0000-00-00"), second);
  ASSERT_TRUE(store.RestoreFrom(store.SafetyFolder()));
  EXPECT_EQ(store.Goods().RecordCount(), 2);
  store.Close();
  EXPECT_EQ(PairIn(root / "Data"), second);
  EXPECT_EQ(PairIn(root / "Hist" / "0000-00-00"), first);
  EXPECT_FALSE(std::filesystem::exists(root / "Hist" / "0000-00-00" / "tmp"));
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    const std::string name = ToUtf8(entry.path().filename());
    EXPECT_EQ(name.find(".new"), std::string::npos) << name;
    EXPECT_EQ(name.find(".old"), std::string::npos) << name;
  }
}

// A folder holding a pair marked read-only (copied from a CD, say) takes
// save after save, and keeps nothing of the old files.
TEST(BackupOnDisk, SavesIntoAFolderOfReadOnlyFiles) {
  LoadEnglishTexts();
  TempFolder temp;
  const std::filesystem::path root = temp.Folder();
  testing::FixedClock clock;
  TStore store(platform::DefaultFileSystem(), clock.Clock());
  store.SetProgramFolder(ToUtf8(root) + static_cast<char>(std::filesystem::path::preferred_separator));
  store.Open(true, "Data");
  store.AddGoods("A", "Яблоки", "2.50", "4.00", "3", "");
  std::filesystem::create_directory(root / "Save");
  ASSERT_TRUE(store.SaveTo(temp.Path("Save")));
  const auto write =
      std::filesystem::perms::owner_write | std::filesystem::perms::group_write | std::filesystem::perms::others_write;
  for (const char* name : {"store.dat", "moves.dat"}) {
    std::filesystem::permissions(root / "Save" / name, write, std::filesystem::perm_options::remove);
  }
  for (int save = 1; save <= 3; ++save) {
    SCOPED_TRACE("save " + std::to_string(save));
    store.AddGoods("B" + std::to_string(save), "Груши", "1.00", "2.00", "1", "");
    EXPECT_TRUE(store.SaveTo(temp.Path("Save")));
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(root / "Save"))
      names.push_back(ToUtf8(entry.path().filename()));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"moves.dat", "store.dat"}));
  }
  store.Close();
  EXPECT_EQ(PairIn(root / "Save"), PairIn(root / "Data"));
}

}  // namespace
}  // namespace vk
