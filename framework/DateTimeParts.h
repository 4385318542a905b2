#pragma once
// The calendar date and time of day in a date-time (see DateTime.h).

#include <optional>

struct TDateTimeParts {
  int Year = 0, Month = 0, Day = 0;
  int Hour = 0, Minute = 0, Second = 0, Millisecond = 0;
};

// Rounded to the millisecond. The day count's whole part is the date, and the time
// of day is the fraction's size, also before 1899-12-30 (-1.25 is 1899-12-29 06:00),
// as writers of such values store it. Empty for a value that names no day of the
// years 1601 to 9999, which a damaged or foreign file can hold.
std::optional<TDateTimeParts> DecodeDateTime(double dateTime);

// The date-time of a calendar date and time of day, the inverse of DecodeDateTime to
// the millisecond. Empty for a date outside the years 1601 to 9999, a day its month
// does not have, or a time of day out of range.
std::optional<double> EncodeDateTime(const TDateTimeParts& parts);
