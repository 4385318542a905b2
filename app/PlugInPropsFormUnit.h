#pragma once
// The Properties dialog: the plug-in's name and author, to edit, and its time stamp,
// to read. The caller fills the controls, shows it and reads them back after OK.

#include "framework/Dialog.h"

#include <string>

class TPlugInPropsForm : public TDialog {
public:
  explicit TPlugInPropsForm(HWND owner);
  ~TPlugInPropsForm() override;

  HWND NameEdit() const { return FNameEdit; }
  HWND AuthorEdit() const { return FAuthorEdit; }
  HWND TimeLabel() const { return FTimeLabel; }

protected:
  void FormCreate() override;
  void FormShow() override;
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
  HWND FNameEdit = nullptr;
  HWND FAuthorEdit = nullptr;
  HWND FTimeLabel = nullptr;
};

// A plug-in time stamp as the Properties dialog shows it: the date in the system's
// short date format and, unless the time of day is 00:00:00, a blank and the time in
// the long time format. A value that names no showable day reads "(invalid time)".
std::string TimeStampText(double dateTime);

extern TPlugInPropsForm* PlugInPropsForm;
