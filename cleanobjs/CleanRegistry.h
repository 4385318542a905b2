#pragma once
// The registry clean item: one value, all values of a key, or a whole key.

#include "cleanobjs/CleanObjs.h"
#include "framework/Registry.h"

// Registry sub-kinds as stored in the record's kind byte.
constexpr std::uint8_t kRegistryValue = 0;
constexpr std::uint8_t kRegistryWholeKey = 1;
constexpr std::uint8_t kRegistryAllValues = 2;

class TCleanRegistry : public TCleanObj {
public:
  TCleanRegistry(std::string name, std::uint32_t rootKey, std::uint8_t kind,
                 std::string keyPath, std::string valueName);

  // Bytes of value data that the last collection found.
  std::int64_t GetSize() override;
  // Measures what the item covers and reports each value found. Stops at once when
  // cancelled; a missing key or value is reported as a level-0 text, never raised.
  void CollectInfo() override;
  // Deletes what the item covers. Before a whole key goes, every key below it is
  // handed to Kelvra.dll. A whole-key item naming a root key deletes nothing.
  void Clean() override;
  std::int64_t LoadFromStream(TStream& stream) override;
  std::int64_t SaveToStream(TStream& stream) override;
  void CheckStoredTexts(std::vector<plugin::StoredText>& overlong, int itemNumber) const override;

  std::uint32_t RootKey() const { return FRootKey; }
  std::uint8_t Kind() const { return FKind; }
  const std::string& KeyPath() const { return FKeyPath; }
  const std::string& ValueName() const { return FValueName; }

  // The bytes of every value in the key `path` and below it, reported as found:
  // each key's subkeys depth-first before its own values.
  std::int64_t CollectKeySize(const std::string& path);
  // Hands the name of every key below `path` to Kelvra.dll, each parent before its
  // subkeys; `path` itself gets no call.
  void AccessSubKeys(const std::string& path);

protected:
  // The one way to Kelvra.dll's _AccessRegItem@4, so that tests can see the calls.
  virtual void AccessRegItem(const std::string& keyName);

private:
  // Whether the root key is none of the five; if so, says so, and nothing is to be
  // read or deleted.
  bool RefusesRootKey() const;
  // Whether a whole-key item names the root key itself; if so, says so, and nothing
  // is to be measured or deleted.
  bool RefusesRootKeyPath() const;
  void CollectWholeKey();
  std::int64_t MeasureKey(const std::string& path);
  void AccessSubKeysBelow(const std::string& path, const std::string& keyName);
  void CollectOneValue();
  void CollectAllValues();
  void CleanOneValue();
  void CleanAllValues();
  void CleanWholeKey();

  TRegistry FRegistry;
  std::string FValueName;
  std::string FKeyPath;
  std::uint8_t FKind;
  std::uint32_t FRootKey;
  std::int64_t FTotalSize = 0;
};
