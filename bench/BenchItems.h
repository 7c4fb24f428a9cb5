#pragma once
// The item table the table benchmarks share (ID key, Name of 40 bytes, Grp,
// Price), with the name field's class chosen by the benchmark, and its file
// of n items written once per name.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "Tables/UBaseFld.h"
#include "Tables/UMoneyFld.h"
#include "Tables/UTable.h"

namespace vk::bench {

template <class NameField>
class TItems : public TTable {
 public:
  TIntegerField ID;
  NameField Name{40};
  TIntegerField Grp;
  TMoneyField Price;
  TFields Set;
  TIndex ByID{&Set, "ByID", &ID};
  TIndex ByName{&Set, "ByName", &Name};

  explicit TItems(const std::string& path) : Set(Make()) {
    SetFileName(path);
    SetFields(&Set);
  }
  ~TItems() override { Close(); }
  void OpenIndexed() {
    Open(true);
    AddIndex(&ByID);
    AddIndex(&ByName);
  }
  void Add(const std::string& name, int32_t grp, uint32_t price) {
    Append();
    Name.SetAsString(name);
    Grp.SetValue(grp);
    Price.SetValue(price);
    Post();
  }

 private:
  std::vector<TField*> Make() {
    ID.SetIsKey(true);
    return {&ID, &Name, &Grp, &Price};
  }
};

// The table file fileName in the benchmarks' folder with n items whose names
// come from nameOf, written once (appends without a flush each would take
// too long to set up, so the bytes are written whole).
template <class NameField, class NameOf>
std::string ItemsFile(const std::string& fileName, int n, uint32_t seed, NameOf nameOf) {
  namespace fs = std::filesystem;
  std::string path = (BenchDir() / fileName).string();
  if (fs::exists(path)) return path;
  std::string tmp = path + ".tmp";
  fs::remove(tmp);
  {
    TItems<NameField> t(tmp);
    t.OpenIndexed();
    t.Close();
  }
  // Header and descriptors from the empty table, then the records appended.
  std::FILE* f = std::fopen(tmp.c_str(), "r+b");
  std::fseek(f, 0, SEEK_END);
  std::mt19937 rng(seed);
  for (int i = 1; i <= n; ++i) {
    uint8_t rec[8 + 52] = {};
    std::memcpy(rec + 8, &i, 4);
    const std::string name = nameOf(rng);
    std::memcpy(rec + 12, name.data(), std::min<size_t>(name.size(), 40));
    const int32_t grp = i % 10;
    const uint32_t price = rng() % 1000000;
    std::memcpy(rec + 52, &grp, 4);
    std::memcpy(rec + 56, &price, 4);
    std::fwrite(rec, sizeof rec, 1, f);
  }
  int32_t count = n, next = n + 1;
  std::fseek(f, 20, SEEK_SET);
  std::fwrite(&count, 4, 1, f);
  std::fseek(f, 32 + 32, SEEK_SET);  // the ID descriptor's key counter
  std::fwrite(&next, 4, 1, f);
  std::fclose(f);
  fs::rename(tmp, path);
  return path;
}

}  // namespace vk::bench
