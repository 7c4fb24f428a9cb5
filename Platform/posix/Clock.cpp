#include "Platform/Clock.h"

#include <time.h>

namespace vk::platform {

TDateTime Now() {
  timespec ts{};
  clock_gettime(CLOCK_REALTIME, &ts);
  tm local{};
  localtime_r(&ts.tv_sec, &local);
  const TDateTime date = TryEncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday).value_or(0);
  const int ms = static_cast<int>(ts.tv_nsec / 1000000);
  return date + TryEncodeTime(local.tm_hour, local.tm_min, local.tm_sec > 59 ? 59 : local.tm_sec, ms).value_or(0);
}

}  // namespace vk::platform
