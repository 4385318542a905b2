#pragma once
// The plug-in's changes, for Undo and Redo. A change is the rows it took out and the
// rows it put in, each with its item's record, and for Properties the name and author
// before and after: a step holds only what it changed. The history knows which state
// was last saved or opened, so that the modified flag follows Undo and Redo.

#include "plugin/PlugInRecords.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

struct PlacedRecord {
  int Row = 0;
  plugin::ItemRecord Record;
};

struct PlugInNames {
  std::string Name;
  std::string Author;
};

struct ItemChange {
  std::string Name;                   // what the Undo entry names: "Remove Item"
  std::vector<PlacedRecord> Removed;  // the rows as they were before, ascending
  std::vector<PlacedRecord> Inserted; // the rows as they are after, ascending
  std::optional<PlugInNames> NamesBefore;
  std::optional<PlugInNames> NamesAfter;
};

class TEditHistory {
public:
  // The oldest steps go beyond this many.
  static constexpr std::size_t kMaxSteps = 1000;

  // No steps; the state now is the saved one (New, Open).
  void Clear();
  // A change made: the steps undone before it can no longer be redone.
  void Add(ItemChange change);
  // The step that Undo or Redo would apply, or null.
  const ItemChange* ToUndo() const;
  const ItemChange* ToRedo() const;
  void Undone();
  void Redone();

  // The state now is the saved one.
  void MarkSaved();
  // No state of the history is the saved one any more (the items changed beside it).
  void ForgetSaved();
  bool AtSaved() const { return FSaved == FApplied; }

private:
  std::vector<ItemChange> FSteps;
  std::size_t FApplied = 0; // steps applied, from the first
  std::optional<std::size_t> FSaved = 0;
};
