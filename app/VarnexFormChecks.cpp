// The main window's checks: what they find is kept current in the status bar and on
// the rows' icons after every change, and Check Plug-In lists it.

#include "app/CheckPlugInFormUnit.h"
#include "app/PlugInFile.h"
#include "app/VarnexFormUnit.h"
#include "framework/Controls.h"

#include <algorithm>
#include <functional>

namespace {
std::string Counted(std::size_t count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

// "No problems", or "2 errors, 1 warning".
std::string FindingsSummary(const std::vector<plugin::FindingMark>& marks) {
  if (marks.empty()) return "No problems";
  const auto errors = static_cast<std::size_t>(
      std::count_if(marks.begin(), marks.end(), [](const plugin::FindingMark& mark) {
        return mark.Level == plugin::FindingLevel::Error;
      }));
  return Counted(errors, "error", "errors") + ", " + Counted(marks.size() - errors, "warning", "warnings");
}
} // namespace

plugin::PlugInRecords TVarnexForm::Records() const {
  const std::vector<TCleanObj*> items = Items();
  return RecordsOfPlugIn({FPlugInName, FAuthor, FTime, static_cast<std::int32_t>(items.size())}, items);
}

void TVarnexForm::CheckPlugIn() {
  // Counted without the findings' texts, which only Check Plug-In shows.
  const std::vector<plugin::FindingMark> marks = plugin::MarkPlugIn(Records());
  const std::string summary = FindingsSummary(marks);
  SendMessageA(FStatusBar, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>(summary.c_str()));

  const std::vector<TCleanObj*> items = Items();
  std::vector<ItemSign> signs;
  for (const plugin::FindingMark& mark : marks) {
    if (mark.ItemNumber < 1) continue; // the plug-in's own name and author have no row
    const RowSign sign = mark.Level == plugin::FindingLevel::Error ? RowSign::Error : RowSign::Warning;
    const TCleanObj* item = items.at(static_cast<std::size_t>(mark.ItemNumber - 1));
    // The findings come in item order, so an item's findings follow each other.
    if (!signs.empty() && signs.back().first == item) signs.back().second = std::max(signs.back().second, sign);
    else signs.emplace_back(item, sign);
  }
  std::sort(signs.begin(), signs.end(), ByItem);

  // Of the rows in view, those whose item's sign changed are drawn again; the others
  // are drawn as they come into view.
  const TListView list(FListView);
  const int top = ListView_GetTopIndex(FListView);
  const int end = std::min(top + ListView_GetCountPerPage(FListView) + 1, static_cast<int>(items.size()));
  for (int row = top; row < end; ++row) {
    const TCleanObj* item = items[static_cast<std::size_t>(row)];
    if (SignOf(signs, item) == SignOf(FItemSigns, item)) continue;
    const RECT icon = list.RowRect(row, LVIR_ICON);
    InvalidateRect(FListView, &icon, FALSE);
  }
  FItemSigns = std::move(signs);
}

bool TVarnexForm::ByItem(const ItemSign& a, const ItemSign& b) {
  return std::less<const TCleanObj*>{}(a.first, b.first);
}

TVarnexForm::RowSign TVarnexForm::SignOf(const std::vector<ItemSign>& signs, const TCleanObj* item) {
  const auto found = std::lower_bound(signs.begin(), signs.end(), ItemSign{item, RowSign::None}, ByItem);
  return found != signs.end() && found->first == item ? found->second : RowSign::None;
}

TVarnexForm::RowSign TVarnexForm::RowSignOf(int row) const {
  const auto index = static_cast<std::size_t>(row);
  return index < FItems.size() ? SignOf(FItemSigns, FItems[index].get()) : RowSign::None;
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
  if (CheckPlugInForm->ShowFindings(plugin::LintPlugIn(Records())) != kModalResultOK) return;
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
