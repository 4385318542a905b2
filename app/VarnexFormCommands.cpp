// The main window's remaining commands: Properties, Preview Size, Help Topic and About.
// Check Plug-In has a file of its own.

#include "app/HTMLHelp.h"
#include "app/PlugInAboutFormUnit.h"
#include "app/PlugInPropsFormUnit.h"
#include "app/VarnexFormUnit.h"
#include "preview/PlugInPreviewFormUnit.h"

#include <memory>
#include <vector>

namespace {
// The folder of the running executable, with its final backslash.
std::string ProgramFolder() {
  std::vector<char> path(MAX_PATH, '\0');
  DWORD length = 0;
  // A path longer than the buffer is cut short; grow until it fits.
  while ((length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()))) ==
         path.size())
    path.resize(path.size() * 2);
  const std::string program(path.data(), length);
  return program.substr(0, program.find_last_of('\\') + 1);
}
} // namespace

void TVarnexForm::FillCleanObjList(TCleanObjList& list) const {
  for (TCleanObj* item : Items()) list.Add(item);
}

void TVarnexForm::PropertiesActionExecute() {
  TPlugInPropsForm& props = *PlugInPropsForm;
  props.SetPlugInInfo(FPlugInName, FAuthor, FTime);
  if (props.ShowModal() != kModalResultOK) return;
  PlugInNames before{FPlugInName, FAuthor};
  FPlugInName = props.PlugInName();
  FAuthor = props.Author();
  ShowPlugInInfo();
  // A change whether or not anything changed.
  Recorded({"Properties", {}, {}, std::move(before), PlugInNames{FPlugInName, FAuthor}});
}

void TVarnexForm::PreviewSizeActionExecute() {
  // A run still going reads its items' notify window: it ends before the new list
  // hands the items the window again.
  StopCollecting();
  auto list = std::make_unique<TCleanObjList>();
  FillCleanObjList(*list);
  PlugInPreviewForm->SetCleanObjList(std::move(list));
  PlugInPreviewForm->StartCollect();
  PlugInPreviewForm->ShowModal();
}

void TVarnexForm::HelpActionExecute() {
  const std::string topic = ProgramFolder() + "Zentrel.chm::/varnex_main_layout.htm";
  HtmlHelp(Handle(), topic.c_str(), HH_DISPLAY_TOPIC_COMMAND, 0);
}

void TVarnexForm::AboutActionExecute() { PlugInAboutForm->ShowModal(); }
