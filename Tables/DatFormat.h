#pragma once
// Byte layout of a table file (docs/table-file-format.md). All integers are
// little-endian; offsets are signed 32-bit, so a file never passes 2^31-1.

#include <array>
#include <cstdint>
#include <cstring>

namespace vk {

inline constexpr int32_t kDatHeaderSize = 32;    // TDatHeader at offset 0
inline constexpr int32_t kFieldRecSize = 36;     // one TFieldRec per field from offset 32
inline constexpr int32_t kRecordPrefixSize = 8;  // Status and a reserved word before each record
inline constexpr int32_t kStatusLive = 0;
inline constexpr int32_t kStatusDeleted = -1;
inline constexpr int64_t kMaxFileSize = 2147483647;
// Longest record a file may declare (the stock tables' records are 84 bytes):
// whatever a damaged header says, buffers stay small.
inline constexpr int64_t kMaxRecordLength = 65536;
inline constexpr size_t kMaxFieldNameLength = 20;
inline constexpr char kDatMagic[4] = {'W', 'r', 'D', 't'};

struct TDatHeader {
  char Magic[4] = {'W', 'r', 'D', 't'};  // 0: "WrDt"
  uint32_t Stamp = 0;                    // 4: the creator's HeaderStamp; not checked on open
  int32_t DataOffset = 0;                // 8: 32 + 36 * FieldCount
  int32_t FieldCount = 0;                // 12: number of descriptors
  int32_t RecordLength = 0;              // 16: 8 + the sum of the descriptors' Size
  int32_t RecordCount = 0;               // 20: records in the file, live and deleted
  int32_t DeletedCount = 0;              // 24: records marked deleted
  int32_t Reserved = 0;                  // 28: 0 when created, written back as read

  std::array<uint8_t, kDatHeaderSize> Pack() const;
  static TDatHeader Unpack(const uint8_t* bytes);
};

struct TFieldRec {
  int32_t TypeId = 0;        // 0: field type id
  int32_t Size = 0;          // 4: bytes of the value in a record
  uint8_t NameLength = 0;    // 8: 0..20
  char Name[20] = {};        // 9: the name's bytes, zero after it
  uint8_t Padding[3] = {};   // 29: zero
  int32_t NextKeyValue = 0;  // 32: key field: the next key value (>= 1); other fields: 0

  std::array<uint8_t, kFieldRecSize> Pack() const;
  static TFieldRec Unpack(const uint8_t* bytes);
};

inline void PutInt32(uint8_t* p, int32_t v) { std::memcpy(p, &v, 4); }
inline int32_t GetInt32(const uint8_t* p) {
  int32_t v;
  std::memcpy(&v, p, 4);
  return v;
}

inline std::array<uint8_t, kDatHeaderSize> TDatHeader::Pack() const {
  std::array<uint8_t, kDatHeaderSize> b{};
  std::memcpy(b.data(), Magic, 4);
  std::memcpy(b.data() + 4, &Stamp, 4);
  PutInt32(b.data() + 8, DataOffset);
  PutInt32(b.data() + 12, FieldCount);
  PutInt32(b.data() + 16, RecordLength);
  PutInt32(b.data() + 20, RecordCount);
  PutInt32(b.data() + 24, DeletedCount);
  PutInt32(b.data() + 28, Reserved);
  return b;
}

inline TDatHeader TDatHeader::Unpack(const uint8_t* b) {
  TDatHeader h;
  std::memcpy(h.Magic, b, 4);
  std::memcpy(&h.Stamp, b + 4, 4);
  h.DataOffset = GetInt32(b + 8);
  h.FieldCount = GetInt32(b + 12);
  h.RecordLength = GetInt32(b + 16);
  h.RecordCount = GetInt32(b + 20);
  h.DeletedCount = GetInt32(b + 24);
  h.Reserved = GetInt32(b + 28);
  return h;
}

inline std::array<uint8_t, kFieldRecSize> TFieldRec::Pack() const {
  std::array<uint8_t, kFieldRecSize> b{};
  PutInt32(b.data(), TypeId);
  PutInt32(b.data() + 4, Size);
  b[8] = NameLength;
  std::memcpy(b.data() + 9, Name, 20);
  std::memcpy(b.data() + 29, Padding, 3);
  PutInt32(b.data() + 32, NextKeyValue);
  return b;
}

inline TFieldRec TFieldRec::Unpack(const uint8_t* b) {
  TFieldRec r;
  r.TypeId = GetInt32(b);
  r.Size = GetInt32(b + 4);
  r.NameLength = b[8];
  std::memcpy(r.Name, b + 9, 20);
  std::memcpy(r.Padding, b + 29, 3);
  r.NextKeyValue = GetInt32(b + 32);
  return r;
}

}  // namespace vk
