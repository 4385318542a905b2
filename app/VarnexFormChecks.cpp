// The main window's checks: what they find is kept current in the status bar and on
// the rows' icons after every change, and Check Plug-In lists it.

#include "app/CheckPlugInFormUnit.h"
#include "app/PlugInFile.h"
#include "app/VarnexFormUnit.h"
#include "framework/Controls.h"

#include <algorithm>

namespace {
std::string Counted(std::size_t count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

// "No problems", or "2 errors, 1 warning".
std::string FindingsSummary(const std::vector<plugin::LintFinding>& findings) {
  if (findings.empty()) return "No problems";
  const auto errors = static_cast<std::size_t>(
      std::count_if(findings.begin(), findings.end(), [](const plugin::LintFinding& finding) {
        return finding.Level == plugin::FindingLevel::Error;
      }));
  return Counted(errors, "error", "errors") + ", " +
         Counted(findings.size() - errors, "warning", "warnings");
}
} // namespace

void TVarnexForm::CheckPlugIn() {
  const std::vector<TCleanObj*> items = Items();
  const plugin::PlugInHeader header{FPlugInName, FAuthor, FTime, static_cast<std::int32_t>(items.size())};
  FFindings = plugin::LintPlugIn(RecordsOfPlugIn(header, items));
  const std::string summary = FindingsSummary(FFindings);
  SendMessageA(FStatusBar, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>(summary.c_str()));

  std::vector<RowSign> signs(items.size(), RowSign::None);
  for (const plugin::LintFinding& finding : FFindings) {
    if (finding.ItemNumber < 1) continue; // the plug-in's own name and author have no row
    RowSign& sign = signs.at(static_cast<std::size_t>(finding.ItemNumber - 1));
    sign = std::max(sign, finding.Level == plugin::FindingLevel::Error ? RowSign::Error : RowSign::Warning);
  }
  // Only the rows in view whose sign changed are drawn again; the others are drawn as
  // they come into view.
  const TListView list(FListView);
  const int top = ListView_GetTopIndex(FListView);
  const int end = std::min(top + ListView_GetCountPerPage(FListView) + 1, static_cast<int>(signs.size()));
  for (int row = top; row < end; ++row) {
    if (signs[static_cast<std::size_t>(row)] == RowSignOf(row)) continue;
    const RECT icon = list.RowRect(row, LVIR_ICON);
    InvalidateRect(FListView, &icon, FALSE);
  }
  FRowSigns = std::move(signs);
}

TVarnexForm::RowSign TVarnexForm::RowSignOf(int row) const {
  const auto index = static_cast<std::size_t>(row);
  return index < FRowSigns.size() ? FRowSigns[index] : RowSign::None;
}

LRESULT TVarnexForm::DrawRowOverlay(const NMLVCUSTOMDRAW& draw) const {
  // Drawn over the row after the list drew it, where the list would draw an overlay of
  // its image list: Wine's list view draws none.
  const int row = static_cast<int>(draw.nmcd.dwItemSpec);
  switch (draw.nmcd.dwDrawStage) {
  case CDDS_PREPAINT: return CDRF_NOTIFYITEMDRAW;
  case CDDS_ITEMPREPAINT: return RowSignOf(row) != RowSign::None ? CDRF_NOTIFYPOSTPAINT : CDRF_DODEFAULT;
  case CDDS_ITEMPOSTPAINT: {
    const RowSign sign = RowSignOf(row);
    if (sign == RowSign::None) break;
    const RECT icon = TListView(FListView).RowRect(row, LVIR_ICON);
    ImageList_Draw(FCleanItemImageList.get(),
                   sign == RowSign::Error ? kErrorOverlayImage : kWarningOverlayImage, draw.nmcd.hdc,
                   icon.left, icon.top, ILD_TRANSPARENT);
    break;
  }
  default: break;
  }
  return CDRF_DODEFAULT;
}

void TVarnexForm::CheckPlugInActionExecute() {
  if (CheckPlugInForm->ShowFindings(FFindings) != kModalResultOK) return;
  const int item = CheckPlugInForm->ChosenItem();
  if (item == 0) {
    PropertiesActionExecute();
    return;
  }
  const TListView list(FListView);
  list.SelectRow(item - 1);
  ListView_EnsureVisible(FListView, item - 1, FALSE);
  list.Focus();
  EditButtonClick();
}
