#include "app/PlugInFormat.h"

#include <algorithm>
#include <cstring>

namespace plugin {

namespace {

// Offsets inside the header.
constexpr std::size_t kHeaderNameOffset = 4;
constexpr std::size_t kHeaderAuthorOffset = 132;
constexpr std::size_t kHeaderTimeOffset = 264;
constexpr std::size_t kHeaderCountOffset = 272;

// Offsets inside the registry body.
constexpr std::size_t kRootKeyOffset = 0;
constexpr std::size_t kKeyPathOffset = 4;
constexpr std::size_t kValueNameOffset = 260;
constexpr std::size_t kRegistryKindOffset = 516;

constexpr std::uint8_t kMagic[kMagicSize] = {'P', 'I', 'P', 'J'};

// The file is little-endian whatever the machine is, so integers are moved byte by
// byte instead of being copied in the host's order.
void PutUInt32(std::uint8_t* at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint32_t GetUInt32(const std::uint8_t* at) {
  std::uint32_t value = 0;
  for (int i = 0; i < 4; ++i) value |= static_cast<std::uint32_t>(at[i]) << (8 * i);
  return value;
}

void PutUInt64(std::uint8_t* at, std::uint64_t value) {
  for (int i = 0; i < 8; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint64_t GetUInt64(const std::uint8_t* at) {
  std::uint64_t value = 0;
  for (int i = 0; i < 8; ++i) value |= static_cast<std::uint64_t>(at[i]) << (8 * i);
  return value;
}

// The time is stored as the bits of an IEEE 754 double, kept exactly (also a NaN).
void PutDouble(std::uint8_t* at, double value) {
  std::uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  PutUInt64(at, bits);
}

double GetDouble(const std::uint8_t* at) {
  const std::uint64_t bits = GetUInt64(at);
  double value = 0.0;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

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

bool HasPlugInMagic(const std::uint8_t* bytes, std::size_t count) {
  return count >= kMagicSize && std::memcmp(bytes, kMagic, kMagicSize) == 0;
}

std::array<std::uint8_t, kHeaderSize> EncodeHeader(const PlugInHeader& header) {
  std::array<std::uint8_t, kHeaderSize> bytes{}; // padding and unused text bytes are zero
  std::memcpy(bytes.data(), kMagic, kMagicSize);
  PutTextField(bytes.data() + kHeaderNameOffset, kNameFieldSize, header.Name);
  PutTextField(bytes.data() + kHeaderAuthorOffset, kNameFieldSize, header.Author);
  PutDouble(bytes.data() + kHeaderTimeOffset, header.Time);
  PutUInt32(bytes.data() + kHeaderCountOffset, static_cast<std::uint32_t>(header.ItemCount));
  return bytes;
}

PlugInHeader DecodeHeader(const std::array<std::uint8_t, kHeaderSize>& bytes) {
  PlugInHeader header;
  header.Name = GetTextField(bytes.data() + kHeaderNameOffset, kNameFieldSize);
  header.Author = GetTextField(bytes.data() + kHeaderAuthorOffset, kNameFieldSize);
  header.Time = GetDouble(bytes.data() + kHeaderTimeOffset);
  header.ItemCount = static_cast<std::int32_t>(GetUInt32(bytes.data() + kHeaderCountOffset));
  return header;
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
