#include "app/VarnexFormUnit.h"

#include "app/MainActions.h"
#include "app/PlugInFile.h"
#include "framework/Clock.h"
#include "framework/CommonDialogs.h"
#include "framework/Controls.h"
#include "framework/FileStream.h"
#include "framework/MessageBoxes.h"
#include "framework/SysError.h"
#include "preview/PlugInPreviewFormUnit.h"
#include "res/resource.h"

#include <commctrl.h>
#include <commdlg.h>
#include <windowsx.h>

#include <algorithm>

TVarnexForm* VarnexForm = nullptr;

namespace {

constexpr const char* kClassName = "TVarnexForm";
constexpr const char* kUntitledTitle = "Varnex - [Noname.ppj]";
constexpr int kWindowWidth = 598;
constexpr int kWindowHeight = 551;
constexpr int kInfoStripHeight = 26;
constexpr int kButtonWidth = 60;
constexpr int kButtonHeight = 36;
constexpr int kCheckPanelWidth = 160;

enum ControlId { kListViewId = 10, kToolbarId, kCoolBarId, kStatusBarId };

// The row caption, which is also the row's kind for Edit Item.
const char* KindWord(plugin::ItemKind kind) {
  switch (kind) {
  case plugin::ItemKind::Registry: return "Registry";
  case plugin::ItemKind::File: return "File";
  case plugin::ItemKind::Folder: break;
  }
  return "Folder";
}

// Both plug-in file dialogs show plug-in files only and add ".ppj" to a bare name.
FileDialogSettings PlugInFileDialog() {
  return {"Plug-In Project File|*.ppj|", "ppj", OFN_HIDEREADONLY | OFN_ENABLESIZING};
}

HWND CreateLabel(HWND parent, const char* text, HFONT font) {
  const HWND label = CreateWindowExA(0, "STATIC", text, WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX,
                                     0, 0, 0, 0, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
  SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return label;
}

} // namespace

TVarnexForm::TVarnexForm() {
  unique_hicon programIcon(static_cast<HICON>(
      LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_VARNEX), IMAGE_ICON, 0, 0,
                 LR_DEFAULTSIZE | LR_SHARED)));
  RegisterClassOnce(kClassName, programIcon.release());
  FAccelerators = LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_ACCELERATORS));
  FPopupMenu.reset(LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_ITEMPOPUP)));
  const HMENU mainMenu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINMENU));
  CreateHandle(kClassName, kUntitledTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, kWindowWidth,
               kWindowHeight, mainMenu);
  CreateControls();
  FormCreate();
}

TVarnexForm::~TVarnexForm() {
  ClearItems();
  if (VarnexForm == this) VarnexForm = nullptr;
}

void TVarnexForm::CreateControls() {
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  FFont.reset(CreateFontIndirectA(&metrics.lfMessageFont));

  CreateToolbar();
  CreateLabels();
  CreateListView();
  FStatusBar = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0,
                               0, 0, 0, Handle(), reinterpret_cast<HMENU>(kStatusBarId),
                               GetModuleHandleA(nullptr), nullptr);
  LayoutControls();
}

