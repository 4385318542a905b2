#include "app/MainActions.h"

#include "res/resource.h"

#include <array>

namespace {
constexpr std::array<TAction, 22> kActions{{
    {IDM_NEW, "&New", "Create a new plug-in", 3},
    {IDM_OPEN, "&Open", "Open a plug-in from your disk", 4},
    {IDM_SAVE, "&Save", "Save plug-in to disk", 0},
    {IDM_SAVEAS, "&Save As", "Save current plug-in to another file", -1},
    {IDM_NEWITEM, "&New Item", "Create new clean item", 1},
    {IDM_EDITITEM, "&Edit Item", "Edit current selected clean item", -1},
    {IDM_REMOVEITEM, "&Remove Item", "Remove selected item", 2},
    {IDM_PROPERTIES, "&Properties", "Show plug-in properties", 5},
    {IDM_PREVIEWSIZE, "&Preview Size",
     "Show how many size can be free on current plug-in", -1},
    {IDM_CHECKPLUGIN, "&Check Plug-In",
     "Check the plug-in for items that may harm a computer or do nothing", -1},
    {IDM_EXIT, "&Exit", "Exit varnex", -1},
    {IDM_UNDO, "&Undo", "Undo the last change", -1},
    {IDM_REDO, "&Redo", "Redo the last undone change", -1},
    {IDM_CUT, "Cu&t", "Move the selected items to the clipboard", -1},
    {IDM_COPY, "&Copy", "Copy the selected items to the clipboard", -1},
    {IDM_PASTE, "&Paste", "Insert the items on the clipboard after the selected item", -1},
    {IDM_DUPLICATE, "&Duplicate", "Insert a copy of the selected items after them", -1},
    {IDM_MOVEUP, "Mo&ve Up", "Move the selected items up", -1},
    {IDM_MOVEDOWN, "Move Do&wn", "Move the selected items down", -1},
    {IDM_SELECTALL, "Select &All", "Select every item", -1},
    {IDM_HELPTOPIC, "&Help Topic", "Show help topic", -1},
    {IDM_ABOUT, "&About", "About Varnex ...", -1},
}};

constexpr std::array<UINT, 9> kToolbar{IDM_NEW,     0, IDM_OPEN,       IDM_SAVE, 0,
                                       IDM_NEWITEM, IDM_REMOVEITEM, 0,        IDM_PROPERTIES};
} // namespace

const TAction* FindAction(UINT id) {
  for (const TAction& action : kActions)
    if (action.Id == id) return &action;
  return nullptr;
}

std::span<const UINT> ToolbarLayout() { return kToolbar; }
