// How long the registry pickers take against the platform work they cannot avoid:
// expanding a key of 10,000 subkeys in the key selector, and filling the value list
// from a key of 5,000 values. Run under Wine by scripts/benchmark.sh; see
// docs/benchmarks.md.

#include "editors/RegKeySelectorUnit.h"
#include "editors/RegValueSelectorUnit.h"
#include "framework/Controls.h"
#include "tests/benchmark/Measure.h"
#include "tests/support/TestKey.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace {

constexpr int kSubkeys = 10000;
constexpr int kValues = 5000;
constexpr int kRounds = 5;
constexpr double kRatioTarget = 1.3;
constexpr double kExpandTargetSeconds = 1.0;

// Paints whatever is waiting, as a running program would between two commands.
void RunPendingMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

// The data: subkeys named in a fixed order, and values of three types in turn.
void MakeData(const TestKey& key) {
  char name[32];
  for (int i = 0; i < kSubkeys; ++i) {
    std::snprintf(name, sizeof name, "Subkey %05d", i);
    key.Create(std::string("Many\\") + name);
  }
  for (int i = 0; i < kValues; ++i) {
    std::snprintf(name, sizeof name, "Value %05d", i);
    switch (i % 3) {
    case 0: key.SetTypedValue("Values", name, REG_SZ, "C:\\Program Files\\Example " + std::to_string(i) + '\0'); break;
    case 1: key.SetTypedValue("Values", name, REG_DWORD, std::string(reinterpret_cast<const char*>(&i), 4)); break;
    default: key.SetValue("Values", name, 64); break;
    }
  }
}

