#pragma once
// The thread object: its Execute runs on an operating system thread of its own, and a
// free-on-terminate object deletes itself when Execute has ended. Whoever must ask
// such a thread to end or wait for its end holds its TThreadLink, which outlives the
// object: asking through the link is safe at any moment, and its thread handle stays
// open for waiting after the object has gone.

#include "framework/CriticalSection.h"
#include "framework/UniqueHandle.h"

#include <windows.h>

#include <memory>
#include <utility>

class TThread;

class TThreadLink {
public:
  // Calls the thread object's Terminate, unless its run has already ended.
  void Terminate();
  // Signalled once the operating system thread has ended.
  HANDLE Handle() const { return FHandle.get(); }
  bool Ended() const { return WaitForSingleObject(FHandle.get(), 0) == WAIT_OBJECT_0; }
  // Waits for the thread's end while answering the messages that other threads send
  // to this thread's windows: a worker blocked in SendMessage to one of them would
  // otherwise never end. Posted messages and user input stay queued, so no command
  // can run meanwhile. Returns false when `milliseconds` passed first.
  bool WaitFor(DWORD milliseconds = INFINITE) const;

private:
  friend class TThread;
  TCriticalSection FLock; // held by Terminate and by the end of the run
  TThread* FThread = nullptr;
  unique_handle FHandle;
};

class TThread {
public:
  virtual ~TThread();
  TThread(const TThread&) = delete;
  TThread& operator=(const TThread&) = delete;

  // Makes the thread object and, unless it was made suspended, starts its run once the
  // whole object is constructed: Execute never runs while a constructor still does.
  // A free-on-terminate object must not be used after this returns; the link is for
  // asking it to end and waiting for it.
  template <typename T, typename... Args>
  static std::shared_ptr<TThreadLink> Create(Args&&... args) {
    std::unique_ptr<T> thread(new T(std::forward<Args>(args)...));
    std::shared_ptr<TThreadLink> link = thread->FLink;
    TThread* started = thread.release(); // from here on the run owns a free-on-terminate object
    started->AfterConstruction();
    return link;
  }

  // Starts the run of a thread made suspended.
  void Start();
  // Asks the run to end soon; what that means is the derived thread's to say. It may
  // be called on any thread, while Execute runs.
  virtual void Terminate() {}

protected:
  // Creates the operating system thread, suspended until the object is complete.
  // Throws "Thread creation error: %s" when the system refuses.
  explicit TThread(bool createSuspended);

  virtual void Execute() = 0;
  // Runs on the thread after Execute, before the object may delete itself, with the
  // link's lock held, so that no Terminate runs at the same time.
  virtual void DoTerminate() {}
  void SetFreeOnTerminate(bool value) { FFreeOnTerminate = value; }

private:
  static DWORD WINAPI ThreadProc(void* parameter);
  void AfterConstruction();

  std::shared_ptr<TThreadLink> FLink = std::make_shared<TThreadLink>();
  bool FCreateSuspended;
  bool FStarted = false;
  bool FAbandoned = false; // the object went before its run started
  bool FFreeOnTerminate = false;
  DWORD FThreadId = 0;
};
