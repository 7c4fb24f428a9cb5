#pragma once
// A shop of 300 goods with Cyrillic names in a Data folder on the real disk,
// the store opened on it as the program opens it, and the window stand-in
// over the store. Goods 0137 has three movements (1, 5 and 9 March); goods
// 0042 has a name of one long word.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "FakeMainForm.h"
#include "tests/Platform/TempFolder.h"
#include "tests/Store/StoreFixture.h"

namespace vk::testing {

inline constexpr const char* kLongName = "Самоклеящийсяуплотнительдляоконидверей";

inline std::string ShopCode(int i) {
  std::string digits = std::to_string(i);
  return std::string(4 - digits.size(), '0') + digits;
}

struct ShopFiles {
  std::vector<uint8_t> Goods, Moves;
};

inline ShopFiles BuildShop() {
  static const char* const kKinds[] = {"Молоко", "Сыр",  "Хлеб", "Гвозди", "Мука", "Сахар",
                                       "Чай",    "Кофе", "Мыло", "Соль",   "Рис",  "Масло"};
  platform::MemoryFileSystem fs;
  FixedClock clock;
  clock.now = At(2026, 3, 1, 9, 0);
  TStore store(fs, clock.Clock());
  OpenStore(store);
  for (int i = 1; i <= 300; ++i) {
    const std::string name = i == 42 ? kLongName : std::string(kKinds[i % 12]) + " " + std::to_string(i);
    const std::string price = i == 137 ? "2.50" : std::to_string(1 + i % 40) + ".25";
    store.AddGoods(ShopCode(i), name, price, "10.00", "2", "поставка");
  }
  store.FindByCode("0137");
  clock.now = At(2026, 3, 5, 12, 0);
  store.AddOutgoing("3.00", "0", "продажа");
  clock.now = At(2026, 3, 9, 15, 0);
  store.AddIncoming("5.00", "1", "вторая поставка");
  CloseStore(store);
  return {*fs.Contents("store.dat"), *fs.Contents("moves.dat")};
}

inline const ShopFiles& Shop() {
  static const ShopFiles files = BuildShop();
  return files;
}

inline std::vector<uint8_t> ReadBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

inline void WriteBytes(const std::filesystem::path& file, const std::vector<uint8_t>& bytes) {
  std::ofstream out(file, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// The stock's four totals as numbers.
struct StockTotals {
  int64_t Goods = 0, Packs = 0;
  uint32_t Weight = 0, Sum = 0;
  bool operator==(const StockTotals&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const StockTotals& t) {
  return os << "{goods " << t.Goods << ", packs " << t.Packs << ", weight " << t.Weight << ", sum " << t.Sum << "}";
}

inline StockTotals TotalsOf(TStore& store) {
  std::string count, weight, sum, goods;
  store.GetTotals(count, weight, sum, goods);
  return {std::stoll(goods), std::stoll(count), TMoneyField::StrToMoney(weight), TMoneyField::StrToMoney(sum)};
}

class MainFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    LoadEnglishTexts();
    ResetShop(platform::DefaultFileSystem());
  }
  void TearDown() override { CloseShop(); }

  void CloseShop() {
    form.reset();
    if (store) store->Close();
    store.reset();
  }
  // The shop as built, opened through the given file system, on 10 March.
  void ResetShop(platform::FileSystem& fs) {
    CloseShop();
    std::filesystem::create_directories(temp.Folder() / "Data");
    WriteBytes(temp.Folder() / "Data" / "store.dat", Shop().Goods);
    WriteBytes(temp.Folder() / "Data" / "moves.dat", Shop().Moves);
    clock.now = At(2026, 3, 10, 10, 30);
    store = std::make_unique<TStore>(fs, clock.Clock());
    store->SetProgramFolder(platform::test::ToUtf8(temp.Folder()) + "/");
    store->Open(false, "Data");
    form = std::make_unique<FakeMainForm>(*store);
  }

  // What the files hold now, read past the program's lock into a store of
  // its own.
  std::unique_ptr<TStore> DiskStore() {
    auto disk = std::make_unique<TStore>(diskFs, clock.Clock());
    diskFs.SetContents("store.dat", ReadBytes(temp.Folder() / "Data" / "store.dat"));
    diskFs.SetContents("moves.dat", ReadBytes(temp.Folder() / "Data" / "moves.dat"));
    OpenStore(*disk, false);
    return disk;
  }

  // The panel shows the goods the table stands on, as its files hold it.
  void ExpectPanelShowsDisk(const std::string& where) {
    auto disk = DiskStore();
    TTableStore& g = store->Goods();
    TTableStore& d = disk->Goods();
    ASSERT_EQ(d.RecordCount(), g.RecordCount()) << where;
    d.SetIndex(&d.IndID);
    d.FindKey(std::to_string(g.ID.Value()));  // a one-field index is found by text
    ASSERT_EQ(d.ID.Value(), g.ID.Value()) << where;
    const std::vector<std::string> shown{form->Panel(TMainControl::EditCode), form->Panel(TMainControl::EditName),
                                         form->Panel(TMainControl::EditCost), form->Panel(TMainControl::EditWeight),
                                         form->Panel(TMainControl::EditPCount)};
    const std::vector<std::string> stored{d.Code.GetAsString(), d.Name.GetAsString(), d.Cost.GetAsString(),
                                          d.Weight.GetAsString(), d.PCount.GetAsString()};
    EXPECT_EQ(shown, stored) << where;
    ExpectConsistent(*disk, where + " (disk)");
    CloseStore(*disk);
  }

  TEditMode Mode() const { return form->modes.Mode(); }
  TTableStore& Goods() { return store->Goods(); }
  TTableMoves& Moves() { return store->Moves(); }

  platform::test::TempFolder temp;
  platform::MemoryFileSystem diskFs;
  FixedClock clock;
  std::unique_ptr<TStore> store;
  std::unique_ptr<FakeMainForm> form;
};

}  // namespace vk::testing
