#pragma once
// Date-times as days since 1899-12-30 00:00, the fraction being the time of day,
// as files and programs of the platform's tradition store them.

#include <cstdint>

// From a file time count (100 ns steps since 1601-01-01) of local time.
double DateTimeFromFileTimeTicks(std::uint64_t ticks);
