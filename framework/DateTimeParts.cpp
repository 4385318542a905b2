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
// Days since 1970-01-01 of a civil date, the inverse of CivilFromDays.
std::int64_t DaysFromCivil(int year, int month, int day) {
  year -= month <= 2 ? 1 : 0;
  const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
  const std::int64_t yearOfEra = year - era * 400;
  const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

int DaysInMonth(int year, int month) {
  constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
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

std::optional<double> EncodeDateTime(const TDateTimeParts& parts) {
  if (parts.Year < 1601 || parts.Year > 9999 || parts.Month < 1 || parts.Month > 12 ||
      parts.Day < 1 || parts.Day > DaysInMonth(parts.Year, parts.Month) || parts.Hour < 0 ||
      parts.Hour > 23 || parts.Minute < 0 || parts.Minute > 59 || parts.Second < 0 ||
      parts.Second > 59 || parts.Millisecond < 0 || parts.Millisecond > 999)
    return std::nullopt;
  const std::int64_t days = DaysFromCivil(parts.Year, parts.Month, parts.Day) + 25569;
  const double fraction =
      ((parts.Hour * 60.0 + parts.Minute) * 60.0 + parts.Second + parts.Millisecond / 1000.0) /
      86400.0;
  // Before 1899-12-30 the time of day still counts forward from the day's whole part,
  // as DecodeDateTime reads it (-1.25 is 1899-12-29 06:00).
  return days >= 0 ? static_cast<double>(days) + fraction : static_cast<double>(days) - fraction;
}
