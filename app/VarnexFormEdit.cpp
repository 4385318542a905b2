// The main window's history and its changes of several rows: Undo, Redo, Remove Item,
// Duplicate, the moves and Select All. Every change of the plug-in is one step, which
// holds the rows it took out and put in.

#include "app/PlugInFile.h"
#include "app/VarnexFormUnit.h"
#include "framework/Controls.h"
#include "res/resource.h"

namespace {
// Beyond this many rows taken out and put in, the list is filled again at once: each
// row that Wine's list view inserts or deletes among 10,000 costs it about 18 ms.
constexpr std::size_t kRowsChangedOneByOne = 8;

class TQuietSelection {
public:
  explicit TQuietSelection(bool& quiet) : FQuiet(quiet), FWas(quiet) { FQuiet = true; }
  ~TQuietSelection() { FQuiet = FWas; }
  TQuietSelection(const TQuietSelection&) = delete;
  TQuietSelection& operator=(const TQuietSelection&) = delete;

private:
  bool& FQuiet;
  bool FWas;
};
} // namespace

void TVarnexForm::Recorded(ItemChange change) {
  FHistory.Add(std::move(change));
  FModified = true;
  UpdateItemActions();
  CheckPlugIn();
}

void TVarnexForm::Perform(ItemChange change) {
  ApplyChange(change, true);
  Recorded(std::move(change));
}

void TVarnexForm::ApplyChange(const ItemChange& change, bool forward) {
  StopCollecting(); // a running preview reads the items
  const std::vector<PlacedRecord>& out = forward ? change.Removed : change.Inserted;
  const std::vector<PlacedRecord>& in = forward ? change.Inserted : change.Removed;
  const bool refill = out.size() + in.size() > kRowsChangedOneByOne;
  const TListView list(FListView);
  {
    const TQuietSelection quiet(FQuietSelection);
    for (auto placed = out.rbegin(); placed != out.rend(); ++placed) {
      if (!refill) list.DeleteRow(placed->Row);
      FItems.erase(FItems.begin() + placed->Row);
    }
    std::vector<int> rows;
    for (const PlacedRecord& placed : in) {
      FItems.insert(FItems.begin() + placed.Row, ItemOfRecord(placed.Record));
      if (!refill) InsertItemRow(placed.Row, *FItems[static_cast<std::size_t>(placed.Row)]);
      rows.push_back(placed.Row);
    }
    if (refill) RefillRows();
    if (rows.size() > kRowsChangedOneByOne) {
      // Drawn once: Wine's list view draws each row it selects, 0.14 ms a row.
      const TRedrawOff drawnOnce(FListView);
      list.SelectRows(rows);
    } else if (!rows.empty() || list.SelectedCount() > 0) {
      list.SelectRows(rows);
    }
    if (!rows.empty()) ListView_EnsureVisible(FListView, rows.front(), FALSE);
  }
  if (const auto& names = forward ? change.NamesAfter : change.NamesBefore) {
    FPlugInName = names->Name;
    FAuthor = names->Author;
    ShowPlugInInfo();
  }
}

void TVarnexForm::RefillRows() {
  const TRedrawOff quiet(FListView);
  const TListView list(FListView);
  list.DeleteAllRows();
  for (std::size_t row = 0; row < FItems.size(); ++row) InsertItemRow(static_cast<int>(row), *FItems[row]);
}

std::vector<PlacedRecord> TVarnexForm::SelectedRecords() const {
  std::vector<PlacedRecord> records;
  for (const int row : TListView(FListView).SelectedRows())
    records.push_back({row, RecordOfItem(*Item(row))});
  return records;
}

void TVarnexForm::StepThroughHistory(bool forward) {
  const ItemChange* change = forward ? FHistory.ToRedo() : FHistory.ToUndo();
  if (change == nullptr) return;
  ApplyChange(*change, forward);
  if (forward) FHistory.Redone();
  else FHistory.Undone();
  FModified = !FHistory.AtSaved();
  UpdateItemActions();
  CheckPlugIn();
}

void TVarnexForm::UndoActionExecute() { StepThroughHistory(false); }

void TVarnexForm::RedoActionExecute() { StepThroughHistory(true); }

void TVarnexForm::DeleteButtonClick() {
  std::vector<PlacedRecord> removed = SelectedRecords();
  if (removed.empty()) return;
  Perform({"Remove Item", std::move(removed), {}, {}, {}});
}

void TVarnexForm::InsertRecords(const std::string& what, int row, std::vector<plugin::ItemRecord> records) {
  if (records.empty()) return;
  ItemChange change{what, {}, {}, {}, {}};
  for (plugin::ItemRecord& record : records)
    change.Inserted.push_back({++row, std::move(record)});
  Perform(std::move(change));
}

void TVarnexForm::DuplicateActionExecute() {
  std::vector<PlacedRecord> selected = SelectedRecords();
  if (selected.empty()) return;
  const int last = selected.back().Row;
  std::vector<plugin::ItemRecord> copies;
  for (PlacedRecord& placed : selected) copies.push_back(std::move(placed.Record));
  InsertRecords("Duplicate", last, std::move(copies));
}

void TVarnexForm::MoveSelection(int by) {
  std::vector<PlacedRecord> selected = SelectedRecords();
  if (selected.empty()) return;
  // Every selected row moves by one, or none does.
  if (selected.front().Row + by < 0 || selected.back().Row + by >= ItemCount()) return;
  std::vector<PlacedRecord> moved = selected;
  for (PlacedRecord& placed : moved) placed.Row += by;
  Perform({by < 0 ? "Move Up" : "Move Down", std::move(selected), std::move(moved), {}, {}});
}

void TVarnexForm::MoveUpActionExecute() { MoveSelection(-1); }

void TVarnexForm::MoveDownActionExecute() { MoveSelection(1); }

void TVarnexForm::SelectAllActionExecute() {
  {
    const TQuietSelection quiet(FQuietSelection);
    const TRedrawOff drawnOnce(FListView);
    TListView(FListView).SetRowsSelected(-1, true);
  }
  UpdateItemActions();
}

void TVarnexForm::ShowUndoCaption() {
  const ItemChange* change = FHistory.ToUndo();
  const std::string caption = (change != nullptr ? "&Undo " + change->Name : std::string("&Undo")) + "\tCtrl+Z";
  MENUITEMINFOA item{};
  item.cbSize = sizeof item;
  item.fMask = MIIM_STRING;
  item.dwTypeData = const_cast<char*>(caption.c_str());
  SetMenuItemInfoA(GetMenu(Handle()), UndoAction, FALSE, &item);
}
