#pragma once
// Owners for Win32 handles: one type per kind of handle, move-only, closing the
// handle when they go out of scope.

#include <windows.h>
#include <commctrl.h>

#include <utility>

// Traits give the handle type, its invalid value and how to close it.
template <typename Traits>
class UniqueAny {
public:
  using Handle = typename Traits::Type;

  UniqueAny() = default;
  explicit UniqueAny(Handle handle) : FHandle(handle) {}
  ~UniqueAny() { reset(); }
  UniqueAny(const UniqueAny&) = delete;
  UniqueAny& operator=(const UniqueAny&) = delete;
  UniqueAny(UniqueAny&& other) noexcept : FHandle(other.release()) {}
  UniqueAny& operator=(UniqueAny&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }

  Handle get() const { return FHandle; }
  explicit operator bool() const { return FHandle != Traits::Invalid(); }
  Handle release() { return std::exchange(FHandle, Traits::Invalid()); }
  void reset(Handle handle = Traits::Invalid()) {
    if (FHandle != Traits::Invalid()) Traits::Close(FHandle);
    FHandle = handle;
  }
  // For functions that return a handle through a pointer: releases the old one first.
  Handle* put() {
    reset();
    return &FHandle;
  }

private:
  Handle FHandle = Traits::Invalid();
};

template <typename T, BOOL (WINAPI* CloseFn)(T), bool MinusOneIsInvalid = false>
struct HandleTraits {
  using Type = T;
  static T Invalid() { return MinusOneIsInvalid ? reinterpret_cast<T>(-1) : T{}; }
  static void Close(T handle) { CloseFn(handle); }
};

struct KeyTraits {
  using Type = HKEY;
  static HKEY Invalid() { return nullptr; }
  static void Close(HKEY key) { RegCloseKey(key); }
};

// CreateFile and FindFirstFile report failure as INVALID_HANDLE_VALUE; events,
// threads and the rest as null.
using unique_hfile = UniqueAny<HandleTraits<HANDLE, CloseHandle, true>>;
using unique_handle = UniqueAny<HandleTraits<HANDLE, CloseHandle>>;
using unique_hfind = UniqueAny<HandleTraits<HANDLE, FindClose, true>>;
using unique_hkey = UniqueAny<KeyTraits>;
using unique_hgdiobj = UniqueAny<HandleTraits<HGDIOBJ, DeleteObject>>;
using unique_hicon = UniqueAny<HandleTraits<HICON, DestroyIcon>>;
using unique_himagelist = UniqueAny<HandleTraits<HIMAGELIST, ImageList_Destroy>>;
using unique_hmenu = UniqueAny<HandleTraits<HMENU, DestroyMenu>>;
using unique_hmodule = UniqueAny<HandleTraits<HMODULE, FreeLibrary>>;
