#include "ppj/CodePage.h"

#include "ppj/CodePageConverters.h"

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

} // namespace plugin
