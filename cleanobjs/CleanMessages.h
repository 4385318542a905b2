#pragma once
// The window messages by which clean items report, and their payload records.
// Every message is sent synchronously; an address in LParam is valid only until
// SendMessage returns, so a receiver copies what it keeps.

#include <windows.h>

#include <cstdint>
#include <string>

constexpr UINT WM_ITEM_TEXT = WM_USER + 100;         // WParam TextLevel, LParam const char*
constexpr UINT WM_ITEM_FILE_FOUND = WM_USER + 101;   // LParam const TSearchRec*
constexpr UINT WM_ITEM_REG_FOUND = WM_USER + 102;    // LParam const TRegItem*
constexpr UINT WM_COLLECT_START = WM_USER + 103;
constexpr UINT WM_COLLECT_FINISH = WM_USER + 104;
constexpr UINT WM_ITEM_SEARCH_PATH = WM_USER + 107;  // LParam const char*
constexpr UINT WM_ITEM_FILE_CLEANED = WM_USER + 108; // LParam const std::int64_t*
constexpr UINT WM_ITEM_REG_CLEANED = WM_USER + 109;  // LParam the count itself (signed 32-bit)

// WParam of WM_ITEM_TEXT.
enum class TextLevel : std::uint8_t {
  Failure = 0,  // a registry key or value that cannot be opened, found or deleted; a
                // registry root key or an item path that the item refuses
  Progress = 1, // "Scan %s information ..." and "Start clean %s"
  Deferred = 2, // a file or folder left for deletion at the next restart
};

// One found directory entry. Size is the whole 64-bit size of the file
// (nFileSizeHigh and nFileSizeLow), so files of 2 GiB and more add up correctly.
struct TSearchRec {
  std::int32_t Time = 0;    // last write time as a packed DOS date and time
  std::int64_t Size = 0;
  std::int32_t Attr = 0;
  std::string Name;         // without its folder
  std::int32_t ExcludeAttr = 0;
  HANDLE FindHandle = nullptr;
  WIN32_FIND_DATAA FindData{};
};

// One registry value found. DataSize is 64-bit like the file sizes.
struct TRegItem {
  std::uint32_t RootKey = 0;
  std::string KeyPath;
  std::string ValueName;
  bool Flag = false;        // always false as sent
  std::int64_t DataSize = 0;
};
