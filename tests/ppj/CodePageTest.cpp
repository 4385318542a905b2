#include "ppj/CodePage.h"

#include "tests/ppj/OpenedCodePage.h"

#include <gtest/gtest.h>

#include <cstdio>

using namespace plugin;

namespace {

std::string Shown(const std::optional<std::string>& text) {
  if (!text) return "nothing";
  std::string shown = "\"";
  for (const unsigned char c : *text) {
    char hex[8];
    std::snprintf(hex, sizeof hex, c < 0x20 || c > 0x7E ? "\\x%02X" : "%c", c);
    shown += hex;
  }
  return shown + "\"";
}

} // namespace

TEST(CodePage, ConvertsOnlyCharactersWithAFormOfTheirOwn) {
  enum Direction { FromUtf8, ToUtf8 };
  struct Case {
    const char* What;
    int Page;
    Direction Way;
    std::string Input;
    std::optional<std::string> Expected;
  };
  const Case cases[] = {
      {"1252 letters and the euro sign", 1252, FromUtf8, "caf\xC3\xA9 \xE2\x82\xAC",
       "caf\xE9 \x80"},
      {"1252 back", 1252, ToUtf8, "caf\xE9 \x80", "caf\xC3\xA9 \xE2\x82\xAC"},
      {"empty text", 1252, ToUtf8, "", ""},
      {"a character 1252 lacks", 1252, FromUtf8, "a\xE6\x97\xA5", std::nullopt},
      {"a fullwidth solidus, no best-fit \"/\"", 1252, FromUtf8,
       "a\xEF\xBC\x8F"
       "b",
       std::nullopt},
      {"932 double-byte characters", 932, FromUtf8, "\xE6\x97\xA5\xE6\x9C\xAC.log",
       "\x93\xFA\x96\x7B.log"},
      {"932 character whose second byte is \"\\\"", 932, ToUtf8, "\x95\x5C\\x", "\xE8\xA1\xA8\\x"},
      {"932 lead byte without its second", 932, ToUtf8, "ab\x93", std::nullopt},
      {"932 has no yen sign, which iconv gives the byte of \"\\\"", 932, FromUtf8, "a\xC2\xA5", std::nullopt},
      {"932 has no overline, which iconv gives \"~\"", 932, FromUtf8, "\xE2\x80\xBE", std::nullopt},
      {"truncated UTF-8", 1252, FromUtf8, "ab\xC3", std::nullopt},
      {"stray continuation byte", 1252, FromUtf8, "\x80", std::nullopt},
      {"overlong UTF-8 of \"/\"", 1252, FromUtf8, "\xC0\xAF", std::nullopt},
      {"UTF-8 of a surrogate", 1252, FromUtf8, "\xED\xA0\x80", std::nullopt},
      {"U+0000", 1252, FromUtf8, std::string("a\0b", 3), std::nullopt},
  };
  for (const Case& c : cases) {
    const CodePage& page = OpenedCodePage(c.Page);
    const std::optional<std::string> result =
        c.Way == FromUtf8 ? page.FromUtf8(c.Input) : page.ToUtf8(c.Input);
    EXPECT_EQ(result, c.Expected) << c.What << ": gave " << Shown(result) << ", expected "
                                  << Shown(c.Expected);
  }
}

TEST(CodePage, OpenRefusesWhatIsNoAnsiCodePage) {
  struct Case {
    int Page;
    const char* Reason; // a piece of the error
  };
  const Case cases[] = {
      {65001, "is UTF-8"},
      {12345, "does not convert code page 12345"},
      {-1, "does not convert code page -1"},
      {500, "does not store printable ASCII as ASCII"}, // EBCDIC
  };
  for (const Case& c : cases) {
    std::string error;
    const std::optional<CodePage> page = CodePage::Open(c.Page, error);
    EXPECT_FALSE(page) << "code page " << c.Page << " was opened";
    EXPECT_NE(error.find(c.Reason), std::string::npos)
        << "code page " << c.Page << " refused for another reason: " << error;
  }
  std::string error;
  const std::optional<CodePage> page = CodePage::Open(1252, error);
  ASSERT_TRUE(page) << error;
  EXPECT_EQ(page->Number(), 1252);
}
