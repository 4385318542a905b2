// The main window's clipboard: Cut, Copy and Paste of items, in the program's own
// format (the items' stored bytes) and as the JSON text that ppj dump writes, so that
// items go into a text and back.

#include "app/PlugInFile.h"
#include "app/VarnexFormUnit.h"
#include "framework/Clipboard.h"
#include "framework/Controls.h"
#include "framework/MessageBoxes.h"
#include "plugin/ClipboardItems.h"
#include "plugin/JsonForm.h"

namespace {
constexpr const char* kClipboardBusy = "The clipboard is in use by another program; try again.";
} // namespace

bool TVarnexForm::ClipboardHasItems() const {
  return IsClipboardFormatAvailable(FClipboardFormat) != FALSE ||
         IsClipboardFormatAvailable(CF_UNICODETEXT) != FALSE;
}

bool TVarnexForm::PutOnClipboard(const std::vector<PlacedRecord>& placed) {
  std::vector<plugin::ItemRecord> records;
  for (const PlacedRecord& item : placed) records.push_back(item.Record);
  const std::string text = plugin::ItemsToJson(records);
  const std::vector<std::uint8_t> bytes = plugin::EncodeClipboardItems(records);
  const TClipboard clipboard(Handle());
  if (!clipboard.Opened() || !clipboard.Empty()) {
    ShowErrorBox(Handle(), kClipboardBusy);
    return false;
  }
  // Without the stored bytes (a path too long for its field) the text alone goes.
  if (!bytes.empty()) clipboard.PutBytes(FClipboardFormat, bytes);
  if (!clipboard.PutText(text)) {
    ShowErrorBox(Handle(), "The items could not be put on the clipboard.");
    return false;
  }
  return true;
}

void TVarnexForm::CopyActionExecute() {
  const std::vector<PlacedRecord> selected = SelectedRecords();
  if (!selected.empty()) PutOnClipboard(selected);
  UpdateItemActions();
}

void TVarnexForm::CutActionExecute() {
  std::vector<PlacedRecord> selected = SelectedRecords();
  if (selected.empty() || !PutOnClipboard(selected)) return;
  Perform({"Cut", std::move(selected), {}, {}, {}});
}

void TVarnexForm::PasteActionExecute() {
  std::vector<plugin::ItemRecord> records;
  {
    const TClipboard clipboard(Handle());
    if (!clipboard.Opened()) {
      ShowErrorBox(Handle(), kClipboardBusy);
      return;
    }
    if (const auto bytes = clipboard.Bytes(FClipboardFormat)) {
      auto decoded = plugin::DecodeClipboardItems(bytes->data(), bytes->size());
      if (!decoded) {
        ShowErrorBox(Handle(), "The items on the clipboard are damaged; nothing was pasted.");
        return;
      }
      records = std::move(*decoded);
    } else if (const auto text = clipboard.Text()) {
      // Text from anywhere: what is not items changes nothing.
      for (plugin::PastedItem& pasted : plugin::ItemsFromJson(*text)) {
        if (!pasted.Named) pasted.Record.Name = FPlugInName;
        records.push_back(std::move(pasted.Record));
      }
    }
  }
  const TListView list(FListView);
  const int focused = list.FocusedRow();
  const int after = focused >= 0 && list.RowSelected(focused) ? focused : ItemCount() - 1;
  InsertRecords("Paste", after, std::move(records));
}
