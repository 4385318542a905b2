#pragma once
// A registry key of its own for one test, HKEY_CURRENT_USER\Software\VarnexTests\<unique>,
// removed with everything below it afterwards. It is made and removed with the plain
// registry API, not with the code under test, so a fault there cannot hide itself.

#include <windows.h>

#include <cstdint>
#include <string>

class TestKey {
public:
  TestKey();
  ~TestKey();
  TestKey(const TestKey&) = delete;
  TestKey& operator=(const TestKey&) = delete;

  // The key's path below HKEY_CURRENT_USER, without a leading "\".
  const std::string& Path() const { return FPath; }
  // The path of `relative` below the key, such as "A\B".
  std::string Sub(const std::string& relative) const;

  // Creates the key `relative` below the test key ("" for the test key itself).
  void Create(const std::string& relative) const;
  // Creates the key when needed and sets a REG_BINARY value of `size` bytes in it
  // ("" for the unnamed default value).
  void SetValue(const std::string& relative, const std::string& valueName,
                std::size_t size) const;
  // Creates the key when needed and sets a value of `type` to exactly these bytes.
  void SetTypedValue(const std::string& relative, const std::string& valueName, DWORD type,
                     const std::string& bytes) const;
  bool Exists(const std::string& relative) const;
  bool ValueExists(const std::string& relative, const std::string& valueName) const;
  void DeleteValue(const std::string& relative, const std::string& valueName) const;

private:
  std::string FPath;
};
