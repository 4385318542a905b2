#pragma once
// The Registry Item Clean Editor: the sub-kind, root key, key path and value name of
// one registry clean item. It changes no item: its caller loads it, shows it and on
// OK reads the four values back. The "?" buttons pick the key and the value from the
// live registry through RegKeySelector and RegValueSelector.

#include "cleanobjs/CleanRegistry.h"
#include "editors/RegistryItemEditorFormRes.h"
#include "framework/Dialog.h"

#include <cstdint>
#include <string>

class TRegItemEditor : public TDialog {
public:
  explicit TRegItemEditor(HWND owner);
  ~TRegItemEditor() override;

  // For a new item: "Registry Key", "HKEY_CLASS_ROOT" and both texts empty.
  void ResetFields();
  // For editing `item`: its kind and root key where the buttons offer them (any other
  // value leaves the choice as it was), its key path and its value name.
  void LoadFromItem(const TCleanRegistry& item);

  // The sub-kind as the item stores it: 0 one value, 1 the whole key, 2 all values.
  std::uint8_t GetItemKind() const;
  // The root key's handle value, such as 0x80000001 for HKEY_CURRENT_USER.
  std::uint32_t GetRootKey() const;
  // The texts as they stand, also the value name while it is disabled.
  std::string KeyName() const;
  std::string ValueName() const;

  HWND RegistryKeyRadioButton() const { return Control(IDC_REGISTRYKEYRADIOBUTTON); }
  HWND RegistryItemRadioButton() const { return Control(IDC_REGISTRYITEMRADIOBUTTON); }
  HWND RegistryItemsInKeyRadioButton() const { return Control(IDC_REGISTRYITEMSINKEYRADIOBUTTON); }
  HWND ClassRootRadioButton() const { return Control(IDC_CLASSROOTRADIOBUTTON); }
  HWND CurrentUserRadioButton() const { return Control(IDC_CURRENTUSERRADIOBUTTON); }
  HWND LocalMachineRadioButton() const { return Control(IDC_LOCALMACHINERADIOBUTTON); }
  HWND UsersRadioButton() const { return Control(IDC_USERSRADIOBUTTON); }
  HWND CurrentConfigRadioButton() const { return Control(IDC_CURRENTCONFIGRADIOBUTTON); }
  HWND Label1() const { return Control(IDC_REGITEM_LABEL1); }
  HWND KeyNameEdit() const { return Control(IDC_KEYNAMEEDIT); }
  HWND SelectKeyNameButton() const { return Control(IDC_SELECTKEYNAMEBUTTON); }
  HWND ValueNameLabel() const { return Control(IDC_VALUENAMELABEL); }
  HWND ValueNameEdit() const { return Control(IDC_VALUENAMEEDIT); }
  HWND SelectValueNameButton() const { return Control(IDC_SELECTVALUENAMEBUTTON); }
  HWND OKButton() const { return Control(IDOK); }
  HWND CancelButton() const { return Control(IDCANCEL); }

  void SelectKeyNameButtonClick();
  void SelectValueNameButtonClick();

protected:
  void FormCreate() override;
  void OnCommand(int id, int code) override;

private:
  // Follows the sub-kind: the value name row is enabled for "Registry Item" only.
  void RegistryKeyRadioButtonClick();
  void EnableValueName(bool enabled);
  void SelectSubKind(int index);
  void SelectRootKey(std::uint32_t rootKey);
};

extern TRegItemEditor* RegItemEditor;
