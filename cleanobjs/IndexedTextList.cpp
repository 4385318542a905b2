#include "cleanobjs/IndexedTextList.h"

#include <windows.h>

#include <array>
#include <cstring>

namespace {

// Each single-byte character in upper case, as the system's case mapping gives it,
// so that texts that differ only in case fold to the same bytes.
const std::array<unsigned char, 256>& UpperCase() {
  static const std::array<unsigned char, 256> table = [] {
    std::array<char, 256> characters{};
    for (int c = 0; c < 256; ++c) characters[c] = static_cast<char>(c);
    CharUpperBuffA(characters.data(), static_cast<DWORD>(characters.size()));
    std::array<unsigned char, 256> upper{};
    for (int c = 0; c < 256; ++c) upper[c] = static_cast<unsigned char>(characters[c]);
    return upper;
  }();
  return table;
}

// Eight bytes in capitals. Paths are mostly ASCII, whose letters are folded eight at a
// time without the table: in each byte from 'a' to 'z' the 0x20 bit is cleared.
std::uint64_t FoldedWord(std::uint64_t word) {
  constexpr std::uint64_t kOnes = 0x0101010101010101ull;
  constexpr std::uint64_t kHighBits = kOnes * 0x80;
  if ((word & kHighBits) == 0) {
    // No byte reaches 0x80, so no sum below carries into the next byte.
    const std::uint64_t fromA = word + kOnes * (0x80 - 'a'); // high bit where byte >= 'a'
    const std::uint64_t pastZ = word + kOnes * (0x80 - 'z' - 1); // high bit where byte > 'z'
    return word - ((fromA & ~pastZ & kHighBits) >> 2);
  }
  const std::array<unsigned char, 256>& upper = UpperCase();
  std::uint64_t folded = 0;
  for (int byte = 0; byte < 8; ++byte)
    folded |= static_cast<std::uint64_t>(upper[(word >> (8 * byte)) & 0xFF]) << (8 * byte);
  return folded;
}

// The eight bytes of the text from `at` on, zeros past its end.
std::uint64_t WordAt(const std::string& text, std::size_t at) {
  std::uint64_t word = 0;
  if (at + 8 <= text.size()) {
    std::memcpy(&word, text.data() + at, 8); // a fixed size: one load, no call
    return word;
  }
  for (std::size_t byte = at; byte < text.size(); ++byte)
    word |= static_cast<std::uint64_t>(static_cast<unsigned char>(text[byte])) << (8 * (byte - at));
  return word;
}

} // namespace

std::uint32_t TIndexedTextList::FoldedHash(const std::string& text) {
  // Sixteen folded bytes per multiply that depends on the one before: a path of a
  // hundred characters costs a few dozen cycles.
  std::uint64_t hash = 0x9E3779B97F4A7C15ull ^ text.size();
  for (std::size_t at = 0; at < text.size(); at += 16) {
    const std::uint64_t mixed = FoldedWord(WordAt(text, at)) * 0x87C37B91114253D5ull ^
                                FoldedWord(WordAt(text, at + 8)) * 0x4CF5AD432745937Full;
    hash = ((hash ^ mixed) << 31 | (hash ^ mixed) >> 33) * 0xFF51AFD7ED558CCDull;
  }
  hash ^= hash >> 33;
  hash *= 0xC4CEB9FE1A85EC53ull;
  hash ^= hash >> 29;
  return static_cast<std::uint32_t>(hash);
}

bool TIndexedTextList::AddUnlessHeld(const std::string& text) {
  Reserve();
  const std::uint32_t hash = FoldedHash(text);
  const std::size_t mask = FSlots.size() - 1;
  std::size_t at = hash & mask;
  // The slot is far in memory on a long list. Its fetch overlaps the copy of the
  // text, which is appended before the check and taken back for a text already held,
  // the rare case.
  __builtin_prefetch(&FSlots[at]);
  FTexts.push_back(text);
  for (; FSlots[at].Place != 0; at = (at + 1) & mask) {
    const Slot& slot = FSlots[at];
    if (slot.Hash == hash && lstrcmpiA(FTexts[slot.Place - 1].c_str(), text.c_str()) == 0) {
      FTexts.pop_back();
      return false;
    }
  }
  FSlots[at] = {hash, static_cast<std::uint32_t>(FTexts.size())};
  return true;
}

void TIndexedTextList::Add(const std::string& text) {
  Reserve();
  FTexts.push_back(text);
  Put({FoldedHash(text), static_cast<std::uint32_t>(FTexts.size())});
}

void TIndexedTextList::Reserve() {
  if ((FTexts.size() + 1) * 2 <= FSlots.size()) return;
  std::vector<Slot> previous = std::move(FSlots);
  FSlots.assign(previous.empty() ? 64 : previous.size() * 4, Slot{});
  for (const Slot& slot : previous)
    if (slot.Place != 0) Put(slot);
}

void TIndexedTextList::Put(Slot slot) {
  const std::size_t mask = FSlots.size() - 1;
  std::size_t at = slot.Hash & mask;
  while (FSlots[at].Place != 0) at = (at + 1) & mask;
  FSlots[at] = slot;
}
