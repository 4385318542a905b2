#include "plugin/RecordNames.h"

#include "framework/DateTimeParts.h"
#include "framework/LittleEndian.h"

#include <array>
#include <cstdio>
#include <utility>

namespace plugin {

namespace {

constexpr std::array<std::pair<const char*, std::uint32_t>, 5> kRootKeys{{
    {"HKEY_CLASSES_ROOT", 0x80000000u},
    {"HKEY_CURRENT_USER", 0x80000001u},
    {"HKEY_LOCAL_MACHINE", 0x80000002u},
    {"HKEY_USERS", 0x80000003u},
    {"HKEY_CURRENT_CONFIG", 0x80000005u},
}};

constexpr std::array<const char*, 3> kItemKinds{"registry", "file", "folder"};
constexpr std::array<const char*, 3> kRegistryKinds{"value", "key", "all values"};

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

} // namespace

std::string ItemKindName(ItemKind kind) { return kItemKinds.at(static_cast<std::size_t>(kind)); }

std::optional<ItemKind> ItemKindFromName(const std::string& name) {
  for (std::size_t i = 0; i < kItemKinds.size(); ++i)
    if (name == kItemKinds[i]) return static_cast<ItemKind>(i);
  return std::nullopt;
}

std::string RootKeyName(std::uint32_t rootKey) {
  for (const auto& [name, value] : kRootKeys)
    if (value == rootKey) return name;
  return {};
}

std::optional<std::uint32_t> RootKeyFromName(const std::string& name) {
  for (const auto& [known, value] : kRootKeys)
    if (name == known) return value;
  return std::nullopt;
}


std::string RegistryKindName(std::uint8_t kind) {
  return kind < kRegistryKinds.size() ? kRegistryKinds[kind] : "";
}

std::optional<std::uint8_t> RegistryKindFromName(const std::string& name) {
  for (std::size_t i = 0; i < kRegistryKinds.size(); ++i)
    if (name == kRegistryKinds[i]) return static_cast<std::uint8_t>(i);
  return std::nullopt;
}

std::string TimeStampText(double time) {
  const std::optional<TDateTimeParts> parts = DecodeDateTime(time);
  if (!parts) return {};
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", parts->Year, parts->Month,
                parts->Day, parts->Hour, parts->Minute, parts->Second);
  return text;
}

std::string TimeStampBytes(double time) {
  std::uint8_t bytes[8];
  PutDouble(bytes, time);
  std::string hex;
  for (const std::uint8_t byte : bytes) {
    hex += "0123456789abcdef"[byte >> 4];
    hex += "0123456789abcdef"[byte & 0x0F];
  }
  return hex;
}

std::optional<double> TimeStampFromBytes(const std::string& hex) {
  if (hex.size() != 16) return std::nullopt;
  std::uint8_t bytes[8];
  for (std::size_t i = 0; i < 8; ++i) {
    const int high = HexDigit(hex[2 * i]);
    const int low = HexDigit(hex[2 * i + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    bytes[i] = static_cast<std::uint8_t>(high * 16 + low);
  }
  return GetDouble(bytes);
}

std::optional<double> TimeStampFromText(const std::string& text) {
  TDateTimeParts parts;
  char end = 0;
  const int fields = std::sscanf(text.c_str(), "%4d-%2d-%2d %2d:%2d:%2d%c", &parts.Year,
                                 &parts.Month, &parts.Day, &parts.Hour, &parts.Minute,
                                 &parts.Second, &end);
  const bool dateOnly = fields == 3 && text.size() == 10;
  if (fields != 6 && !dateOnly) return std::nullopt;
  return EncodeDateTime(parts);
}

} // namespace plugin
