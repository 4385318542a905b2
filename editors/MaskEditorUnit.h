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
  std::string Mask() const;
  void SetMask(const std::string& mask) const;

protected:
  void FormCreate() override;
  // Gives the focus to the mask at every show.
  void FormShow() override;
};

extern TMaskEditor* MaskEditor;
