#pragma once
// The main window: one plug-in at a time, its item list, the file commands, the
// title, the modified flag, the name and author labels and the status bar hints.

#include "app/EditHistory.h"
#include "cleanobjs/CleanObjs.h"
#include "framework/UniqueHandle.h"
#include "framework/Window.h"
#include "plugin/Lint.h"

#include <commctrl.h>
#include <shellapi.h>

#include <memory>
#include <string>
#include <vector>

class TVarnexForm : public TWindow {
public:
  TVarnexForm();
  ~TVarnexForm() override;

  // Shows the window for the first time (FormShow): stamps the time and opens the
  // plug-in named by the first command-line argument, if any.
  void Show(const std::vector<std::string>& arguments);
  HACCEL Accelerators() const { return FAccelerators; }

  void SetProjectFileName(const std::string& path);
  void ShowPlugInInfo();
  void UpdateItemActions();
  void ClearItems();
  static std::string GetItemDescription(const TCleanObj& item);
  void AppendItemRow(std::unique_ptr<TCleanObj> item);
  void LoadPlugIn(const std::string& path);
  // Returns false when nothing was written: a path or key does not fit the file, or
  // the user declined to shorten names and masks that do not.
  bool SavePlugIn();
  // Marks the plug-in as changed beside the history of its changes.
  void MarkModified() {
    FModified = true;
    FHistory.ForgetSaved();
  }
  // Runs the checks over the plug-in as it stands, counts what they found in the status
  // bar's second panel and signs the rows of the items found. Every change of the
  // plug-in ends with it.
  void CheckPlugIn();
  // The plug-in as it stands, texts too long for the file included.
  plugin::PlugInRecords Records() const;

  // Adds the item of every row, first to last, to the list, which only borrows them.
  void FillCleanObjList(TCleanObjList& list) const;

  // The item commands: New Item, Edit Item (also a double click on a row) and Remove
  // Item.
  void NewButtonClick();
  void EditButtonClick();
  void DeleteButtonClick();

  // The Edit menu. Each change is one step of the history; the moves, Cut, Paste and
  // Duplicate act on every selected row.
  void UndoActionExecute();
  void RedoActionExecute();
  void CutActionExecute();
  void CopyActionExecute();
  void PasteActionExecute();
  void DuplicateActionExecute();
  void MoveUpActionExecute();
  void MoveDownActionExecute();
  void SelectAllActionExecute();
  // Files and folders dropped on the window: one plug-in file opens; other files
  // become file items, and each folder opens the folder editor.
  void DropFiles(HDROP drop);

  void NewActionExecute();
  void OpenActionExecute();
  void SaveActionExecute();
  void SaveAsActionExecute();
  void ExitActionExecute();
  void PropertiesActionExecute();
  void PreviewSizeActionExecute();
  // Shows the findings; Edit Item there edits the finding's item, or shows Properties
  // for the plug-in's own name and author.
  void CheckPlugInActionExecute();
  void HelpActionExecute();
  void AboutActionExecute();
  bool FormCloseQuery();
  void ApplicationEventsHint(const std::string& hint);

  const std::string& FileName() const { return FFileName; }
  bool Modified() const { return FModified; }
  const std::string& PlugInName() const { return FPlugInName; }
  const std::string& Author() const { return FAuthor; }
  double Time() const { return FTime; }
  int ItemCount() const;
  TCleanObj* Item(int row) const;
  // The first row selected in the list, or -1.
  int SelectedRow() const;
  // The row Edit Item acts on: the focused row when it is selected, else the first
  // selected row, or -1.
  int EditRow() const;
  bool ActionEnabled(UINT id) const;

  HWND ListView() const { return FListView; }
  HWND StatusBar() const { return FStatusBar; }
  HWND Toolbar() const { return FToolbar; }
  HWND NameLabel() const { return FNameLabel; }
  HWND AuthorLabel() const { return FAuthorLabel; }

protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  // The small signs of an item's findings in the item list's image list.
  static constexpr int kErrorOverlayImage = 3;
  static constexpr int kWarningOverlayImage = 4;

