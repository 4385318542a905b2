#pragma once
// Wrappers of the standard and common controls. Each holds only the control's window
// handle (a radio group its dialog and ids), keeps no state of its own and turns the
// controls' BOOL answers into bool. They are made on the spot wherever a control is
// read or changed, by the forms and by the tests alike.

#include <windows.h>
#include <commctrl.h>

#include <initializer_list>
#include <string>
#include <vector>

// An image list of the program's icons at 16 x 16 pixels, in the order of their ids.
HIMAGELIST LoadSmallIconList(std::initializer_list<int> iconIds);

// What every window has: its text, whether it is enabled and visible, the focus.
class TControl {
public:
  explicit TControl(HWND handle) : FHandle(handle) {}
  HWND Handle() const { return FHandle; }

  std::string Text() const;
  void SetText(const std::string& text) const;
  bool Enabled() const { return IsWindowEnabled(FHandle) != FALSE; }
  void SetEnabled(bool enabled) const { EnableWindow(FHandle, enabled ? TRUE : FALSE); }
  bool Visible() const { return IsWindowVisible(FHandle) != FALSE; }
  void Focus() const { SetFocus(FHandle); }
  bool Focused() const { return GetFocus() == FHandle; }
  // The control's rectangle in its parent's client area: left, top, width and height.
  RECT Placement() const;

protected:
  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return SendMessageA(FHandle, message, wParam, lParam);
  }

private:
  HWND FHandle;
};

class TEditBox : public TControl {
public:
  using TControl::TControl;
  // Selects the whole text, as a box does that the Tab key has entered.
  void SelectAll() const { Send(EM_SETSEL, 0, -1); }
  // Replaces the text. The text it already holds is not set again, so that the box
  // sends no change notification for it.
  void ReplaceText(const std::string& text) const {
    if (Text() != text) SetText(text);
  }
  // From now on the box selects its whole text whenever it receives the focus other
  // than by a click, which puts the caret where it points instead.
  void SelectAllOnKeyboardFocus() const;
  // The selection as the first selected character and the one after the last.
  std::pair<int, int> Selection() const;
  // 0 lifts the default limit of 30,000 characters as far as the system allows.
  void SetLimitText(int characters) const { Send(EM_SETLIMITTEXT, static_cast<WPARAM>(characters)); }
  bool ReadOnly() const { return (GetWindowLongPtrA(Handle(), GWL_STYLE) & ES_READONLY) != 0; }
};

// A push button, a check box or one radio button.
class TButton : public TControl {
public:
  using TControl::TControl;
  // Clicks the button as the user would, with its notification to the parent.
  void Click() const { Send(BM_CLICK); }
  bool Checked() const { return Send(BM_GETCHECK) == BST_CHECKED; }
  // Sets the check mark without any notification.
  void SetChecked(bool checked) const { Send(BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED); }
};

// Radio buttons of one dialog whose ids follow each other, read and set as one
// value: the index of the selected button, or -1 when none is.
class TRadioGroup {
public:
  TRadioGroup(HWND dialog, int firstId, int lastId)
      : FDialog(dialog), FFirstId(firstId), FLastId(lastId) {}
  int Selected() const;
  // Selects the button at `index` and clears the others, without a notification;
  // an index outside the group changes nothing.
  void Select(int index) const;
  TButton Button(int index) const { return TButton(GetDlgItem(FDialog, FFirstId + index)); }
  int Count() const { return FLastId - FFirstId + 1; }

private:
  HWND FDialog;
  int FFirstId;
  int FLastId;
};

class TListBox : public TControl {
public:
  using TControl::TControl;
  int Count() const { return static_cast<int>(Send(LB_GETCOUNT)); }
  std::string Line(int index) const;
  std::vector<std::string> Lines() const;
  void AddLine(const std::string& line) const;
  void DeleteLine(int index) const { Send(LB_DELETESTRING, static_cast<WPARAM>(index)); }
  void Clear() const { Send(LB_RESETCONTENT); }
  // The selected line of a single-selection list box, or -1.
  int Selected() const { return static_cast<int>(Send(LB_GETCURSEL)); }
  void Select(int index) const { Send(LB_SETCURSEL, static_cast<WPARAM>(index)); }
};

