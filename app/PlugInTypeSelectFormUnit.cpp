#include "app/PlugInTypeSelectFormUnit.h"

#include "framework/Controls.h"

TPlugInTypeSelectForm* PlugInTypeSelectForm = nullptr;

namespace {
constexpr int kClientWidth = 350;
constexpr int kClientHeight = 291;

constexpr std::initializer_list<TDialog::ControlPlacement> kPlacements = {
    {IDC_TYPE_GROUP, 8, 8, 334, 233},
    {IDC_REGISTRYITEMRADIOBUTTON_TYPE, 24, 28, 180, 17},
    {IDC_TYPE_REGISTRYHINT1, 40, 50, 294, 13},
    {IDC_TYPE_REGISTRYHINT2, 40, 66, 294, 13},
    {IDC_FILERADIOBUTTON, 24, 92, 180, 17},
    {IDC_TYPE_FILEHINT1, 40, 114, 294, 13},
    {IDC_TYPE_FILEHINT2, 40, 130, 294, 13},
    {IDC_FOLDERRADIOBUTTON, 24, 156, 180, 17},
    {IDC_TYPE_FOLDERHINT1, 40, 178, 294, 13},
    {IDC_TYPE_FOLDERHINT2, 40, 194, 294, 13},
    {IDOK, 184, 254, 75, 25},
    {IDCANCEL, 267, 254, 75, 25},
};

TRadioGroup Kinds(HWND dialog) {
  return TRadioGroup(dialog, IDC_REGISTRYITEMRADIOBUTTON_TYPE, IDC_FOLDERRADIOBUTTON);
}

bool IsHint(int id) { return id >= IDC_TYPE_REGISTRYHINT1 && id <= IDC_TYPE_FOLDERHINT2; }
} // namespace

TPlugInTypeSelectForm::TPlugInTypeSelectForm(HWND owner) {
  CreateFromTemplate(IDD_PLUGINTYPESELECT, owner);
}

TPlugInTypeSelectForm::~TPlugInTypeSelectForm() {
  if (PlugInTypeSelectForm == this) PlugInTypeSelectForm = nullptr;
}

void TPlugInTypeSelectForm::FormCreate() {
  SetClientSizeCentred(kClientWidth, kClientHeight);
  PlaceControls(kPlacements);
  Kinds(Handle()).Select(static_cast<int>(plugin::ItemKind::Registry));
}

plugin::ItemKind TPlugInTypeSelectForm::Kind() const {
  const int selected = Kinds(Handle()).Selected();
  return selected < 0 ? plugin::ItemKind::Registry : static_cast<plugin::ItemKind>(selected);
}

bool TPlugInTypeSelectForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam,
                                          INT_PTR& result) {
  if (message != WM_CTLCOLORSTATIC || !IsHint(GetDlgCtrlID(reinterpret_cast<HWND>(lParam))))
    return false;
  const HDC dc = reinterpret_cast<HDC>(wParam);
  SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  SetBkMode(dc, TRANSPARENT);
  result = reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
  return true;
}
