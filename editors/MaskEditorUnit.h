#pragma once
// The Mask Editor: one file mask, such as *.tmp, for the folder editor's list. It
// neither checks nor changes what is typed.

#include "editors/MaskEditorFormRes.h"
#include "framework/Dialog.h"

#include <string>

class TMaskEditor : public TDialog {
public:
  explicit TMaskEditor(HWND owner);
  ~TMaskEditor() override;

  HWND MaskEdit() const { return Control(IDC_MASKEDIT); }
  HWND Label1() const { return Control(IDC_MASK_LABEL1); }
  HWND Label2() const { return Control(IDC_MASK_LABEL2); }
  HWND OKButton() const { return Control(IDOK); }
  HWND CancelButton() const { return Control(IDCANCEL); }
  std::string Mask() const;
  void SetMask(const std::string& mask) const;

protected:
  void FormCreate() override;
  // Gives the focus to the mask at every show.
  void FormShow() override;
};

extern TMaskEditor* MaskEditor;
