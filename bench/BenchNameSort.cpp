// The re-sort of 100,000 goods by a name compared the locale's way, ignoring
// case (the goods' name field): by sort keys prepared once per name, beside
// the plain merge sort that converts and compares both names at every step.
//
// Data: 100,000 items (ID key, Name of 40 bytes in code page 1251, Grp,
// Price); names of Cyrillic and Latin words in mixed case.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>

#include "BenchItems.h"
#include "Source/StoreDataFields.h"
#include "Tables/UMoneyFld.h"
#include "Tables/UTable.h"

namespace {

namespace fs = std::filesystem;
using namespace vk;

// The same name field without sort keys: the sort takes the plain path.
class PlainName : public TCompareStringField {
 public:
  using TCompareStringField::TCompareStringField;
  bool HasSortKeys() const override { return false; }
};

// A name in code page 1251: one to three words of Cyrillic (Ё and the
// Ukrainian letters included) or Latin letters, the first one capitalized.
std::string RandomLocaleName(std::mt19937& rng) {
  static const std::string cyrillic = [] {
    std::string s;
    for (int c = 0xE0; c <= 0xFF; ++c) s += static_cast<char>(c);
    return s + "\xB8\xB4\xBF\xBA\xB3";  // ё ґ ї є і
  }();
  static const std::string latin = "abcdefghijklmnopqrstuvwxyz";
  std::string name;
  const int words = 1 + static_cast<int>(rng() % 3);
  for (int w = 0; w < words; ++w) {
    if (w > 0) name += rng() % 4 == 0 ? " - " : " ";
    const std::string& letters = rng() % 4 == 0 ? latin : cyrillic;
    const int n = 3 + static_cast<int>(rng() % 8);
    for (int i = 0; i < n; ++i) name += letters[rng() % letters.size()];
  }
  // Capitals: Cyrillic а..я and Latin a..z are 0x20 above theirs.
  const unsigned char first = static_cast<unsigned char>(name[0]);
  if ((first >= 0xE0) || (first >= 'a' && first <= 'z')) name[0] = static_cast<char>(first - 0x20);
  return name.substr(0, 40);
}

std::string LocaleNamesPath(int n) {
  return bench::ItemsFile<TCompareStringField>("locale-names-" + std::to_string(n) + ".dat", n, 28, RandomLocaleName);
}

template <class NameField>
void ResortByName(benchmark::State& state) {
  bench::TItems<NameField> t(LocaleNamesPath(100000));
  t.OpenIndexed();
  for (auto _ : state) {
    t.SetIndex(&t.ByID);
    t.SetIndex(&t.ByName);
  }
}

void BM_Table_ResortByLocaleName(benchmark::State& state) { ResortByName<TCompareStringField>(state); }
BENCHMARK(BM_Table_ResortByLocaleName)->Unit(benchmark::kMillisecond);

void BM_Table_ResortByLocaleNamePlain(benchmark::State& state) { ResortByName<PlainName>(state); }
BENCHMARK(BM_Table_ResortByLocaleNamePlain)->Unit(benchmark::kMillisecond);

}  // namespace
