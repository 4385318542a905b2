#include "cleanobjs/CleanRegistry.h"

#include "app/PlugInFormat.h"

#include <array>

TCleanRegistry::TCleanRegistry(std::string name, std::uint32_t rootKey, std::uint8_t kind,
                               std::string keyPath, std::string valueName)
    : TCleanObj(std::move(name)), FValueName(std::move(valueName)), FKeyPath(std::move(keyPath)),
      FKind(kind), FRootKey(rootKey) {}

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
  plugin::CheckStoredText(overlong, itemNumber, "Key path", FKeyPath, plugin::kKeyFieldSize);
  plugin::CheckStoredText(overlong, itemNumber, "Value name", FValueName, plugin::kKeyFieldSize);
}
