#include "Tools/Service/CardinalDate.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "Core/SysUtils.h"

namespace vk {
namespace {

TDateTime StepMonths(TDateTime date, int step) {
  auto parts = DecodeDateTime(date);
  if (!parts) throw Exception("Invalid argument to date encode");
  int year = parts->Year, month = parts->Month + step;
  if (month > 12) month = 1, ++year;
  if (month < 1) month = 12, --year;
  if (year < 1 || year > 9999) throw Exception("Invalid argument to date encode");
  int day = std::min(parts->Day, DaysInMonth(year, month));
  return *TryEncodeDate(year, month, day);
}

}  // namespace

uint32_t DateToCardinal(TDateTime date) { return static_cast<uint32_t>(std::bit_cast<uint64_t>(date) >> 32); }

TDateTime CardinalToDate(uint32_t packed) {
  TDateTime date = std::bit_cast<TDateTime>(static_cast<uint64_t>(packed) << 32);
  if (!std::isfinite(date) || date < 0 || date >= kMaxDateDay + 1.0) return 0;
  return date + 0.0;  // -0.0 becomes 0
}

TDateTime NextMonth(TDateTime date) { return StepMonths(date, +1); }

TDateTime PrevMonth(TDateTime date) { return StepMonths(date, -1); }

}  // namespace vk
