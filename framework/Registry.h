#pragma once
// The registry accessor: one root key and at most one open key, the current key.
// Every path is taken from the root key, whatever key is open, and a leading "\" is
// accepted and means the same path without it (RegOpenKeyExA itself refuses it).
// Keys are opened with the access asked for at construction and never created.

#include "framework/RegistryPaths.h"
#include "framework/UniqueHandle.h"

#include <cstdint>
#include <string>
#include <vector>

// The predefined key handle for a root key stored as its 32-bit value, such as
// 0x80000001 for HKEY_CURRENT_USER. Handles are pointer-sized and the predefined
// ones sign-extended, so 0x80000001 becomes 0xFFFFFFFF80000001 on x86-64.
HKEY PredefinedKey(std::uint32_t rootKey);

class TRegistry {
public:
  explicit TRegistry(REGSAM access = KEY_ALL_ACCESS) : FAccess(access) {}

  // Closes the current key, since it belongs to the previous root.
  void SetRootKey(HKEY rootKey);
  HKEY RootKey() const { return FRootKey; }

  // Makes the existing key `path` the current key. On failure no key is current, so
  // nothing done afterwards can reach the key that was open before.
  bool OpenKey(const std::string& path);
  void CloseKey() { FCurrentKey.reset(); }
  bool HasCurrentKey() const { return static_cast<bool>(FCurrentKey); }

  // Names in the registry's enumeration order; empty without a current key. The
  // unnamed default value, when it is set, is listed as "".
  std::vector<std::string> GetKeyNames() const;
  std::vector<std::string> GetValueNames() const;

  struct ValueSize {
    std::string Name;
    std::int64_t Size;
  };
  // The current key's values with the byte counts of their data, in enumeration
  // order, as one listing gives them; empty without a current key.
  std::vector<ValueSize> GetValueSizes() const;

  struct Data {
    DWORD Type = REG_NONE;
    std::string Bytes;
  };
  // The value's type and data, in one read unless the data is large. Raises "Failed
  // to get data for '%s'" when it cannot be read (no such value, no current key) and
  // "Invalid data type for '%s'" when its type changed between the read of its size
  // and the read of its data.
  Data ReadData(const std::string& name) const;

  bool ValueExists(const std::string& name) const;
  // Bytes of the value's data, or -1 when it cannot be queried (no such value).
  std::int64_t GetDataSize(const std::string& name) const;
  bool DeleteValue(const std::string& name) const;

  // Whether the key `path` is a registry link (a key whose SymbolicLinkValue leads to
  // another key), as the key itself rather than where it leads. A key that cannot be
  // opened or queried so (gone, or its access denied) counts as one.
  bool IsLink(const std::string& path) const;

  // Deletes the key `path` and everything below it, subkeys first. A link, the key
  // itself or one below it, is deleted as the link itself; the key it leads to is
  // not entered. A subkey that
  // cannot be deleted is passed over and leaves its parent in place, so the result
  // is false. A path naming the root key itself is refused: that is never a key to
  // empty.
  bool DeleteKey(const std::string& path) const;

private:
  bool DeleteLink(const std::string& path) const;

  REGSAM FAccess;
  HKEY FRootKey = HKEY_CURRENT_USER;
  unique_hkey FCurrentKey;
};
