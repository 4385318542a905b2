#pragma once
// The program's worker threads: TMyThread, their base, which can be stopped, and
// TCollectInfoThread, the size preview's collection, which runs CollectInfo of every
// item of its list in list order, reporting to one window, and deletes itself when
// done.

#include "cleanobjs/CleanObjs.h"
#include "framework/Thread.h"

#include <atomic>
#include <memory>

class TMyThread : public TThread {
public:
  // Sets Stopped; derived threads add what stopping means for them.
  virtual void Stop() { FStopped.store(true); }
  bool Stopped() const { return FStopped.load(); }
  // The framework's request to end a run is a Stop.
  void Terminate() override { Stop(); }

protected:
  explicit TMyThread(bool createSuspended) : TThread(createSuspended) {}

private:
  std::atomic<bool> FStopped{false};
};

class TCollectInfoThread : public TMyThread {
public:
  // Starts a collection at once. The thread owns the list (never its items) and frees
  // it when its run ends. The items report to `notifyWindow`; null means none.
  static std::shared_ptr<TThreadLink> Create(std::unique_ptr<TCleanObjList> list,
                                             HWND notifyWindow);

  // Cancels every item of the list, in list order, after the inherited Stop. May run
  // on any thread; the items that scan check their flag and stop soon.
  void Stop() override;

protected:
  void Execute() override;
  // A stopped run clears the cancel flags of its items again once it has ended, so
  // that a later collection over the same items finds what they cover.
  void DoTerminate() override;

private:
  friend class TThread; // its Create constructs the object
  TCollectInfoThread(std::unique_ptr<TCleanObjList> list, HWND notifyWindow);

  std::unique_ptr<TCleanObjList> FList;
  HWND FNotifyWindow;
};
