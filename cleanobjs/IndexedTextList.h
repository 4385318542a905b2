#pragma once
// A list of texts in the order added that tells in constant time whether it holds a
// text in any letter case. Beside the texts it keeps only a hash of each text's
// case-folded form and the text's place, so an addition costs about what appending
// the text to a plain vector does; texts are compared only when their hashes match.

#include <cstdint>
#include <string>
#include <vector>

class TIndexedTextList {
public:
  const std::vector<std::string>& Texts() const { return FTexts; }
  // Appends `text` unless the list holds it already, letter case ignored as lstrcmpiA
  // ignores it; true when it was appended.
  bool AddUnlessHeld(const std::string& text);
  // Appends `text` whether or not the list holds it.
  void Add(const std::string& text);

private:
  struct Slot {
    std::uint32_t Hash = 0;
    std::uint32_t Place = 0; // the text's index + 1; 0 for an empty slot
  };
  static std::uint32_t FoldedHash(const std::string& text);
  // Makes room for one more text, keeping at least half of the slots empty so that
  // a probe ends after a slot or two.
  void Reserve();
  void Put(Slot slot);

  std::vector<std::string> FTexts;
  std::vector<Slot> FSlots; // open addressing, linear probing; a power of two long
};