void TVarnexForm::CreateToolbar() {
  FCoolBar = CreateWindowExA(WS_EX_TOOLWINDOW, REBARCLASSNAMEA, nullptr,
                             WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN |
                                 RBS_VARHEIGHT | RBS_BANDBORDERS | CCS_NODIVIDER,
                             0, 0, 0, 0, Handle(), reinterpret_cast<HMENU>(kCoolBarId),
                             GetModuleHandleA(nullptr), nullptr);
  FToolbar = CreateWindowExA(0, TOOLBARCLASSNAMEA, nullptr,
                             WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | CCS_NODIVIDER | CCS_NORESIZE |
                                 CCS_NOPARENTALIGN,
                             0, 0, 0, 0, FCoolBar, reinterpret_cast<HMENU>(kToolbarId),
                             GetModuleHandleA(nullptr), nullptr);
  SendMessageA(FToolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  FToolbarImageList.reset(LoadSmallIconList(
      {IDI_TB_SAVE, IDI_TB_NEWITEM, IDI_TB_REMOVE, IDI_TB_NEW, IDI_TB_OPEN, IDI_TB_PROPERTIES}));
  SendMessageA(FToolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(FToolbarImageList.get()));

  std::vector<TBBUTTON> buttons;
  for (const UINT id : ToolbarLayout()) {
    TBBUTTON button{};
    if (id == 0) {
      button.fsStyle = BTNS_SEP;
    } else {
      const TAction* action = FindAction(id);
      button.idCommand = static_cast<int>(id);
      button.iBitmap = action->ImageIndex;
      button.fsState = TBSTATE_ENABLED;
      button.fsStyle = BTNS_BUTTON;
      button.iString = reinterpret_cast<INT_PTR>(id == RemoveItemAction ? "&Remove" : action->Caption);
    }
    buttons.push_back(button);
  }
  SendMessageA(FToolbar, TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
  SendMessageA(FToolbar, TB_SETBUTTONSIZE, 0, MAKELPARAM(kButtonWidth, kButtonHeight));
  SendMessageA(FToolbar, TB_AUTOSIZE, 0, 0);

  SIZE size{};
  SendMessageA(FToolbar, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&size));
  REBARBANDINFOA band{};
  band.cbSize = sizeof band;
  band.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_STYLE | RBBIM_SIZE;
  band.fStyle = RBBS_CHILDEDGE;
  band.hwndChild = FToolbar;
  band.cxMinChild = static_cast<UINT>(size.cx);
  band.cyMinChild = static_cast<UINT>(size.cy);
  band.cx = static_cast<UINT>(size.cx);
  SendMessageA(FCoolBar, RB_INSERTBANDA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band));
}

void TVarnexForm::CreateLabels() {
  const HFONT font = static_cast<HFONT>(FFont.get());
  FNameCaption = CreateLabel(Handle(), "Name:", font);
  FNameLabel = CreateLabel(Handle(), "(none)", font);
  FAuthorCaption = CreateLabel(Handle(), "Author:", font);
  FAuthorLabel = CreateLabel(Handle(), "(none)", font);
}

void TVarnexForm::CreateListView() {
  FListView = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, nullptr,
                              WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT |
                                  LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS,
                              0, 0, 0, 0, Handle(), reinterpret_cast<HMENU>(kListViewId),
                              GetModuleHandleA(nullptr), nullptr);
  SendMessageA(FListView, WM_SETFONT, reinterpret_cast<WPARAM>(FFont.get()), FALSE);
  ListView_SetExtendedListViewStyle(FListView, LVS_EX_FULLROWSELECT);
  FCleanItemImageList.reset(LoadSmallIconList({IDI_ROW_REGISTRY, IDI_ROW_FILE, IDI_ROW_FOLDER,
                                               IDI_OVERLAY_ERROR, IDI_OVERLAY_WARNING}));
  ListView_SetImageList(FListView, FCleanItemImageList.get(), LVSIL_SMALL);

  const TListView list(FListView);
  list.AddColumn("Type", 100);
  list.AddColumn("Description", 450);
}

void TVarnexForm::LayoutControls() {
  RECT client{};
  GetClientRect(Handle(), &client);
  const int width = client.right;

  SendMessageA(FCoolBar, WM_SIZE, 0, 0);
  RECT coolBar{};
  GetWindowRect(FCoolBar, &coolBar);
  const int top = coolBar.bottom - coolBar.top;
  MoveWindow(FCoolBar, 0, 0, width, top, TRUE);

  SendMessageA(FStatusBar, WM_SIZE, 0, 0);
  LayoutStatusPanels(width);
  RECT status{};
  GetWindowRect(FStatusBar, &status);
  const int statusHeight = status.bottom - status.top;

  // The info strip: "Name:" and its value on the left, "Author:" and its value on the right.
  const int labelTop = top + 6;
  const int labelHeight = kInfoStripHeight - 8;
  const int half = width / 2;
  MoveWindow(FNameCaption, 8, labelTop, 44, labelHeight, TRUE);
  MoveWindow(FNameLabel, 56, labelTop, half - 64, labelHeight, TRUE);
  MoveWindow(FAuthorCaption, half, labelTop, 48, labelHeight, TRUE);
  MoveWindow(FAuthorLabel, half + 52, labelTop, width - half - 60, labelHeight, TRUE);

  const int listTop = top + kInfoStripHeight;
  MoveWindow(FListView, 0, listTop, width, client.bottom - statusHeight - listTop, TRUE);
}

