#pragma once
// UTF-8 text as the rules are written in: its characters, checked strictly.

#include <string>
#include <string_view>
#include <vector>

namespace plugin {

// The length of the well-formed UTF-8 character at the start of `text`, or 0 when
// none is there: a stray or overlong sequence, a surrogate, a code point beyond
// U+10FFFF. U+0000 is a character of length 1.
std::size_t Utf8CharacterLength(std::string_view text);

// Whether the whole text is well-formed UTF-8 without U+0000.
bool IsUtf8Text(std::string_view text);

// The characters of well-formed UTF-8 text, each as its bytes.
std::vector<std::string> Utf8Characters(std::string_view text);

// Whether the text begins or ends in white space as readers trim it (a blank, a tab,
// a no-break space, an ideographic space ...): a name with one is another name than
// the trimmed one that such a reader takes.
bool HasOuterBlank(std::string_view text);

} // namespace plugin
