#pragma once
// A key of its own for one test under HKEY_LOCAL_MACHINE\Software\VarnexTests, made
// in one registry view: the 64-bit programs' or the 32-bit programs' (WOW6432Node).
// A 32-bit program that names the path sees the 32-bit view only. Removed, with
// everything below it, from both views afterwards.

#include <windows.h>

#include <string>

class Wow64Key {
public:
  Wow64Key();
  ~Wow64Key();
  Wow64Key(const Wow64Key&) = delete;
  Wow64Key& operator=(const Wow64Key&) = delete;

  // The path below HKEY_LOCAL_MACHINE, the same in both views.
  const std::string& Path() const { return FPath; }
  // Creates `relative` below the key in the view (KEY_WOW64_64KEY or KEY_WOW64_32KEY)
  // and sets a REG_BINARY value of `size` bytes in it.
  void SetValue(REGSAM view, const std::string& relative, const std::string& name,
                std::size_t size) const;

private:
  std::string FPath;
};
