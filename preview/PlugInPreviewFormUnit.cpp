#include "preview/PlugInPreviewFormUnit.h"

#include "cleanobjs/CleanMessages.h"
#include "preview/KiloBytes.h"
#include "framework/Controls.h"

#include <string>

TPlugInPreviewForm* PlugInPreviewForm = nullptr;

namespace {
constexpr int kClientWidth = 305;
constexpr int kClientHeight = 203;
constexpr int kGroupLeft = 8;
constexpr int kGroupTop = 8;

// Pixels in the client area; the labels and boxes are placed relative to the group.
constexpr std::initializer_list<TDialog::ControlPlacement> kPlacements = {
    {IDC_PREVIEW_GROUP, 8, 8, 289, 145},
    {IDC_PREVIEW_LABEL1, kGroupLeft + 16, kGroupTop + 28, 134, 13},
    {IDC_PREVIEW_LABEL2, kGroupLeft + 16, kGroupTop + 52, 134, 13},
    {IDC_PREVIEW_LABEL3, kGroupLeft + 16, kGroupTop + 76, 134, 13},
    {IDC_PREVIEW_LABEL4, kGroupLeft + 16, kGroupTop + 100, 134, 13},
    {IDC_FILESIZEEDIT, kGroupLeft + 152, kGroupTop + 24, 113, 21},
    {IDC_FILECOUNTEDIT, kGroupLeft + 152, kGroupTop + 48, 113, 21},
    {IDC_REGSIZEEDIT, kGroupLeft + 152, kGroupTop + 72, 113, 21},
    {IDC_REGCOUNTEDIT, kGroupLeft + 152, kGroupTop + 96, 113, 21},
    {IDCANCEL, 115, 168, 75, 25},
};
} // namespace

TPlugInPreviewForm::TPlugInPreviewForm(HWND owner) { CreateFromTemplate(IDD_PLUGINPREVIEW, owner); }

TPlugInPreviewForm::~TPlugInPreviewForm() {
  // The items report to this window and may be freed right after it: no run may last.
  StopCollect();
  if (PlugInPreviewForm == this) PlugInPreviewForm = nullptr;
}

void TPlugInPreviewForm::FormCreate() {
  SetClientSizeCentred(kClientWidth, kClientHeight);
  PlaceControls(kPlacements);
  for (const HWND box : {FileSizeEdit(), FileCountEdit(), RegSizeEdit(), RegCountEdit()})
    TEditBox(box).SetText("0");
}

void TPlugInPreviewForm::SetCleanObjList(std::unique_ptr<TCleanObjList> list) {
  FCleanObjList = std::move(list);
}

void TPlugInPreviewForm::ResetTotals() {
  FFileSizeTotal = 0;
  FRegSizeTotal = 0;
  FFileCount = 0;
  FRegCount = 0;
  for (const HWND box : {FileSizeEdit(), FileCountEdit(), RegSizeEdit(), RegCountEdit()})
    TEditBox(box).SetText("0");
}

void TPlugInPreviewForm::StartCollect() {
  // Answering the old run's last messages while it stops would add them to the new
  // totals, so it ends before the totals are reset.
  StopCollect();
  ResetTotals();
  // The window exists from construction on; the handle is its own.
  FRun = TCollectInfoThread::Create(std::move(FCleanObjList), Handle());
}

bool TPlugInPreviewForm::StopCollect(DWORD milliseconds) {
  if (!FRun) return true;
  FRun->Terminate();
  return WaitForCollect(milliseconds);
}

bool TPlugInPreviewForm::WaitForCollect(DWORD milliseconds) {
  if (!FRun) return true;
  if (!FRun->WaitFor(milliseconds)) return false;
  FRun.reset();
  return true;
}

void TPlugInPreviewForm::WMFileFound(LPARAM lParam) {
  // The record is the sender's and lives only while it waits for this handler.
  const auto& found = *reinterpret_cast<const TSearchRec*>(lParam);
  FFileSizeTotal += found.Size;
  ++FFileCount;
  TEditBox(FileSizeEdit()).SetText(FormatKiloBytes(FFileSizeTotal));
  TEditBox(FileCountEdit()).SetText(std::to_string(FFileCount));
}

void TPlugInPreviewForm::WMRegItemFound(LPARAM lParam) {
  const auto& found = *reinterpret_cast<const TRegItem*>(lParam);
  FRegSizeTotal += found.DataSize;
  ++FRegCount;
  TEditBox(RegSizeEdit()).SetText(FormatKiloBytes(FRegSizeTotal));
  TEditBox(RegCountEdit()).SetText(std::to_string(FRegCount));
}

bool TPlugInPreviewForm::HandleMessage(UINT message, WPARAM, LPARAM lParam,
                                       INT_PTR& result) {
  switch (message) {
  case WM_ITEM_FILE_FOUND:
    WMFileFound(lParam);
    result = 0;
    return true;
  case WM_ITEM_REG_FOUND:
    WMRegItemFound(lParam);
    result = 0;
    return true;
  default:
    return false;
  }
}
