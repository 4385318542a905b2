#pragma once
// The value selector: the values of one key, name and data, of which the user picks
// one by name. Its caller fills it from an open key before each show.

#include "editors/RegValueSelectorFormRes.h"
#include "framework/Dialog.h"
#include "framework/Registry.h"

#include <string>
#include <vector>

class TRegValueSelector : public TDialog {
public:
  explicit TRegValueSelector(HWND owner);
  ~TRegValueSelector() override;

  HWND RegValueListView() const { return Control(IDC_REGVALUELISTVIEW); }
  HWND OKButton() const { return Control(IDOK); }
  HWND CancelButton() const { return Control(IDCANCEL); }

  // Empties the list, then adds a row for each name in order: the name (empty for
  // the default value) and its data as text by type. Raises "Failed to get data for
  // '%s'" for a value that cannot be read and "Invalid data type for '%s'" for one
  // whose type changed while it was read.
  void FillValueList(const TRegistry& key, const std::vector<std::string>& names);
  // The name of the selected row; empty without one.
  std::string SelectedValueName() const;

protected:
  void FormCreate() override;
  // Closes with OK only with a row selected.
  void OnOK() override { OKButtonClick(); }

private:
  void OKButtonClick();
};

extern TRegValueSelector* RegValueSelector;
