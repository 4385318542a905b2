#include "tests/support/Wow64Key.h"

#include "framework/UniqueHandle.h"

#include <stdexcept>
#include <vector>

Wow64Key::Wow64Key()
    : FPath("Software\\VarnexTests\\wow64-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(GetTickCount())) {}

Wow64Key::~Wow64Key() {
  for (const REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
    unique_hkey key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, FPath.c_str(), 0, KEY_ALL_ACCESS | view, key.put()) !=
        ERROR_SUCCESS) {
      key.release();
      continue;
    }
    RegDeleteTreeA(key.get(), nullptr);
    key.reset();
    RegDeleteKeyExA(HKEY_LOCAL_MACHINE, FPath.c_str(), view, 0);
  }
}

void Wow64Key::SetValue(REGSAM view, const std::string& relative, const std::string& name,
                        std::size_t size) const {
  const std::string path = relative.empty() ? FPath : FPath + "\\" + relative;
  unique_hkey key;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view,
                      nullptr, key.put(), nullptr) != ERROR_SUCCESS) {
    key.release(); // not a handle after a failure
    throw std::runtime_error("cannot create HKEY_LOCAL_MACHINE\\" + path);
  }
  const std::vector<BYTE> data(size, 0x5A);
  RegSetValueExA(key.get(), name.c_str(), 0, REG_BINARY, data.data(), static_cast<DWORD>(size));
}
