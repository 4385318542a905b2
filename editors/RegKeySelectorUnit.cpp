#include "editors/RegKeySelectorUnit.h"

#include "framework/Controls.h"

#include <algorithm>
#include <array>

TRegKeySelector* RegKeySelector = nullptr;

namespace {
constexpr int kOuterWidth = 371;
constexpr int kOuterHeight = 399;
constexpr int kBorder = 5;
constexpr int kButtonPanelHeight = 35;
constexpr int kButtonsPanelWidth = 161; // at the right end of the button panel
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kIndent = 19;
constexpr int kClosedFolderImage = 0;
constexpr int kOpenFolderImage = 1;
// A node whose only child is this placeholder has not been read yet.
constexpr const char* kPlaceholder = "Loading...";

struct RootNode {
  const char* Text;
  std::uint32_t RootKey;
};
constexpr std::array<RootNode, 5> kRootNodes{{
    {"HKEY_CLASSES_ROOT", 0x80000000},
    {"HKEY_CURRENT_USER", 0x80000001},
    {"HKEY_LOCAL_MACHINE", 0x80000002},
    {"HKEY_USERS", 0x80000003},
    {"HKEY_CURRENT_CONFIG", 0x80000005},
}};
constexpr std::uint32_t kCurrentUser = 0x80000001;

HICON LoadSmallIcon(int id) {
  return static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_ICON,
                                       16, 16, LR_SHARED));
}

// A key's node: a closed folder, an open one while selected, and a placeholder child.
HTREEITEM AddKeyNode(const TTreeView& tree, HTREEITEM parent, const std::string& name) {
  const HTREEITEM node = tree.AddNode(parent, name, kClosedFolderImage, kOpenFolderImage);
  tree.AddNode(node, kPlaceholder, kClosedFolderImage, kClosedFolderImage);
  return node;
}
} // namespace

TRegKeySelector::TRegKeySelector(HWND owner) { CreateFromTemplate(IDD_REGKEYSELECTOR, owner); }

TRegKeySelector::~TRegKeySelector() {
  if (RegKeySelector == this) RegKeySelector = nullptr;
}

void TRegKeySelector::FormCreate() {
  // The outer size is fixed in pixels and the window centred; the layout follows. The
  // template gives the tree no size, and a tree filled before it has one sets up
  // scroll bars for its nodes, so it is laid out first.
  RECT workArea{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
  SetWindowPos(Handle(), nullptr, workArea.left + (workArea.right - workArea.left - kOuterWidth) / 2,
               workArea.top + (workArea.bottom - workArea.top - kOuterHeight) / 2, kOuterWidth,
               kOuterHeight, SWP_NOZORDER | SWP_NOACTIVATE);
  LayoutControls();

  FImageList.reset(ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 2, 0));
  ImageList_AddIcon(FImageList.get(), LoadSmallIcon(IDI_KEY_CLOSED));
  ImageList_AddIcon(FImageList.get(), LoadSmallIcon(IDI_KEY_OPEN));
  const TTreeView tree(RegKeyTreeView());
  TreeView_SetImageList(tree.Handle(), FImageList.get(), TVSIL_NORMAL);
  TreeView_SetIndent(tree.Handle(), kIndent);
  for (const RootNode& root : kRootNodes) AddKeyNode(tree, TVI_ROOT, root.Text);
}

void TRegKeySelector::LayoutControls() {
  RECT client{};
  GetClientRect(Handle(), &client);
  const int width = client.right - 2 * kBorder;
  const int panelTop = client.bottom - kBorder - kButtonPanelHeight;
  MoveWindow(RegKeyTreeView(), kBorder, kBorder, std::max(width, 0),
             std::max(panelTop - kBorder, 0), TRUE);
  // OK and Cancel sit in a panel at the right end of the button panel.
  const int buttonsLeft = kBorder + width - kButtonsPanelWidth;
  const int buttonTop = panelTop + (kButtonPanelHeight - kButtonHeight) / 2;
  MoveWindow(OKButton(), buttonsLeft + 3, buttonTop, kButtonWidth, kButtonHeight, TRUE);
  MoveWindow(CancelButton(), buttonsLeft + 3 + kButtonWidth + 5, buttonTop, kButtonWidth,
             kButtonHeight, TRUE);
}

