#pragma once
// The item type dialog: which kind of clean item New Item makes. It is never reset, so
// it opens with the kind chosen the last time, the first time with "Registry Item".

#include "app/PlugInTypeSelectFormRes.h"
#include "cleanobjs/ItemRecordFormat.h"
#include "framework/Dialog.h"

class TPlugInTypeSelectForm : public TDialog {
public:
  explicit TPlugInTypeSelectForm(HWND owner);
  ~TPlugInTypeSelectForm() override;

  // The kind whose button is selected.
  plugin::ItemKind Kind() const;

  HWND RegistryItemRadioButton() const { return Control(IDC_REGISTRYITEMRADIOBUTTON_TYPE); }
  HWND FileRadioButton() const { return Control(IDC_FILERADIOBUTTON); }
  HWND FolderRadioButton() const { return Control(IDC_FOLDERRADIOBUTTON); }
  HWND OKButton() const { return Control(IDOK); }
  HWND CancelButton() const { return Control(IDCANCEL); }

protected:
  void FormCreate() override;
  // The hints under the buttons are grey.
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
};

extern TPlugInTypeSelectForm* PlugInTypeSelectForm;
