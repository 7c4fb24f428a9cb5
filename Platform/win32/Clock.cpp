#include "Platform/Clock.h"

#include <windows.h>

namespace vk::platform {

TDateTime Now() {
  SYSTEMTIME st{};
  GetLocalTime(&st);
  const TDateTime date = TryEncodeDate(st.wYear, st.wMonth, st.wDay).value_or(0);
  return date + TryEncodeTime(st.wHour, st.wMinute, st.wSecond, st.wMilliseconds).value_or(0);
}

}  // namespace vk::platform
