#pragma once
// Packed dates: a date-time value kept in a 32-bit number (the settings file,
// the table file header), and steps of whole calendar months.
//
// The packed form is the upper 32 bits of the value's IEEE-754 double: sign,
// exponent and the top 20 bits of the fraction. Whole days survive exactly;
// the time of day only in steps that grow with the value (1/32 day, 45
// minutes, for 1989 to 2079), rounded down. For dates from 30 December 1899
// on, packed values sort as the dates do.

#include <cstdint>

#include "Core/DateTime.h"

namespace vk {

uint32_t DateToCardinal(TDateTime date);
// The double whose upper 32 bits are the packed date and whose lower 32 bits
// are zero. A value that is no finite date from 30 December 1899 to
// 31 December 9999 (a damaged or foreign number) gives 0.
TDateTime CardinalToDate(uint32_t packed);

// The same day of the next (previous) month at midnight, clamped to the
// last day of a shorter month. Raises Exception for a year outside 1..9999
// and for a value that is no date.
TDateTime NextMonth(TDateTime date);
TDateTime PrevMonth(TDateTime date);

}  // namespace vk
