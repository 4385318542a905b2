#include "editors/RegValueSelectorUnit.h"

#include "framework/Controls.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>

TRegValueSelector* RegValueSelector = nullptr;

namespace {
constexpr int kClientWidth = 267;
constexpr int kClientHeight = 246;
constexpr int kBorder = 5;
constexpr int kButtonPanelHeight = 38;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;

// The "Value" cell of a value: strings up to their first zero, unexpanded; numbers
// signed; binary data named; no cell for any other type.
std::optional<std::string> ValueCell(const TRegistry::Data& data) {
  switch (data.Type) {
  case REG_SZ:
  case REG_EXPAND_SZ: return data.Bytes.substr(0, data.Bytes.find('\0'));
  case REG_DWORD: {
    std::uint32_t number = 0;
    std::memcpy(&number, data.Bytes.data(), std::min<std::size_t>(data.Bytes.size(), sizeof number));
    return std::to_string(static_cast<std::int32_t>(number));
  }
  case REG_BINARY: return "(binary data)";
  default: return std::nullopt;
  }
}
} // namespace

TRegValueSelector::TRegValueSelector(HWND owner) { CreateFromTemplate(IDD_REGVALUESELECTOR, owner); }

TRegValueSelector::~TRegValueSelector() {
  if (RegValueSelector == this) RegValueSelector = nullptr;
}

void TRegValueSelector::FormCreate() {
  SetClientSizeCentred(kClientWidth, kClientHeight);
  const TListView list(RegValueListView());
  ListView_SetExtendedListViewStyle(list.Handle(), LVS_EX_FULLROWSELECT);
  list.AddColumn("Name", 80);
  list.AddColumn("Value", 160);
  const int panelTop = kClientHeight - kBorder - kButtonPanelHeight;
  MoveWindow(list.Handle(), kBorder, kBorder, kClientWidth - 2 * kBorder, panelTop - kBorder, FALSE);
  const int buttonTop = panelTop + (kButtonPanelHeight - kButtonHeight) / 2;
  const int cancelLeft = kClientWidth - kBorder - 3 - kButtonWidth;
  MoveWindow(OKButton(), cancelLeft - 5 - kButtonWidth, buttonTop, kButtonWidth, kButtonHeight,
             FALSE);
  MoveWindow(CancelButton(), cancelLeft, buttonTop, kButtonWidth, kButtonHeight, FALSE);
}

void TRegValueSelector::FillValueList(const TRegistry& key, const std::vector<std::string>& names) {
  const TListView list(RegValueListView());
  // A key may hold thousands of values: the list draws itself once, at the end.
  const TRedrawOff quiet(list.Handle());
  list.DeleteAllRows();
  for (const std::string& name : names) {
    const int row = list.AddRow(name);
    if (const auto cell = ValueCell(key.ReadData(name))) list.SetCell(row, 1, *cell);
  }
}

std::string TRegValueSelector::SelectedValueName() const {
  const TListView list(RegValueListView());
  const int row = list.SelectedRow();
  return row < 0 ? std::string() : list.Cell(row, 0);
}

void TRegValueSelector::OKButtonClick() {
  if (TListView(RegValueListView()).SelectedRow() >= 0) {
    SetModalResult(kModalResultOK);
    return;
  }
  MessageBoxA(Handle(), "Please select a value name!", "Error", MB_OK | MB_ICONERROR);
}