// A list view in report view: columns and rows of cells.
class TListView : public TControl {
public:
  using TControl::TControl;
  // Adds a column after the last.
  void AddColumn(const std::string& caption, int width) const;
  int ColumnCount() const;
  int ColumnWidth(int column) const { return static_cast<int>(Send(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column))); }
  void SetColumnWidth(int column, int width) const {
    Send(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), MAKELPARAM(width, 0));
  }

  int RowCount() const { return static_cast<int>(Send(LVM_GETITEMCOUNT)); }
  // Adds a row after the last with the first cell's text and an image (-1 for none),
  // and returns its index, or -1 when the control refused it.
  int AddRow(const std::string& text, int image = -1) const;
  // The same at `at`, the rows from there on moving down.
  int InsertRow(int at, const std::string& text, int image = -1) const;
  void SetCell(int row, int column, const std::string& text) const;
  std::string Cell(int row, int column) const;
  int RowImage(int row) const;
  void DeleteRow(int row) const { Send(LVM_DELETEITEM, static_cast<WPARAM>(row)); }
  void DeleteAllRows() const { Send(LVM_DELETEALLITEMS); }

  // The first selected row, or -1.
  int SelectedRow() const;
  // Every selected row, first to last.
  std::vector<int> SelectedRows() const;
  int SelectedCount() const { return static_cast<int>(Send(LVM_GETSELECTEDCOUNT)); }
  bool RowSelected(int row) const {
    return Send(LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED) != 0;
  }
  // The row with the focus mark, or -1.
  int FocusedRow() const { return static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED)); }
  // Selects the row alone and gives it the focus mark, as a click would.
  void SelectRow(int row) const;
  // Selects these rows alone, the first with the focus mark.
  void SelectRows(const std::vector<int>& rows) const;
  // Selects or deselects the row, or every row for -1, leaving the others as they are.
  void SetRowsSelected(int row, bool selected) const;
  // The row's rectangle in the control's client area (LVIR_BOUNDS, LVIR_LABEL, ...).
  RECT RowRect(int row, int part = LVIR_BOUNDS) const;
};

// A tree view: nodes with a text, two images (normal and selected) and a value.
class TTreeView : public TControl {
public:
  using TControl::TControl;
  // Adds a node as the last child of `parent` (TVI_ROOT for a top-level node).
  // `hasChildren` shows its expand button before any child exists; otherwise the
  // button follows the node's children.
  HTREEITEM AddNode(HTREEITEM parent, const std::string& text, int image, int selectedImage,
                    bool hasChildren = false, LPARAM value = 0) const;
  std::string NodeText(HTREEITEM node) const;
  LPARAM NodeValue(HTREEITEM node) const;
  int NodeImage(HTREEITEM node) const;
  int NodeSelectedImage(HTREEITEM node) const;
  bool NodeHasChildren(HTREEITEM node) const;
  void SetNodeHasChildren(HTREEITEM node, bool hasChildren) const;
  HTREEITEM Parent(HTREEITEM node) const { return Next(node, TVGN_PARENT); }
  // The first child of `node`, or the first top-level node for null.
  HTREEITEM FirstChild(HTREEITEM node) const { return node ? Next(node, TVGN_CHILD) : Next(nullptr, TVGN_ROOT); }
  HTREEITEM NextSibling(HTREEITEM node) const { return Next(node, TVGN_NEXT); }
  std::vector<HTREEITEM> Children(HTREEITEM node) const;
  void DeleteNode(HTREEITEM node) const { Send(TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(node)); }
  // Expands the node as the user would, with its notifications to the parent.
  void Expand(HTREEITEM node) const { Send(TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(node)); }
  bool Expanded(HTREEITEM node) const;
  HTREEITEM Selected() const { return Next(nullptr, TVGN_CARET); }
  void Select(HTREEITEM node) const { Send(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(node)); }

private:
  HTREEITEM Next(HTREEITEM node, UINT relation) const {
    return reinterpret_cast<HTREEITEM>(Send(TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(node)));
  }
  TVITEMA Node(HTREEITEM node, UINT mask) const;
};

// Switches a control's drawing off while many rows go in, and on again with one
// repaint at the end of the scope.
class TRedrawOff {
public:
  explicit TRedrawOff(HWND control) : FControl(control) { SendMessageA(FControl, WM_SETREDRAW, FALSE, 0); }
  ~TRedrawOff() {
    SendMessageA(FControl, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(FControl, nullptr, TRUE);
  }
  TRedrawOff(const TRedrawOff&) = delete;
  TRedrawOff& operator=(const TRedrawOff&) = delete;

private:
  HWND FControl;
};
