#include "Tables/JournalFormat.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "Tables/DatFormat.h"

namespace vk {
namespace {

constexpr std::array<uint32_t, 256> MakeCrcTable() {
  std::array<uint32_t, 256> table{};
  for (uint32_t i = 0; i < 256; ++i) {
    uint32_t c = i;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    table[i] = c;
  }
  return table;
}
constexpr std::array<uint32_t, 256> kCrcTable = MakeCrcTable();

class Writer {
 public:
  void Bytes(const void* p, size_t n) {
    if (n == 0) return;
    const size_t at = out_.size();
    out_.resize(at + n);
    std::memcpy(out_.data() + at, p, n);
  }
  void Int32(int32_t v) { Bytes(&v, 4); }
  void Int64(int64_t v) { Bytes(&v, 8); }
  std::vector<uint8_t>& Out() { return out_; }

 private:
  std::vector<uint8_t> out_;
};

// Reads forward through the journal; every read is checked against its end.
class Reader {
 public:
  Reader(const std::vector<uint8_t>& bytes, size_t at) : bytes_(bytes), at_(at) {}
  bool Bytes(void* p, size_t n) {
    if (n > bytes_.size() - at_) return false;
    std::memcpy(p, bytes_.data() + at_, n);
    at_ += n;
    return true;
  }
  bool Int32(int32_t& v) { return Bytes(&v, 4); }
  bool Int64(int64_t& v) { return Bytes(&v, 8); }
  bool AtEnd() const { return at_ == bytes_.size(); }

