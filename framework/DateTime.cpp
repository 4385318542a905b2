#include "framework/DateTime.h"

namespace {
constexpr double kTicksPerDay = 864000000000.0;
// Days from 1601-01-01, where file times start, to 1899-12-30, where date-times do.
constexpr double kDaysFrom1601To1899 = 109205.0;
} // namespace

double DateTimeFromFileTimeTicks(std::uint64_t ticks) {
  const std::uint64_t ticksPerDay = 864000000000ULL;
  // Whole days and the fraction are converted apart, so milliseconds are not lost
  // to the size of the day count.
  const double days = static_cast<double>(ticks / ticksPerDay) - kDaysFrom1601To1899;
  return days + static_cast<double>(ticks % ticksPerDay) / kTicksPerDay;
}
