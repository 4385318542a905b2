// The HTML Help entry: its errors when the control is missing or has no entry point,
// and Help Topic opening the real control of the system with the program's help file.

#include "app/HTMLHelp.h"
#include "res/resource.h"
#include "tests/app/FakeHelpControl.h"
#include "tests/support/AppWindows.h"
#include "tests/support/ScriptedUser.h"

namespace {

std::string CallError(THelpControl& control) {
  try {
    control.Call(nullptr, "x.chm", HH_DISPLAY_TOPIC_COMMAND, 0);
  } catch (const std::exception& error) {
    return error.what();
  }
  return "no error";
}

TEST(HelpControl, AMissingControlGivesTheSameErrorOnEveryRequest) {
  THelpControl control("C:\\no such folder\\HHCTRL.OCX");
  for (int request = 0; request < 2; ++request) {
    EXPECT_EQ(CallError(control), "HHCtrl.OCX not installed!\r HTMLHELP cannot displayed!");
    EXPECT_FALSE(control.Loaded());
  }
}

TEST(HelpControl, AControlWithoutItsEntryPointIsReleasedAndTheNextRequestFailsTheSameWay) {
  // A system library that nothing here has loaded and that has no HtmlHelpA.
  const char* library = "cabinet.dll";
  ASSERT_EQ(GetModuleHandleA(library), nullptr);
  char system[MAX_PATH] = {};
  GetSystemDirectoryA(system, MAX_PATH);
  THelpControl control(std::string(system) + "\\" + library);
  for (int request = 0; request < 2; ++request) {
    EXPECT_EQ(CallError(control), "Function HTMLHELP cannot loaded!");
    EXPECT_FALSE(control.Loaded());
    EXPECT_EQ(GetModuleHandleA(library), nullptr) << "the library was released again";
  }
}

TEST(HelpControl, TheControlIsInitialisedOnceBeforeItsFirstRequestAndNeverReleased) {
  char program[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, program, MAX_PATH);
  std::string folder = program;
  folder.erase(folder.find_last_of('\\'));
  {
    THelpControl control(folder + "\\FakeHelpControl.dll");
    for (const char* file : {"one.chm", "two.chm", "three.chm"})
      control.Call(nullptr, file, HH_DISPLAY_TOPIC_COMMAND, 0);
  }

  // The control outlives its owner, as the program's one control outlives the
  // program's static objects, and it is never uninitialised.
  const auto recorded = reinterpret_cast<FakeHelpRecordedCalls>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("FakeHelpControl.dll"), "RecordedCalls")));
  ASSERT_NE(recorded, nullptr) << "the stand-in control was unloaded";
  int count = 0;
  const FakeHelpCall* calls = recorded(&count);
  ASSERT_EQ(count, 4);
  EXPECT_EQ(calls[0].Command, HH_INITIALIZE_COMMAND);
  EXPECT_NE(calls[0].Data, 0u) << "the control needs somewhere to put its cookie";
  for (int index = 1; index < count; ++index)
    EXPECT_EQ(calls[index].Command, HH_DISPLAY_TOPIC_COMMAND) << "call " << index;
  EXPECT_STREQ(calls[1].File, "one.chm");
  EXPECT_STREQ(calls[3].File, "three.chm");
}

TEST(HelpControl, TheSystemControlLivesInTheSystemFolder) {
  char system[MAX_PATH] = {};
  GetSystemDirectoryA(system, MAX_PATH);
  EXPECT_EQ(SystemHelpControlPath(), std::string(system) + "\\HHCTRL.OCX");
}

BOOL CALLBACK FindHelpWindow(HWND window, LPARAM found) {
  char className[64] = {};
  GetClassNameA(window, className, sizeof className);
  if (std::string(className) != "HH Parent") return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

class HelpTopic : public AppWindows {};

TEST_F(HelpTopic, OpensTheHelpFileBesideTheProgramInTheSystemControl) {
  ScriptedUser user; // an error box would be recorded here
  Command(HelpAction);
  HWND help = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindHelpWindow, reinterpret_cast<LPARAM>(&help));
  ASSERT_NE(help, nullptr) << "no HTML Help window";
  EXPECT_TRUE(user.Seen().empty()) << user.Seen().front().Text;
  // The title comes from Zentrel.chm beside the executable: the control found the file.
  char title[256] = {};
  GetWindowTextA(help, title, sizeof title);
  EXPECT_STREQ(title, "Varnex Help");
  DestroyWindow(help);
}

} // namespace
