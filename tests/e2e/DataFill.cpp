#include "tests/e2e/DataFill.h"

#include <array>

#include "Tables/UMoneyFld.h"
#include "tests/Backup/ForwardingFileSystem.h"

namespace vk::e2e {
namespace {

constexpr std::array<const char*, 30> kNames = {"Гвозди строительные 100 мм",
                                                "Шурупы по дереву 4x40",
                                                "Paint, white, 2.5 L",
                                                "Клей ПВА",
                                                "Цвяхи оцинковані",
                                                "Фарба біла фасадна",
                                                "Ґрунтовка глибокого проникнення",
                                                "Wood screws 3.5x25",
                                                "Изолента синяя",
                                                "Кабель ВВГ 3x2.5",
                                                "Лампа LED 10W E27",
                                                "Щітка малярська",
                                                "Sandpaper P120",
                                                "Дюбель 6x40",
                                                "Ёлочная гирлянда",
                                                "Silicone sealant, clear",
                                                "Валик поролоновий",
                                                "Перчатки рабочие",
                                                "Drill bit HSS 8 mm",
                                                "Скотч малярный 48 мм",
                                                "Їжак для чищення труб",
                                                "Гіпсокартон 12.5 мм",
                                                "Cable ties 200 mm",
                                                "Шпаклёвка финишная",
                                                "Розетка двойная",
                                                "Hammer 500 g",
                                                "Рулетка 5 м",
                                                "Ножовка по дереву",
                                                "Клей для плитки",
                                                "Extension cord 5 m"};

std::string Money(uint32_t hundredths) { return TMoneyField::MoneyToStr(hundredths); }

// The system's files, but a flush only asks nothing of the disk: a bulk fill
// of a million movements writes every record as the program does, without
// waiting for the disk after each. The files are whole once closed.
class UnflushedFile : public testing::ForwardingFile {
 public:
  using ForwardingFile::ForwardingFile;
  bool Flush() override { return true; }
};

class UnflushedFileSystem : public testing::ForwardingFileSystem {
 public:
  using ForwardingFileSystem::ForwardingFileSystem;
  platform::OpenResult Open(const std::string& path, platform::OpenMode mode) override {
    platform::OpenResult result = ForwardingFileSystem::Open(path, mode);
    if (result.Handle) result.Handle = std::make_unique<UnflushedFile>(std::move(result.Handle));
    return result;
  }
};

}  // namespace

void FillShop(TStore& store) {
  for (size_t i = 0; i < kNames.size(); ++i) {
    const uint32_t price = 150 + static_cast<uint32_t>(i * 7919 % 250000);
    store.AddGoods(std::to_string(1001 + i), kNames[i], Money(price), Money(1000 + 250 * (i % 7)),
                   std::to_string(2 + i % 5), "первая поставка");
    const int more = 3 + static_cast<int>(i % 4);
    for (int m = 0; m < more; ++m) {
      if (m % 3 == 2) {
        store.AddOutgoing(Money(100 + 25 * m), "1", "sold " + std::to_string(m));
      } else {
        store.AddIncoming(Money(500 + 50 * m), "1", "поставка " + std::to_string(m));
      }
    }
  }
}

void FillLarge(TStore& store, int32_t goods, int32_t movesPerGoods) {
  for (int32_t g = 0; g < goods; ++g) {
    store.AddGoods(std::to_string(100000 + g),
                   std::string(kNames[static_cast<size_t>(g) % kNames.size()]) + " " + std::to_string(g),
                   Money(100 + static_cast<uint32_t>(g % 99991)), "1.00", "1", "");
    for (int32_t m = 1; m < movesPerGoods; ++m) store.AddIncoming("1.00", "1", "");
  }
}

void FillFolder(const std::string& programFolder, bool large, TDateTime now) {
  if (large) {
    FillLargeFolder(programFolder, 100000, 10, now);
    return;
  }
  const double step = 1.0 / (24 * 60);
  double at = now - step * 30 * 6;
  UnflushedFileSystem files(platform::DefaultFileSystem());
  TStore store(files, [&at, step] { return at += step; });
  store.SetProgramFolder(programFolder);
  store.Open(/*createIfMissing=*/true, "Data");
  FillShop(store);
  store.Close();
}

void FillLargeFolder(const std::string& programFolder, int32_t goods, int32_t movesPerGoods, TDateTime now) {
  // Each movement a few minutes after the one before, ending at now.
  const double step = 1.0 / (24 * 60);
  double at = now - step * goods * movesPerGoods;
  UnflushedFileSystem files(platform::DefaultFileSystem());
  TStore store(files, [&at, step] { return at += step; });
  store.SetProgramFolder(programFolder);
  store.Open(/*createIfMissing=*/true, "Data");
  FillLarge(store, goods, movesPerGoods);
  store.Close();
}

}  // namespace vk::e2e
