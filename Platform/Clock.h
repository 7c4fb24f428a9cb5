#pragma once
// The local wall-clock time as a date-time value (days since 30 December
// 1899, the fraction the time of day), to the millisecond.

#include "Core/DateTime.h"

namespace vk::platform {

TDateTime Now();

}  // namespace vk::platform
