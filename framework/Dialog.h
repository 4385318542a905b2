#pragma once
// Base of the program's dialogs. A dialog is made once from its template in the
// resource script, hidden, and shown modally again and again; its controls keep their
// state between shows. One dialog procedure finds the object behind the handle and
// keeps exceptions from crossing back into Win32: they end the command and are shown
// in the standard error box. It routes the messages every dialog has: the OK button
// and Enter to OnOK, the Cancel button, Esc and the close box to OnCancel, the other
// commands to OnCommand and the controls' notifications to OnNotify.

#include <windows.h>
#include <commctrl.h>

#include <initializer_list>

// The modal results a dialog ends with.
inline constexpr int kModalResultNone = 0;
inline constexpr int kModalResultOK = IDOK;         // 1
inline constexpr int kModalResultCancel = IDCANCEL; // 2

class TDialog {
public:
  TDialog() = default;
  virtual ~TDialog();
  TDialog(const TDialog&) = delete;
  TDialog& operator=(const TDialog&) = delete;

  HWND Handle() const { return FHandle; }

  // A control's place in the client area, in pixels.
  struct ControlPlacement {
    int Id, Left, Top, Width, Height;
  };

  // Disables the thread's other windows, shows the dialog with the focus on its first
  // control and runs a message loop of its own (with IsDialogMessage, so Tab, Enter
  // and Esc work) until a modal result is set; then enables those windows again, hides
  // the dialog and returns the result. A WM_QUIT that arrives meanwhile ends the show
  // with Cancel and is posted again for the outer loop.
  int ShowModal();
  // Ends the running modal show with this result.
  void SetModalResult(int result) { FModalResult = result; }
  int ModalResult() const { return FModalResult; }

protected:
  // Creates the hidden dialog from its template; `this` is attached at WM_INITDIALOG,
  // which calls FormCreate. Call it from the derived constructor.
  void CreateFromTemplate(int templateId, HWND owner);
  // Gives the dialog this client size and centres it on the primary work area. The
  // templates give no sizes: each dialog's code sizes it and places its controls in
  // pixels, which dialog units would map differently on different systems.
  void SetClientSizeCentred(int width, int height);
  // Moves each control to its place; call it from FormCreate.
  void PlaceControls(std::initializer_list<ControlPlacement> placements);

  virtual void FormCreate() {}
  // Runs each time ShowModal has shown the dialog, after the focus went to its first
  // control.
  virtual void FormShow() {}
  // IDOK: ends the show with OK.
  virtual void OnOK() { SetModalResult(kModalResultOK); }
  // IDCANCEL and the close box: ends the show with Cancel.
  virtual void OnCancel() { SetModalResult(kModalResultCancel); }
  // Any other command: a control's id and its notification code.
  virtual void OnCommand(int /*id*/, int /*code*/) {}
  // A notification from a common control; the answer goes back to the control.
  virtual LRESULT OnNotify(const NMHDR& /*header*/) { return 0; }
  // Sees every message first. Returns true when the message was handled; `result` is
  // then the dialog procedure's answer (TRUE or FALSE unless the message asks for
  // something else).
  virtual bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result);

  HWND Control(int id) const { return GetDlgItem(FHandle, id); }

private:
  // The routed handling of the messages that HandleMessage left.
  INT_PTR Route(UINT message, WPARAM wParam, LPARAM lParam);
  static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  HWND FHandle = nullptr;
  int FModalResult = kModalResultNone;
};
