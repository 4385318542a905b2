#include "cleanobjs/TextLimits.h"

#include "cleanobjs/ItemRecordFormat.h"

#include <algorithm>
#include <iterator>

namespace plugin {

namespace {

// A message box has no scroll bar, so a list names only the first few texts.
constexpr std::size_t kListedTexts = 5;

std::string ListOf(const std::vector<StoredText>& texts) {
  std::string list;
  for (std::size_t i = 0; i < texts.size() && i < kListedTexts; ++i)
    list += DescribeStoredText(texts[i]) + "\n";
  if (texts.size() > kListedTexts)
    list += "... and " + std::to_string(texts.size() - kListedTexts) + " more\n";
  return list;
}

void Add(std::vector<StoredText>& overlong, int itemNumber, const std::string& field,
         const std::string& text, std::size_t width, Shortening fix) {
  if (FitsTextField(text, width)) return;
  StoredText stored{itemNumber, field, text.size(), width};
  stored.Fix = fix;
  overlong.push_back(stored);
}

} // namespace

std::string LengthText(const StoredText& text) {
  return std::to_string(text.Length) + " characters, at most " + std::to_string(text.Width - 1);
}

std::string DescribeStoredText(const StoredText& text) {
  const std::string owner =
      text.ItemNumber == 0 ? "Plug-in" : "Item " + std::to_string(text.ItemNumber);
  std::string description = owner + ", " + text.Field + ": " + LengthText(text);
  if (text.Fix == Shortening::MasksLeftOut)
    description += "; the last " + std::to_string(text.MasksLeftOut) + " of " +
                   std::to_string(text.MaskCount) + " masks are left out";
  return description;
}

void CheckStoredText(std::vector<StoredText>& overlong, int itemNumber, const std::string& field,
                     const std::string& text, std::size_t width) {
  Add(overlong, itemNumber, field, text, width, Shortening::Cut);
}

void CheckTargetText(std::vector<StoredText>& overlong, int itemNumber, const std::string& field,
                     const std::string& text, std::size_t width) {
  Add(overlong, itemNumber, field, text, width, Shortening::Refused);
}

void CheckMaskList(std::vector<StoredText>& overlong, int itemNumber,
                   const std::vector<std::string>& masks) {
  const std::size_t before = overlong.size();
  Add(overlong, itemNumber, "Masks", JoinMasks(masks), kPathFieldSize, Shortening::MasksLeftOut);
  if (overlong.size() == before) return;
  overlong.back().MaskCount = masks.size();
  overlong.back().MasksLeftOut = masks.size() - MasksThatFit(masks).size();
}

std::string NameThatFits(const std::string& name, std::size_t width) {
  return FitsTextField(name, width) ? name : name.substr(0, width - 1);
}

std::vector<std::string> MasksThatFit(const std::vector<std::string>& masks) {
  // A mask cut short would match more names than the mask typed ("*.tmp" cut to
  // "*"), so only whole masks, each with its CR LF, are kept.
  std::vector<std::string> kept;
  std::size_t length = 0;
  for (const std::string& mask : masks) {
    length += mask.size() + 2;
    if (length >= kPathFieldSize) break;
    kept.push_back(mask);
  }
  return kept;
}

std::vector<StoredText> RefusedTexts(const std::vector<StoredText>& overlong) {
  std::vector<StoredText> refused;
  std::copy_if(overlong.begin(), overlong.end(), std::back_inserter(refused),
               [](const StoredText& text) { return text.Fix == Shortening::Refused; });
  return refused;
}

std::string RefusedTextsMessage(const std::vector<StoredText>& refused) {
  return "Some paths and keys are too long for the plug-in file:\n\n" + ListOf(refused) +
         "\nShortened, they would name other files or keys, so nothing was saved. "
         "Make them shorter and save again.";
}

std::string ShortenTextsQuestion(const std::vector<StoredText>& overlong) {
  return "Some texts are too long for the plug-in file:\n\n" + ListOf(overlong) +
         "\nSave them shortened to fit?";
}

} // namespace plugin
