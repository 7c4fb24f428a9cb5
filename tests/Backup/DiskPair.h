#pragma once
// Both table files of a folder on the real disk, as their bytes.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace vk::testing {

inline std::string DiskBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return "<missing>";
  return std::string(std::istreambuf_iterator<char>(in), {});
}

struct DiskPair {
  std::string Goods, Moves;
  bool operator==(const DiskPair&) const = default;
};

inline DiskPair PairIn(const std::filesystem::path& folder) {
  return {DiskBytes(folder / "store.dat"), DiskBytes(folder / "moves.dat")};
}

}  // namespace vk::testing
