#include "tests/support/ScriptedUser.h"

#include "framework/Controls.h"

#include <commctrl.h>
#include <dlgs.h>
#include <shlobj.h>

namespace {
thread_local ScriptedUser* HookOwner = nullptr;

bool IsDialog(HWND window) {
  char className[32] = {};
  GetClassNameA(window, className, sizeof className);
  return std::string(className) == "#32770";
}

std::string WindowText(HWND window) {
  char text[4096] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

BOOL CALLBACK CollectStaticText(HWND child, LPARAM lParam) {
  char className[32] = {};
  GetClassNameA(child, className, sizeof className);
  if (std::string(className) == "Static") {
    const std::string text = WindowText(child);
    if (!text.empty()) {
      auto& joined = *reinterpret_cast<std::string*>(lParam);
      if (!joined.empty()) joined += "\n";
      joined += text;
    }
  }
  return TRUE;
}
} // namespace

ScriptedUser::ScriptedUser() {
  FWake = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  HookOwner = this;
  FHook = SetWindowsHookExA(WH_CBT, &ScriptedUser::CbtHook, nullptr, GetCurrentThreadId());
  FCallHook = SetWindowsHookExA(WH_CALLWNDPROC, &ScriptedUser::CallWindowHook, nullptr,
                                GetCurrentThreadId());
  FWorker = std::thread([this] { Work(); });
}

ScriptedUser::~ScriptedUser() {
  UnhookWindowsHookEx(FHook);
  UnhookWindowsHookEx(FCallHook);
  HookOwner = nullptr;
  {
    std::lock_guard lock(FMutex);
    FStopping = true;
  }
  SetEvent(FWake);
  FWorker.join();
  CloseHandle(FWake);
}

void ScriptedUser::PressButton(int id) {
  std::lock_guard lock(FMutex);
  FAnswers.push_back({id, {}});
}

void ScriptedUser::FillThenPress(std::vector<int> clicks,
                                 std::vector<std::pair<int, std::string>> texts, int button) {
  std::lock_guard lock(FMutex);
  struct Answer answer;
  answer.Button = button;
  answer.Clicks = std::move(clicks);
  answer.Texts = std::move(texts);
  FAnswers.push_back(answer);
}

void ScriptedUser::ChooseFile(const std::string& path) {
  std::lock_guard lock(FMutex);
  FAnswers.push_back({IDOK, path});
}

void ScriptedUser::ChooseFolder(const std::string& path) {
  std::lock_guard lock(FMutex);
  struct Answer answer;
  answer.Folder = path;
  FAnswers.push_back(answer);
}

void ScriptedUser::ChooseShellFolder(int csidl) {
  std::lock_guard lock(FMutex);
  struct Answer answer;
  answer.ShellFolder = csidl;
  FAnswers.push_back(answer);
}

void ScriptedUser::DoubleClickListRow(int row) {
  std::lock_guard lock(FMutex);
  FAnswers.push_back({IDOK, {}, row, false});
}

void ScriptedUser::PressCloseBox() {
  std::lock_guard lock(FMutex);
  FAnswers.push_back({IDCANCEL, {}, -1, true});
}

void ScriptedUser::Ignore(HWND dialog) {
  std::lock_guard lock(FMutex);
  FKnown.insert(dialog);
}

void ScriptedUser::IgnoreAlways(std::vector<HWND> windows) {
  std::lock_guard lock(FMutex);
  FIgnored.insert(windows.begin(), windows.end());
}

std::vector<SeenDialog> ScriptedUser::Seen() const {
  std::lock_guard lock(FMutex);
  return FSeen;
}

int ScriptedUser::PendingAnswers() const {
  std::lock_guard lock(FMutex);
  return static_cast<int>(FAnswers.size());
}

LRESULT CALLBACK ScriptedUser::CbtHook(int code, WPARAM wParam, LPARAM lParam) {
  ScriptedUser* self = HookOwner;
  if (self != nullptr) {
    const HWND window = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_ACTIVATE && IsDialog(window)) self->DialogActivated(window);
    if (code == HCBT_DESTROYWND) {
      std::lock_guard lock(self->FMutex);
      self->FKnown.erase(window);
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK ScriptedUser::CallWindowHook(int code, WPARAM wParam, LPARAM lParam) {
  ScriptedUser* self = HookOwner;
  const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (self != nullptr && code == HC_ACTION && call->message == WM_SHOWWINDOW && !call->wParam) {
    // Hidden: the next show is a new use of the dialog and gets the next answer.
    std::lock_guard lock(self->FMutex);
    self->FKnown.erase(call->hwnd);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void ScriptedUser::DialogActivated(HWND dialog) {
  // A dialog is activated again when a box it opened closes; it is answered once.
  std::lock_guard lock(FMutex);
  if (FIgnored.count(dialog) != 0 || !FKnown.insert(dialog).second) return;
  FArrived.push_back(dialog);
  SetEvent(FWake);
}

void ScriptedUser::Work() {
  while (true) {
    WaitForSingleObject(FWake, INFINITE);
    while (true) {
      HWND dialog = nullptr;
      {
        std::lock_guard lock(FMutex);
        if (FStopping) return;
        if (FArrived.empty()) break;
        dialog = FArrived.front();
        FArrived.pop_front();
      }
      Answer(dialog);
    }
  }
}

namespace {
HWND FolderTree(HWND browser) { return FindWindowExA(browser, nullptr, WC_TREEVIEWA, nullptr); }

// The text of the folder browser's selected node; empty while it has none.
std::string SelectedFolderText(HWND browser) {
  const HWND tree = FolderTree(browser);
  const HTREEITEM selected = TreeView_GetSelection(tree);
  return selected ? TTreeView(tree).NodeText(selected) : std::string();
}

bool SameText(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) == 0; }
} // namespace

void ScriptedUser::SelectInFolderBrowser(HWND browser, const struct Answer& answer) {
  // The browser fills its tree as it starts, in a new prefix slowly: a selection asked
  // for earlier is lost. Wait until the tree has its nodes, ask, and check.
  const std::string last = answer.Folder.substr(answer.Folder.find_last_of('\\') + 1);
  for (int attempt = 0; attempt < 100; ++attempt) {
    if (TreeView_GetCount(FolderTree(browser)) == 0) {
      Sleep(100); // polls the browser's own state, for at most ten seconds
      continue;
    }
    // A path goes with wParam TRUE, an item list with FALSE.
    if (!answer.Folder.empty()) {
      SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(answer.Folder.c_str()));
      if (SameText(SelectedFolderText(browser), last)) return;
    } else {
      LPITEMIDLIST folder = nullptr;
      if (FAILED(SHGetSpecialFolderLocation(nullptr, answer.ShellFolder, &folder))) return;
      SendMessageA(browser, BFFM_SETSELECTIONA, FALSE, reinterpret_cast<LPARAM>(folder));
      CoTaskMemFree(folder);
      return;
    }
    Sleep(100);
  }
}

void ScriptedUser::Answer(HWND dialog) {
  SeenDialog seen;
  seen.Caption = WindowText(dialog);
  EnumChildWindows(dialog, CollectStaticText, reinterpret_cast<LPARAM>(&seen.Text));
  struct Answer answer;
  {
    std::lock_guard lock(FMutex);
    seen.Answered = !FAnswers.empty();
    if (seen.Answered) {
      answer = FAnswers.front();
      FAnswers.pop_front();
    }
    FSeen.push_back(seen);
  }
  if (!seen.Answered) {
    // Cancel where there is a Cancel button, No where there is only Yes and No.
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    PostMessageA(dialog, WM_COMMAND, IDNO, 0);
    return;
  }
  if (answer.ListRow >= 0) {
    // Mouse down, up, double click and up at the middle of the row, as a user's double
    // click arrives; the list selects the row at the first press.
    const HWND list = FindWindowExA(dialog, nullptr, WC_LISTVIEWA, nullptr);
    const RECT row = TListView(list).RowRect(answer.ListRow);
    const LPARAM at = MAKELPARAM((row.left + row.right) / 2, (row.top + row.bottom) / 2);
    PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(list, WM_LBUTTONUP, 0, at);
    PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    PostMessageA(list, WM_LBUTTONUP, 0, at);
    return;
  }
  if (answer.CloseBox) {
    PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    return;
  }
  if (!answer.Folder.empty() || answer.ShellFolder >= 0) SelectInFolderBrowser(dialog, answer);
  for (const int id : answer.Clicks) SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
  for (const auto& [id, text] : answer.Texts)
    SendMessageA(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  if (!answer.Path.empty()) {
    HWND nameBox = GetDlgItem(dialog, cmb13);
    if (nameBox == nullptr) nameBox = GetDlgItem(dialog, edt1);
    SendMessageA(nameBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(answer.Path.c_str()));
  }
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(answer.Button, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, answer.Button)));
}
