#pragma once
// The names by which the text form and the checks call the stored numbers: the item
// kinds, the five registry root keys, the registry items' kinds; and the time stamp
// as people read it and as its stored bytes.

#include "cleanobjs/ItemRecordFormat.h"

#include <cstdint>
#include <optional>
#include <string>

namespace plugin {

// "registry", "file", "folder".
std::string ItemKindName(ItemKind kind);
std::optional<ItemKind> ItemKindFromName(const std::string& name);

// "HKEY_CLASSES_ROOT" ... "HKEY_CURRENT_CONFIG"; empty for a number that is none of
// the five.
std::string RootKeyName(std::uint32_t rootKey);
std::optional<std::uint32_t> RootKeyFromName(const std::string& name);

// "value" (0), "key" (1), "all values" (2); empty for any other kind byte.
std::string RegistryKindName(std::uint8_t kind);
std::optional<std::uint8_t> RegistryKindFromName(const std::string& name);

// "YYYY-MM-DD HH:MM:SS" of the local date and time; empty when the value names no
// day of the years 1601 to 9999.
std::string TimeStampText(double time);
// The 8 stored bytes in file order as 16 lowercase hex digits, and back.
std::string TimeStampBytes(double time);
std::optional<double> TimeStampFromBytes(const std::string& hex);
// A time stamp from "YYYY-MM-DD HH:MM:SS" (or "YYYY-MM-DD"), for a plug-in written by
// hand without the stored bytes.
std::optional<double> TimeStampFromText(const std::string& text);

} // namespace plugin
