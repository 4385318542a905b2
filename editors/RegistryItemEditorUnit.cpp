#include "editors/RegistryItemEditorUnit.h"

#include "editors/RegKeySelectorUnit.h"
#include "editors/RegValueSelectorUnit.h"
#include "framework/Controls.h"
#include "framework/Registry.h"

#include <array>

TRegItemEditor* RegItemEditor = nullptr;

namespace {
constexpr int kClientWidth = 377;
constexpr int kClientHeight = 298;

constexpr std::initializer_list<TDialog::ControlPlacement> kPlacements = {
    {IDC_REGITEM_KINDGROUP, 8, 8, 361, 49},
    {IDC_REGISTRYKEYRADIOBUTTON, 24, 28, 100, 17},
    {IDC_REGISTRYITEMRADIOBUTTON, 136, 28, 100, 17},
    {IDC_REGISTRYITEMSINKEYRADIOBUTTON, 240, 28, 121, 17},
    {IDC_REGITEM_ROOTGROUP, 8, 64, 361, 97},
    {IDC_CLASSROOTRADIOBUTTON, 24, 84, 160, 17},
    {IDC_CURRENTUSERRADIOBUTTON, 200, 84, 160, 17},
    {IDC_LOCALMACHINERADIOBUTTON, 24, 108, 160, 17},
    {IDC_USERSRADIOBUTTON, 200, 108, 160, 17},
    {IDC_CURRENTCONFIGRADIOBUTTON, 24, 132, 160, 17},
    {IDC_REGITEM_KEYGROUP, 8, 168, 361, 81},
    {IDC_REGITEM_LABEL1, 24, 192, 68, 13},
    {IDC_KEYNAMEEDIT, 96, 188, 233, 21},
    {IDC_SELECTKEYNAMEBUTTON, 333, 188, 21, 21},
    {IDC_VALUENAMELABEL, 24, 220, 68, 13},
    {IDC_VALUENAMEEDIT, 96, 216, 233, 21},
    {IDC_SELECTVALUENAMEBUTTON, 333, 216, 21, 21},
    {IDOK, 109, 260, 75, 25},
    {IDCANCEL, 193, 260, 75, 25},
};

// The sub-kind buttons in id order, and the kind each stands for.
enum SubKindButton { kRegistryKeyButton, kRegistryItemButton, kRegistryItemsInKeyButton };

// The root key buttons in id order, with the handle value each stands for.
constexpr std::array<std::uint32_t, 5> kRootKeys{0x80000000, 0x80000001, 0x80000002, 0x80000003,
                                                 0x80000005};
enum RootButton { kClassRootButton, kCurrentUserButton, kLocalMachineButton, kUsersButton,
                  kCurrentConfigButton };

TRadioGroup SubKinds(HWND dialog) {
  return TRadioGroup(dialog, IDC_REGISTRYKEYRADIOBUTTON, IDC_REGISTRYITEMSINKEYRADIOBUTTON);
}
TRadioGroup RootKeys(HWND dialog) {
  return TRadioGroup(dialog, IDC_CLASSROOTRADIOBUTTON, IDC_CURRENTCONFIGRADIOBUTTON);
}

constexpr const char* kNoSuchKey =
    "Sorry, the key doesn't exists, you can enter the item name manually";
} // namespace

TRegItemEditor::TRegItemEditor(HWND owner) { CreateFromTemplate(IDD_REGITEMEDITOR, owner); }

TRegItemEditor::~TRegItemEditor() {
  if (RegItemEditor == this) RegItemEditor = nullptr;
}

void TRegItemEditor::FormCreate() {
  SetClientSizeCentred(kClientWidth, kClientHeight);
  PlaceControls(kPlacements);
  // No length limit: a text longer than the file keeps is reported when saving.
  TEditBox(KeyNameEdit()).SetLimitText(0);
  TEditBox(ValueNameEdit()).SetLimitText(0);
  SubKinds(Handle()).Select(kRegistryKeyButton);
  RootKeys(Handle()).Select(kClassRootButton);
  EnableValueName(false);
}

void TRegItemEditor::EnableValueName(bool enabled) {
  // Disabling keeps the text: it is shown greyed and still returned.
  for (const HWND control : {ValueNameLabel(), ValueNameEdit(), SelectValueNameButton()})
    TControl(control).SetEnabled(enabled);
}

void TRegItemEditor::RegistryKeyRadioButtonClick() {
  const TRadioGroup kinds = SubKinds(Handle());
  if (kinds.Button(kRegistryKeyButton).Checked()) EnableValueName(false);
  if (kinds.Button(kRegistryItemButton).Checked()) EnableValueName(true);
  if (kinds.Button(kRegistryItemsInKeyButton).Checked()) EnableValueName(false);
}