void TVarnexForm::LayoutStatusPanels(int width) {
  // The hint takes what the check's panel leaves at the right end.
  int panelEdges[] = {std::max(width - kCheckPanelWidth, 0), -1};
  SendMessageA(FStatusBar, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(panelEdges));
}

void TVarnexForm::FormCreate() {
  FClipboardFormat = RegisterClipboardFormatA("Varnex Clean Items");
  DragAcceptFiles(Handle(), TRUE);
  FPlugInName.clear();
  FAuthor.clear();
  UpdateItemActions();
  CheckPlugIn();
}

void TVarnexForm::Show(const std::vector<std::string>& arguments) {
  ShowWindow(Handle(), SW_SHOWNORMAL);
  UpdateWindow(Handle());
  FTime = NowAsDateTime();
  if (arguments.empty()) return;
  try {
    LoadPlugIn(arguments.front());
  } catch (const std::exception& error) {
    ShowErrorBox(Handle(), error.what());
  }
}

void TVarnexForm::SetProjectFileName(const std::string& path) {
  FFileName = path;
  const std::string title = path.empty() ? kUntitledTitle : "Varnex - [" + path + "]";
  SetWindowTextA(Handle(), title.c_str());
}

void TVarnexForm::ShowPlugInInfo() {
  TControl(FNameLabel).SetText(FPlugInName);
  TControl(FAuthorLabel).SetText(FAuthor);
}

void TVarnexForm::UpdateItemActions() {
  const TListView list(FListView);
  const bool selected = list.SelectedCount() > 0;
  EnableAction(EditItemAction, selected);
  EnableAction(RemoveItemAction, selected);
  EnableAction(CutAction, selected);
  EnableAction(CopyAction, selected);
  EnableAction(DuplicateAction, selected);
  // Each selected row moves by one: only the first row cannot go up, the last down.
  EnableAction(MoveUpAction, selected && !list.RowSelected(0));
  EnableAction(MoveDownAction, selected && !list.RowSelected(ItemCount() - 1));
  EnableAction(SelectAllAction, ItemCount() > 0);
  EnableAction(PasteAction, ClipboardHasItems());
  EnableAction(UndoAction, FHistory.ToUndo() != nullptr);
  EnableAction(RedoAction, FHistory.ToRedo() != nullptr);
  ShowUndoCaption();
}

void TVarnexForm::EnableAction(UINT id, bool enabled) {
  const UINT state = MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED);
  EnableMenuItem(GetMenu(Handle()), id, state);
  EnableMenuItem(FPopupMenu.get(), id, state);
  SendMessageA(FToolbar, TB_ENABLEBUTTON, id, MAKELPARAM(enabled ? TRUE : FALSE, 0));
}

bool TVarnexForm::ActionEnabled(UINT id) const {
  const UINT state = GetMenuState(GetMenu(Handle()), id, MF_BYCOMMAND);
  return state != static_cast<UINT>(-1) && (state & (MF_GRAYED | MF_DISABLED)) == 0;
}

int TVarnexForm::ItemCount() const { return static_cast<int>(FItems.size()); }

TCleanObj* TVarnexForm::Item(int row) const { return FItems.at(static_cast<std::size_t>(row)).get(); }

int TVarnexForm::SelectedRow() const { return TListView(FListView).SelectedRow(); }

int TVarnexForm::EditRow() const {
  const TListView list(FListView);
  const int focused = list.FocusedRow();
  return focused >= 0 && list.RowSelected(focused) ? focused : list.SelectedRow();
}

std::vector<TCleanObj*> TVarnexForm::Items() const {
  std::vector<TCleanObj*> items;
  items.reserve(FItems.size());
  for (const auto& item : FItems) items.push_back(item.get());
  return items;
}

