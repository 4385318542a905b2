#pragma once
// The worker thread of the size preview: runs CollectInfo of every item of its list,
// in list order, reporting to one window, and deletes itself when done.

#include "cleanobjs/CleanObjs.h"
#include "preview/MyThreads.h"

#include <memory>

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
  friend class TMyThread; // its Create constructs the object
  TCollectInfoThread(std::unique_ptr<TCleanObjList> list, HWND notifyWindow);

  std::unique_ptr<TCleanObjList> FList;
  HWND FNotifyWindow;
};
