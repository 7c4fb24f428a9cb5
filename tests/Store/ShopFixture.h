#pragma once
// A shop's data folder after months of work, for the fault and stop tests:
// 150 products with Cyrillic names, about 900 movements, a few products and
// movements deleted. Product kBusy has some 45 movements scattered among
// the others'. Made once per test program and kept as the two files' bytes; each
// case starts from a fresh in-memory disk holding them.

#include <random>
#include <string>
#include <vector>

#include "StoreFixture.h"
#include "Tables/JournalFormat.h"

namespace vk::testing {

inline constexpr int32_t kBusy = 57;
inline constexpr const char* kProgram = "/prog/";
inline constexpr const char* kDataGoods = "/prog/Data/store.dat";
inline constexpr const char* kDataMoves = "/prog/Data/moves.dat";
inline constexpr const char* kDataJournal = "/prog/Data/vorkel.jnl";

struct ShopFiles {
  std::vector<uint8_t> Goods, Moves;
  bool operator==(const ShopFiles&) const = default;
};

// Sizes and the first differing byte are what tell two states apart.
inline void PrintTo(const ShopFiles& files, std::ostream* out) {
  *out << "store.dat " << files.Goods.size() << " bytes (crc " << Crc32(files.Goods.data(), files.Goods.size())
       << "), moves.dat " << files.Moves.size() << " bytes (crc " << Crc32(files.Moves.data(), files.Moves.size())
       << ")";
}

inline ShopFiles DataOf(const platform::MemoryFileSystem& disk) {
  return {disk.Contents(kDataGoods).value_or(std::vector<uint8_t>{}),
          disk.Contents(kDataMoves).value_or(std::vector<uint8_t>{})};
}

inline void PutData(platform::MemoryFileSystem& disk, const ShopFiles& files) {
  disk.CreateFolder("/prog");
  disk.CreateFolder("/prog/Data");
  disk.SetContents(kDataGoods, files.Goods);
  disk.SetContents(kDataMoves, files.Moves);
}

// Every folder and file of one disk on another, as it is now.
inline void CopyDisk(const platform::MemoryFileSystem& from, platform::MemoryFileSystem& to) {
  for (const std::string& folder : from.FolderPaths()) to.CreateFolder(folder);
  for (const std::string& path : from.FilePaths()) to.SetContents(path, *from.Contents(path));
}

inline void GoToProduct(TStore& store, int32_t id) {
  TTableStore& g = store.Goods();
  for (int32_t row = 0; row < g.RecordCount(); ++row) {
    if (Cell<int32_t>(g, row, 0) == id) {
      g.SetRecNo(row);
      return;
    }
  }
  ADD_FAILURE() << "no product " << id;
}

// The current product's movements as rows of the movements table (IndSD).
inline std::vector<int32_t> MoveRowsOfCurrent(TStore& store) {
  TTableMoves& m = store.Moves();
  if (m.GetIndex() != &m.IndSD) m.SetIndex(&m.IndSD);
  std::vector<int32_t> rows;
  for (int32_t row = 0; row < m.RecordCount(); ++row) {
    if (Cell<int32_t>(m, row, 1) == store.Goods().ID.Value()) rows.push_back(row);
  }
  return rows;
}

inline ShopFiles MakeShop() {
  LoadRussianTexts();
  platform::MemoryFileSystem disk(platform::MemoryFileSystem::Folders::Strict);
  disk.CreateFolder("/prog");
  FixedClock clock;
  clock.now = At(2026, 3, 2, 9);
  TStore store(disk, clock.Clock());
  store.SetProgramFolder(kProgram);
  store.Open(true, "Data");
  static const char* kinds[] = {"Молоко", "Кефир", "Сыр", "Хлеб ржаной", "Гвозди", "Краска белая", "Чай"};
  std::mt19937 rng(2026);
  auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
  for (int i = 1; i <= 150; ++i) {
    clock.now += 0.01;
    const std::string price = TMoneyField::MoneyToStr(static_cast<uint32_t>(100 + pick(90000)));
    store.AddGoods(std::to_string(1000 + i), std::string(kinds[i % 7]) + " №" + std::to_string(i), price, "40.00",
                   std::to_string(10 + pick(20)), "первая поставка");
  }
  for (int k = 0; k < 760; ++k) {
    clock.now += 0.05;
    GoToProduct(store, k % 19 == 0 ? kBusy : 1 + pick(150));
    const std::string weight = TMoneyField::MoneyToStr(static_cast<uint32_t>(1 + pick(900)));
    const std::string count = std::to_string(pick(3));
    if (pick(3) == 0 && store.CanAddOutgoing(weight, count)) {
      store.AddOutgoing(weight, count, "продажа");
    } else if (store.CanAddIncoming(weight, count)) {
      store.AddIncoming(weight, count, "приход");
    }
  }
  for (int32_t id : {3, 77, 140}) {
    GoToProduct(store, id);
    store.DeleteGoods();
  }
  store.Close();
  return DataOf(disk);
}

inline const ShopFiles& Shop() {
  static const ShopFiles shop = MakeShop();
  return shop;
}

// A store over a disk that holds the shop, open as the program opens it,
// its goods sorted by name.
inline void OpenShop(TStore& store) {
  store.SetProgramFolder(kProgram);
  store.Open(false, "Data");
  store.Goods().SetIndex(&store.Goods().IndName);
}

// The same, on the busy product and its first movement.
inline void OpenOnBusyProduct(TStore& store) {
  OpenShop(store);
  GoToProduct(store, kBusy);
  store.Moves().SetRecNo(MoveRowsOfCurrent(store).front());
}

}  // namespace vk::testing
