#include "Source/StoreDataFoldersCopy.h"

#include <algorithm>
#include <cstring>

#include "Source/StoreDataFoldersPaths.h"

namespace vk {
namespace {

constexpr size_t kCompareChunk = 64 * 1024;
// Names an old file may wait under: name.old, then name.old2 .. name.old9
// while left-overs that could not be deleted hold the names before.
constexpr int kAsideNames = 9;

std::string AsideName(const std::string& target, int n) {
  return target + kOldSuffix + (n > 1 ? std::to_string(n) : std::string());
}

// Best effort: a left-over that cannot go now is tried again next time.
void DeleteAsides(platform::FileSystem& fs, const std::string& target) {
  for (int n = 1; n <= kAsideNames; ++n) {
    const std::string aside = AsideName(target, n);
    if (fs.FileExists(aside)) fs.DeleteFile(aside);
  }
}

// The first aside name that is free, or can be freed; empty when none is.
std::string FreeAsideName(platform::FileSystem& fs, const std::string& target) {
  for (int n = 1; n <= kAsideNames; ++n) {
    const std::string aside = AsideName(target, n);
    if (!fs.FileExists(aside) || fs.DeleteFile(aside)) return aside;
  }
  return {};
}

struct Slot {
  const TCopyPiece* Piece;
  std::string Target, Fresh, Aside;
  bool MovedAside = false;  // the old file is under the aside name
  bool InPlace = false;     // the new file is under the target name
};

// Puts every touched file back under the name it had, newest step first, so
// that each state on the way is one the forward steps passed through too and
// the marker's roll-forward stays right. False when a rename failed.
bool Undo(platform::FileSystem& fs, std::vector<Slot>& slots) {
  for (auto slot = slots.rbegin(); slot != slots.rend(); ++slot) {
    if (slot->InPlace) {
      if (!fs.RenameFile(slot->Target, slot->Fresh)) return false;
      slot->InPlace = false;
    }
    if (slot->MovedAside) {
      if (!fs.RenameFile(slot->Aside, slot->Target)) return false;
      slot->MovedAside = false;
    }
  }
  return true;
}

void DiscardFresh(platform::FileSystem& fs, const std::vector<Slot>& slots) {
  for (const Slot& slot : slots) {
    if (!slot.Piece->Source.empty() && fs.FileExists(slot.Fresh)) fs.DeleteFile(slot.Fresh);
  }
}

bool WriteMarker(platform::FileSystem& fs, const std::string& path) {
  platform::OpenResult marker = fs.Open(path, platform::OpenMode::CreateAlways);
  if (!marker.Handle) return false;
  static constexpr char kText[] = "replacing\r\n";
  const size_t size = sizeof kText - 1;
  return marker.Handle->WriteAt(0, kText, size) == size && marker.Handle->Flush();
}

// A marker that cannot be read counts, as one that holds its text does.
bool MarkerSet(platform::FileSystem& fs, const std::string& path) {
  if (!fs.FileExists(path)) return false;
  platform::OpenResult marker = fs.Open(path, platform::OpenMode::ReadExisting);
  return !marker.Handle || marker.Handle->Size() != 0;
}

// Emptied and flushed first: a deletion is not on the disk when it returns,
// an emptied marker is. One retry: a marker left behind would later replace
// the pair after all. An empty one left behind is harmless.
bool RemoveMarker(platform::FileSystem& fs, const std::string& path) {
  if (!fs.FileExists(path)) return true;
  bool emptied = false;
  if (platform::OpenResult marker = fs.Open(path, platform::OpenMode::OpenExisting); marker.Handle)
    emptied = marker.Handle->Truncate(0) && marker.Handle->Flush();
  return fs.DeleteFile(path) || fs.DeleteFile(path) || emptied;
}

// The fresh copies go only when no marker could make them count any more.
void GiveUp(platform::FileSystem& fs, const std::vector<Slot>& slots, const std::string& marker) {
  if (RemoveMarker(fs, marker)) DiscardFresh(fs, slots);
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

bool DropReplacingMarker(platform::FileSystem& fs, const std::string& folder) {
  return RemoveMarker(fs, JoinPath(folder, kReplacingMarker));
}

void DeleteCopyLeftovers(platform::FileSystem& fs, const std::string& folder, const std::vector<std::string>& names) {
  for (const std::string& name : names) {
    const std::string target = JoinPath(folder, name);
    if (fs.FileExists(target + kNewSuffix)) fs.DeleteFile(target + kNewSuffix);
    DeleteAsides(fs, target);
  }
}

bool FinishInterruptedCopy(platform::FileSystem& fs, const std::string& folder, const std::vector<std::string>& names) {
  const std::string marker = JoinPath(folder, kReplacingMarker);
  if (!MarkerSet(fs, marker)) {
    if (fs.FileExists(marker)) fs.DeleteFile(marker);
    DeleteCopyLeftovers(fs, folder, names);
    return true;
  }
  for (const std::string& name : names) {
    const std::string target = JoinPath(folder, name);
    if (fs.FileExists(target + kNewSuffix) && !fs.RenameFile(target + kNewSuffix, target)) return false;
  }
  // The new set is whole in its place: old files that cannot go now are
  // mere left-overs and must not hold the marker.
  for (const std::string& name : names) DeleteAsides(fs, JoinPath(folder, name));
  return RemoveMarker(fs, marker);
}

bool CopyAsOne(platform::FileSystem& fs, const std::vector<TCopyPiece>& pieces, const std::string& folder,
               const TFreshCheck& check) {
  std::vector<std::string> names;
  for (const TCopyPiece& piece : pieces) names.push_back(piece.Name);
  // An earlier copy cut short by a stop is finished first; one that cannot be
  // finished must not be mixed up with this one.
  if (!FinishInterruptedCopy(fs, folder, names)) return false;
  const std::string marker = JoinPath(folder, kReplacingMarker);
  std::vector<Slot> slots;
  for (const TCopyPiece& piece : pieces) {
    const std::string target = JoinPath(folder, piece.Name);
    const std::string aside = FreeAsideName(fs, target);
    if (aside.empty()) return false;
    slots.push_back(Slot{&piece, target, target + kNewSuffix, aside});
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
    bool accepted = false;
    try {
      accepted = check(fresh);
    } catch (...) {
      DiscardFresh(fs, slots);
      throw;
    }
    if (!accepted) {
      DiscardFresh(fs, slots);
      return false;
    }
  }
  // From here on a stop is finished forward by whoever next uses the folder.
  if (!WriteMarker(fs, marker)) {
    GiveUp(fs, slots, marker);
    return false;
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
      // Half undone, the marker stays: the new pair is whole in its place or
      // under its fresh names, and the next use of the folder completes it.
      if (Undo(fs, slots)) GiveUp(fs, slots, marker);
      return false;
    }
  }
  // The new set is whole: an old file that cannot be deleted is left over
  // under its aside name, which the next copy steps around.
  for (const Slot& slot : slots) {
    if (slot.MovedAside) fs.DeleteFile(slot.Aside);
  }
  RemoveMarker(fs, marker);
  return true;
}

}  // namespace vk
