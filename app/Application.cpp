#include "app/Application.h"

#include "app/CheckPlugInFormUnit.h"
#include "app/PlugInAboutFormUnit.h"
#include "app/PlugInPropsFormUnit.h"
#include "app/PlugInTypeSelectFormUnit.h"
#include "app/VarnexFormUnit.h"
#include "editors/FilenameEditorUnit.h"
#include "editors/FolderEditorUnit.h"
#include "editors/MaskEditorUnit.h"
#include "editors/RegKeySelectorUnit.h"
#include "editors/RegValueSelectorUnit.h"
#include "editors/RegistryItemEditorUnit.h"
#include "framework/MessageBoxes.h"
#include "framework/OleInitialization.h"
#include "preview/PlugInPreviewFormUnit.h"
#include "sysfolders/FolderViewFormUnit.h"
#include "sysfolders/SysFolders.h"

#include <windows.h>

void CreateApplicationWindows() {
  // The main window comes first and so becomes the main window of the program; the
  // dialogs follow it in start-up order and are owned by it. The system folder table
  // must exist by now.
  SetApplicationTitle("Varnex");
  VarnexForm = new TVarnexForm();
  PlugInTypeSelectForm = new TPlugInTypeSelectForm(VarnexForm->Handle());
  PlugInAboutForm = new TPlugInAboutForm(VarnexForm->Handle());
  PlugInPreviewForm = new TPlugInPreviewForm(VarnexForm->Handle());
  PlugInPropsForm = new TPlugInPropsForm(VarnexForm->Handle());
  RegItemEditor = new TRegItemEditor(VarnexForm->Handle());
  RegKeySelector = new TRegKeySelector(VarnexForm->Handle());
  RegValueSelector = new TRegValueSelector(VarnexForm->Handle());
  FilenameEditor = new TFilenameEditor(VarnexForm->Handle());
  FolderEditor = new TFolderEditor(VarnexForm->Handle());
  FolderViewForm = new TFolderViewForm(VarnexForm->Handle(), *SysFolderList);
  MaskEditor = new TMaskEditor(VarnexForm->Handle());
  CheckPlugInForm = new TCheckPlugInForm(VarnexForm->Handle());
}

void DestroyApplicationWindows() {
  // The dialogs go before the main window that owns them.
  delete CheckPlugInForm;
  CheckPlugInForm = nullptr;
  delete MaskEditor;
  MaskEditor = nullptr;
  delete FolderViewForm;
  FolderViewForm = nullptr;
  delete FolderEditor;
  FolderEditor = nullptr;
  delete FilenameEditor;
  FilenameEditor = nullptr;
  delete RegValueSelector;
  RegValueSelector = nullptr;
  delete RegKeySelector;
  RegKeySelector = nullptr;
  delete RegItemEditor;
  RegItemEditor = nullptr;
  delete PlugInPropsForm;
  PlugInPropsForm = nullptr;
  // Waits for a collection still running: its items are about to go with the main window.
  delete PlugInPreviewForm;
  PlugInPreviewForm = nullptr;
  delete PlugInAboutForm;
  PlugInAboutForm = nullptr;
  delete PlugInTypeSelectForm;
  PlugInTypeSelectForm = nullptr;
  delete VarnexForm;
  VarnexForm = nullptr;
}

int RunMessageLoop() {
  MSG message{};
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    // The main window's shortcuts work wherever the focus is inside it, but not in
    // the dialogs, whose own keys they would take.
    if (VarnexForm != nullptr && VarnexForm->Handle() != nullptr &&
        GetAncestor(message.hwnd, GA_ROOT) == VarnexForm->Handle() &&
        TranslateAcceleratorA(VarnexForm->Handle(), VarnexForm->Accelerators(), &message))
      continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}

int RunApplication(const std::vector<std::string>& arguments) {
  // Before the first window and until the last has gone: the folder editor's browser
  // needs OLE on the thread that owns the windows.
  const TOleInitialization ole;
  CreateApplicationWindows();
  VarnexForm->Show(arguments);
  const int exitCode = RunMessageLoop();
  DestroyApplicationWindows();
  return exitCode;
}
