#pragma once
// An owner for a shell item identifier list. The shell hands these out from its own
// allocator, so they are freed through SHGetMalloc, never with free or delete.

#include "framework/UniqueHandle.h"

#include <shlobj.h>

struct PidlTraits {
  using Type = LPITEMIDLIST;
  static LPITEMIDLIST Invalid() { return nullptr; }
  static void Close(LPITEMIDLIST pidl) {
    IMalloc* allocator = nullptr;
    if (SUCCEEDED(SHGetMalloc(&allocator))) {
      allocator->Free(pidl);
      allocator->Release();
    }
  }
};

using unique_pidl = UniqueAny<PidlTraits>;