void TVarnexForm::ClearItems() {
  if (FListView == nullptr) return;
  // A collection still running over the items is stopped and waited for before any
  // of them goes.
  StopCollecting();
  TListView(FListView).DeleteAllRows();
  for (auto& item : FItems) item.reset(); // first to last
  FItems.clear();
  FHistory.Clear(); // New and Open start an empty history
  UpdateItemActions();
}

std::string TVarnexForm::GetItemDescription(const TCleanObj& item) { return DescribeItem(item); }

void TVarnexForm::AppendItemRow(std::unique_ptr<TCleanObj> item) {
  FItems.push_back(std::move(item));
  try {
    InsertItemRow(ItemCount() - 1, *FItems.back());
  } catch (...) {
    FItems.pop_back();
    throw;
  }
}

void TVarnexForm::InsertItemRow(int row, const TCleanObj& item) {
  const plugin::ItemKind kind = KindOfItem(item);
  const TListView list(FListView);
  if (list.InsertRow(row, KindWord(kind), static_cast<int>(kind)) != row)
    throw ECommandError("Cannot add a row to the item list");
  list.SetCell(row, 1, GetItemDescription(item));
}

void TVarnexForm::LoadPlugIn(const std::string& path) {
  SetProjectFileName(path);
  ClearItems();
  CheckPlugIn(); // also when the file cannot be read
  TFileStream stream = [&] {
    try {
      return TFileStream::OpenRead(path);
    } catch (const ECommandError&) {
      // A file that exists but cannot be read (in use, denied) must not be overwritten
      // by the next Save: the plug-in becomes untitled. A missing file keeps its name,
      // so that a new plug-in named on the command line is saved under it.
      if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) SetProjectFileName("");
      throw;
    }
  }();
  plugin::PlugInReadResult result;
  {
    // A plug-in may hold thousands of items: the list draws itself once, at the end.
    const TRedrawOff quiet(FListView);
    result = ReadPlugInItems(
        stream, [this](std::unique_ptr<TCleanObj> item) { AppendItemRow(std::move(item)); });
  }
  if (result.Outcome == plugin::ReadOutcome::NotAPlugIn) {
    // Nothing was read, and the file is not to be written over by the next Save.
    SetProjectFileName("");
    CheckPlugIn();
    WarningBox(Handle(), "The file \"" + ExpandFileName(path) +
                             "\" is not a plug-in file; nothing was read from it.");
    return;
  }

  if (result.Outcome == plugin::ReadOutcome::HeaderTruncated) {
    FPlugInName.clear();
    FAuthor.clear();
    FTime = NowAsDateTime();
  } else {
    FPlugInName = result.Header.Name;
    FAuthor = result.Header.Author;
    FTime = result.Header.Time;
  }
  FModified = false;
  if (plugin::IsDamaged(result.Outcome)) {
    // What could be read is kept, but as a new plug-in, so that Save cannot write the
    // shorter plug-in over the damaged original without the user choosing a file.
    SetProjectFileName("");
    FModified = true;
    FHistory.ForgetSaved();
  }
  ShowPlugInInfo();
  UpdateItemActions();
  CheckPlugIn();
  if (plugin::IsDamaged(result.Outcome))
    WarningBox(Handle(), plugin::DamagedPlugInMessage(ExpandFileName(path), result));
}

void TVarnexForm::DescribeOverlongTexts(std::vector<plugin::StoredText>& overlong) const {
  plugin::CheckStoredText(overlong, 0, "Name", FPlugInName, plugin::kNameFieldSize);
  plugin::CheckStoredText(overlong, 0, "Author", FAuthor, plugin::kNameFieldSize);
  int number = 1;
  for (const TCleanObj* item : Items()) item->CheckStoredTexts(overlong, number++);
}

bool TVarnexForm::RefusesOverlongTargets() const {
  std::vector<plugin::StoredText> overlong;
  DescribeOverlongTexts(overlong);
  const std::vector<plugin::StoredText> refused = plugin::RefusedTexts(overlong);
  if (refused.empty()) return false;
  ShowErrorBox(Handle(), plugin::RefusedTextsMessage(refused));
  return true;
}

