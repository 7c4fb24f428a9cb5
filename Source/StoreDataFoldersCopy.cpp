#include "Source/StoreDataFoldersCopy.h"

#include <algorithm>
#include <cstring>

#include "Source/StoreDataFoldersPaths.h"

namespace vk {
namespace {

constexpr size_t kCompareChunk = 64 * 1024;

struct Slot {
  const TCopyPiece* Piece;
  std::string Target, Fresh, Aside;
  bool MovedAside = false;  // the old file is under the aside name
  bool InPlace = false;     // the new file is under the target name
};

// Puts every touched file back as it was, newest step first.
void Undo(platform::FileSystem& fs, std::vector<Slot>& slots) {
  for (auto slot = slots.rbegin(); slot != slots.rend(); ++slot) {
    if (slot->InPlace && !slot->MovedAside) fs.DeleteFile(slot->Target);
    if (slot->MovedAside) fs.RenameFile(slot->Aside, slot->Target);
  }
}

void DiscardFresh(platform::FileSystem& fs, const std::vector<Slot>& slots) {
  for (const Slot& slot : slots) {
    if (!slot.Piece->Source.empty() && fs.FileExists(slot.Fresh)) fs.DeleteFile(slot.Fresh);
  }
}

}  // namespace

bool SameBytes(platform::FileSystem& fs, const std::string& a, const std::string& b) {
  platform::OpenResult first = fs.Open(a, platform::OpenMode::ReadExisting);
  if (!first.Handle) return false;
  platform::OpenResult second = fs.Open(b, platform::OpenMode::ReadExisting);
  if (!second.Handle) return false;
  const int64_t size = first.Handle->Size();
  if (size < 0 || size != second.Handle->Size()) return false;
  std::vector<char> x(kCompareChunk), y(kCompareChunk);
  for (int64_t offset = 0; offset < size;) {
    const size_t n = static_cast<size_t>(std::min<int64_t>(kCompareChunk, size - offset));
    if (first.Handle->ReadAt(offset, x.data(), n) != n || second.Handle->ReadAt(offset, y.data(), n) != n) return false;
    if (std::memcmp(x.data(), y.data(), n) != 0) return false;
    offset += static_cast<int64_t>(n);
  }
  return true;
}

bool CopyAsOne(platform::FileSystem& fs, const std::vector<TCopyPiece>& pieces, const std::string& folder,
               const TFreshCheck& check) {
  std::vector<Slot> slots;
  for (const TCopyPiece& piece : pieces) {
    const std::string target = JoinPath(folder, piece.Name);
    slots.push_back(Slot{&piece, target, target + kNewSuffix, target + kOldSuffix});
  }
  for (const Slot& slot : slots) {
    const std::string& source = slot.Piece->Source;
    if (source.empty()) continue;
    if (!fs.CopyFile(source, slot.Fresh, /*overwrite=*/true) || !SameBytes(fs, source, slot.Fresh)) {
      DiscardFresh(fs, slots);
      return false;
    }
  }
  if (check) {
    std::vector<std::string> fresh;
    for (const Slot& slot : slots) fresh.push_back(slot.Piece->Source.empty() ? std::string() : slot.Fresh);
    if (!check(fresh)) {
      DiscardFresh(fs, slots);
      return false;
    }
  }
  for (Slot& slot : slots) {
    bool done = true;
    if (fs.FileExists(slot.Target)) {
      done = slot.MovedAside = fs.RenameFile(slot.Target, slot.Aside);
    }
    if (done && !slot.Piece->Source.empty()) {
      done = slot.InPlace = fs.RenameFile(slot.Fresh, slot.Target);
    }
    if (!done) {
      Undo(fs, slots);
      DiscardFresh(fs, slots);
      return false;
    }
  }
  for (const Slot& slot : slots) {
    if (slot.MovedAside) fs.DeleteFile(slot.Aside);
  }
  return true;
}

}  // namespace vk
