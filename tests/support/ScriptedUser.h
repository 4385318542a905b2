#pragma once
// A scripted user for the modal dialogs and message boxes that a command opens on
// the test's own thread. Each dialog that appears takes the next answer in order;
// what the dialog said is kept for the test to check. A dialog with no answer left
// is dismissed and recorded, so a test fails instead of hanging. A dialog that is
// hidden and shown again, as the program's reused dialogs are, is answered anew.

#include <windows.h>

#include <deque>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

struct SeenDialog {
  std::string Caption;
  std::string Text;     // the static texts of the dialog, joined by "\n"
  bool Answered = true; // false when no answer was scripted for it
};

class ScriptedUser {
public:
  ScriptedUser();
  ~ScriptedUser();
  ScriptedUser(const ScriptedUser&) = delete;
  ScriptedUser& operator=(const ScriptedUser&) = delete;

  // Presses the button with this id (IDYES, IDNO, IDOK, IDCANCEL).
  void PressButton(int id);
  // Clicks these controls (radio buttons, check boxes) in order, puts these texts into
  // these controls, then presses the button.
  void FillThenPress(std::vector<int> clicks, std::vector<std::pair<int, std::string>> texts,
                     int button);
  // Types the path into a file dialog's name box and presses its OK button.
  void ChooseFile(const std::string& path);
  // Selects the folder in the shell's folder browser and presses its OK button.
  void ChooseFolder(const std::string& path);
  // Selects a folder of the shell by its CSIDL number (CSIDL_DRIVES: "My Computer")
  // in the folder browser and presses its OK button.
  void ChooseShellFolder(int csidl);
  // Double-clicks this row of the dialog's list view with the mouse.
  void DoubleClickListRow(int row);
  // Closes the dialog with its close box.
  void PressCloseBox();

  // Leaves this dialog alone while it stays shown: a test's own dialog, from which it
  // opens those that this user answers.
  void Ignore(HWND dialog);
  // Leaves these windows alone for good: those that a test drives itself.
  void IgnoreAlways(std::vector<HWND> windows);

  std::vector<SeenDialog> Seen() const;
  int PendingAnswers() const;

private:
  struct Answer {
    int Button = IDOK;
    std::string Path; // empty: only press the button
    int ListRow = -1; // 0 or more: double-click that row instead of pressing a button
    bool CloseBox = false;
    std::string Folder; // for the folder browser: a path to select first
    int ShellFolder = -1; // for the folder browser: a CSIDL to select first
    std::vector<int> Clicks;
    std::vector<std::pair<int, std::string>> Texts;
  };

  static LRESULT CALLBACK CbtHook(int code, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK CallWindowHook(int code, WPARAM wParam, LPARAM lParam);
  void DialogActivated(HWND dialog);
  void Work();
  void Answer(HWND dialog);
  void SelectInFolderBrowser(HWND browser, const struct Answer& answer);

  HHOOK FHook = nullptr;
  HHOOK FCallHook = nullptr;
  HANDLE FWake = nullptr;
  mutable std::mutex FMutex;
  std::deque<struct Answer> FAnswers;
  std::deque<HWND> FArrived;
  std::set<HWND> FKnown;
  std::set<HWND> FIgnored;
  std::vector<SeenDialog> FSeen;
  bool FStopping = false;
  std::thread FWorker;
};
