// Saving and restoring the tables as the window's commands do, over a shop
// on the real disk, with a stand-in for the window that records the busy
// mode, the folder dialog's preselection and the boxes.

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <vector>

#include "Source/MainFormDataCommands.h"
#include "tests/Platform/TempFolder.h"
#include "tests/Store/StoreFixture.h"
#include "vkNames/MessageBoxRules.h"

namespace vk {
namespace {

using platform::test::TempFolder;
using platform::test::ToUtf8;

struct Box {
  std::string Text, Caption;
  int Flags;
};

class FakeView : public TDataCommandView {
 public:
  void InOutBegin() override { events.push_back("begin"); }
  void InOutEnd(bool changed) override { events.push_back(changed ? "end changed" : "end"); }
  bool ChooseFolder(std::string& folder, int mode, const std::string& title, const std::string&) override {
    preselected = folder;
    dialogMode = mode;
    dialogTitle = title;
    if (!answer) return false;
    folder = *answer;
    return true;
  }
  void ShowBox(const std::string& text, const std::string& caption, int flags) override {
    boxes.push_back({text, caption, flags});
  }
  std::string WrapPath(const std::string& path) override { return "[" + path + "]"; }
  bool FolderExists(const std::string& folder) override {
    return std::filesystem::is_directory(platform::test::FromUtf8(folder));
  }
  std::string LastCopy() override { return lastCopy; }
  void SetLastCopy(const std::string& folder) override { lastCopy = folder; }

  std::optional<std::string> answer;  // the folder the user picks; none cancels
  std::string lastCopy, preselected, dialogTitle;
  int dialogMode = -1;
  std::vector<std::string> events;
  std::vector<Box> boxes;
};

class DataCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    LoadEnglishTexts();
    clock.now = testing::At(2026, 3, 5, 9);
    store.SetProgramFolder(ToUtf8(root) + static_cast<char>(std::filesystem::path::preferred_separator));
    store.Open(true, "Data");
    for (int i = 1; i <= 240; ++i) {
      store.AddGoods(std::to_string(1000 + i), "Товар №" + std::to_string(i), "1.25", "3.00", "1", "приход");
    }
    store.FindByCode("1120");  // not on the first record
  }
  void TearDown() override { store.Close(); }
  std::string Folder(const char* name) {
    std::filesystem::create_directories(root / platform::test::FromUtf8(name));
    return temp.Path(name);
  }

  TempFolder temp;
  std::filesystem::path root = temp.Folder();
  testing::FixedClock clock;
  TStore store{platform::DefaultFileSystem(), clock.Clock()};
  FakeView view;
};

TEST_F(DataCommands, SaveThenRestoreBringsTheSavedShopBack) {
  const std::string copy = Folder("Копия");
  view.answer = copy;
  SaveDataAs(store, view);
  EXPECT_EQ(view.events, (std::vector<std::string>{"begin", "end"}));
  EXPECT_EQ(view.dialogTitle, "Backup data");
  ASSERT_EQ(view.boxes.size(), 1u);
  EXPECT_EQ(view.boxes[0].Text, "Data backup is successful to the folder\r\n[" + copy + "]");
  EXPECT_EQ(view.boxes[0].Flags, kMbIconInformation);
  EXPECT_EQ(view.lastCopy, copy);
  EXPECT_EQ(store.Goods().Code.GetAsString(), "1120");

  for (int i = 1; i <= 30; ++i)
    store.AddGoods(std::to_string(5000 + i), "Лишний " + std::to_string(i), "1.00", "1.00", "1", "");
  ASSERT_EQ(store.Goods().RecordCount(), 270);

  view.events.clear();
  view.boxes.clear();
  RestoreData(store, view);
  EXPECT_EQ(view.preselected, copy);
  EXPECT_EQ(view.dialogTitle, "Restoration from a backup");
  EXPECT_EQ(view.events, (std::vector<std::string>{"begin", "end changed"}));
  ASSERT_EQ(view.boxes.size(), 1u);
  EXPECT_EQ(view.boxes[0].Text, "Data is successfuly restored from the folder\r\n[" + copy + "]");
  EXPECT_EQ(store.Goods().RecordCount(), 240);
  EXPECT_FALSE(store.FindByCode("5001"));
  EXPECT_TRUE(store.FindByCode("1240"));
}

TEST_F(DataCommands, FailedRestoreStillRebuildsTheWindowAndKeepsTheLastCopy) {
  view.lastCopy = "previous";
  const std::string half = Folder("half");
  // A whole goods file but no moves.dat; the store holds its files
  // exclusively while open, so the copy is taken with the tables closed.
  store.Close();
  std::filesystem::copy_file(root / "Data" / "store.dat", root / "half" / "store.dat");
  store.Open(false, "Data");
  view.answer = half;
  RestoreData(store, view);
  EXPECT_EQ(view.events, (std::vector<std::string>{"begin", "end changed"}));
  ASSERT_EQ(view.boxes.size(), 1u);
  EXPECT_EQ(view.boxes[0].Text, "An error occured while restoring files from the folder\r\n[" + half + "]");
  EXPECT_EQ(view.boxes[0].Flags, kMbIconWarning);
  EXPECT_EQ(view.lastCopy, "previous");
  EXPECT_EQ(store.Goods().RecordCount(), 240);
}

TEST_F(DataCommands, SaveToAFolderThatCannotTakeTheFilesSaysSoAndLeavesBusyMode) {
  const std::string blocked = Folder("blocked");
  std::filesystem::create_directory(root / "blocked" / "store.dat");  // a folder where the file would go
  view.answer = blocked;
  SaveDataAs(store, view);
  EXPECT_EQ(view.events, (std::vector<std::string>{"begin", "end"}));
  ASSERT_EQ(view.boxes.size(), 1u);
  EXPECT_EQ(view.boxes[0].Text, "An error occured while copying files to the folder\r\n[" + blocked + "]");
  EXPECT_EQ(view.boxes[0].Flags, kMbIconWarning);
  EXPECT_EQ(view.lastCopy, "");
  EXPECT_EQ(store.Goods().Code.GetAsString(), "1120");
}

TEST_F(DataCommands, CancelledOrVanishedFolderShowsNothingAndChangesNothing) {
  for (const bool restore : {false, true}) {
    for (const std::optional<std::string>& answer :
         {std::optional<std::string>{}, std::optional{ToUtf8(root / "gone")}}) {
      view.events.clear();
      view.answer = answer;
      restore ? RestoreData(store, view) : SaveDataAs(store, view);
      EXPECT_EQ(view.events, (std::vector<std::string>{"begin", "end"})) << restore;
    }
  }
  EXPECT_TRUE(view.boxes.empty());
  EXPECT_EQ(store.Goods().RecordCount(), 240);
}

TEST_F(DataCommands, RestoreStartsInTheHistoryFolderOnlyWhenNoCopyWasMadeAndItExists) {
  RestoreData(store, view);
  EXPECT_EQ(view.preselected, "");
  std::filesystem::create_directory(root / "Hist");
  RestoreData(store, view);
  EXPECT_EQ(view.preselected, store.ProgramFolder() + "Hist");
  view.lastCopy = "elsewhere";
  RestoreData(store, view);
  EXPECT_EQ(view.preselected, "elsewhere");
}

}  // namespace
}  // namespace vk
