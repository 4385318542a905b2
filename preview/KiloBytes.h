#pragma once
// The preview's size texts: whole kilobytes, grouped by ",".

#include <cstdint>
#include <string>

// The number of whole kilobytes in `total` bytes (the remainder dropped), with ","
// between groups of three digits whatever the user's locale, and no unit. The whole
// 64-bit count is shown; a negative total, which no item reports, shows as "0".
std::string FormatKiloBytes(std::int64_t total);