HTREEITEM TRegKeySelector::SelectedNode() const { return TTreeView(RegKeyTreeView()).Selected(); }

std::uint32_t TRegKeySelector::GetNodeRootKey(HTREEITEM node) const {
  const TTreeView tree(RegKeyTreeView());
  while (const HTREEITEM parent = tree.Parent(node)) node = parent;
  const std::string text = tree.NodeText(node);
  std::uint32_t rootKey = kCurrentUser;
  for (const RootNode& root : kRootNodes)
    if (text == root.Text) rootKey = root.RootKey;
  return rootKey;
}

bool TRegKeySelector::GetNodeKeyPath(HTREEITEM node, std::string& path, TRegistry* registry) const {
  const TTreeView tree(RegKeyTreeView());
  // Read from the node upwards, so that the path reads from the top down.
  std::vector<std::string> names;
  for (HTREEITEM parent = tree.Parent(node); parent != nullptr; parent = tree.Parent(node)) {
    names.push_back(tree.NodeText(node));
    node = parent;
  }
  std::string composed;
  for (auto name = names.rbegin(); name != names.rend(); ++name) composed.append("\\").append(*name);
  path.insert(0, composed);
  if (registry == nullptr) return false;
  registry->SetRootKey(PredefinedKey(GetNodeRootKey(node)));
  return registry->OpenKey(path);
}

void TRegKeySelector::RegKeyTreeViewExpanding(HTREEITEM node) {
  const TTreeView tree(RegKeyTreeView());
  const HTREEITEM first = tree.FirstChild(node);
  if (first == nullptr || tree.NodeText(first) != kPlaceholder) return; // read already
  // The selector only reads, so keys are opened for reading: one that a user may not
  // change still lists its subkeys.
  TRegistry registry(KEY_READ);
  std::string path;
  GetNodeKeyPath(node, path, &registry); // a key that does not open has no subkeys
  const std::vector<std::string> names = registry.GetKeyNames();
  // A key may have thousands of subkeys: the tree draws itself once, at the end.
  const TRedrawOff quiet(tree.Handle());
  for (const HTREEITEM child : tree.Children(node)) tree.DeleteNode(child);
  for (const std::string& name : names) AddKeyNode(tree, node, name);
  // A key without subkeys loses its expand button.
  if (names.empty()) tree.SetNodeHasChildren(node, false);
}

LRESULT TRegKeySelector::OnNotify(const NMHDR& header) {
  // The tree's item expansion notice comes in the tree's character set; both carry
  // the node at the same place.
  if (header.hwndFrom == RegKeyTreeView() &&
      (header.code == TVN_ITEMEXPANDINGA || header.code == TVN_ITEMEXPANDINGW)) {
    const auto& change = reinterpret_cast<const NMTREEVIEWA&>(header);
    if (change.action & TVE_EXPAND) RegKeyTreeViewExpanding(change.itemNew.hItem);
  }
  return FALSE; // expansion is always allowed
}

bool TRegKeySelector::HandleMessage(UINT message, WPARAM, LPARAM lParam, INT_PTR& result) {
  switch (message) {
  case WM_SIZE:
    LayoutControls();
    result = TRUE;
    return true;
  case WM_GETMINMAXINFO: {
    // Small enough to be out of the way, large enough that the buttons never overlap.
    auto& limits = *reinterpret_cast<MINMAXINFO*>(lParam);
    limits.ptMinTrackSize = {kButtonsPanelWidth + 4 * kBorder + 40, 160};
    result = TRUE;
    return true;
  }
  default:
    return false;
  }
}
