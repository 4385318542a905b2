#include "cleanobjs/TextLimits.h"

#include "cleanobjs/ItemRecordFormat.h"

namespace plugin {

namespace {

// A message box has no scroll bar, so the question names only the first few texts.
constexpr std::size_t kListedTexts = 5;

std::string Describe(const StoredText& text) {
  const std::string owner =
      text.ItemNumber == 0 ? "Plug-in" : "Item " + std::to_string(text.ItemNumber);
  return owner + ", " + text.Field + ": " + LengthText(text);
}

} // namespace

std::string LengthText(const StoredText& text) {
  return std::to_string(text.Length) + " characters, at most " + std::to_string(text.Width - 1);
}

void CheckStoredText(std::vector<StoredText>& overlong, int itemNumber, const std::string& field,
                     const std::string& text, std::size_t width) {
  if (FitsTextField(text, width)) return;
  overlong.push_back(StoredText{itemNumber, field, text.size(), width});
}

std::string ShortenTextsQuestion(const std::vector<StoredText>& overlong) {
  std::string question = "Some texts are too long for the plug-in file:\n\n";
  for (std::size_t i = 0; i < overlong.size() && i < kListedTexts; ++i)
    question += Describe(overlong[i]) + "\n";
  if (overlong.size() > kListedTexts)
    question += "... and " + std::to_string(overlong.size() - kListedTexts) + " more\n";
  question += "\nSave them shortened to fit?";
  return question;
}

} // namespace plugin
