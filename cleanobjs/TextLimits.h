#pragma once
// Texts of a plug-in that do not fit their fields in the file, and what saving does
// with each. A shortened text must never make an item reach more than it names: a
// name may be cut, a mask list loses its last whole masks, and a path or a key is
// never shortened, since its parent would then be removed in its place.

#include <cstddef>
#include <string>
#include <vector>

namespace plugin {

// What saving does with a text that does not fit its field.
enum class Shortening {
  Cut,          // the plug-in's name, its author, an item's name: stored cut to fit
  MasksLeftOut, // a mask list: the last masks that do not fit are left out whole
  Refused,      // a key path, value name, file or folder path: the plug-in is not saved
};

struct StoredText {
  int ItemNumber = 0;      // 1-based row number; 0 for the plug-in's own name and author
  std::string Field;       // as the user knows it: "Name", "Author", "Key path", ...
  std::size_t Length = 0;  // characters of the text as it stands
  std::size_t Width = 0;   // field width in bytes; the text may hold Width - 1
  Shortening Fix = Shortening::Cut;
  std::size_t MaskCount = 0;    // for a mask list: its masks,
  std::size_t MasksLeftOut = 0; // and how many of the last ones saving leaves out
};

// "300 characters, at most 255".
std::string LengthText(const StoredText& text);
// "Item 3, Key path: 300 characters, at most 255", and for masks what is left out.
std::string DescribeStoredText(const StoredText& text);

// Each adds the text to `overlong` when it does not fit a field of `width` bytes: a
// name, which saving may cut, or a path or key, which saving refuses to shorten.
void CheckStoredText(std::vector<StoredText>& overlong, int itemNumber,
                     const std::string& field, const std::string& text, std::size_t width);
void CheckTargetText(std::vector<StoredText>& overlong, int itemNumber,
                     const std::string& field, const std::string& text, std::size_t width);
// Adds the mask list when its text, each mask followed by CR LF, does not fit.
void CheckMaskList(std::vector<StoredText>& overlong, int itemNumber,
                   const std::vector<std::string>& masks);

// The name as its field of `width` bytes stores it.
std::string NameThatFits(const std::string& name, std::size_t width);
// The first masks whose text fits the mask field; the others are left out whole.
std::vector<std::string> MasksThatFit(const std::vector<std::string>& masks);

// The texts that saving refuses to shorten; with any of them nothing is saved.
std::vector<StoredText> RefusedTexts(const std::vector<StoredText>& overlong);
// The error shown for a non-empty list of refused texts.
std::string RefusedTextsMessage(const std::vector<StoredText>& refused);
// The confirmation question for a non-empty list of texts that saving may shorten.
std::string ShortenTextsQuestion(const std::vector<StoredText>& overlong);

} // namespace plugin
