#pragma once
// The Registry Key Selector: the registry as a tree of keys under the five root keys,
// each key's subkeys read when it is first expanded and kept for the rest of the run.
// After OK its caller asks it for the selected node's key path and root key.

#include "editors/RegKeySelectorFormRes.h"
#include "framework/Dialog.h"
#include "framework/Registry.h"
#include "framework/UniqueHandle.h"

#include <commctrl.h>

#include <cstdint>
#include <string>

class TRegKeySelector : public TDialog {
public:
  explicit TRegKeySelector(HWND owner);
  ~TRegKeySelector() override;

  HWND RegKeyTreeView() const { return Control(IDC_REGKEYTREEVIEW); }
  HWND OKButton() const { return Control(IDOK); }
  HWND CancelButton() const { return Control(IDCANCEL); }
  // The selected node, or null.
  HTREEITEM SelectedNode() const;

  // The root key (its 32-bit handle value) of the node's top-level ancestor, found by
  // that node's text; a text that names none gives HKEY_CURRENT_USER.
  std::uint32_t GetNodeRootKey(HTREEITEM node) const;
  // Extends `path` with the node's key path: "\" and a name for each node below the
  // top-level one, so a top-level node adds nothing. With `registry`, also sets its
  // root key and opens that key, and returns whether it opened; without, returns
  // false.
  bool GetNodeKeyPath(HTREEITEM node, std::string& path, TRegistry* registry = nullptr) const;

protected:
  void FormCreate() override;
  LRESULT OnNotify(const NMHDR& header) override;
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
  // Loads the subkeys of a node that has not been loaded yet.
  void RegKeyTreeViewExpanding(HTREEITEM node);
  void LayoutControls();

  unique_himagelist FImageList;
};

extern TRegKeySelector* RegKeySelector;
