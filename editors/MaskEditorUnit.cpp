#include "editors/MaskEditorUnit.h"

#include "framework/Controls.h"

TMaskEditor* MaskEditor = nullptr;

namespace {
constexpr int kClientWidth = 297;
constexpr int kClientHeight = 165;

constexpr std::initializer_list<TDialog::ControlPlacement> kPlacements = {
    {IDC_MASK_GROUP, 8, 8, 281, 113},
    {IDC_MASKEDIT, 24, 32, 249, 21},
    {IDC_MASK_LABEL1, 24, 64, 257, 13},
    {IDC_MASK_LABEL2, 40, 84, 241, 13}, // the second line of the hint, indented
    {IDOK, 69, 132, 75, 25},
    {IDCANCEL, 153, 132, 75, 25},
};
} // namespace

TMaskEditor::TMaskEditor(HWND owner) { CreateFromTemplate(IDD_MASKEDITOR, owner); }

TMaskEditor::~TMaskEditor() {
  if (MaskEditor == this) MaskEditor = nullptr;
}

void TMaskEditor::FormCreate() {
  SetClientSizeCentred(kClientWidth, kClientHeight);
  PlaceControls(kPlacements);
  TEditBox(MaskEdit()).SetLimitText(0);
  TEditBox(MaskEdit()).SelectAllOnKeyboardFocus();
}

void TMaskEditor::FormShow() { TEditBox(MaskEdit()).Focus(); }

std::string TMaskEditor::Mask() const { return TEditBox(MaskEdit()).Text(); }

void TMaskEditor::SetMask(const std::string& mask) const { TEditBox(MaskEdit()).SetText(mask); }
