#include "preview/KiloBytes.h"

std::string FormatKiloBytes(std::int64_t total) {
  const std::int64_t kiloBytes = total / 1024; // truncates toward zero
  if (kiloBytes <= 0) return "0";
  const std::string digits = std::to_string(kiloBytes);
  std::string grouped;
  grouped.reserve(digits.size() + digits.size() / 3);
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ',';
    grouped += digits[i];
  }
  return grouped;
}
