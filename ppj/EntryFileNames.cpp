#include "ppj/EntryFileNames.h"

#include "plugin/AsciiFold.h"

#include <algorithm>
#include <array>

namespace plugin {

namespace {

constexpr std::size_t kMostCharacters = 100;

// Windows drops a name's final dots and blanks, and takes a leading blank for part
// of the name, which no one would see.
std::string Trimmed(std::string name) {
  while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.pop_back();
  const std::size_t first = name.find_first_not_of(' ');
  return first == std::string::npos ? std::string() : name.substr(first);
}

// "CON", "nul", "COM1" ...: before its first dot, such a name opens a device.
bool IsDeviceName(const std::string& name) {
  std::string stem = AsciiFolded(name.substr(0, name.find('.')));
  while (!stem.empty() && stem.back() == ' ') stem.pop_back();
  static const std::array<std::string, 4> plain = {"con", "prn", "aux", "nul"};
  if (std::find(plain.begin(), plain.end(), stem) != plain.end()) return true;
  return stem.size() == 4 && (stem.rfind("com", 0) == 0 || stem.rfind("lpt", 0) == 0) &&
         stem[3] >= '0' && stem[3] <= '9';
}

} // namespace

std::string SafeFileName(const std::string& utf8Name) {
  std::string name;
  for (std::size_t i = 0; i < utf8Name.size(); ++i) {
    const auto c = static_cast<unsigned char>(utf8Name[i]);
    const bool continuation = (c & 0xC0) == 0x80;
    if (continuation) continue; // the character became "_" at its first byte
    const bool kept = c >= 0x20 && c < 0x7F &&
                      std::string("<>:\"/\\|?*").find(static_cast<char>(c)) == std::string::npos;
    name += kept ? static_cast<char>(c) : '_';
  }
  name = Trimmed(name);
  if (name.size() > kMostCharacters) name = Trimmed(name.substr(0, kMostCharacters));
  if (IsDeviceName(name)) name = "_" + name;
  return name.empty() ? "_" : name;
}

std::string EntryFileNames::NameFor(const std::string& utf8Name) {
  const std::string safe = SafeFileName(utf8Name);
  // Numbered on from the last number this stem was given, so that thousands of names
  // made alike (names in other letters all become "_") cost no more than the others.
  int& last = FLastNumber[AsciiFolded(safe)];
  last = std::max(last, 1);
  std::string name = safe;
  while (FTaken.count(AsciiFolded(name)) != 0) name = safe + " (" + std::to_string(++last) + ")";
  FTaken.insert(AsciiFolded(name));
  return name;
}

} // namespace plugin
