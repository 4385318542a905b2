#include "framework/Registry.h"

#include "framework/SysError.h"

#include <algorithm>

// Deletes the key behind the handle. The registry's own call, the one way to delete a
// link rather than the key it leads to; mingw declares it only among the driver kit's
// headers.
extern "C" LONG NTAPI NtDeleteKey(HANDLE key);

namespace {

// Key names hold at most 255 characters, value names 16383; a buffer of the larger
// size therefore takes every name, and ERROR_MORE_DATA cannot occur.
constexpr DWORD kMaxNameLength = 16383;

using EnumFunction = LONG (*)(HKEY key, DWORD index, char* name, DWORD* length);

std::vector<std::string> EnumNames(HKEY key, EnumFunction next) {
  std::vector<std::string> names;
  if (!key) return names;
  std::string buffer(kMaxNameLength + 1, '\0');
  for (DWORD index = 0;; ++index) {
    DWORD length = static_cast<DWORD>(buffer.size());
    const LONG result = next(key, index, buffer.data(), &length);
    // Any other failure ends the list as if it were complete: the caller only
    // measures or deletes what it can name.
    if (result != ERROR_SUCCESS) break;
    names.emplace_back(buffer.data(), length);
  }
  return names;
}

LONG NextKeyName(HKEY key, DWORD index, char* name, DWORD* length) {
  return RegEnumKeyExA(key, index, name, length, nullptr, nullptr, nullptr, nullptr);
}

LONG NextValueName(HKEY key, DWORD index, char* name, DWORD* length) {
  return RegEnumValueA(key, index, name, length, nullptr, nullptr, nullptr, nullptr);
}

} // namespace

HKEY PredefinedKey(std::uint32_t rootKey) {
  const auto extended = static_cast<LONG_PTR>(static_cast<LONG>(rootKey));
  return reinterpret_cast<HKEY>(extended);
}

void TRegistry::SetRootKey(HKEY rootKey) {
  CloseKey();
  FRootKey = rootKey;
}

bool TRegistry::OpenKey(const std::string& path) {
  CloseKey();
  const LONG result =
      RegOpenKeyExA(FRootKey, KeyPathFromRoot(path).c_str(), 0, FAccess, FCurrentKey.put());
  if (result != ERROR_SUCCESS) {
    FCurrentKey.release(); // not a handle after a failure
    return false;
  }
  return true;
}

std::vector<std::string> TRegistry::GetKeyNames() const {
  return EnumNames(FCurrentKey.get(), &NextKeyName);
}

std::vector<std::string> TRegistry::GetValueNames() const {
  return EnumNames(FCurrentKey.get(), &NextValueName);
}

std::vector<TRegistry::ValueSize> TRegistry::GetValueSizes() const {
  std::vector<ValueSize> values;
  if (!FCurrentKey) return values;
  std::string buffer(kMaxNameLength + 1, '\0');
  for (DWORD index = 0;; ++index) {
    DWORD length = static_cast<DWORD>(buffer.size());
    DWORD size = 0;
    // Without a data buffer the listing reports the size the data would need.
    if (RegEnumValueA(FCurrentKey.get(), index, buffer.data(), &length, nullptr, nullptr, nullptr,
                      &size) != ERROR_SUCCESS)
      break;
    values.push_back({std::string(buffer.data(), length), static_cast<std::int64_t>(size)});
  }
  return values;
}

namespace {
std::string FailedToGetData(const std::string& name) {
  return "Failed to get data for '" + name + "'";
}
std::string InvalidDataType(const std::string& name) {
  return "Invalid data type for '" + name + "'";
}
} // namespace

TRegistry::Data TRegistry::ReadData(const std::string& name) const {
  if (!FCurrentKey) throw ECommandError(FailedToGetData(name));
  // Most values fit a small buffer, so one query reads most of them.
  Data data;
  data.Bytes.resize(512);
  DWORD size = static_cast<DWORD>(data.Bytes.size());
  LONG result = RegQueryValueExA(FCurrentKey.get(), name.c_str(), nullptr, &data.Type,
                                 reinterpret_cast<BYTE*>(data.Bytes.data()), &size);
  if (result == ERROR_MORE_DATA) {
    const DWORD sizedType = data.Type;
    data.Bytes.resize(size);
    result = RegQueryValueExA(FCurrentKey.get(), name.c_str(), nullptr, &data.Type,
                              reinterpret_cast<BYTE*>(data.Bytes.data()), &size);
    if (result == ERROR_SUCCESS && data.Type != sizedType) throw ECommandError(InvalidDataType(name));
  }
  if (result != ERROR_SUCCESS) throw ECommandError(FailedToGetData(name));
  data.Bytes.resize(std::min<std::size_t>(size, data.Bytes.size()));
  return data;
}

bool TRegistry::ValueExists(const std::string& name) const {
  return GetDataSize(name) >= 0;
}

std::int64_t TRegistry::GetDataSize(const std::string& name) const {
  if (!FCurrentKey) return -1;
  DWORD size = 0;
  const LONG result =
      RegQueryValueExA(FCurrentKey.get(), name.c_str(), nullptr, nullptr, nullptr, &size);
  return result == ERROR_SUCCESS ? static_cast<std::int64_t>(size) : -1;
}

bool TRegistry::DeleteValue(const std::string& name) const {
  if (!FCurrentKey) return false;
  return RegDeleteValueA(FCurrentKey.get(), name.c_str()) == ERROR_SUCCESS;
}

bool TRegistry::DeleteKey(const std::string& path) const {
  const std::string fromRoot = KeyPathFromRoot(path);
  if (NamesRootKey(fromRoot)) return false;
  if (IsLink(fromRoot)) return DeleteLink(fromRoot);
  {
    // Names are read first and deleted after: deleting while enumerating would move
    // the later subkeys to lower indexes and skip some of them.
    unique_hkey key;
    if (RegOpenKeyExA(FRootKey, fromRoot.c_str(), 0, FAccess, key.put()) != ERROR_SUCCESS) {
      key.release();
      return false;
    }
    for (const std::string& name : EnumNames(key.get(), &NextKeyName))
      DeleteKey(SubKeyPath(fromRoot, name));
  }
  return RegDeleteKeyA(FRootKey, fromRoot.c_str()) == ERROR_SUCCESS;
}

namespace {
// The key itself when it is a link, not the key it leads to; null when it cannot be
// opened so.
unique_hkey OpenAsLink(HKEY root, const std::string& path, REGSAM access) {
  unique_hkey key;
  if (RegOpenKeyExA(root, path.c_str(), REG_OPTION_OPEN_LINK, access, key.put()) != ERROR_SUCCESS)
    key.release();
  return key;
}
} // namespace

bool TRegistry::IsLink(const std::string& path) const {
  // A key that cannot be looked at counts as a link: entered, it might lead anywhere.
  const unique_hkey key = OpenAsLink(FRootKey, KeyPathFromRoot(path), KEY_QUERY_VALUE);
  if (!key) return true;
  DWORD type = REG_NONE;
  const LONG result =
      RegQueryValueExA(key.get(), "SymbolicLinkValue", nullptr, &type, nullptr, nullptr);
  if (result == ERROR_FILE_NOT_FOUND) return false;
  return result != ERROR_SUCCESS || type == REG_LINK;
}

bool TRegistry::DeleteLink(const std::string& path) const {
  // RegDeleteKeyA on a link deletes the key it leads to, and leaves the link.
  const unique_hkey link = OpenAsLink(FRootKey, KeyPathFromRoot(path), DELETE);
  return link && NtDeleteKey(link.get()) == 0;
}
