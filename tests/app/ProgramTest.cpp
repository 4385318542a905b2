// The editor as a user starts it: the built program in a process of its own, and the
// main window's shortcuts going through the program's own message loop.

#include "app/Application.h"
#include "app/VarnexFormUnit.h"
#include "framework/UniqueHandle.h"
#include "res/resource.h"
#include "tests/support/ScriptedUser.h"
#include "tests/support/TempFolder.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace {

std::string FolderOfThisProgram() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder = path;
  return folder.substr(0, folder.find_last_of('\\') + 1);
}

struct FoundWindow {
  DWORD ProcessId;
  HWND Window;
};

BOOL CALLBACK FindMainWindow(HWND window, LPARAM found) {
  auto* search = reinterpret_cast<FoundWindow*>(found);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  char className[64] = {};
  GetClassNameA(window, className, sizeof className);
  if (processId != search->ProcessId || std::string(className) != "TVarnexForm") return TRUE;
  search->Window = window;
  return FALSE;
}

// The program's main window, once it is visible; nullptr when it takes too long.
HWND WaitForMainWindow(DWORD processId) {
  for (int attempt = 0; attempt < 300; ++attempt) {
    FoundWindow search{processId, nullptr};
    EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&search));
    if (search.Window != nullptr && IsWindowVisible(search.Window)) return search.Window;
    Sleep(100);
  }
  return nullptr;
}

TEST(Program, OpensARelativeArgumentFromItsWorkingFolderAndExitsCleanlyOnClose) {
  TempFolder folder;
  CreateDirectoryA(folder.File("rel").c_str(), nullptr);
  WriteWholeFile(folder.File("rel\\demo.ppj"), ReadWholeFile(VARNEX_SAMPLE));

  const std::string program = FolderOfThisProgram() + "varnex.exe";
  std::string commandLine = "\"" + program + "\" rel\\demo.ppj";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  ASSERT_TRUE(CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                             nullptr, folder.Path().c_str(), &startup, &started))
      << "cannot start " << program;
  unique_handle process(started.hProcess);
  unique_handle thread(started.hThread);

  // Idle means the start-up, opening the argument included, is over.
  ASSERT_EQ(WaitForInputIdle(process.get(), 30000), 0u) << "the program did not get ready";
  const HWND window = WaitForMainWindow(started.dwProcessId);
  ASSERT_NE(window, nullptr) << "the main window did not appear";
  char title[MAX_PATH + 32] = {};
  GetWindowTextA(window, title, sizeof title);
  EXPECT_STREQ(title, "Varnex - [rel\\demo.ppj]") << "the argument is shown as it was typed";
  const HWND list = FindWindowExA(window, nullptr, WC_LISTVIEWA, nullptr);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 5) << "every item of the sample is a row";

  PostMessageA(window, WM_CLOSE, 0, 0);
  ASSERT_EQ(WaitForSingleObject(process.get(), 20000), WAIT_OBJECT_0)
      << "the program is still running after its window was closed";
  DWORD exitCode = 1;
  GetExitCodeProcess(process.get(), &exitCode);
  EXPECT_EQ(exitCode, 0u);
}

// Holds Ctrl down in the thread's keyboard state, as the message loop sees it while
// the user presses a shortcut.
class ControlHeld {
public:
  ControlHeld() {
    GetKeyboardState(FSaved);
    BYTE held[256];
    memcpy(held, FSaved, sizeof held);
    held[VK_CONTROL] = 0x80;
    SetKeyboardState(held);
  }
  ~ControlHeld() { SetKeyboardState(FSaved); }

private:
  BYTE FSaved[256];
};

// Runs the program's message loop until it ends by itself or, when a shortcut went
// astray, until a watchdog ends it with the code kTimedOut.
constexpr int kTimedOut = 99;
int RunLoopWithWatchdog() {
  std::mutex mutex;
  std::condition_variable ended;
  bool done = false;
  const DWORD loopThread = GetCurrentThreadId();
  std::thread watchdog([&] {
    std::unique_lock lock(mutex);
    if (!ended.wait_for(lock, std::chrono::seconds(20), [&] { return done; }))
      PostThreadMessageA(loopThread, WM_QUIT, kTimedOut, 0);
  });
  const int exitCode = RunMessageLoop();
  {
    std::lock_guard lock(mutex);
    done = true;
  }
  ended.notify_one();
  watchdog.join();
  return exitCode;
}

TEST(Program, TheShortcutsWorkThroughTheMessageLoopAndCtrlXEndsIt) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_COOL_CLASSES};
  InitCommonControlsEx(&controls);
  ScriptedUser user;
  auto form = std::make_unique<TVarnexForm>();
  VarnexForm = form.get();
  form->Show({});
  ASSERT_EQ(GetWindowTextLengthA(form->NameLabel()), 6) << "(none) before New";

  {
    ControlHeld control;
    PostMessageA(form->ListView(), WM_KEYDOWN, 'N', 1);
    PostQuitMessage(0); // taken only once the queue is empty
    EXPECT_EQ(RunLoopWithWatchdog(), 0);
  }
  EXPECT_EQ(GetWindowTextLengthA(form->NameLabel()), 0) << "Ctrl+N runs New";

  form->MarkModified();
  user.PressButton(IDYES);
  {
    ControlHeld control;
    PostMessageA(form->ListView(), WM_KEYDOWN, 'X', 1);
    EXPECT_EQ(RunLoopWithWatchdog(), 0) << "Ctrl+X ends the loop through the close query";
  }
  EXPECT_FALSE(IsWindow(form->Handle()));
  const auto seen = user.Seen();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].Text, "The Plug-In is modified, are you sure quit without saving?");
  form.reset();
  EXPECT_EQ(VarnexForm, nullptr);
}

} // namespace
