#include "framework/DateTimeParts.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace {
constexpr std::int64_t kMillisecondsPerDay = 86400000;
// The day counts of 1601-01-01 and 9999-12-31.
constexpr double kFirstDay = -109205.0;
constexpr double kLastDay = 2958465.0;

// Days since 1970-01-01 to a civil date (Howard Hinnant's algorithm).
void CivilFromDays(std::int64_t days, int& year, int& month, int& day) {
  days += 719468;
  const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const std::int64_t dayOfEra = days - era * 146097;
  const std::int64_t yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const std::int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
  day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
  month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
  year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
}
} // namespace

std::optional<TDateTimeParts> DecodeDateTime(double dateTime) {
  if (!std::isfinite(dateTime) || dateTime <= kFirstDay - 1 || dateTime >= kLastDay + 1)
    return std::nullopt;
  const std::int64_t total = std::llround(dateTime * static_cast<double>(kMillisecondsPerDay));
  const std::int64_t wholeDays = total / kMillisecondsPerDay; // toward zero, like the stored date
  const std::int64_t timeOfDay = std::llabs(total) % kMillisecondsPerDay;
  if (wholeDays < kFirstDay || wholeDays > kLastDay) return std::nullopt;

  TDateTimeParts parts;
  // 1899-12-30 is 25569 days before 1970-01-01.
  CivilFromDays(wholeDays - 25569, parts.Year, parts.Month, parts.Day);
  parts.Hour = static_cast<int>(timeOfDay / 3600000);
  parts.Minute = static_cast<int>(timeOfDay / 60000 % 60);
  parts.Second = static_cast<int>(timeOfDay / 1000 % 60);
  parts.Millisecond = static_cast<int>(timeOfDay % 1000);
  return parts;
}
