#include "framework/Clipboard.h"

#include "framework/WideText.h"

#include <cstring>

namespace {
// A global memory block of these bytes, for SetClipboardData, which then owns it.
HGLOBAL GlobalCopy(const void* data, std::size_t size) {
  const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size == 0 ? 1 : size);
  if (memory == nullptr) return nullptr;
  if (void* target = GlobalLock(memory)) {
    if (size != 0) std::memcpy(target, data, size);
    GlobalUnlock(memory);
    return memory;
  }
  GlobalFree(memory);
  return nullptr;
}

bool PutBlock(UINT format, const void* data, std::size_t size) {
  const HGLOBAL memory = GlobalCopy(data, size);
  if (memory == nullptr) return false;
  if (SetClipboardData(format, memory) != nullptr) return true;
  GlobalFree(memory);
  return false;
}
} // namespace

TClipboard::TClipboard(HWND owner) : FOpened(OpenClipboard(owner) != FALSE) {}

TClipboard::~TClipboard() {
  if (FOpened) CloseClipboard();
}

bool TClipboard::Empty() const { return FOpened && EmptyClipboard() != FALSE; }

bool TClipboard::PutBytes(UINT format, const std::vector<std::uint8_t>& bytes) const {
  return FOpened && PutBlock(format, bytes.data(), bytes.size());
}

bool TClipboard::PutText(const std::string& utf8) const {
  const std::wstring wide = WideFromUtf8(utf8);
  return FOpened && PutBlock(CF_UNICODETEXT, wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
}

std::optional<std::vector<std::uint8_t>> TClipboard::Bytes(UINT format) const {
  if (!FOpened) return std::nullopt;
  const HANDLE data = GetClipboardData(format);
  if (data == nullptr) return std::nullopt;
  const auto* bytes = static_cast<const std::uint8_t*>(GlobalLock(data));
  if (bytes == nullptr) return std::nullopt;
  std::vector<std::uint8_t> copy(bytes, bytes + GlobalSize(data));
  GlobalUnlock(data);
  return copy;
}

std::optional<std::string> TClipboard::Text() const {
  const auto bytes = Bytes(CF_UNICODETEXT);
  if (!bytes) return std::nullopt;
  std::wstring wide(bytes->size() / sizeof(wchar_t), L'\0');
  std::memcpy(wide.data(), bytes->data(), wide.size() * sizeof(wchar_t));
  wide.resize(std::wcslen(wide.c_str())); // the block may be longer than its text
  return Utf8FromWide(wide);
}