bool TVarnexForm::SavePlugIn() {
  if (RefusesOverlongTargets()) return false;
  std::vector<plugin::StoredText> overlong;
  DescribeOverlongTexts(overlong);
  if (!overlong.empty() && !ConfirmBox(Handle(), plugin::ShortenTextsQuestion(overlong)))
    return false;

  plugin::PlugInHeader header;
  header.Name = FPlugInName;
  header.Author = FAuthor;
  header.Time = FTime;
  header.ItemCount = ItemCount();
  SavePlugInFile(FFileName, header, Items());
  FModified = false;
  FHistory.MarkSaved();
  if (!overlong.empty()) HoldWhatWasSaved();
  return true;
}

void TVarnexForm::HoldWhatWasSaved() {
  FPlugInName = plugin::NameThatFits(FPlugInName, plugin::kNameFieldSize);
  FAuthor = plugin::NameThatFits(FAuthor, plugin::kNameFieldSize);
  for (TCleanObj* item : Items()) item->FitStoredTexts();
  // The steps hold the texts as they were before: the history starts anew.
  FHistory.Clear();
  ShowPlugInInfo();
  UpdateItemActions();
  CheckPlugIn();
}

void TVarnexForm::NewActionExecute() {
  if (FModified && !ConfirmBox(Handle(), "Current plug-in not saved, continue anyway?")) return;
  SetProjectFileName("");
  ClearItems();
  FPlugInName.clear();
  FAuthor.clear();
  FTime = NowAsDateTime();
  FModified = false;
  ShowPlugInInfo();
  CheckPlugIn();
}

void TVarnexForm::OpenActionExecute() {
  // Opening would discard unsaved changes, so it asks first, as New does.
  if (FModified && !ConfirmBox(Handle(), "Current plug-in not saved, continue anyway?")) return;
  // No check that the file exists: Open reports a missing file itself.
  if (const auto path = PromptForOpenFile(Handle(), PlugInFileDialog())) LoadPlugIn(*path);
}

void TVarnexForm::SaveActionExecute() {
  // Refused before the file dialog: there is nothing to choose a file for.
  if (RefusesOverlongTargets()) return;
  if (!FFileName.empty()) {
    SavePlugIn();
    return;
  }
  SaveAsActionExecute();
}

void TVarnexForm::SaveAsActionExecute() {
  if (RefusesOverlongTargets()) return;
  FileDialogSettings settings = PlugInFileDialog();
  settings.Flags |= OFN_OVERWRITEPROMPT; // the dialog asks before a file is replaced
  const auto path = PromptForSaveFile(Handle(), settings);
  if (!path) return;
  SetProjectFileName(*path);
  SavePlugIn();
}

void TVarnexForm::ExitActionExecute() { SendMessageA(Handle(), WM_CLOSE, 0, 0); }

bool TVarnexForm::FormCloseQuery() {
  return !FModified ||
         ConfirmBox(Handle(), "The Plug-In is modified, are you sure quit without saving?");
}

void TVarnexForm::ApplicationEventsHint(const std::string& hint) {
  if (hint == FHint) return;
  FHint = hint;
  SendMessageA(FStatusBar, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(FHint.c_str()));
}

