#include "app/CheckPlugInFormUnit.h"

#include "framework/Controls.h"
#include "res/resource.h"

#include <algorithm>

TCheckPlugInForm* CheckPlugInForm = nullptr;

namespace {
constexpr int kClientWidth = 560;
constexpr int kClientHeight = 300;
constexpr int kMargin = 8;
constexpr int kButtonGap = 6;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
// The columns before the last one, "Finding", which takes the rest of the width.
constexpr int kItemColumnWidth = 44;
constexpr int kLevelColumnWidth = 64;
constexpr int kRuleColumnWidth = 150;
constexpr int kFindingColumn = 3;
// The images of the levels in the list's image list.
constexpr int kErrorImage = 0;
constexpr int kWarningImage = 1;

std::string FindingText(const plugin::LintFinding& finding) {
  return finding.Message + " (" + finding.Description + ")";
}
} // namespace

TCheckPlugInForm::TCheckPlugInForm(HWND owner) { CreateFromTemplate(IDD_CHECKPLUGIN, owner); }

TCheckPlugInForm::~TCheckPlugInForm() {
  if (CheckPlugInForm == this) CheckPlugInForm = nullptr;
}

void TCheckPlugInForm::FormCreate() {
  SetClientSizeCentred(kClientWidth, kClientHeight);
  const TListView list(FindingsListView());
  // A message cut by the column shows whole in a tip.
  ListView_SetExtendedListViewStyle(list.Handle(), LVS_EX_FULLROWSELECT | LVS_EX_LABELTIP);
  FLevelImages.reset(LoadSmallIconList({IDI_FINDING_ERROR, IDI_FINDING_WARNING}));
  ListView_SetImageList(list.Handle(), FLevelImages.get(), LVSIL_SMALL);
  list.AddColumn("Item", kItemColumnWidth);
  list.AddColumn("Level", kLevelColumnWidth);
  list.AddColumn("Rule", kRuleColumnWidth);
  list.AddColumn("Finding", 0);
  LayoutControls();
}

int TCheckPlugInForm::ShowFindings(const std::vector<plugin::LintFinding>& findings) {
  FFindings = findings;
  FChosenItem = 0;
  FillList();
  CentreOnOwner();
  return ShowModal();
}

void TCheckPlugInForm::FillList() {
  const TListView list(FindingsListView());
  {
    const TRedrawOff quiet(list.Handle());
    list.DeleteAllRows();
    for (const plugin::LintFinding& finding : FFindings) {
      const bool error = finding.Level == plugin::FindingLevel::Error;
      const int row = list.AddRow(std::to_string(finding.ItemNumber), error ? kErrorImage : kWarningImage);
      list.SetCell(row, 1, error ? "Error" : "Warning");
      list.SetCell(row, 2, finding.Rule);
      list.SetCell(row, kFindingColumn, FindingText(finding));
    }
    if (FFindings.empty()) list.SetCell(list.AddRow(""), kFindingColumn, "No problems found.");
    else list.SelectRow(0);
  }
  TControl(Control(IDOK)).SetEnabled(!FFindings.empty());
  LayoutControls();
}

void TCheckPlugInForm::CentreOnOwner() {
  RECT owner{};
  RECT dialog{};
  GetWindowRect(GetWindow(Handle(), GW_OWNER), &owner);
  GetWindowRect(Handle(), &dialog);
  const int width = dialog.right - dialog.left;
  const int height = dialog.bottom - dialog.top;
  SetWindowPos(Handle(), nullptr, owner.left + (owner.right - owner.left - width) / 2,
               owner.top + (owner.bottom - owner.top - height) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TCheckPlugInForm::LayoutControls() {
  RECT client{};
  GetClientRect(Handle(), &client);
  const int buttonTop = client.bottom - kMargin - kButtonHeight;
  const int closeLeft = client.right - kMargin - kButtonWidth;
  MoveWindow(Control(IDCANCEL), closeLeft, buttonTop, kButtonWidth, kButtonHeight, TRUE);
  MoveWindow(Control(IDOK), closeLeft - kButtonGap - kButtonWidth, buttonTop, kButtonWidth,
             kButtonHeight, TRUE);
  const TListView list(FindingsListView());
  MoveWindow(list.Handle(), kMargin, kMargin, std::max<int>(client.right - 2 * kMargin, 0),
             std::max(buttonTop - 2 * kMargin, 0), TRUE);
  // "Finding" is as wide as its longest text, and at least fills the list.
  RECT inside{};
  GetClientRect(list.Handle(), &inside);
  const int rest = inside.right - kItemColumnWidth - kLevelColumnWidth - kRuleColumnWidth;
  list.SetColumnWidth(kFindingColumn, LVSCW_AUTOSIZE);
  if (list.ColumnWidth(kFindingColumn) < rest) list.SetColumnWidth(kFindingColumn, rest);
}

void TCheckPlugInForm::OnOK() {
  const int row = TListView(FindingsListView()).SelectedRow();
  if (FFindings.empty() || row < 0) return;
  FChosenItem = FFindings.at(static_cast<std::size_t>(row)).ItemNumber;
  SetModalResult(kModalResultOK);
}

LRESULT TCheckPlugInForm::OnNotify(const NMHDR& header) {
  if (header.idFrom == IDC_FINDINGSLISTVIEW && header.code == NM_DBLCLK &&
      reinterpret_cast<const NMITEMACTIVATE&>(header).iItem >= 0)
    OnOK();
  return 0;
}

bool TCheckPlugInForm::HandleMessage(UINT message, WPARAM, LPARAM lParam, INT_PTR& result) {
  switch (message) {
  case WM_SIZE:
    LayoutControls();
    result = TRUE;
    return true;
  case WM_GETMINMAXINFO: {
    // Never smaller than the two buttons side by side with their margins.
    RECT frame{0, 0, 2 * kMargin + 2 * kButtonWidth + kButtonGap, 3 * kMargin + kButtonHeight};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrA(Handle(), GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrA(Handle(), GWL_EXSTYLE)));
    auto& limits = *reinterpret_cast<MINMAXINFO*>(lParam);
    limits.ptMinTrackSize = {frame.right - frame.left, frame.bottom - frame.top};
    result = TRUE;
    return true;
  }
  default:
    return false;
  }
}
