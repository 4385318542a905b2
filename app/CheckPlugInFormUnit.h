#pragma once
// The Check Plug-In dialog: every finding of the checks, one row each in item order,
// and Edit Item to go to the item of a finding.

#include "app/CheckPlugInFormRes.h"
#include "framework/Dialog.h"
#include "framework/UniqueHandle.h"
#include "plugin/Lint.h"

#include <vector>

class TCheckPlugInForm : public TDialog {
public:
  explicit TCheckPlugInForm(HWND owner);
  ~TCheckPlugInForm() override;

  // Shows the findings, centred on the owner, until Edit Item (OK) or Close (Cancel).
  int ShowFindings(const std::vector<plugin::LintFinding>& findings);
  // After OK: the number of the finding's item, 0 for the plug-in's name and author.
  int ChosenItem() const { return FChosenItem; }

  HWND FindingsListView() const { return Control(IDC_FINDINGSLISTVIEW); }

protected:
  void FormCreate() override;
  void OnOK() override;
  LRESULT OnNotify(const NMHDR& header) override;
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
  void FillList();
  void LayoutControls();
  void CentreOnOwner();

  std::vector<plugin::LintFinding> FFindings;
  int FChosenItem = 0;
  unique_himagelist FLevelImages;
};

extern TCheckPlugInForm* CheckPlugInForm;
