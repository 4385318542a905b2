#include "app/MainActions.h"

#include "res/resource.h"

#include <array>

namespace {
constexpr std::array<TAction, 22> kActions{{
    {NewAction, "&New", "Create a new plug-in", 3},
    {OpenAction, "&Open", "Open a plug-in from your disk", 4},
    {SaveAction, "&Save", "Save plug-in to disk", 0},
    {SaveAsAction, "&Save As", "Save current plug-in to another file", -1},
    {NewItemAction, "&New Item", "Create new clean item", 1},
    {EditItemAction, "&Edit Item", "Edit current selected clean item", -1},
    {RemoveItemAction, "&Remove Item", "Remove selected item", 2},
    {PropertiesAction, "&Properties", "Show plug-in properties", 5},
    {PreviewSizeAction, "&Preview Size",
     "Show how many size can be free on current plug-in", -1},
    {CheckPlugInAction, "&Check Plug-In",
     "Check the plug-in for items that may harm a computer or do nothing", -1},
    {ExitAction, "&Exit", "Exit varnex", -1},
    {UndoAction, "&Undo", "Undo the last change", -1},
    {RedoAction, "&Redo", "Redo the last undone change", -1},
    {CutAction, "Cu&t", "Move the selected items to the clipboard", -1},
    {CopyAction, "&Copy", "Copy the selected items to the clipboard", -1},
    {PasteAction, "&Paste", "Insert the items on the clipboard after the selected item", -1},
    {DuplicateAction, "&Duplicate", "Insert a copy of the selected items after them", -1},
    {MoveUpAction, "Mo&ve Up", "Move the selected items up", -1},
    {MoveDownAction, "Move Do&wn", "Move the selected items down", -1},
    {SelectAllAction, "Select &All", "Select every item", -1},
    {HelpAction, "&Help Topic", "Show help topic", -1},
    {AboutAction, "&About", "About Varnex ...", -1},
}};

constexpr std::array<UINT, 9> kToolbar{NewAction,     0, OpenAction,       SaveAction, 0,
                                       NewItemAction, RemoveItemAction, 0,        PropertiesAction};
} // namespace

const TAction* FindAction(UINT id) {
  for (const TAction& action : kActions)
    if (action.Id == id) return &action;
  return nullptr;
}

std::span<const UINT> ToolbarLayout() { return kToolbar; }
