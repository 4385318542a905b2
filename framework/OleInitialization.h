#pragma once
// OLE on the calling thread for as long as the object lives. The shell's folder
// browser, like every shell dialog built on COM, needs a single-threaded apartment on
// the thread that shows it.

#include <windows.h>
#include <ole2.h>

class TOleInitialization {
public:
  TOleInitialization() : FResult(OleInitialize(nullptr)) {}
  // Only a successful initialisation, S_FALSE included, is undone.
  ~TOleInitialization() {
    if (SUCCEEDED(FResult)) OleUninitialize();
  }
  TOleInitialization(const TOleInitialization&) = delete;
  TOleInitialization& operator=(const TOleInitialization&) = delete;

private:
  HRESULT FResult;
};
