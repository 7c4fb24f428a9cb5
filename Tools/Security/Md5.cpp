#include "Tools/Security/Md5.h"

#include <algorithm>
#include <cstring>

namespace vk {
namespace {

constexpr uint32_t kInitialState[4] = {0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476};

// Per step: the shift amount, and the integer part of 2^32 * |sin(step + 1)|.
constexpr uint8_t kShift[64] = {7,  12, 17, 22, 7,  12, 17, 22, 7,  12, 17, 22, 7,  12, 17, 22, 5,  9,  14, 20, 5,  9,
                                14, 20, 5,  9,  14, 20, 5,  9,  14, 20, 4,  11, 16, 23, 4,  11, 16, 23, 4,  11, 16, 23,
                                4,  11, 16, 23, 6,  10, 15, 21, 6,  10, 15, 21, 6,  10, 15, 21, 6,  10, 15, 21};
constexpr uint32_t kSine[64] = {
    0xD76AA478, 0xE8C7B756, 0x242070DB, 0xC1BDCEEE, 0xF57C0FAF, 0x4787C62A, 0xA8304613, 0xFD469501,
    0x698098D8, 0x8B44F7AF, 0xFFFF5BB1, 0x895CD7BE, 0x6B901122, 0xFD987193, 0xA679438E, 0x49B40821,
    0xF61E2562, 0xC040B340, 0x265E5A51, 0xE9B6C7AA, 0xD62F105D, 0x02441453, 0xD8A1E681, 0xE7D3FBC8,
    0x21E1CDE6, 0xC33707D6, 0xF4D50D87, 0x455A14ED, 0xA9E3E905, 0xFCEFA3F8, 0x676F02D9, 0x8D2A4C8A,
    0xFFFA3942, 0x8771F681, 0x6D9D6122, 0xFDE5380C, 0xA4BEEA44, 0x4BDECFA9, 0xF6BB4B60, 0xBEBFBC70,
    0x289B7EC6, 0xEAA127FA, 0xD4EF3085, 0x04881D05, 0xD9D4D039, 0xE6DB99E5, 0x1FA27CF8, 0xC4AC5665,
    0xF4292244, 0x432AFF97, 0xAB9423A7, 0xFC93A039, 0x655B59C3, 0x8F0CCC92, 0xFFEFF47D, 0x85845DD1,
    0x6FA87E4F, 0xFE2CE6E0, 0xA3014314, 0x4E0811A1, 0xF7537E82, 0xBD3AF235, 0x2AD7D2BB, 0xEB86D391};

constexpr uint32_t RotateLeft(uint32_t x, unsigned n) { return (x << n) | (x >> (32 - n)); }

uint32_t LoadLittleEndian(const uint8_t* p) {
  return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

void StoreLittleEndian(uint32_t value, uint8_t* p) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(value >> (8 * i));
}

// One digest in the making. Every digest uses a fresh context, and the
// context is wiped when the digest is taken, so nothing of the password
// stays behind in memory.
class Md5Context {
 public:
  Md5Context() { std::memcpy(state_, kInitialState, sizeof state_); }
  ~Md5Context() { Wipe(); }
  Md5Context(const Md5Context&) = delete;
  Md5Context& operator=(const Md5Context&) = delete;

  void Update(const uint8_t* data, size_t length) {
    uint64_t bits = (uint64_t{bitCount_[1]} << 32 | bitCount_[0]) + uint64_t{length} * 8;
    bitCount_[0] = static_cast<uint32_t>(bits);
    bitCount_[1] = static_cast<uint32_t>(bits >> 32);
    while (length > 0) {
      size_t take = std::min(length, sizeof buffer_ - waiting_);
      std::memcpy(buffer_ + waiting_, data, take);
      waiting_ += take;
      data += take;
      length -= take;
      if (waiting_ == sizeof buffer_) TransformAndEmpty();
    }
  }

  TMd5Digest Final() {
    buffer_[waiting_++] = 0x80;
    if (waiting_ > 56) TransformAndEmpty();
    StoreLittleEndian(bitCount_[0], buffer_ + 56);
    StoreLittleEndian(bitCount_[1], buffer_ + 60);
    Transform();
    TMd5Digest digest;
    for (int i = 0; i < 4; ++i) StoreLittleEndian(state_[i], digest.data() + 4 * i);
    Wipe();
    return digest;
  }

 private:
  void TransformAndEmpty() {
    Transform();
    std::memset(buffer_, 0, sizeof buffer_);
    waiting_ = 0;
  }

  void Transform() {
    uint32_t x[16];
    for (int i = 0; i < 16; ++i) x[i] = LoadLittleEndian(buffer_ + 4 * i);
    uint32_t a = state_[0], b = state_[1], c = state_[2], d = state_[3];
    for (unsigned step = 0; step < 64; ++step) {
      uint32_t f;
      unsigned word;
      switch (step / 16) {
        case 0: f = (b & c) | (~b & d), word = step; break;
        case 1: f = (d & b) | (~d & c), word = (5 * step + 1) % 16; break;
        case 2: f = b ^ c ^ d, word = (3 * step + 5) % 16; break;
        default: f = c ^ (b | ~d), word = (7 * step) % 16; break;
      }
      uint32_t next = b + RotateLeft(a + f + kSine[step] + x[word], kShift[step]);
      a = d;
      d = c;
      c = b;
      b = next;
    }
    state_[0] += a;
    state_[1] += b;
    state_[2] += c;
    state_[3] += d;
  }

  // Through a volatile pointer, so the compiler cannot drop the stores of an
  // object that is about to die.
  void Wipe() {
    volatile uint8_t* p = reinterpret_cast<volatile uint8_t*>(this);
    for (size_t i = 0; i < sizeof *this; ++i) p[i] = 0;
  }

  uint32_t state_[4];
  uint32_t bitCount_[2] = {0, 0};  // bits taken in, low half first
  size_t waiting_ = 0;             // bytes in buffer_ not yet transformed
  uint8_t buffer_[64] = {};
};

}  // namespace

TMd5Digest Md5(std::string_view bytes) {
  Md5Context context;
  context.Update(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  return context.Final();
}

}  // namespace vk
