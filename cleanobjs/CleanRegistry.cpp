#include "cleanobjs/CleanRegistry.h"

#include "cleanobjs/ItemRecordFormat.h"
#include "kelvra/Kelvra.h"

#include <array>
#include <cstdio>
#include <mutex>

namespace {

// The name under which Kelvra.dll knows a root key; only the five are ever used here.
std::string RootKeyName(std::uint32_t rootKey) {
  switch (rootKey) {
  case 0x80000000u: return "CLASS_ROOT";
  case 0x80000002u: return "LOCAL_MACHINE";
  case 0x80000003u: return "USERS";
  case 0x80000005u: return "CURRENT_CONFIG";
  default: return "CURRENT_USER";
  }
}

} // namespace

TCleanRegistry::TCleanRegistry(std::string name, std::uint32_t rootKey, std::uint8_t kind,
                               std::string keyPath, std::string valueName)
    : TCleanObj(std::move(name)), FValueName(std::move(valueName)), FKeyPath(std::move(keyPath)),
      FKind(kind), FRootKey(rootKey) {}

std::int64_t TCleanRegistry::GetSize() { return FTotalSize; }

void TCleanRegistry::CollectInfo() {
  std::lock_guard<TCriticalSection> lock(CriticalSection());
  if (Cancelled()) return;
  TCleanObj::CollectInfo();
  FTotalSize = 0;
  if (RefusesRootKey()) return;
  FRegistry.SetRootKey(PredefinedKey(FRootKey));
  switch (FKind) {
  case kRegistryValue: CollectOneValue(); break;
  case kRegistryWholeKey: CollectWholeKey(); break;
  case kRegistryAllValues: CollectAllValues(); break;
  }
}

void TCleanRegistry::CollectWholeKey() {
  if (RefusesRootKeyPath()) return;
  // A key that is a link is deleted as the link itself: nothing of where it leads
  // goes with it.
  if (FRegistry.IsLink(FKeyPath)) return;
  FTotalSize = MeasureKey(FKeyPath);
}

bool TCleanRegistry::RefusesRootKeyPath() const {
  // An empty path, or "\", is the root key itself: deleting it would empty the whole
  // root key, which no plug-in means.
  if (!NamesRootKey(FKeyPath)) return false;
  SendText(TextLevel::Failure, "Key path [" + FKeyPath + "] names the root key " +
                                   RootKeyName(FRootKey) + ": nothing is deleted");
  return true;
}

bool TCleanRegistry::RefusesRootKey() const {
  // A file from elsewhere can hold any number here; used as a handle it could name a
  // key this program holds open, or none at all.
  if (plugin::IsKnownRootKey(FRootKey)) return false;
  char text[96];
  std::snprintf(text, sizeof text,
                "Root key [0x%08X] is not a registry root key: nothing is read or deleted",
                static_cast<unsigned>(FRootKey));
  SendText(TextLevel::Failure, text);
  return true;
}

void TCleanRegistry::CollectOneValue() {
  if (!FRegistry.OpenKey(FKeyPath)) {
    SendText(TextLevel::Failure, "Can not open key [" + FKeyPath + "]");
    return;
  }
  // Queried once: a value that is gone by now is missing, not a size of -1.
  const std::int64_t size = FRegistry.GetDataSize(FValueName);
  if (size < 0) {
    SendText(TextLevel::Failure, "Value name [" + FValueName + "] can not be found");
    return;
  }
  FTotalSize = size;
  SendRegFound(TRegItem{FRootKey, FKeyPath, FValueName, false, size});
}

void TCleanRegistry::CollectAllValues() {
  if (!FRegistry.OpenKey(FKeyPath)) {
    SendText(TextLevel::Failure, "Failed to open key [" + FKeyPath + "]");
    return;
  }
  for (const std::string& name : FRegistry.GetValueNames()) {
    if (Cancelled()) return;
    const std::int64_t size = FRegistry.GetDataSize(name);
    if (size < 0) continue; // deleted since it was listed: nothing of it to count
    FTotalSize += size;
    SendRegFound(TRegItem{FRootKey, FKeyPath, name, false, size});
  }
}

std::int64_t TCleanRegistry::CollectKeySize(const std::string& path) {
  std::lock_guard<TCriticalSection> lock(CriticalSection());
  return MeasureKey(path);
}

std::int64_t TCleanRegistry::MeasureKey(const std::string& path) {
  // Each level holds its key open across the descent, so every key is opened once,
  // and its values come with their sizes from one listing: the measure costs little
  // more than the registry's own enumeration.
  TRegistry level;
  level.SetRootKey(PredefinedKey(FRootKey));
  if (!level.OpenKey(path)) return 0;
  std::int64_t count = 0;
  for (const std::string& name : level.GetKeyNames()) {
    // A link leads to a key that the item does not name: it is not entered.
    const std::string subKey = SubKeyPath(path, name);
    if (!level.IsLink(subKey)) count += MeasureKey(subKey);
    if (Cancelled()) return count;
  }
  for (const TRegistry::ValueSize& value : level.GetValueSizes()) {
    if (Cancelled()) return count;
    count += value.Size;
    // The record names the key that holds the value, which for a value of a subkey
    // is not the item's own key.
    SendRegFound(TRegItem{FRootKey, path, value.Name, false, value.Size});
  }
  return count;
}

