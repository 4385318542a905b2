#include "cleanobjs/CleanObjs.h"

#include "cleanobjs/FileDeletion.h"
#include "cleanobjs/ItemRecordFormat.h"

#include <algorithm>
#include <array>
#include <limits>
#include <mutex>

TCleanObj::TCleanObj(std::string name) : FName(std::move(name)) {}

std::int64_t TCleanObj::GetSize() { return 0; }

void TCleanObj::CollectInfo() {
  std::lock_guard<TCriticalSection> lock(FCriticalSection);
  // Concatenated, not formatted: the name is the user's text and may hold '%'.
  SendText(TextLevel::Progress, "Scan " + FName + " information from your computer ...");
  FState = ItemState::Collecting;
}

void TCleanObj::Clean() {
  std::lock_guard<TCriticalSection> lock(FCriticalSection);
  SendText(TextLevel::Progress, "Start clean " + FName);
  FState = ItemState::Cleaning;
}

std::int64_t TCleanObj::LoadFromStream(TStream& stream) {
  // Zeroed first, so that a stream ending inside the field reads as a shorter text.
  std::array<std::uint8_t, plugin::kNameFieldSize> field{};
  const std::int64_t count = stream.Read(field.data(), static_cast<std::int64_t>(field.size()));
  // An item made with a name keeps it; only an unnamed item takes the stored one.
  std::string stored = plugin::GetTextField(field.data(), field.size());
  if (FName.empty() && !stored.empty()) FName = std::move(stored);
  return count;
}

std::int64_t TCleanObj::SaveToStream(TStream& stream) {
  std::array<std::uint8_t, plugin::kNameFieldSize> field{};
  plugin::PutTextField(field.data(), field.size(), FName);
  return stream.Write(field.data(), static_cast<std::int64_t>(field.size()));
}

void TCleanObj::CheckStoredTexts(std::vector<plugin::StoredText>& overlong, int itemNumber) const {
  plugin::CheckStoredText(overlong, itemNumber, "Item name", FName, plugin::kNameFieldSize);
}

void TCleanObj::FitStoredTexts() { FName = plugin::NameThatFits(FName, plugin::kNameFieldSize); }

void TCleanObj::SendText(TextLevel level, const std::string& text) const {
  if (!FNotifyWindow) return;
  // LParam is not const to the receiver; hand it a copy of its own, so that a
  // receiver that writes through it cannot change the caller's text.
  std::string copy = text;
  SendMessageA(FNotifyWindow, WM_ITEM_TEXT, static_cast<WPARAM>(level),
               reinterpret_cast<LPARAM>(copy.c_str()));
}

void TCleanObj::SendFileFound(const TSearchRec& found) const {
  if (!FNotifyWindow) return;
  SendMessageA(FNotifyWindow, WM_ITEM_FILE_FOUND, 0, reinterpret_cast<LPARAM>(&found));
}

void TCleanObj::SendRegFound(const TRegItem& found) const {
  if (!FNotifyWindow) return;
  SendMessageA(FNotifyWindow, WM_ITEM_REG_FOUND, 0, reinterpret_cast<LPARAM>(&found));
}

void TCleanObj::SendSearchPath(const std::string& text) const {
  if (!FNotifyWindow) return;
  std::string copy = text;
  SendMessageA(FNotifyWindow, WM_ITEM_SEARCH_PATH, 0, reinterpret_cast<LPARAM>(copy.c_str()));
}

void TCleanObj::SendFileCleaned(std::int64_t size) const {
  if (!FNotifyWindow) return;
  // The count travels by address: it lives here until SendMessageA returns.
  std::int64_t count = size;
  SendMessageA(FNotifyWindow, WM_ITEM_FILE_CLEANED, 0, reinterpret_cast<LPARAM>(&count));
}

void TCleanObj::SendRegCleaned(std::int64_t size) const {
  if (!FNotifyWindow) return;
  // A signed 32-bit count by value, as receivers read it; a larger one, which no
  // registry holds in practice, is reported as the largest count rather than wrapped.
  const std::int32_t count = static_cast<std::int32_t>(
      std::min<std::int64_t>(size, std::numeric_limits<std::int32_t>::max()));
  SendMessageA(FNotifyWindow, WM_ITEM_REG_CLEANED, 0, static_cast<LPARAM>(count));
}

int TCleanObjList::Add(TCleanObj* item) {
  FItems.push_back(item);
  item->SetNotifyWindow(FNotifyWindow);
  return Count() - 1;
}

void TCleanObjList::SetNotifyWindow(HWND window) {
  if (window == FNotifyWindow) return;
  FNotifyWindow = window;
  for (TCleanObj* item : FItems) item->SetNotifyWindow(window);
}

bool TCleanObj::DeleteFoundFile(const std::string& path, const std::string& finalPath) const {
  const DeletionResult result = DeleteFileOrDefer(path, finalPath);
  if (result == DeletionResult::ReachedThroughLink)
    SendText(TextLevel::Failure, "File [" + path + "] is reached through a link: it is not deleted");
  else if (result == DeletionResult::Deferred)
    SendText(TextLevel::Deferred, "File [" + path + "] will be deleted on reboot!");
  return result != DeletionResult::ReachedThroughLink;
}

void TCleanObj::SendPathNotFull(const std::string& typed) const {
  SendText(TextLevel::Failure, "Path [" + typed + "] is not a full path: nothing is searched or deleted");
}
