#pragma once
// The clean item base class and the borrowing list of one collection run.

#include "cleanobjs/TextLimits.h"
#include "cleanobjs/CleanMessages.h"
#include "framework/CriticalSection.h"
#include "framework/Stream.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

enum class ItemState : std::uint8_t { Idle = 0, Collecting = 1, Cleaning = 2, Done = 3 };

class TCleanObj {
public:
  explicit TCleanObj(std::string name);
  virtual ~TCleanObj() = default;
  TCleanObj(const TCleanObj&) = delete;
  TCleanObj& operator=(const TCleanObj&) = delete;

  // Bytes that the last collection found; 0 before any collection.
  virtual std::int64_t GetSize();
  // Scans the computer for what the item covers and reports it. The base sends the
  // level-1 text "Scan %s information from your computer ..." and sets Collecting.
  virtual void CollectInfo();
  // Read and write the item's record after its kind byte; return the bytes moved.
  virtual std::int64_t LoadFromStream(TStream& stream);
  virtual std::int64_t SaveToStream(TStream& stream);
  // Removes what the last collection found. The base sends "Start clean %s" and
  // sets Cleaning.
  virtual void Clean();

  // Adds every stored text of the item that does not fit its field in the file.
  virtual void CheckStoredTexts(std::vector<plugin::StoredText>& overlong, int itemNumber) const;
  // Shortens the texts that saving may shorten as the file stores them, so that the
  // item holds what a save wrote. Paths and keys are never shortened.
  virtual void FitStoredTexts();

  const std::string& Name() const { return FName; }
  TCriticalSection& CriticalSection() { return FCriticalSection; }
  bool Cancelled() const { return FCancelled.load(); }
  void Cancel() { FCancelled.store(true); }
  // Makes a cancelled item collect and clean again; the end of a stopped run does it.
  void ClearCancel() { FCancelled.store(false); }
  ItemState State() const { return FState; }
  void SetState(ItemState state) { FState = state; }
  HWND NotifyWindow() const { return FNotifyWindow; }
  void SetNotifyWindow(HWND window) { FNotifyWindow = window; }

protected:
  // Each sends one message to NotifyWindow with SendMessageA and ignores the result;
  // with no window they send nothing.
  void SendText(TextLevel level, const std::string& text) const;
  // For a file or folder item whose path, macros expanded, is not a full path: says
  // that nothing is searched or deleted, with the path as typed.
  void SendPathNotFull(const std::string& typed) const;
  // For a file or folder item: deletes the file at `path` only when its final path is
  // `finalPath`, and says what became of it; false when it is not to be reported
  // cleaned, since it was reached through a link and left alone.
  bool DeleteFoundFile(const std::string& path, const std::string& finalPath) const;
  void SendFileFound(const TSearchRec& found) const;
  void SendRegFound(const TRegItem& found) const;
  void SendSearchPath(const std::string& text) const;
  void SendFileCleaned(std::int64_t size) const;
  void SendRegCleaned(std::int64_t size) const;

private:
  TCriticalSection FCriticalSection;
  std::string FName;
  HWND FNotifyWindow = nullptr;
  ItemState FState = ItemState::Idle;
  std::atomic<bool> FCancelled{false};
};

// Groups the items of one collection run and hands them its window. It borrows the
// items: destroying the list leaves them alive.
class TCleanObjList {
public:
  // Appends the item and gives it the list's window (also when that is none).
  int Add(TCleanObj* item);
  TCleanObj* Items(int index) const { return FItems.at(static_cast<std::size_t>(index)); }
  int Count() const { return static_cast<int>(FItems.size()); }
  HWND NotifyWindow() const { return FNotifyWindow; }
  // Gives every item the window, in list order, unless it is the list's already.
  void SetNotifyWindow(HWND window);

private:
  std::vector<TCleanObj*> FItems;
  HWND FNotifyWindow = nullptr;
};
