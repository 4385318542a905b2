#include "framework/Controls.h"

#include "framework/UniqueHandle.h"

#include <utility>

HIMAGELIST LoadSmallIconList(std::initializer_list<int> iconIds) {
  constexpr int kSize = 16;
  HIMAGELIST list =
      ImageList_Create(kSize, kSize, ILC_COLOR32 | ILC_MASK, static_cast<int>(iconIds.size()), 0);
  for (const int id : iconIds) {
    const unique_hicon icon(static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_ICON, kSize, kSize, 0)));
    ImageList_AddIcon(list, icon.get());
  }
  return list;
}

std::string TControl::Text() const {
  std::string text(static_cast<std::size_t>(GetWindowTextLengthA(FHandle)) + 1, '\0');
  text.resize(static_cast<std::size_t>(GetWindowTextA(FHandle, text.data(), static_cast<int>(text.size()))));
  return text;
}

void TControl::SetText(const std::string& text) const { SetWindowTextA(FHandle, text.c_str()); }

RECT TControl::Placement() const {
  RECT rect{};
  GetWindowRect(FHandle, &rect);
  MapWindowPoints(nullptr, GetParent(FHandle), reinterpret_cast<POINT*>(&rect), 2);
  return RECT{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

namespace {
// The edit box that a click is giving the focus to, while the click is handled.
thread_local HWND ClickedEdit = nullptr;

LRESULT CALLBACK SelectAllOnFocus(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                  DWORD_PTR) {
  switch (message) {
  case WM_LBUTTONDOWN:
  case WM_LBUTTONDBLCLK: {
    // The box takes the focus while it handles the press, after placing the caret.
    const HWND outer = std::exchange(ClickedEdit, edit);
    const LRESULT result = DefSubclassProc(edit, message, wParam, lParam);
    ClickedEdit = outer;
    return result;
  }
  case WM_SETFOCUS: {
    const LRESULT result = DefSubclassProc(edit, message, wParam, lParam);
    if (ClickedEdit != edit) SendMessageA(edit, EM_SETSEL, 0, -1);
    return result;
  }
  case WM_NCDESTROY: RemoveWindowSubclass(edit, SelectAllOnFocus, 0); break;
  default: break;
  }
  return DefSubclassProc(edit, message, wParam, lParam);
}
} // namespace

void TEditBox::SelectAllOnKeyboardFocus() const { SetWindowSubclass(Handle(), SelectAllOnFocus, 0, 0); }

std::pair<int, int> TEditBox::Selection() const {
  DWORD start = 0;
  DWORD end = 0;
  Send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return {static_cast<int>(start), static_cast<int>(end)};
}

int TRadioGroup::Selected() const {
  for (int index = 0; index < Count(); ++index)
    if (Button(index).Checked()) return index;
  return -1;
}

void TRadioGroup::Select(int index) const {
  if (index < 0 || index >= Count()) return;
  CheckRadioButton(FDialog, FFirstId, FLastId, FFirstId + index);
}

std::string TListBox::Line(int index) const {
  const LRESULT length = Send(LB_GETTEXTLEN, static_cast<WPARAM>(index));
  if (length == LB_ERR) return {};
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const LRESULT copied = Send(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied == LB_ERR ? 0 : static_cast<std::size_t>(copied));
  return text;
}

std::vector<std::string> TListBox::Lines() const {
  std::vector<std::string> lines;
  const int count = Count();
  lines.reserve(static_cast<std::size_t>(count));
  for (int index = 0; index < count; ++index) lines.push_back(Line(index));
  return lines;
}

void TListBox::AddLine(const std::string& line) const {
  Send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
}

void TListView::AddColumn(const std::string& caption, int width) const {
  LVCOLUMNA column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.pszText = const_cast<char*>(caption.c_str());
  column.cx = width;
  Send(LVM_INSERTCOLUMNA, static_cast<WPARAM>(ColumnCount()), reinterpret_cast<LPARAM>(&column));
}

int TListView::ColumnCount() const {
  // Asked of the control itself: a list without headers has no header control to ask.
  int count = 0;
  LVCOLUMNA column{};
  column.mask = LVCF_WIDTH;
  while (Send(LVM_GETCOLUMNA, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(&column))) ++count;
  return count;
}

int TListView::AddRow(const std::string& text, int image) const { return InsertRow(RowCount(), text, image); }

int TListView::InsertRow(int at, const std::string& text, int image) const {
  LVITEMA row{};
  row.mask = LVIF_TEXT | (image >= 0 ? LVIF_IMAGE : 0);
  row.iItem = at;
  row.pszText = const_cast<char*>(text.c_str());
  row.iImage = image;
  return static_cast<int>(Send(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&row)));
}

void TListView::SetCell(int row, int column, const std::string& text) const {
  LVITEMA cell{};
  cell.iSubItem = column;
  cell.pszText = const_cast<char*>(text.c_str());
  Send(LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
}

std::string TListView::Cell(int row, int column) const {
  // The control says how much it copied, not how long the text is: grow until it fits.
  for (std::size_t size = 256;; size *= 2) {
    std::string text(size, '\0');
    LVITEMA cell{};
    cell.iSubItem = column;
    cell.pszText = text.data();
    cell.cchTextMax = static_cast<int>(size);
    const auto copied = static_cast<std::size_t>(
        Send(LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell)));
    if (copied + 1 < size) {
      text.resize(copied);
      return text;
    }
  }
}

int TListView::RowImage(int row) const {
  LVITEMA item{};
  item.mask = LVIF_IMAGE;
  item.iItem = row;
  if (!Send(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return -1;
  return item.iImage;
}


int TListView::SelectedRow() const {
  return static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void TListView::SelectRow(int row) const {
  SetRowsSelected(-1, false);
  LVITEMA state{};
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  state.state = LVIS_SELECTED | LVIS_FOCUSED;
  Send(LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&state));
}

void TListView::SetRowsSelected(int row, bool selected) const {
  LVITEMA state{};
  state.stateMask = LVIS_SELECTED;
  state.state = selected ? LVIS_SELECTED : 0;
  Send(LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&state));
}

void TListView::SelectRows(const std::vector<int>& rows) const {
  SetRowsSelected(-1, false);
  for (const int row : rows) SetRowsSelected(row, true);
  if (rows.empty()) return;
  LVITEMA focus{};
  focus.stateMask = LVIS_FOCUSED;
  focus.state = LVIS_FOCUSED;
  Send(LVM_SETITEMSTATE, static_cast<WPARAM>(rows.front()), reinterpret_cast<LPARAM>(&focus));
}

std::vector<int> TListView::SelectedRows() const {
  // Asked no further than the last selected row: each question searches on from there.
  const auto count = static_cast<std::size_t>(SelectedCount());
  std::vector<int> rows;
  for (int row = SelectedRow(); row >= 0 && rows.size() < count;
       row = rows.size() < count ? static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(row), LVNI_SELECTED)) : -1)
    rows.push_back(row);
  return rows;
}

