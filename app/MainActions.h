#pragma once
// The main window's commands: caption, hint and toolbar image of each, by command id.
// Menus and accelerators carry the same ids (res/varnex.rc).

#include <windows.h>

#include <span>

struct TAction {
  UINT Id;
  const char* Caption; // with its accelerator mark
  const char* Hint;    // shown in the status bar over its menu entry or button
  int ImageIndex;      // in the toolbar image list; -1 for none
};

// The action with this command id, or null.
const TAction* FindAction(UINT id);

// The toolbar from left to right; 0 stands for a separator.
std::span<const UINT> ToolbarLayout();
