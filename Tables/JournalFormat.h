#pragma once
// Byte layout of the operation journal (docs/journal-file-format.md). All
// integers are little-endian; lengths and offsets of table files are below
// 2^31 as the table format demands, stored in 64 bits.
//
// Header, 32 bytes at offset 0:
//   0  4  magic "VkJn"
//   4  4  version, 2 (1: written before entries recognised their files)
//   8  8  length of the whole journal, header included
//  16  4  number of file entries (1 .. kMaxJournalFiles)
//  20  4  CRC-32 of the whole journal, these four bytes taken as zero
//  24  8  reserved, 0
// Then one entry per table file:
//   0  4  name length n (1 .. 255)
//   4  n  the file's name in the journal's folder, without a folder part
//   +0 8  the file's length before the operation
//   +8 8  its length after it
//  +16 8  kept length: the shortest length the operation gives the file, at
//         most the old length; below it only the before-regions change
//         (version 2 only)
//  +24 4  CRC-32 of the file's first sector up to the kept length, the
//         bytes of the before-regions taken as zero (version 2 only)
//  +28 4  number of before-regions
//  +32 4  number of after-regions
//  then the before-regions, then the after-regions, each:
//   0  8  offset in the table file
//   8  4  length m (1 or more)
//  12  m  the bytes
// Before-regions hold the file's old bytes wherever the operation writes or
// cuts (below the old length); after-regions the bytes it writes (below the
// new length). Within each list regions ascend and do not overlap.
// A journal of version 1 reads with kept length 0 and checksum 0, which the
// recognition below takes as "nothing to compare".

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Platform/File.h"

namespace vk {

inline constexpr char kJournalMagic[4] = {'V', 'k', 'J', 'n'};
inline constexpr int32_t kJournalVersion = 2;
inline constexpr int32_t kJournalFirstVersion = 1;
// The part of a table file whose untouched bytes a journal checks (its
// header and field descriptors in the store's tables).
inline constexpr int64_t kJournalFirstSector = 512;
inline constexpr int32_t kJournalHeaderSize = 32;
inline constexpr int32_t kJournalChecksumOffset = 20;
inline constexpr int32_t kMaxJournalFiles = 16;
inline constexpr size_t kMaxJournalNameLength = 255;

struct TJournalRegion {
  int64_t Offset = 0;
  std::vector<uint8_t> Bytes;
  bool operator==(const TJournalRegion&) const = default;
};

struct TJournalEntry {
  std::string Name;
  int64_t OldLength = 0;
  int64_t NewLength = 0;
  std::vector<TJournalRegion> Before;  // to put the file back
  std::vector<TJournalRegion> After;   // to recognise the finished result
  int64_t KeptLength = 0;              // below it only the before-regions change
  uint32_t FirstSectorCrc = 0;         // see FirstSectorCrc()
  bool operator==(const TJournalEntry&) const = default;
};

std::vector<uint8_t> PackJournal(const std::vector<TJournalEntry>& entries);
// The entries of a whole journal; nothing for bytes that are not one
// (cut short, torn, foreign, or breaking a rule of the layout).
std::optional<std::vector<TJournalEntry>> UnpackJournal(const std::vector<uint8_t>& bytes);

// Whether the file holds exactly the operation's result for this entry:
// the new length and every after-region's bytes. False also when it cannot
// be read.
bool HoldsResult(platform::File& file, const TJournalEntry& entry);
// Whether the file could be this entry's file, as an operation stopped at
// any point, or a roll-back stopped at any point, leaves it: its length
// between the kept length and the longer of the old and new ones; the
// untouched bytes of its first sector as they were; every byte the operation
// changes its old or its new byte (or zero where a cut and a lengthening may
// leave zeros). False also when it cannot be read.
bool CouldBeFrom(platform::File& file, const TJournalEntry& entry);
// The checksum of the untouched bytes of the file's first sector below the
// kept length, for an entry whose Before and KeptLength are set; nothing
// when the file cannot be read.
std::optional<uint32_t> FirstSectorCrc(platform::File& file, const TJournalEntry& entry);
// Puts the file back as it was before the operation: the old length, the
// before-regions, then a flush. False when a step failed.
bool PutBack(platform::File& file, const TJournalEntry& entry);

uint32_t Crc32(const uint8_t* data, size_t n, uint32_t crc = 0);

}  // namespace vk
