// The data folders on the real disk (posix natively, Windows under Wine):
// the daily copy, a save and a swap with the safety copy, with the store's
// files held open in between as the program holds them.

#include <gtest/gtest.h>

#include <filesystem>

#include "Source/StoreData.h"
#include "tests/Backup/DiskPair.h"
#include "tests/Platform/TempFolder.h"
#include "tests/Store/StoreFixture.h"

namespace vk {
namespace {

using platform::test::FromUtf8;
using platform::test::TempFolder;
using platform::test::ToUtf8;

using testing::DiskPair;
using testing::PairIn;

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

}  // namespace
}  // namespace vk
