// The code pages through glibc's iconv, which names them "CP<number>". Each character
// is converted on its own from the initial state, so that one whose bytes are more
// than two is found and refused, and no conversion depends on an earlier one.
#include "ppj/CodePageConverters.h"
#include "ppj/Utf8Text.h"

#include <cerrno>
#include <cstdint>
#include <iconv.h>
#include <string_view>

namespace plugin {

namespace {

// One direction of conversion, closed with the object.
class Conversion {
public:
  Conversion(const std::string& to, const std::string& from)
      : FHandle(iconv_open(to.c_str(), from.c_str())) {}
  ~Conversion() {
    if (IsOpen()) iconv_close(FHandle);
  }
  Conversion(const Conversion&) = delete;
  Conversion& operator=(const Conversion&) = delete;

  bool IsOpen() const { return FHandle != reinterpret_cast<iconv_t>(-1); }

  enum class Outcome { Converted, Incomplete, Invalid };
  // The bytes of one character, converted from the initial state and with the state
  // ended after it, appended to `out`. A character that converts only to a similar
  // one (iconv counts it as irreversible) is invalid.
  Outcome Character(std::string_view in, std::string& out) {
    iconv(FHandle, nullptr, nullptr, nullptr, nullptr);
    char buffer[16];
    char* input = const_cast<char*>(in.data());
    std::size_t inputLeft = in.size();
    char* output = buffer;
    std::size_t outputLeft = sizeof buffer;
    const std::size_t converted = iconv(FHandle, &input, &inputLeft, &output, &outputLeft);
    if (converted == static_cast<std::size_t>(-1))
      return errno == EINVAL ? Outcome::Incomplete : Outcome::Invalid;
    if (converted != 0 || inputLeft != 0) return Outcome::Invalid;
    // Writes what a converter holds back: a pending character or a return to the
    // initial shift state.
    if (iconv(FHandle, nullptr, nullptr, &output, &outputLeft) == static_cast<std::size_t>(-1))
      return Outcome::Invalid;
    if (output == buffer) return Outcome::Invalid; // it stands for no character
    out.append(buffer, output);
    return Outcome::Converted;
  }

private:
  iconv_t FHandle;
};

} // namespace

struct CodePage::Converters {
  explicit Converters(const std::string& name) : ToUtf8("UTF-8", name), FromUtf8(name, "UTF-8") {}
  Conversion ToUtf8;
  Conversion FromUtf8;
};

std::shared_ptr<CodePage::Converters> OpenConverters(int number, std::string& error) {
  auto converters = std::make_shared<CodePage::Converters>("CP" + std::to_string(number));
  if (converters->ToUtf8.IsOpen() && converters->FromUtf8.IsOpen()) return converters;
  error = "this system does not convert code page " + std::to_string(number);
  return nullptr;
}

std::optional<std::string> BytesOfUtf8(CodePage::Converters& converters, const std::string& utf8) {
  std::string bytes;
  std::string_view rest = utf8;
  while (!rest.empty()) {
    const std::size_t length = Utf8CharacterLength(rest);
    if (length == 0 || rest[0] == '\0') return std::nullopt;
    const std::size_t before = bytes.size();
    if (converters.FromUtf8.Character(rest.substr(0, length), bytes) !=
            Conversion::Outcome::Converted ||
        bytes.size() - before > 2)
      return std::nullopt;
    rest.remove_prefix(length);
  }
  return bytes;
}

std::optional<std::string> Utf8OfBytes(CodePage::Converters& converters, const std::string& bytes) {
  std::string utf8;
  std::string_view rest = bytes;
  while (!rest.empty()) {
    // A lead byte alone is incomplete; a character that is still incomplete after two
    // bytes is not one of an ANSI code page.
    std::size_t length = 1;
    Conversion::Outcome outcome = converters.ToUtf8.Character(rest.substr(0, 1), utf8);
    if (outcome == Conversion::Outcome::Incomplete && rest.size() >= 2) {
      length = 2;
      outcome = converters.ToUtf8.Character(rest.substr(0, 2), utf8);
    }
    if (outcome != Conversion::Outcome::Converted) return std::nullopt;
    rest.remove_prefix(length);
  }
  return utf8;
}

} // namespace plugin