// What an expansion cannot avoid: listing the subkeys, and putting a node and its
// placeholder for each into a visible tree with its drawing off, then expanding it.
double BareExpansion(const std::string& path) {
  const HWND window = CreateWindowExA(0, WC_TREEVIEWA, "bare",
                                      WS_OVERLAPPEDWINDOW | WS_VISIBLE | TVS_HASBUTTONS |
                                          TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS,
                                      0, 0, 355, 320, nullptr, nullptr, GetModuleHandleA(nullptr),
                                      nullptr);
  const TTreeView tree(window);
  const HTREEITEM parent = tree.AddNode(TVI_ROOT, "Many", 0, 1);
  RunPendingMessages();
  const double seconds = Seconds([&] {
    HKEY key = nullptr;
    Require(RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS,
            "cannot open the benchmark key");
    std::vector<std::string> names;
    char name[256];
    for (DWORD index = 0;; ++index) {
      DWORD length = sizeof name;
      if (RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        break;
      names.emplace_back(name, length);
    }
    RegCloseKey(key);
    {
      const TRedrawOff quiet(window);
      for (const std::string& child : names) {
        const HTREEITEM node = tree.AddNode(parent, child, 0, 1);
        tree.AddNode(node, "Loading...", 0, 0);
      }
      tree.Expand(parent);
    }
    RunPendingMessages();
  });
  Require(tree.Children(parent).size() == kSubkeys, "the bare expansion missed subkeys");
  DestroyWindow(window);
  return seconds;
}

// The key selector's own expansion, as a user presses "+" on the node.
double SelectorExpansion(const std::string& path) {
  TRegKeySelector selector(nullptr);
  ShowWindow(selector.Handle(), SW_SHOWNORMAL);
  const TTreeView tree(selector.RegKeyTreeView());
  const auto expand = [&tree](HTREEITEM node) {
    tree.Select(node);
    SendMessageA(tree.Handle(), WM_KEYDOWN, VK_ADD, 0);
  };
  HTREEITEM node = tree.Children(nullptr).at(1); // HKEY_CURRENT_USER
  std::stringstream names(path);
  std::string name;
  while (node != nullptr && std::getline(names, name, '\\')) {
    expand(node);
    HTREEITEM next = nullptr;
    for (const HTREEITEM child : tree.Children(node))
      if (tree.NodeText(child) == name) next = child;
    node = next;
  }
  Require(node != nullptr, "the benchmark key is not in the tree");
  tree.Select(node);
  RunPendingMessages();
  const double seconds = Seconds([&] {
    SendMessageA(tree.Handle(), WM_KEYDOWN, VK_ADD, 0);
    RunPendingMessages();
  });
  Require(tree.Children(node).size() == kSubkeys, "the selector missed subkeys");
  return seconds;
}

// What filling the value list cannot avoid: listing the value names, reading each
// value by its name, and putting a row with its two cells for each into a visible list
// with its drawing off.
double BareValueFill(const std::string& path) {
  const HWND window = CreateWindowExA(0, WC_LISTVIEWA, "bare",
                                      WS_OVERLAPPEDWINDOW | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL,
                                      0, 0, 267, 246, nullptr, nullptr, GetModuleHandleA(nullptr),
                                      nullptr);
  const TListView list(window);
  list.AddColumn("Name", 80);
  list.AddColumn("Value", 160);
  RunPendingMessages();
  const double seconds = Seconds([&] {
    HKEY key = nullptr;
    Require(RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS,
            "cannot open the benchmark key");
    std::vector<std::string> names;
    char name[256];
    for (DWORD index = 0;; ++index) {
      DWORD length = sizeof name;
      if (RegEnumValueA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        break;
      names.emplace_back(name, length);
    }
    {
      const TRedrawOff quiet(window);
      BYTE data[1024];
      for (const std::string& value : names) {
        DWORD type = 0;
        DWORD size = sizeof data;
        RegQueryValueExA(key, value.c_str(), nullptr, &type, data, &size);
        const int row = list.AddRow(value);
        if (type == REG_SZ) list.SetCell(row, 1, reinterpret_cast<const char*>(data));
        if (type == REG_DWORD) list.SetCell(row, 1, std::to_string(*reinterpret_cast<const LONG*>(data)));
        if (type == REG_BINARY) list.SetCell(row, 1, "(binary data)");
      }
    }
    RegCloseKey(key);
    RunPendingMessages();
  });
  Require(list.RowCount() == kValues, "the bare fill missed values");
  DestroyWindow(window);
  return seconds;
}

// The value "?" of the editor: open the key, list the names, fill the selector.
double SelectorValueFill(TRegValueSelector& selector, const std::string& path) {
  const double seconds = Seconds([&] {
    TRegistry registry(KEY_READ);
    registry.SetRootKey(HKEY_CURRENT_USER);
    Require(registry.OpenKey(path), "cannot open the benchmark key");
    selector.FillValueList(registry, registry.GetValueNames());
    RunPendingMessages();
  });
  Require(TListView(selector.RegValueListView()).RowCount() == kValues, "the selector missed values");
  return seconds;
}

int Run() {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  std::printf("Making %d subkeys and %d values ...\n", kSubkeys, kValues);
  const TestKey key;
  MakeData(key);
  const std::string many = key.Sub("Many");
  const std::string values = key.Sub("Values");

  TRegValueSelector valueSelector(nullptr);
  ShowWindow(valueSelector.Handle(), SW_SHOWNORMAL);
  BareExpansion(many); // warms the caches for both
  std::vector<double> bareExpand, selectorExpand, bareFill, selectorFill;
  for (int round = 0; round < kRounds; ++round) {
    bareExpand.push_back(BareExpansion(many));
    selectorExpand.push_back(SelectorExpansion(many));
    bareFill.push_back(BareValueFill(values));
    selectorFill.push_back(SelectorValueFill(valueSelector, values));
  }
  const double expandRatio = Median(selectorExpand) / Median(bareExpand);
  const double fillRatio = Median(selectorFill) / Median(bareFill);
  std::printf("Expanding a key of %d subkeys: bare %.3f s, key selector %.3f s\n", kSubkeys,
              Median(bareExpand), Median(selectorExpand));
  std::printf("  ratio %.3f (at most %.2f: %s), time (at most %.1f s: %s)\n", expandRatio,
              kRatioTarget, Verdict(expandRatio <= kRatioTarget), kExpandTargetSeconds,
              Verdict(Median(selectorExpand) <= kExpandTargetSeconds));
  std::printf("Filling the value list from %d values: bare %.3f s, value selector %.3f s\n",
              kValues, Median(bareFill), Median(selectorFill));
  std::printf("  ratio %.3f (at most %.2f: %s)\n", fillRatio, kRatioTarget,
              Verdict(fillRatio <= kRatioTarget));
  return 0;
}

} // namespace

int main() { return RunBenchmark(Run); }
