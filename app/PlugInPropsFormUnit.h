#pragma once
// The Properties dialog: the plug-in's name and author, to edit, and its time stamp,
// to read. The caller fills the controls, shows it and reads them back after OK.

#include "app/PlugInPropsFormRes.h"
#include "framework/Dialog.h"

#include <string>

class TPlugInPropsForm : public TDialog {
public:
  explicit TPlugInPropsForm(HWND owner);
  ~TPlugInPropsForm() override;

  // Fills the controls before a show: the time stamp as TimeStampText gives it.
  void SetPlugInInfo(const std::string& name, const std::string& author, double time);
  // What the user left in the boxes.
  std::string PlugInName() const;
  std::string Author() const;

  HWND NameEdit() const { return Control(IDC_NAMEEDIT); }
  HWND AuthorEdit() const { return Control(IDC_AUTHOREDIT); }
  HWND TimeLabel() const { return Control(IDC_TIMELABEL); }
  HWND OKButton() const { return Control(IDOK); }
  HWND CancelButton() const { return Control(IDCANCEL); }

protected:
  void FormCreate() override;
  void FormShow() override;
};

// A plug-in time stamp as the Properties dialog shows it: the date in the system's
// short date format and, unless the time of day is 00:00:00, a blank and the time in
// the long time format. A value that names no showable day reads "(invalid time)".
std::string TimeStampText(double dateTime);

extern TPlugInPropsForm* PlugInPropsForm;