void TVarnexForm::RunCommand(UINT id) {
  // Accelerators reach disabled commands too; a disabled command does nothing. Paste
  // follows the clipboard, which changes without a word to the window.
  if (FindAction(id) == nullptr) return;
  if (id == PasteAction) UpdateItemActions();
  if (!ActionEnabled(id)) return;
  switch (id) {
  case NewAction: NewActionExecute(); break;
  case OpenAction: OpenActionExecute(); break;
  case SaveAction: SaveActionExecute(); break;
  case SaveAsAction: SaveAsActionExecute(); break;
  case ExitAction: ExitActionExecute(); break;
  case PropertiesAction: PropertiesActionExecute(); break;
  case PreviewSizeAction: PreviewSizeActionExecute(); break;
  case CheckPlugInAction: CheckPlugInActionExecute(); break;
  case HelpAction: HelpActionExecute(); break;
  case AboutAction: AboutActionExecute(); break;
  case NewItemAction: NewButtonClick(); break;
  case EditItemAction: EditButtonClick(); break;
  case RemoveItemAction: DeleteButtonClick(); break;
  case UndoAction: UndoActionExecute(); break;
  case RedoAction: RedoActionExecute(); break;
  case CutAction: CutActionExecute(); break;
  case CopyAction: CopyActionExecute(); break;
  case PasteAction: PasteActionExecute(); break;
  case DuplicateAction: DuplicateActionExecute(); break;
  case MoveUpAction: MoveUpActionExecute(); break;
  case MoveDownAction: MoveDownActionExecute(); break;
  case SelectAllAction: SelectAllActionExecute(); break;
  default: break;
  }
}

void TVarnexForm::ShowContextMenu(int x, int y) {
  if (x == -1 && y == -1) { // from the keyboard: at the selected row or the list's corner
    RECT rect{};
    const int row = SelectedRow();
    if (row < 0 || !ListView_GetItemRect(FListView, row, &rect, LVIR_LABEL)) GetClientRect(FListView, &rect);
    POINT point{rect.left, rect.bottom};
    ClientToScreen(FListView, &point);
    x = point.x;
    y = point.y;
  }
  UpdateItemActions();
  TrackPopupMenu(GetSubMenu(FPopupMenu.get(), 0), TPM_LEFTALIGN | TPM_RIGHTBUTTON, x, y, 0,
                 Handle(), nullptr);
}

LRESULT TVarnexForm::HandleNotify(NMHDR& header) {
  if (header.hwndFrom == FListView) {
    if (header.code == NM_CUSTOMDRAW) return DrawRowOverlay(reinterpret_cast<NMLVCUSTOMDRAW&>(header));
    if (header.code == LVN_ITEMCHANGED && !FQuietSelection) UpdateItemActions(); // CleanItemsListViewChange
    if (header.code == NM_DBLCLK) RunCommand(EditItemAction);
  } else if (header.hwndFrom == FToolbar && header.code == TBN_HOTITEMCHANGE) {
    const auto& change = reinterpret_cast<const NMTBHOTITEM&>(header);
    const TAction* action = (change.dwFlags & HICF_LEAVING) ? nullptr : FindAction(change.idNew);
    ApplicationEventsHint(action != nullptr ? action->Hint : "");
  }
  return 0;
}

LRESULT TVarnexForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_SIZE:
    if (FListView != nullptr) LayoutControls();
    return 0;
  case WM_COMMAND:
    RunCommand(LOWORD(wParam));
    return 0;
  case WM_INITMENUPOPUP:
    UpdateItemActions(); // Paste follows the clipboard
    return 0;
  case WM_DROPFILES:
    DropFiles(reinterpret_cast<HDROP>(wParam));
    return 0;
  case WM_NOTIFY:
    return HandleNotify(*reinterpret_cast<NMHDR*>(lParam));
  case WM_CONTEXTMENU:
    if (reinterpret_cast<HWND>(wParam) == FListView) {
      ShowContextMenu(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return 0;
    }
    break;
  case WM_MENUSELECT: {
    const UINT flags = HIWORD(wParam);
    const bool closed = flags == 0xFFFF && lParam == 0;
    const TAction* action = closed || (flags & MF_POPUP) ? nullptr : FindAction(LOWORD(wParam));
    ApplicationEventsHint(action != nullptr ? action->Hint : "");
    return 0;
  }
  case WM_EXITMENULOOP:
    ApplicationEventsHint("");
    return 0;
  case WM_QUERYENDSESSION:
    // Logging off or shutting down asks the close question too; No keeps the session.
    return FormCloseQuery() ? TRUE : FALSE;
  case WM_CLOSE:
    if (FormCloseQuery()) DestroyWindow(Handle());
    return 0;
  case WM_DESTROY:
    ClearItems();
    PostQuitMessage(0);
    return 0;
  default:
    break;
  }
  return DefaultHandling(message, wParam, lParam);
}
