#pragma once
// The clipboard, opened for the time of one object: its formats as bytes and as text.

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class TClipboard {
public:
  // Opens the clipboard for `owner`; Opened() says whether another program held it.
  explicit TClipboard(HWND owner);
  ~TClipboard();
  TClipboard(const TClipboard&) = delete;
  TClipboard& operator=(const TClipboard&) = delete;
  bool Opened() const { return FOpened; }

  // Empties the clipboard and makes `owner` its owner.
  bool Empty() const;
  bool PutBytes(UINT format, const std::vector<std::uint8_t>& bytes) const;
  // UTF-8 text as CF_UNICODETEXT.
  bool PutText(const std::string& utf8) const;
  std::optional<std::vector<std::uint8_t>> Bytes(UINT format) const;
  // CF_UNICODETEXT as UTF-8, up to its first NUL.
  std::optional<std::string> Text() const;

private:
  bool FOpened = false;
};
