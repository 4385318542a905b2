#include "preview/MyThreads.h"

std::shared_ptr<TThreadLink> TCollectInfoThread::Create(std::unique_ptr<TCleanObjList> list,
                                                        HWND notifyWindow) {
  return TThread::Create<TCollectInfoThread>(std::move(list), notifyWindow);
}

TCollectInfoThread::TCollectInfoThread(std::unique_ptr<TCleanObjList> list, HWND notifyWindow)
    : TMyThread(false), FList(list ? std::move(list) : std::make_unique<TCleanObjList>()),
      FNotifyWindow(notifyWindow) {
  FList->SetNotifyWindow(notifyWindow);
  SetFreeOnTerminate(true);
}

void TCollectInfoThread::Execute() {
  if (FNotifyWindow != nullptr) SendMessageA(FNotifyWindow, WM_COLLECT_START, 0, 0);
  const int count = FList->Count();
  for (int index = 0; index < count; ++index) {
    TCleanObj* item = FList->Items(index);
    try {
      item->CollectInfo();
    } catch (...) {
      // The failing item is done all the same; its error ends the run here.
      item->SetState(ItemState::Done);
      throw;
    }
    item->SetState(ItemState::Done);
  }
  if (FNotifyWindow != nullptr) SendMessageA(FNotifyWindow, WM_COLLECT_FINISH, 0, 0);
}

void TCollectInfoThread::Stop() {
  TMyThread::Stop();
  for (int index = 0; index < FList->Count(); ++index) FList->Items(index)->Cancel();
}

void TCollectInfoThread::DoTerminate() {
  if (!Stopped()) return;
  for (int index = 0; index < FList->Count(); ++index) FList->Items(index)->ClearCancel();
}
