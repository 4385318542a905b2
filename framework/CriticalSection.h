#pragma once
// A Win32 critical section owned for its whole life. It is recursive, as critical
// sections are, and meets the Lockable requirements so std::lock_guard can hold it.

#include <windows.h>

class TCriticalSection {
public:
  TCriticalSection() { InitializeCriticalSection(&FSection); }
  ~TCriticalSection() { DeleteCriticalSection(&FSection); }
  TCriticalSection(const TCriticalSection&) = delete;
  TCriticalSection& operator=(const TCriticalSection&) = delete;

  void lock() { EnterCriticalSection(&FSection); }
  void unlock() { LeaveCriticalSection(&FSection); }
  bool try_lock() { return TryEnterCriticalSection(&FSection) != FALSE; }

private:
  CRITICAL_SECTION FSection;
};