void TCleanRegistry::Clean() {
  std::lock_guard<TCriticalSection> lock(CriticalSection());
  TCleanObj::Clean();
  if (RefusesRootKey()) return;
  FRegistry.SetRootKey(PredefinedKey(FRootKey));
  switch (FKind) {
  case kRegistryValue: CleanOneValue(); break;
  case kRegistryWholeKey: CleanWholeKey(); break;
  case kRegistryAllValues: CleanAllValues(); break;
  }
}

void TCleanRegistry::CleanOneValue() {
  if (!FRegistry.OpenKey(FKeyPath)) return;
  const std::int64_t size = FRegistry.GetDataSize(FValueName);
  if (size < 0) return;
  if (FRegistry.DeleteValue(FValueName)) SendRegCleaned(size);
}

void TCleanRegistry::CleanAllValues() {
  if (!FRegistry.OpenKey(FKeyPath)) return;
  for (const std::string& name : FRegistry.GetValueNames()) {
    const std::int64_t size = FRegistry.GetDataSize(name);
    if (size < 0) continue;
    if (FRegistry.DeleteValue(name)) SendRegCleaned(size);
  }
}

void TCleanRegistry::CleanWholeKey() {
  if (RefusesRootKeyPath()) return;
  // The keys below a link are not the item's; DeleteKey removes the link alone.
  if (!FRegistry.IsLink(FKeyPath)) AccessSubKeys(FKeyPath);
  // The size found is reported only for a key that is really gone; a key that stays,
  // wholly or in part, is a failure like any other.
  if (FRegistry.DeleteKey(FKeyPath))
    SendRegCleaned(FTotalSize);
  else
    SendText(TextLevel::Failure, "Failed to delete key [" + FKeyPath + "]");
}

void TCleanRegistry::AccessSubKeys(const std::string& path) {
  // One "\" between the root key's name and the path, typed with a leading "\" or not.
  std::string keyName = RootKeyName(FRootKey);
  const std::string fromRoot = KeyPathFromRoot(path);
  if (!fromRoot.empty()) keyName += "\\" + fromRoot;
  AccessSubKeysBelow(path, keyName);
}

void TCleanRegistry::AccessSubKeysBelow(const std::string& path, const std::string& keyName) {
  // An accessor per level, open until the level's subkeys are done, so every key of
  // the descent stays open while Kelvra.dll is told about the keys below it.
  TRegistry registry(KEY_ALL_ACCESS);
  registry.SetRootKey(PredefinedKey(FRootKey));
  if (!registry.OpenKey(path)) return;
  for (const std::string& name : registry.GetKeyNames()) {
    const std::string subKeyName = SubKeyPath(keyName, name);
    AccessRegItem(subKeyName);
    // A link is told once, as a key of its own; what it leads to is not the item's.
    const std::string subKey = SubKeyPath(path, name);
    if (!registry.IsLink(subKey)) AccessSubKeysBelow(subKey, subKeyName);
  }
}

void TCleanRegistry::AccessRegItem(const std::string& keyName) {
  KelvraAccessRegItem(keyName.c_str()); // its result means nothing to the item
}

std::int64_t TCleanRegistry::LoadFromStream(TStream& stream) {
  std::int64_t count = TCleanObj::LoadFromStream(stream);
  std::array<std::uint8_t, plugin::kRegistryBodySize> bytes{};
  count += stream.Read(bytes.data(), static_cast<std::int64_t>(bytes.size()));
  // Any root key and kind byte is taken as stored; the editor shows what it holds.
  plugin::RegistryBody body = plugin::DecodeRegistryBody(bytes);
  FRootKey = body.RootKey;
  FKeyPath = std::move(body.KeyPath);
  FValueName = std::move(body.ValueName);
  FKind = body.Kind;
  return count;
}

std::int64_t TCleanRegistry::SaveToStream(TStream& stream) {
  std::int64_t count = TCleanObj::SaveToStream(stream);
  // The value name is written for every kind, as the editor held it, so a kind
  // changed back to "one value" finds it again after the file is reopened.
  const auto bytes = plugin::EncodeRegistryBody({FRootKey, FKeyPath, FValueName, FKind});
  count += stream.Write(bytes.data(), static_cast<std::int64_t>(bytes.size()));
  return count;
}

void TCleanRegistry::CheckStoredTexts(std::vector<plugin::StoredText>& overlong,
                                      int itemNumber) const {
  TCleanObj::CheckStoredTexts(overlong, itemNumber);
  plugin::CheckTargetText(overlong, itemNumber, "Key path", FKeyPath, plugin::kKeyFieldSize);
  plugin::CheckTargetText(overlong, itemNumber, "Value name", FValueName, plugin::kKeyFieldSize);
}
