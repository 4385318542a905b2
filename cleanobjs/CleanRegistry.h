#pragma once
// The registry clean item: one value, all values of a key, or a whole key.

#include "cleanobjs/CleanObjs.h"

// Registry sub-kinds as stored in the record's kind byte.
constexpr std::uint8_t kRegistryValue = 0;
constexpr std::uint8_t kRegistryWholeKey = 1;
constexpr std::uint8_t kRegistryAllValues = 2;

class TCleanRegistry : public TCleanObj {
public:
  TCleanRegistry(std::string name, std::uint32_t rootKey, std::uint8_t kind,
                 std::string keyPath, std::string valueName);

  std::int64_t LoadFromStream(TStream& stream) override;
  std::int64_t SaveToStream(TStream& stream) override;
  void CheckStoredTexts(std::vector<plugin::StoredText>& overlong, int itemNumber) const override;

  std::uint32_t RootKey() const { return FRootKey; }
  std::uint8_t Kind() const { return FKind; }
  const std::string& KeyPath() const { return FKeyPath; }
  const std::string& ValueName() const { return FValueName; }

private:
  std::string FValueName;
  std::string FKeyPath;
  std::uint8_t FKind;
  std::uint32_t FRootKey;
};
