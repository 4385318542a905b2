// The code pages through Windows' own conversions. A code page whose characters may
// take more than two bytes is refused when opened, so that whole texts convert at once.
#include "ppj/CodePageConverters.h"

#include <windows.h>

namespace plugin {

struct CodePage::Converters {
  UINT Number = 0;
};

std::shared_ptr<CodePage::Converters> OpenConverters(int number, std::string& error) {
  const std::string named = "code page " + std::to_string(number);
  CPINFOEXW info{};
  if (number <= 0 || !GetCPInfoExW(static_cast<UINT>(number), 0, &info)) {
    error = "this system does not convert " + named;
    return nullptr;
  }
  if (info.MaxCharSize > 2) {
    error = named + " has characters of up to " + std::to_string(info.MaxCharSize) +
            " bytes, so it is not an ANSI code page";
    return nullptr;
  }
  return std::make_shared<CodePage::Converters>(CodePage::Converters{static_cast<UINT>(number)});
}

namespace {

// The text as UTF-16, or nothing when a byte or byte pair stands for no character.
std::optional<std::wstring> Wide(UINT codePage, const std::string& text) {
  if (text.empty()) return std::wstring();
  const int size = static_cast<int>(text.size());
  const int length =
      MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
  if (length <= 0) return std::nullopt;
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  if (MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), size, wide.data(), length) !=
      length)
    return std::nullopt;
  return wide;
}

// The UTF-16 text in the code page, or nothing when a character has no form of its
// own there: Windows would put the default character or a similar one ("best fit",
// a fullwidth solidus as "/") in its place.
std::optional<std::string> Narrow(UINT codePage, const std::wstring& wide) {
  if (wide.empty()) return std::string();
  const bool utf8 = codePage == CP_UTF8;
  const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
  BOOL usedDefault = FALSE;
  BOOL* const defaultFlag = utf8 ? nullptr : &usedDefault; // UTF-8 takes no such flag
  const int size = static_cast<int>(wide.size());
  const int length =
      WideCharToMultiByte(codePage, flags, wide.data(), size, nullptr, 0, nullptr, defaultFlag);
  if (length <= 0 || usedDefault) return std::nullopt;
  std::string text(static_cast<std::size_t>(length), '\0');
  if (WideCharToMultiByte(codePage, flags, wide.data(), size, text.data(), length, nullptr,
                          defaultFlag) != length ||
      usedDefault)
    return std::nullopt;
  return text;
}

} // namespace

std::optional<std::string> BytesOfUtf8(CodePage::Converters& converters, const std::string& utf8) {
  const std::optional<std::wstring> wide = Wide(CP_UTF8, utf8);
  if (!wide || wide->find(L'\0') != std::wstring::npos) return std::nullopt;
  return Narrow(converters.Number, *wide);
}

std::optional<std::string> Utf8OfBytes(CodePage::Converters& converters, const std::string& bytes) {
  const std::optional<std::wstring> wide = Wide(converters.Number, bytes);
  if (!wide) return std::nullopt;
  return Narrow(CP_UTF8, *wide);
}

} // namespace plugin
