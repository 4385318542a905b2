#include "framework/Thread.h"

#include "framework/SysError.h"

#include <mutex>

void TThreadLink::Terminate() {
  std::lock_guard<TCriticalSection> lock(FLock);
  if (FThread != nullptr) FThread->Terminate();
}

bool TThreadLink::WaitFor(DWORD milliseconds) const {
  const HANDLE handle = FHandle.get();
  const ULONGLONG start = GetTickCount64();
  while (true) {
    ULONGLONG left = INFINITE;
    if (milliseconds != INFINITE) {
      const ULONGLONG spent = GetTickCount64() - start;
      if (spent >= milliseconds) return WaitForSingleObject(handle, 0) == WAIT_OBJECT_0;
      left = milliseconds - spent;
    }
    const DWORD woken =
        MsgWaitForMultipleObjects(1, &handle, FALSE, static_cast<DWORD>(left), QS_SENDMESSAGE);
    if (woken == WAIT_OBJECT_0) return true;
    if (woken == WAIT_FAILED) return false;
    // Peeking with PM_QS_SENDMESSAGE delivers the pending sent messages and takes
    // nothing out of the queue.
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
}

TThread::TThread(bool createSuspended) : FCreateSuspended(createSuspended) {
  const HANDLE handle =
      CreateThread(nullptr, 0, &TThread::ThreadProc, this, CREATE_SUSPENDED, &FThreadId);
  if (handle == nullptr)
    throw ECommandError("Thread creation error: " + SysErrorMessage(GetLastError()));
  FLink->FHandle.reset(handle);
  FLink->FThread = this;
}

TThread::~TThread() {
  if (!FStarted) {
    // Never run (made suspended, or a derived constructor failed): let the system
    // thread end at once without touching anything else of the object.
    FAbandoned = true;
    ResumeThread(FLink->Handle());
    WaitForSingleObject(FLink->Handle(), INFINITE);
    std::lock_guard<TCriticalSection> lock(FLink->FLock);
    FLink->FThread = nullptr;
  } else if (GetCurrentThreadId() != FThreadId) {
    // An object that does not free itself is deleted by its owner after the run.
    WaitForSingleObject(FLink->Handle(), INFINITE);
  }
}

void TThread::AfterConstruction() {
  if (!FCreateSuspended) Start();
}

void TThread::Start() {
  if (FStarted) return;
  FStarted = true;
  ResumeThread(FLink->Handle());
}

DWORD WINAPI TThread::ThreadProc(void* parameter) {
  auto* self = static_cast<TThread*>(parameter);
  if (self->FAbandoned) return 0;
  // An error ends the run; no exception may leave the thread, which would end the
  // program, and no one waits to be told of it.
  try {
    self->Execute();
  } catch (...) {
  }
  // Read before the end of the run: once the link no longer names the object, an
  // owner waiting for the end may delete it.
  const bool freeSelf = self->FFreeOnTerminate;
  const std::shared_ptr<TThreadLink> link = self->FLink;
  {
    std::lock_guard<TCriticalSection> lock(link->FLock);
    try {
      self->DoTerminate();
    } catch (...) {
    }
    link->FThread = nullptr;
  }
  if (freeSelf) delete self;
  return 0;
}