void TRegItemEditor::SelectSubKind(int index) {
  // A button selected from code acts as a click on it, so the value name row follows.
  SubKinds(Handle()).Select(index);
  RegistryKeyRadioButtonClick();
}

void TRegItemEditor::SelectRootKey(std::uint32_t rootKey) {
  for (std::size_t index = 0; index < kRootKeys.size(); ++index)
    if (kRootKeys[index] == rootKey) RootKeys(Handle()).Select(static_cast<int>(index));
}

void TRegItemEditor::ResetFields() {
  SelectSubKind(kRegistryKeyButton);
  RootKeys(Handle()).Select(kClassRootButton);
  TEditBox(KeyNameEdit()).SetText("");
  TEditBox(ValueNameEdit()).SetText("");
}

void TRegItemEditor::LoadFromItem(const TCleanRegistry& item) {
  switch (item.Kind()) {
  case kRegistryValue: SelectSubKind(kRegistryItemButton); break;
  case kRegistryWholeKey: SelectSubKind(kRegistryKeyButton); break;
  case kRegistryAllValues: SelectSubKind(kRegistryItemsInKeyButton); break;
  default: break; // a kind no button offers leaves the choice as it was
  }
  SelectRootKey(item.RootKey()); // as does a root key no button offers
  TEditBox(KeyNameEdit()).SetText(item.KeyPath());
  TEditBox(ValueNameEdit()).SetText(item.ValueName());
}

std::uint8_t TRegItemEditor::GetItemKind() const {
  const TRadioGroup kinds = SubKinds(Handle());
  std::uint8_t kind = kRegistryWholeKey;
  if (kinds.Button(kRegistryKeyButton).Checked()) kind = kRegistryWholeKey;
  if (kinds.Button(kRegistryItemButton).Checked()) kind = kRegistryValue;
  if (kinds.Button(kRegistryItemsInKeyButton).Checked()) kind = kRegistryAllValues;
  return kind;
}

std::uint32_t TRegItemEditor::GetRootKey() const {
  const TRadioGroup roots = RootKeys(Handle());
  std::uint32_t rootKey = kRootKeys[kCurrentUserButton];
  for (const RootButton button : {kCurrentUserButton, kClassRootButton, kLocalMachineButton,
                                  kUsersButton, kCurrentConfigButton})
    if (roots.Button(button).Checked()) rootKey = kRootKeys[button];
  return rootKey;
}

std::string TRegItemEditor::KeyName() const { return TEditBox(KeyNameEdit()).Text(); }

std::string TRegItemEditor::ValueName() const { return TEditBox(ValueNameEdit()).Text(); }

void TRegItemEditor::SelectKeyNameButtonClick() {
  TRegKeySelector& selector = *RegKeySelector;
  if (selector.ShowModal() != kModalResultOK) return;
  const HTREEITEM node = selector.SelectedNode();
  if (node == nullptr) return; // nothing picked: as Cancel
  std::string path;
  selector.GetNodeKeyPath(node, path);
  const TEditBox keyName(KeyNameEdit());
  keyName.SetText(path);
  keyName.Focus();
  SelectRootKey(selector.GetNodeRootKey(node));
}

void TRegItemEditor::SelectValueNameButtonClick() {
  const std::string keyName = KeyName();
  // The pickers only read, so the key is opened for reading: a key that the user may
  // not change still lists its values.
  TRegistry registry(KEY_READ);
  registry.SetRootKey(PredefinedKey(GetRootKey()));
  if (!registry.OpenKey(keyName.empty() ? "\\" : keyName)) {
    MessageBoxA(Handle(), kNoSuchKey, "Error", MB_OK | MB_ICONERROR);
    return;
  }
  TRegValueSelector& selector = *RegValueSelector;
  selector.FillValueList(registry, registry.GetValueNames());
  if (selector.ShowModal() != kModalResultOK) return;
  const TEditBox valueName(ValueNameEdit());
  valueName.SetText(selector.SelectedValueName());
  valueName.Focus();
}

void TRegItemEditor::OnCommand(int id, int code) {
  if (code != BN_CLICKED) return;
  switch (id) {
  case IDC_REGISTRYKEYRADIOBUTTON:
  case IDC_REGISTRYITEMRADIOBUTTON:
  case IDC_REGISTRYITEMSINKEYRADIOBUTTON: RegistryKeyRadioButtonClick(); break;
  case IDC_SELECTKEYNAMEBUTTON: SelectKeyNameButtonClick(); break;
  case IDC_SELECTVALUENAMEBUTTON: SelectValueNameButtonClick(); break;
  default: break;
  }
}
