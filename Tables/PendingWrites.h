#pragma once
// The changes of one file held back in memory while a journalled operation
// runs (Tables/Journal.h): the bytes written and the lengths set since it
// began, over the file as it was. Reads see the file as it will be; nothing
// reaches the file until ApplyTo.

#include <cstddef>
#include <cstdint>
#include <map>
#include <vector>

#include "Platform/File.h"

namespace vk {

class TPendingWrites {
 public:
  // Byte ranges written: start offset -> bytes. Disjoint and never touching
  // (touching ranges are merged), all below Length().
  using TExtents = std::map<int64_t, std::vector<uint8_t>>;

  explicit TPendingWrites(int64_t baseLength);

  void Write(int64_t offset, const void* data, size_t n);
  // Cuts or extends; extending adds zeros.
  void SetLength(int64_t length);
  // Up to n bytes at offset as the file will be; fewer only past its end.
  // Refuses (returns fewer) when the file under it cannot be read.
  size_t Read(platform::File& base, int64_t offset, void* buffer, size_t n) const;

  int64_t Length() const { return length_; }
  // The file's length when the operation began.
  int64_t BaseLength() const { return baseLength_; }
  // The shortest length the file was given: the file's old bytes from here
  // on are gone, whatever was written there later.
  int64_t CutAt() const { return cutAt_; }
  const TExtents& Extents() const { return extents_; }
  bool Changed() const { return !extents_.empty() || length_ != baseLength_ || cutAt_ != baseLength_; }

  // Makes the held changes in the file itself (without flushing it). False
  // when a write or a cut failed; the file may then hold part of them.
  bool ApplyTo(platform::File& base) const;

 private:
  int64_t baseLength_;
  int64_t length_;
  int64_t cutAt_;
  TExtents extents_;
};

}  // namespace vk
