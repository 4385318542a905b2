#include "cleanobjs/IndexedTextList.h"

#include <windows.h>

#include <array>

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

} // namespace

std::uint32_t TIndexedTextList::FoldedHash(const std::string& text) {
  const std::array<unsigned char, 256>& upper = UpperCase();
  // Eight folded bytes at a time through a multiply and a shift: a path costs a few
  // dozen cycles, well below the allocation that appending it costs anyway.
  std::uint64_t hash = 0x9E3779B97F4A7C15ull ^ text.size();
  std::uint64_t word = 0;
  int filled = 0;
  for (const char c : text) {
    word |= static_cast<std::uint64_t>(upper[static_cast<unsigned char>(c)]) << (8 * filled);
    if (++filled == 8) {
      hash = (hash ^ word) * 0xFF51AFD7ED558CCDull;
      hash ^= hash >> 32;
      word = 0;
      filled = 0;
    }
  }
  hash = (hash ^ word) * 0xC4CEB9FE1A85EC53ull;
  hash ^= hash >> 29;
  return static_cast<std::uint32_t>(hash);
}

bool TIndexedTextList::AddUnlessHeld(const std::string& text) {
  Reserve();
  const std::uint32_t hash = FoldedHash(text);
  const std::size_t mask = FSlots.size() - 1;
  std::size_t at = hash & mask;
  for (; FSlots[at].Place != 0; at = (at + 1) & mask) {
    const Slot& slot = FSlots[at];
    if (slot.Hash == hash && lstrcmpiA(FTexts[slot.Place - 1].c_str(), text.c_str()) == 0)
      return false;
  }
  FTexts.push_back(text);
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
  FSlots.assign(previous.empty() ? 64 : previous.size() * 2, Slot{});
  for (const Slot& slot : previous)
    if (slot.Place != 0) Put(slot);
}

void TIndexedTextList::Put(Slot slot) {
  const std::size_t mask = FSlots.size() - 1;
  std::size_t at = slot.Hash & mask;
  while (FSlots[at].Place != 0) at = (at + 1) & mask;
  FSlots[at] = slot;
}