  void FormCreate();
  void CreateControls();
  void CreateToolbar();
  void CreateLabels();
  void CreateListView();
  void LayoutControls();
  void RunCommand(UINT id);
  void EnableAction(UINT id, bool enabled);
  void ShowUndoCaption();
  // The change made: it goes into the history, and the plug-in is modified.
  void Recorded(ItemChange change);
  // Makes the change, forward or back, then selects the rows it put in; the caller
  // updates the commands and the check.
  void ApplyChange(const ItemChange& change, bool forward);
  void Perform(ItemChange change);
  // Undo (back) or Redo (forward) of the next step of the history.
  void StepThroughHistory(bool forward);
  std::vector<PlacedRecord> SelectedRecords() const;
  // The rows are filled again from the items, the list drawn once.
  void RefillRows();
  void InsertItemRow(int row, const TCleanObj& item);
  // Inserts the items' copies after `row` (-1: at the start) as one step.
  void InsertRecords(const std::string& what, int row, std::vector<plugin::ItemRecord> records);
  void MoveSelection(int by);
  bool PutOnClipboard(const std::vector<PlacedRecord>& records);
  bool ClipboardHasItems() const;
  LRESULT HandleNotify(NMHDR& header);
  // Draws the sign of a row's findings over its icon, after the list drew the row.
  LRESULT DrawRowOverlay(const NMLVCUSTOMDRAW& draw) const;
  void LayoutStatusPanels(int width);
  void ShowContextMenu(int x, int y);
  std::vector<TCleanObj*> Items() const;
  // Stops a collection that still scans the rows' items and waits for its end, so that
  // an item can be changed or freed.
  void StopCollecting() const;
  void EditRegistryRow(int row);
  void EditFileRow(int row);
  void EditFolderRow(int row);
  // A row's description after its item has changed, and the change recorded.
  void RowItemChanged(int row, plugin::ItemRecord before);
  void DescribeOverlongTexts(std::vector<plugin::StoredText>& overlong) const;
  // Shows why a path or key that does not fit the file keeps the plug-in from being
  // saved, if one does.
  bool RefusesOverlongTargets() const;
  // After a shortened save: the plug-in and its items hold the texts as written.
  void HoldWhatWasSaved();

  std::string FFileName;
  bool FModified = false;
  std::string FPlugInName;
  std::string FAuthor;
  double FTime = 0.0;

  HWND FCoolBar = nullptr;
  HWND FToolbar = nullptr;
  HWND FNameCaption = nullptr;
  HWND FNameLabel = nullptr;
  HWND FAuthorCaption = nullptr;
  HWND FAuthorLabel = nullptr;
  HWND FListView = nullptr;
  HWND FStatusBar = nullptr;
  HACCEL FAccelerators = nullptr;
  unique_hmenu FPopupMenu;
  unique_himagelist FCleanItemImageList;
  unique_himagelist FToolbarImageList;
  unique_hgdiobj FFont;
  std::string FHint;
  // The items, in the order of their rows.
  std::vector<std::unique_ptr<TCleanObj>> FItems;
  TEditHistory FHistory;
  // Set while rows are selected in bulk, so that the list's notifications do not each
  // update the commands.
  bool FQuietSelection = false;
  UINT FClipboardFormat = 0;
  // The sign of each item that has a finding, its worst level, sorted by the item. A
  // row shows its item's sign: the list moves a row's pixels with the row.
  enum class RowSign : std::uint8_t { None, Warning, Error };
  using ItemSign = std::pair<const TCleanObj*, RowSign>;
  std::vector<ItemSign> FItemSigns;
  static bool ByItem(const ItemSign& a, const ItemSign& b);
  static RowSign SignOf(const std::vector<ItemSign>& signs, const TCleanObj* item);
  RowSign RowSignOf(int row) const;
};

extern TVarnexForm* VarnexForm;
