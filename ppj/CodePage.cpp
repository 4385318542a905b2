#include "ppj/CodePage.h"

#include "ppj/CodePageConverters.h"

#include <algorithm>

namespace plugin {

namespace {

// The characters that every ANSI code page stores as their ASCII bytes: winapp2.ini's
// and the plug-ins' separators, macros and wildcards are among them.
std::string PrintableAscii() {
  std::string text;
  for (char c = 0x20; c <= 0x7E; ++c) text += c;
  return text;
}

} // namespace

CodePage::CodePage(int number, std::shared_ptr<Converters> converters)
    : FNumber(number), FConverters(std::move(converters)) {}

std::optional<CodePage> CodePage::Open(int number, std::string& error) {
  const std::string named = "code page " + std::to_string(number);
  // Windows converts 65001, and its printable ASCII is ASCII, but its characters take
  // up to four bytes: no plug-in is written in it.
  if (number == 65001) {
    error = named + " is UTF-8, not an ANSI code page";
    return std::nullopt;
  }
  std::shared_ptr<Converters> converters = OpenConverters(number, error);
  if (!converters) return std::nullopt;
  CodePage page(number, std::move(converters));
  const std::string ascii = PrintableAscii();
  if (page.FromUtf8(ascii) != ascii || page.ToUtf8(ascii) != ascii) {
    error = named + " does not store printable ASCII as ASCII (UTF-16, UTF-32 and EBCDIC do not), "
                    "so it is not an ANSI code page";
    return std::nullopt;
  }
  return page;
}

std::optional<std::string> CodePage::FromUtf8(const std::string& utf8) const {
  // A character that the conversion gives the bytes of another is refused: iconv's 932
  // gives "\" for U+00A5 and counts it as converted.
  std::optional<std::string> bytes = BytesOfUtf8(*FConverters, utf8);
  if (!bytes || Utf8OfBytes(*FConverters, *bytes) != utf8) return std::nullopt;
  return bytes;
}

std::optional<std::string> CodePage::ToUtf8(const std::string& bytes) const {
  return Utf8OfBytes(*FConverters, bytes);
}

bool BackslashesAgree(const std::string& bytes, const std::string& utf8) {
  return std::count(bytes.begin(), bytes.end(), '\\') == std::count(utf8.begin(), utf8.end(), '\\');
}

} // namespace plugin
