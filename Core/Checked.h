#pragma once
// Overflow-checked integer arithmetic: every money and count computation goes
// through these, so an overflow is an EIntOverflow and never a wrapped value.

#include <concepts>
#include <cstdint>

#include "Core/SysUtils.h"

namespace vk {

template <std::integral T>
T CheckedAdd(T a, T b) {
  T r;
  if (__builtin_add_overflow(a, b, &r)) throw EIntOverflow();
  return r;
}

template <std::integral T>
T CheckedSub(T a, T b) {
  T r;
  if (__builtin_sub_overflow(a, b, &r)) throw EIntOverflow();
  return r;
}

template <std::integral T>
T CheckedMul(T a, T b) {
  T r;
  if (__builtin_mul_overflow(a, b, &r)) throw EIntOverflow();
  return r;
}

// Narrows a value to T, raising EIntOverflow when it does not fit.
template <std::integral T, std::integral U>
T CheckedCast(U v) {
  T r;
  if (__builtin_add_overflow(v, U{0}, &r)) throw EIntOverflow();
  return r;
}

}  // namespace vk