RECT TListView::RowRect(int row, int part) const {
  RECT rect{};
  rect.left = part;
  Send(LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect));
  return rect;
}

HTREEITEM TTreeView::AddNode(HTREEITEM parent, const std::string& text, int image,
                             int selectedImage, bool hasChildren, LPARAM value) const {
  TVINSERTSTRUCTA insert{};
  insert.hParent = parent;
  insert.hInsertAfter = TVI_LAST;
  // Without the children flag the tree shows an expand button once a child exists.
  insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM |
                     (hasChildren ? TVIF_CHILDREN : 0);
  insert.item.pszText = const_cast<char*>(text.c_str());
  insert.item.iImage = image;
  insert.item.iSelectedImage = selectedImage;
  insert.item.cChildren = 1;
  insert.item.lParam = value;
  return reinterpret_cast<HTREEITEM>(Send(TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

TVITEMA TTreeView::Node(HTREEITEM node, UINT mask) const {
  TVITEMA item{};
  item.mask = mask | TVIF_HANDLE;
  item.hItem = node;
  Send(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  return item;
}

std::string TTreeView::NodeText(HTREEITEM node) const {
  char text[1024] = {}; // registry key names are at most 255 characters
  TVITEMA item{};
  item.mask = TVIF_TEXT | TVIF_HANDLE;
  item.hItem = node;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  Send(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
  return text;
}

LPARAM TTreeView::NodeValue(HTREEITEM node) const { return Node(node, TVIF_PARAM).lParam; }

int TTreeView::NodeImage(HTREEITEM node) const { return Node(node, TVIF_IMAGE).iImage; }

int TTreeView::NodeSelectedImage(HTREEITEM node) const {
  return Node(node, TVIF_SELECTEDIMAGE).iSelectedImage;
}

bool TTreeView::NodeHasChildren(HTREEITEM node) const {
  return Node(node, TVIF_CHILDREN).cChildren != 0;
}

void TTreeView::SetNodeHasChildren(HTREEITEM node, bool hasChildren) const {
  TVITEMA item{};
  item.mask = TVIF_CHILDREN | TVIF_HANDLE;
  item.hItem = node;
  item.cChildren = hasChildren ? 1 : 0;
  Send(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

std::vector<HTREEITEM> TTreeView::Children(HTREEITEM node) const {
  std::vector<HTREEITEM> children;
  for (HTREEITEM child = FirstChild(node); child != nullptr; child = NextSibling(child))
    children.push_back(child);
  return children;
}

bool TTreeView::Expanded(HTREEITEM node) const {
  return (Send(TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(node), TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
}
