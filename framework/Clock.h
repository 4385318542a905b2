#pragma once
// The current local date and time as a day count (see DateTime.h).

#include "framework/DateTime.h"

#include <windows.h>

inline double NowAsDateTime() {
  SYSTEMTIME local{};
  GetLocalTime(&local);
  FILETIME asFileTime{};
  SystemTimeToFileTime(&local, &asFileTime);
  const std::uint64_t ticks =
      (static_cast<std::uint64_t>(asFileTime.dwHighDateTime) << 32) | asFileTime.dwLowDateTime;
  return DateTimeFromFileTimeTicks(ticks);
}
