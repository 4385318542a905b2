#pragma once
// The bytes of a clean item's record in a plug-in file: the kind byte, the item name
// field and the kind's fixed-size body. All integers are little-endian; texts are
// single-byte characters in fixed-width fields, each stored followed by a NUL.
// Nothing here needs the operating system.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace plugin {

constexpr std::size_t kNameFieldSize = 128;  // plug-in name, author, item name
constexpr std::size_t kKeyFieldSize = 256;   // registry key path and value name
constexpr std::size_t kPathFieldSize = 1024; // file path, folder path, mask text

constexpr std::size_t kRegistryBodySize = 520;
constexpr std::size_t kFileBodySize = kPathFieldSize;
constexpr std::size_t kFolderPathPartSize = kPathFieldSize + 1; // path and flag byte
constexpr std::size_t kFolderBodySize = kFolderPathPartSize + kPathFieldSize;

// A record is the kind byte, the item name field and the kind's body.
constexpr std::size_t kRegistryRecordSize = 1 + kNameFieldSize + kRegistryBodySize; // 649
constexpr std::size_t kFileRecordSize = 1 + kNameFieldSize + kFileBodySize;         // 1153
constexpr std::size_t kFolderRecordSize = 1 + kNameFieldSize + kFolderBodySize;     // 2178

enum class ItemKind : std::uint8_t { Registry = 0, File = 1, Folder = 2 };

// Whether a kind byte read from a file names one of the three kinds.
bool IsKnownItemKind(std::uint8_t kindByte);
// The bytes that follow the kind byte of a record of a known kind.
std::size_t RecordSizeAfterKindByte(ItemKind kind);

// A field of `width` bytes holds at most width - 1 characters and their NUL.
bool FitsTextField(const std::string& text, std::size_t width);
// The characters up to the first NUL, or all `width` characters when there is none.
std::string GetTextField(const std::uint8_t* field, std::size_t width);
// Zero-fills the field, then stores at most width - 1 characters of `text`; the
// text is never written past the field.
void PutTextField(std::uint8_t* field, std::size_t width, const std::string& text);

struct RegistryBody {
  std::uint32_t RootKey = 0;
  std::string KeyPath;
  std::string ValueName;
  std::uint8_t Kind = 1;

  friend bool operator==(const RegistryBody&, const RegistryBody&) = default;
};
// The five root keys the items work on, as a record stores them.
constexpr std::uint32_t kClassesRoot = 0x80000000;
constexpr std::uint32_t kCurrentUser = 0x80000001;
constexpr std::uint32_t kLocalMachine = 0x80000002;
constexpr std::uint32_t kUsers = 0x80000003;
constexpr std::uint32_t kCurrentConfig = 0x80000005;
// Whether a stored root key is one of the five.
bool IsKnownRootKey(std::uint32_t rootKey);
std::array<std::uint8_t, kRegistryBodySize> EncodeRegistryBody(const RegistryBody& body);
RegistryBody DecodeRegistryBody(const std::array<std::uint8_t, kRegistryBodySize>& bytes);

// The first piece of a folder body: the folder path and the remove-empty-folders
// byte, which is kept exactly as read (any value other than 0 means yes).
struct FolderPathPart {
  std::string Folder;
  std::uint8_t RemoveEmptyFolder = 0;

  friend bool operator==(const FolderPathPart&, const FolderPathPart&) = default;
};
std::array<std::uint8_t, kFolderPathPartSize> EncodeFolderPathPart(const FolderPathPart& part);
FolderPathPart DecodeFolderPathPart(const std::array<std::uint8_t, kFolderPathPartSize>& bytes);

// The mask list as one text: every mask followed by CR LF, in order.
std::string JoinMasks(const std::vector<std::string>& masks);
// Cuts the text into masks at CR, LF or CR LF; a break at the very end adds no
// empty mask, an empty line between two breaks is an empty mask.
std::vector<std::string> SplitMasks(const std::string& text);

} // namespace plugin
