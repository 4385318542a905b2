#include "cleanobjs/ItemRecordFormat.h"

#include "framework/LittleEndian.h"

#include <algorithm>
#include <cstring>

namespace plugin {

namespace {

// Offsets inside the registry body.
constexpr std::size_t kRootKeyOffset = 0;
constexpr std::size_t kKeyPathOffset = 4;
constexpr std::size_t kValueNameOffset = 260;
constexpr std::size_t kRegistryKindOffset = 516;

bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }

} // namespace

bool IsKnownItemKind(std::uint8_t kindByte) {
  return kindByte <= static_cast<std::uint8_t>(ItemKind::Folder);
}

std::size_t RecordSizeAfterKindByte(ItemKind kind) {
  switch (kind) {
  case ItemKind::Registry: return kRegistryRecordSize - 1;
  case ItemKind::File: return kFileRecordSize - 1;
  case ItemKind::Folder: return kFolderRecordSize - 1;
  }
  return 0; // not reached: callers pass known kinds only
}

bool FitsTextField(const std::string& text, std::size_t width) {
  return text.size() < width;
}

std::string GetTextField(const std::uint8_t* field, std::size_t width) {
  const void* nul = std::memchr(field, 0, width);
  const std::size_t length =
      nul ? static_cast<std::size_t>(static_cast<const std::uint8_t*>(nul) - field) : width;
  return std::string(reinterpret_cast<const char*>(field), length);
}

void PutTextField(std::uint8_t* field, std::size_t width, const std::string& text) {
  if (width == 0) return;
  std::memset(field, 0, width);
  // The last byte stays NUL, so that a reader never runs on into the next field.
  const std::size_t length = std::min(text.size(), width - 1);
  std::memcpy(field, text.data(), length);
}

bool IsKnownRootKey(std::uint32_t rootKey) {
  return rootKey == kClassesRoot || rootKey == kCurrentUser || rootKey == kLocalMachine ||
         rootKey == kUsers || rootKey == kCurrentConfig;
}

std::array<std::uint8_t, kRegistryBodySize> EncodeRegistryBody(const RegistryBody& body) {
  std::array<std::uint8_t, kRegistryBodySize> bytes{}; // the 3 padding bytes are zero
  PutUInt32(bytes.data() + kRootKeyOffset, body.RootKey);
  PutTextField(bytes.data() + kKeyPathOffset, kKeyFieldSize, body.KeyPath);
  PutTextField(bytes.data() + kValueNameOffset, kKeyFieldSize, body.ValueName);
  bytes[kRegistryKindOffset] = body.Kind;
  return bytes;
}

RegistryBody DecodeRegistryBody(const std::array<std::uint8_t, kRegistryBodySize>& bytes) {
  RegistryBody body;
  body.RootKey = GetUInt32(bytes.data() + kRootKeyOffset);
  body.KeyPath = GetTextField(bytes.data() + kKeyPathOffset, kKeyFieldSize);
  body.ValueName = GetTextField(bytes.data() + kValueNameOffset, kKeyFieldSize);
  body.Kind = bytes[kRegistryKindOffset];
  return body;
}

std::array<std::uint8_t, kFolderPathPartSize> EncodeFolderPathPart(const FolderPathPart& part) {
  std::array<std::uint8_t, kFolderPathPartSize> bytes{};
  PutTextField(bytes.data(), kPathFieldSize, part.Folder);
  bytes[kPathFieldSize] = part.RemoveEmptyFolder;
  return bytes;
}

FolderPathPart DecodeFolderPathPart(const std::array<std::uint8_t, kFolderPathPartSize>& bytes) {
  FolderPathPart part;
  part.Folder = GetTextField(bytes.data(), kPathFieldSize);
  part.RemoveEmptyFolder = bytes[kPathFieldSize];
  return part;
}

std::string JoinMasks(const std::vector<std::string>& masks) {
  std::string text;
  for (const std::string& mask : masks) {
    text += mask;
    text += "\r\n";
  }
  return text;
}

std::vector<std::string> SplitMasks(const std::string& text) {
  std::vector<std::string> masks;
  std::size_t lineStart = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    if (!IsLineBreak(text[i])) {
      ++i;
      continue;
    }
    masks.push_back(text.substr(lineStart, i - lineStart));
    // CR LF is one break; LF CR is two, with an empty line between them.
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    lineStart = ++i;
  }
  if (lineStart < text.size()) masks.push_back(text.substr(lineStart));
  return masks;
}

} // namespace plugin
