#include "tests/support/TestKey.h"

#include "framework/UniqueHandle.h"

#include <atomic>
#include <stdexcept>
#include <vector>

namespace {

unique_hkey OpenUserKey(const std::string& path) {
  unique_hkey key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_ALL_ACCESS, key.put()) !=
      ERROR_SUCCESS)
    key.release();
  return key;
}

} // namespace

TestKey::TestKey() {
  // Unique across processes (the id) and within one (the counter).
  static std::atomic<unsigned> counter{0};
  FPath = "Software\\VarnexTests\\" + std::to_string(GetCurrentProcessId()) + "-" +
          std::to_string(GetTickCount()) + "-" + std::to_string(++counter);
  Create("");
}

TestKey::~TestKey() {
  RegDeleteTreeA(HKEY_CURRENT_USER, FPath.c_str());
  // The shared parent goes too once no test holds a key in it; RegDeleteKey refuses
  // a key that still has subkeys.
  RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\VarnexTests");
}

std::string TestKey::Sub(const std::string& relative) const {
  return relative.empty() ? FPath : FPath + "\\" + relative;
}

void TestKey::Create(const std::string& relative) const {
  unique_hkey key;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, Sub(relative).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                      nullptr, key.put(), nullptr) != ERROR_SUCCESS) {
    key.release();
    throw std::runtime_error("cannot create test key " + Sub(relative));
  }
}

void TestKey::SetValue(const std::string& relative, const std::string& valueName,
                       std::size_t size) const {
  Create(relative);
  unique_hkey key = OpenUserKey(Sub(relative));
  // Distinct bytes, so a size read from the wrong value would show.
  std::vector<BYTE> data(size);
  for (std::size_t i = 0; i < size; ++i) data[i] = static_cast<BYTE>(i * 7 + 1);
  if (!key || RegSetValueExA(key.get(), valueName.c_str(), 0, REG_BINARY, data.data(),
                             static_cast<DWORD>(size)) != ERROR_SUCCESS)
    throw std::runtime_error("cannot set test value " + valueName);
}

void TestKey::SetTypedValue(const std::string& relative, const std::string& valueName, DWORD type,
                            const std::string& bytes) const {
  Create(relative);
  unique_hkey key = OpenUserKey(Sub(relative));
  if (!key || RegSetValueExA(key.get(), valueName.c_str(), 0, type,
                             reinterpret_cast<const BYTE*>(bytes.data()),
                             static_cast<DWORD>(bytes.size())) != ERROR_SUCCESS)
    throw std::runtime_error("cannot set test value " + valueName);
}

bool TestKey::Exists(const std::string& relative) const {
  return static_cast<bool>(OpenUserKey(Sub(relative)));
}

bool TestKey::ValueExists(const std::string& relative, const std::string& valueName) const {
  unique_hkey key = OpenUserKey(Sub(relative));
  return key && RegQueryValueExA(key.get(), valueName.c_str(), nullptr, nullptr, nullptr,
                                 nullptr) == ERROR_SUCCESS;
}

void TestKey::DeleteValue(const std::string& relative, const std::string& valueName) const {
  unique_hkey key = OpenUserKey(Sub(relative));
  if (!key || RegDeleteValueA(key.get(), valueName.c_str()) != ERROR_SUCCESS)
    throw std::runtime_error("cannot delete test value " + valueName);
}
