#include "Tables/PendingWrites.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace vk {

TPendingWrites::TPendingWrites(int64_t baseLength) : baseLength_(baseLength), length_(baseLength), cutAt_(baseLength) {}

void TPendingWrites::Write(int64_t offset, const void* data, size_t n) {
  if (n == 0) return;
  const auto* bytes = static_cast<const uint8_t*>(data);
  const int64_t end = offset + static_cast<int64_t>(n);
  length_ = std::max(length_, end);
  auto next = extents_.upper_bound(offset);
  // The common case, a record after a record: the range grows the extent
  // it starts in (or just after) and reaches no other.
  if (next != extents_.begin()) {
    auto prev = std::prev(next);
    const int64_t prevEnd = prev->first + static_cast<int64_t>(prev->second.size());
    if (prevEnd >= offset && (next == extents_.end() || next->first > end)) {
      if (end > prevEnd) prev->second.resize(static_cast<size_t>(end - prev->first));
      std::memcpy(prev->second.data() + (offset - prev->first), bytes, n);
      return;
    }
  }
  // Otherwise every extent that overlaps or touches the range becomes one.
  auto first = next;
  if (first != extents_.begin() &&
      std::prev(first)->first + static_cast<int64_t>(std::prev(first)->second.size()) >= offset)
    --first;
  int64_t start = offset, stop = end;
  auto last = first;
  for (; last != extents_.end() && last->first <= end; ++last) {
    start = std::min(start, last->first);
    stop = std::max(stop, last->first + static_cast<int64_t>(last->second.size()));
  }
  std::vector<uint8_t> merged(static_cast<size_t>(stop - start));
  for (auto it = first; it != last; ++it)
    std::memcpy(merged.data() + (it->first - start), it->second.data(), it->second.size());
  std::memcpy(merged.data() + (offset - start), bytes, n);
  extents_.erase(first, last);
  extents_.emplace(start, std::move(merged));
}

void TPendingWrites::SetLength(int64_t length) {
  if (length < length_) {
    cutAt_ = std::min(cutAt_, length);
    extents_.erase(extents_.lower_bound(length), extents_.end());
    if (!extents_.empty()) {
      auto& [start, bytes] = *extents_.rbegin();
      if (start + static_cast<int64_t>(bytes.size()) > length) bytes.resize(static_cast<size_t>(length - start));
    }
  }
  length_ = length;
}

size_t TPendingWrites::Read(platform::File& base, int64_t offset, void* buffer, size_t n) const {
  if (offset < 0 || offset >= length_) return 0;
  const size_t m = static_cast<size_t>(std::min<int64_t>(static_cast<int64_t>(n), length_ - offset));
  auto* out = static_cast<uint8_t*>(buffer);
  std::memset(out, 0, m);
  // The old bytes count only below the shortest length the file was given.
  const int64_t oldEnd = std::min(cutAt_, baseLength_);
  if (offset < oldEnd) {
    const size_t k = static_cast<size_t>(std::min<int64_t>(static_cast<int64_t>(m), oldEnd - offset));
    if (base.ReadAt(offset, out, k) != k) return 0;
  }
  const int64_t end = offset + static_cast<int64_t>(m);
  auto it = extents_.upper_bound(offset);
  if (it != extents_.begin()) --it;
  for (; it != extents_.end() && it->first < end; ++it) {
    const int64_t from = std::max(offset, it->first);
    const int64_t to = std::min(end, it->first + static_cast<int64_t>(it->second.size()));
    if (from < to)
      std::memcpy(out + (from - offset), it->second.data() + (from - it->first), static_cast<size_t>(to - from));
  }
  return m;
}

bool TPendingWrites::ApplyTo(platform::File& base) const {
  if (cutAt_ < baseLength_ && !base.Truncate(cutAt_)) return false;
  for (const auto& [start, bytes] : extents_) {
    if (base.WriteAt(start, bytes.data(), bytes.size()) != bytes.size()) return false;
  }
  const int64_t size = base.Size();
  if (size < 0) return false;
  return size == length_ || base.Truncate(length_);
}

}  // namespace vk
