#pragma once
// The Plug-In Preview window: starts a collection over a plug-in's items and adds up,
// as the items report them, the size and count of the files and of the registry
// values they cover. It is made once and shown modally for each preview; a collection
// can outlive a show, and then goes on reporting to the hidden window.

#include "cleanobjs/CleanObjs.h"
#include "framework/Dialog.h"
#include "preview/PlugInPreviewFormRes.h"
#include "preview/MyThreads.h"

#include <cstdint>
#include <memory>

class TPlugInPreviewForm : public TDialog {
public:
  explicit TPlugInPreviewForm(HWND owner);
  ~TPlugInPreviewForm() override;

  // The items that the next StartCollect collects from. The window keeps the list
  // only until then: StartCollect hands it to the collection thread, which frees it
  // when its run ends. The items themselves stay their owner's.
  void SetCleanObjList(std::unique_ptr<TCleanObjList> list);
  // Stops and waits for a collection still running (so that two runs never add to
  // the same totals), sets the totals and boxes to 0 and starts a collection thread
  // on the list given last; without one it collects from an empty list.
  void StartCollect();
  // Stops the running collection, if any, and waits until its thread has ended,
  // answering its messages meanwhile. Returns false if it did not end in time.
  bool StopCollect(DWORD milliseconds = INFINITE);
  // Waits, without stopping it, for the running collection to end.
  bool WaitForCollect(DWORD milliseconds = INFINITE);
  bool Collecting() const { return FRun && !FRun->Ended(); }

  std::int64_t FileSizeTotal() const { return FFileSizeTotal; }
  std::int64_t FileCount() const { return FFileCount; }
  std::int64_t RegSizeTotal() const { return FRegSizeTotal; }
  std::int64_t RegCount() const { return FRegCount; }

  HWND Label1() const { return Control(IDC_PREVIEW_LABEL1); }
  HWND Label2() const { return Control(IDC_PREVIEW_LABEL2); }
  HWND Label3() const { return Control(IDC_PREVIEW_LABEL3); }
  HWND Label4() const { return Control(IDC_PREVIEW_LABEL4); }
  HWND FileSizeEdit() const { return Control(IDC_FILESIZEEDIT); }
  HWND FileCountEdit() const { return Control(IDC_FILECOUNTEDIT); }
  HWND RegSizeEdit() const { return Control(IDC_REGSIZEEDIT); }
  HWND RegCountEdit() const { return Control(IDC_REGCOUNTEDIT); }
  HWND CancelButton() const { return Control(IDCANCEL); }

protected:
  void FormCreate() override;
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
  void WMFileFound(LPARAM lParam);
  void WMRegItemFound(LPARAM lParam);
  void ResetTotals();

  std::unique_ptr<TCleanObjList> FCleanObjList;
  std::shared_ptr<TThreadLink> FRun;
  // Sizes are whole 64-bit byte counts, as the items report them; counts are 64-bit too.
  std::int64_t FFileSizeTotal = 0;
  std::int64_t FFileCount = 0;
  std::int64_t FRegSizeTotal = 0;
  std::int64_t FRegCount = 0;
};

extern TPlugInPreviewForm* PlugInPreviewForm;