 private:
  const std::vector<uint8_t>& bytes_;
  size_t at_;
};

bool IsTableLength(int64_t v) { return v >= 0 && v <= kMaxFileSize; }

void PackRegions(Writer& w, const std::vector<TJournalRegion>& regions) {
  for (const TJournalRegion& r : regions) {
    w.Int64(r.Offset);
    w.Int32(static_cast<int32_t>(r.Bytes.size()));
    w.Bytes(r.Bytes.data(), r.Bytes.size());
  }
}

// Regions ascending, disjoint, non-empty and inside [0, limit).
bool UnpackRegions(Reader& r, int32_t count, int64_t limit, std::vector<TJournalRegion>& regions) {
  int64_t end = 0;
  for (int32_t i = 0; i < count; ++i) {
    TJournalRegion region;
    int32_t length = 0;
    if (!r.Int64(region.Offset) || !r.Int32(length)) return false;
    if (length < 1 || region.Offset < end || region.Offset > limit - length) return false;
    region.Bytes.resize(static_cast<size_t>(length));
    if (!r.Bytes(region.Bytes.data(), region.Bytes.size())) return false;
    end = region.Offset + length;
    regions.push_back(std::move(region));
  }
  return true;
}

bool UnpackEntry(Reader& r, int32_t version, TJournalEntry& e) {
  int32_t nameLength = 0, before = 0, after = 0;
  if (!r.Int32(nameLength) || nameLength < 1 || static_cast<size_t>(nameLength) > kMaxJournalNameLength) return false;
  e.Name.resize(static_cast<size_t>(nameLength));
  if (!r.Bytes(e.Name.data(), e.Name.size())) return false;
  if (e.Name.find_first_of("\\/") != std::string::npos || e.Name == "." || e.Name == "..") return false;
  if (!r.Int64(e.OldLength) || !r.Int64(e.NewLength)) return false;
  if (version > kJournalFirstVersion && (!r.Int64(e.KeptLength) || !r.Bytes(&e.FirstSectorCrc, 4))) return false;
  if (!r.Int32(before) || !r.Int32(after)) return false;
  if (!IsTableLength(e.OldLength) || !IsTableLength(e.NewLength) || before < 0 || after < 0) return false;
  if (e.KeptLength < 0 || e.KeptLength > e.OldLength) return false;
  return UnpackRegions(r, before, e.OldLength, e.Before) && UnpackRegions(r, after, e.NewLength, e.After);
}

}  // namespace

uint32_t Crc32(const uint8_t* data, size_t n, uint32_t crc) {
  crc = ~crc;
  for (size_t i = 0; i < n; ++i) crc = kCrcTable[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

std::vector<uint8_t> PackJournal(const std::vector<TJournalEntry>& entries) {
  Writer w;
  w.Bytes(kJournalMagic, 4);
  w.Int32(kJournalVersion);
  w.Int64(0);  // length, set below
  w.Int32(static_cast<int32_t>(entries.size()));
  w.Int32(0);  // checksum, set below
  w.Int64(0);
  for (const TJournalEntry& e : entries) {
    w.Int32(static_cast<int32_t>(e.Name.size()));
    w.Bytes(e.Name.data(), e.Name.size());
    w.Int64(e.OldLength);
    w.Int64(e.NewLength);
    w.Int64(e.KeptLength);
    w.Bytes(&e.FirstSectorCrc, 4);
    w.Int32(static_cast<int32_t>(e.Before.size()));
    w.Int32(static_cast<int32_t>(e.After.size()));
    PackRegions(w, e.Before);
    PackRegions(w, e.After);
  }
  std::vector<uint8_t>& out = w.Out();
  const int64_t length = static_cast<int64_t>(out.size());
  std::memcpy(out.data() + 8, &length, 8);
  const uint32_t crc = Crc32(out.data(), out.size());
  std::memcpy(out.data() + kJournalChecksumOffset, &crc, 4);
  return std::move(out);
}

std::optional<std::vector<TJournalEntry>> UnpackJournal(const std::vector<uint8_t>& bytes) {
  if (bytes.size() < static_cast<size_t>(kJournalHeaderSize)) return std::nullopt;
  if (std::memcmp(bytes.data(), kJournalMagic, 4) != 0) return std::nullopt;
  int32_t version, count;
  int64_t length;
  uint32_t crc;
  std::memcpy(&version, bytes.data() + 4, 4);
  std::memcpy(&length, bytes.data() + 8, 8);
  std::memcpy(&count, bytes.data() + 16, 4);
  std::memcpy(&crc, bytes.data() + kJournalChecksumOffset, 4);
  if (version < kJournalFirstVersion || version > kJournalVersion || length != static_cast<int64_t>(bytes.size()))
    return std::nullopt;
  if (count < 1 || count > kMaxJournalFiles) return std::nullopt;
  const uint32_t zero = 0;
  uint32_t actual = Crc32(bytes.data(), kJournalChecksumOffset);
  actual = Crc32(reinterpret_cast<const uint8_t*>(&zero), 4, actual);
  actual = Crc32(bytes.data() + kJournalChecksumOffset + 4, bytes.size() - kJournalChecksumOffset - 4, actual);
  if (actual != crc) return std::nullopt;
  Reader r(bytes, kJournalHeaderSize);
  std::vector<TJournalEntry> entries(static_cast<size_t>(count));
  for (TJournalEntry& e : entries) {
    if (!UnpackEntry(r, version, e)) return std::nullopt;
  }
  for (size_t i = 0; i < entries.size(); ++i) {
    for (size_t j = 0; j < i; ++j) {
      if (entries[i].Name == entries[j].Name) return std::nullopt;
    }
  }
  if (!r.AtEnd()) return std::nullopt;
  return entries;
}

bool HoldsResult(platform::File& file, const TJournalEntry& entry) {
  if (file.Size() != entry.NewLength) return false;
  std::vector<uint8_t> now;
  for (const TJournalRegion& r : entry.After) {
    now.resize(r.Bytes.size());
    if (file.ReadAt(r.Offset, now.data(), now.size()) != now.size() || now != r.Bytes) return false;
  }
  return true;
}

std::optional<uint32_t> FirstSectorCrc(platform::File& file, const TJournalEntry& entry) {
  std::vector<uint8_t> sector(static_cast<size_t>(std::min(kJournalFirstSector, entry.KeptLength)));
  if (file.ReadAt(0, sector.data(), sector.size()) != sector.size()) return std::nullopt;
  for (const TJournalRegion& r : entry.Before) {
    if (r.Offset >= static_cast<int64_t>(sector.size())) break;
    const size_t end = std::min(sector.size(), static_cast<size_t>(r.Offset) + r.Bytes.size());
    std::fill(sector.begin() + r.Offset, sector.begin() + static_cast<int64_t>(end), uint8_t{0});
  }
  return Crc32(sector.data(), sector.size());
}

bool CouldBeFrom(platform::File& file, const TJournalEntry& entry) {
  const int64_t size = file.Size();
  if (size < entry.KeptLength || size > std::max(entry.OldLength, entry.NewLength)) return false;
  if (FirstSectorCrc(file, entry) != entry.FirstSectorCrc) return false;
  // The operation's new byte at an offset, when it writes one there.
  auto newAt = [&entry](int64_t at) -> std::optional<uint8_t> {
    auto it = std::upper_bound(entry.After.begin(), entry.After.end(), at,
                               [](int64_t x, const TJournalRegion& r) { return x < r.Offset; });
    if (it == entry.After.begin()) return std::nullopt;
    --it;
    if (at >= it->Offset + static_cast<int64_t>(it->Bytes.size())) return std::nullopt;
    return it->Bytes[static_cast<size_t>(at - it->Offset)];
  };
  std::vector<uint8_t> now;
  for (const TJournalRegion& r : entry.Before) {
    now.resize(static_cast<size_t>(std::clamp<int64_t>(size - r.Offset, 0, static_cast<int64_t>(r.Bytes.size()))));
    if (file.ReadAt(r.Offset, now.data(), now.size()) != now.size()) return false;
    for (size_t i = 0; i < now.size(); ++i) {
      const int64_t at = r.Offset + static_cast<int64_t>(i);
      if (now[i] == r.Bytes[i] || now[i] == newAt(at) || (at >= entry.KeptLength && now[i] == 0)) continue;
      return false;
    }
  }
  // Past the old end the file holds only what the operation appended, or
  // zeros where it was lengthened before the bytes landed.
  for (const TJournalRegion& r : entry.After) {
    const int64_t from = std::max(r.Offset, entry.OldLength);
    const int64_t to = std::min(r.Offset + static_cast<int64_t>(r.Bytes.size()), size);
    if (from >= to) continue;
    now.resize(static_cast<size_t>(to - from));
    if (file.ReadAt(from, now.data(), now.size()) != now.size()) return false;
    for (size_t i = 0; i < now.size(); ++i) {
      if (now[i] != 0 && now[i] != r.Bytes[static_cast<size_t>(from - r.Offset) + i]) return false;
    }
  }
  return true;
}

bool PutBack(platform::File& file, const TJournalEntry& entry) {
  if (!file.Truncate(entry.OldLength)) return false;
  for (const TJournalRegion& r : entry.Before) {
    if (file.WriteAt(r.Offset, r.Bytes.data(), r.Bytes.size()) != r.Bytes.size()) return false;
  }
  return file.Flush();
}

}  // namespace vk
