#pragma once
// Helpers shared by the field tests: exact refusal texts, record bytes and
// the system format settings swapped for a fixed profile.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "Core/DateTime.h"
#include "Core/SysUtils.h"

namespace vk::testing {

// The text of the vk::Exception that the call raises, or "<no exception>".
// Other exception types fail the test: a refusal must be the general class.
inline std::string RefusalOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const EIntOverflow& e) {
    return std::string("EIntOverflow: ") + e.Message();
  } catch (const Exception& e) {
    return e.Message();
  } catch (const std::exception& e) {
    ADD_FAILURE() << "unexpected exception type: " << e.what();
    return "<foreign exception>";
  }
  return "<no exception>";
}

inline std::vector<uint8_t> BytesOf(const void* p, size_t n) {
  const auto* b = static_cast<const uint8_t*>(p);
  return std::vector<uint8_t>(b, b + n);
}

template <typename T>
std::vector<uint8_t> BytesOfValue(T v) {
  return BytesOf(&v, sizeof v);
}

// Puts a fixed profile into the system format settings for the life of the
// object and gives the previous ones back afterwards.
class ScopedFormatSettings {
 public:
  explicit ScopedFormatSettings(const TFormatSettings& fs) : saved_(FormatSettings()) { FormatSettings() = fs; }
  ~ScopedFormatSettings() { FormatSettings() = saved_; }
  ScopedFormatSettings(const ScopedFormatSettings&) = delete;
  ScopedFormatSettings& operator=(const ScopedFormatSettings&) = delete;

 private:
  TFormatSettings saved_;
};

}  // namespace vk::testing
