// A collection that outlives the preview window: the main window's commands that free
// its items stop it and wait for it first, and a stopped run leaves its items usable.

#include "plugin/PlugInFormat.h"
#include "cleanobjs/CleanFolder.h"
#include "editors/FolderEditorFormRes.h"
#include "framework/Controls.h"
#include "preview/PlugInPreviewFormUnit.h"
#include "res/resource.h"
#include "tests/support/AppWindows.h"
#include "tests/support/ScriptedUser.h"
#include "tests/support/TempFolder.h"

#include <algorithm>
#include <memory>
#include <mutex>
#include <vector>

namespace {

constexpr int kFolders = 20;
constexpr int kFilesPerFolder = 100;
constexpr int kFiles = kFolders * kFilesPerFolder;

// What the recording items did, in order, across both threads.
struct ItemLog {
  std::mutex Mutex;
  std::vector<std::string> Events;
  std::vector<ULONGLONG> Times;
  void Add(const std::string& event) {
    std::lock_guard lock(Mutex);
    Events.push_back(event);
    Times.push_back(GetTickCount64());
  }
  // When the event first happened, or 0.
  ULONGLONG TimeOf(const std::string& event) {
    std::lock_guard lock(Mutex);
    for (std::size_t i = 0; i < Events.size(); ++i)
      if (Events[i] == event) return Times[i];
    return 0;
  }
  std::vector<std::string> Take() {
    std::lock_guard lock(Mutex);
    Times.clear();
    return std::move(Events);
  }
};
ItemLog Log;

// A folder item that records the start and end of its collection and its destruction.
class TRecordingFolder : public TCleanFolder {
public:
  TRecordingFolder(const std::string& id, const std::string& folder)
      : TCleanFolder(id, folder, false) {
    Masks() = {"*.txt"};
  }
  ~TRecordingFolder() override { Log.Add("destroyed " + Name()); }
  void CollectInfo() override {
    Log.Add("enter " + Name());
    TCleanFolder::CollectInfo();
    Log.Add("leave " + Name());
  }
};

class CollectionLifetime : public AppWindows {
protected:
  // One tree of a few thousand files for the whole suite: making it costs seconds.
  static void SetUpTestSuite() {
    Tree = new TempFolder();
    for (int f = 0; f < kFolders; ++f) {
      // Every fourth folder lies one level deeper, inside the one before it.
      std::string folder = Tree->File("f" + std::to_string(f));
      if (f % 4 == 1) folder = Tree->File("f" + std::to_string(f - 1) + "\\deep" + std::to_string(f));
      CreateDirectoryA(folder.c_str(), nullptr);
      for (int i = 0; i < kFilesPerFolder; ++i)
        WriteWholeFile(folder + "\\file" + std::to_string(i) + ".txt", std::string(i % 7, 'x'));
    }
  }
  static void TearDownTestSuite() {
    delete Tree;
    Tree = nullptr;
  }
  void SetUp() override {
    AppWindows::SetUp();
    Log.Take();
  }

  void AddRecordingItems() {
    VarnexForm->AppendItemRow(std::make_unique<TRecordingFolder>("one", Tree->Path()));
    VarnexForm->AppendItemRow(std::make_unique<TRecordingFolder>("two", Tree->Path()));
  }
  // Preview Size, closed by the user at once; the collection goes on.
  void StartPreviewAndClose() {
    ScriptedUser user;
    user.PressButton(IDCANCEL);
    Command(PreviewSizeAction);
    ASSERT_EQ(user.PendingAnswers(), 0);
    ASSERT_TRUE(PlugInPreviewForm->Collecting()) << "the tree is too small to outlast the close";
  }
  // Each item's collection, if it started, ended before the item was destroyed, and
  // nothing of an item happened after its destruction.
  static void ExpectNoUseAfterDestruction(const std::vector<std::string>& events) {
    for (const std::string id : {"one", "two"}) {
      const auto destroyed = std::find(events.begin(), events.end(), "destroyed " + id);
      ASSERT_NE(destroyed, events.end()) << id << " was not destroyed";
      const auto entered = std::find(events.begin(), events.end(), "enter " + id);
      const auto left = std::find(events.begin(), events.end(), "leave " + id);
      EXPECT_EQ(entered == events.end(), left == events.end()) << id;
      if (left != events.end()) EXPECT_LT(left, destroyed) << id;
      EXPECT_EQ(std::find(destroyed + 1, events.end(), "enter " + id), events.end()) << id;
    }
  }

  static inline TempFolder* Tree = nullptr;
};

TEST_F(CollectionLifetime, AClosedWindowsRunIsReplacedByTheNextWhichStartsAtZeroAndFindsEverything) {
  AddRecordingItems();
  StartPreviewAndClose();

  // A second preview, as the command makes it.
  auto list = std::make_unique<TCleanObjList>();
  VarnexForm->FillCleanObjList(*list);
  PlugInPreviewForm->SetCleanObjList(std::move(list));
  PlugInPreviewForm->StartCollect();
  EXPECT_EQ(Text(PlugInPreviewForm->FileCountEdit()), "0");
  EXPECT_EQ(Text(PlugInPreviewForm->FileSizeEdit()), "0");
  EXPECT_EQ(Text(PlugInPreviewForm->RegCountEdit()), "0");
  EXPECT_EQ(Text(PlugInPreviewForm->RegSizeEdit()), "0");

  ASSERT_TRUE(PlugInPreviewForm->WaitForCollect(60000));
  // Both items cover the whole tree: the first run's stop did not leave them cancelled,
  // and none of its messages mixed into these totals.
  EXPECT_EQ(PlugInPreviewForm->FileCount(), 2 * kFiles);
  EXPECT_EQ(Text(PlugInPreviewForm->FileCountEdit()), std::to_string(2 * kFiles));
}

TEST_F(CollectionLifetime, NewStopsTheRunningCollectionBeforeItFreesTheItems) {
  AddRecordingItems();
  StartPreviewAndClose();
  const ULONGLONG start = GetTickCount64();
  Command(NewAction);
  const ULONGLONG waited = GetTickCount64() - start;

  EXPECT_LT(waited, 1000u);
  EXPECT_FALSE(PlugInPreviewForm->Collecting());
  EXPECT_EQ(VarnexForm->ItemCount(), 0);
  ExpectNoUseAfterDestruction(Log.Take());
}

TEST_F(CollectionLifetime, OpenStopsTheRunningCollectionBeforeItFreesTheItems) {
  TempFolder files;
  const std::string path = files.File("empty.ppj");
  const auto header = plugin::EncodeHeader(plugin::PlugInHeader{"Empty", "Jo", 45000.0, 0});
  WriteWholeFile(path, std::string(header.begin(), header.end()));
  AddRecordingItems();
  StartPreviewAndClose();

  ScriptedUser user;
  user.ChooseFile(path);
  Command(OpenAction);
  EXPECT_EQ(user.PendingAnswers(), 0);
  EXPECT_FALSE(PlugInPreviewForm->Collecting());
  EXPECT_EQ(VarnexForm->PlugInName(), "Empty");
  ExpectNoUseAfterDestruction(Log.Take());
}

TEST_F(CollectionLifetime, RemoveItemStopsTheRunningCollectionBeforeItFreesTheItem) {
  AddRecordingItems();
  StartPreviewAndClose();
  TListView(VarnexForm->ListView()).SelectRow(0);
  Command(RemoveItemAction);
  EXPECT_FALSE(PlugInPreviewForm->Collecting());
  ASSERT_EQ(VarnexForm->ItemCount(), 1);
  EXPECT_EQ(VarnexForm->Item(0)->Name(), "two");
  const std::vector<std::string> events = Log.Take();
  const auto destroyed = std::find(events.begin(), events.end(), "destroyed one");
  ASSERT_NE(destroyed, events.end());
  const auto left = std::find(events.begin(), events.end(), "leave one");
  EXPECT_EQ(std::find(events.begin(), events.end(), "enter one") == events.end(), left == events.end());
  if (left != events.end()) EXPECT_LT(left, destroyed) << "its collection ended first";
}

TEST_F(CollectionLifetime, EditItemStopsTheRunningCollectionBeforeTheItemChanges) {
  AddRecordingItems();
  StartPreviewAndClose();
  TListView(VarnexForm->ListView()).SelectRow(1);
  ScriptedUser user;
  user.FillThenPress({IDC_REMOVEEMPTYFOLDERCHECKBOX}, {}, IDOK); // the folder editor
  Command(EditItemAction);
  EXPECT_EQ(user.PendingAnswers(), 0);
  EXPECT_FALSE(PlugInPreviewForm->Collecting()) << "stopped before the item changed";
  EXPECT_TRUE(dynamic_cast<const TCleanFolder&>(*VarnexForm->Item(1)).RemoveEmptyFolder());
  EXPECT_FALSE(VarnexForm->Item(1)->Cancelled()) << "ready for the next preview";
}

TEST_F(CollectionLifetime, ClosingTheProgramWaitsForTheCollectionBeforeTheItemsGo) {
  AddRecordingItems();
  StartPreviewAndClose();
  // Without a window manager Wine spends seconds hiding the closing window, before
  // WM_DESTROY arrives; the wait for the collection starts there.
  static WNDPROC original;
  static ULONGLONG destroyedAt;
  destroyedAt = 0;
  original = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
      VarnexForm->Handle(), GWLP_WNDPROC,
      reinterpret_cast<LONG_PTR>(+[](HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_DESTROY) destroyedAt = GetTickCount64();
        return CallWindowProcA(original, window, message, wParam, lParam);
      })));
  SendMessageA(VarnexForm->Handle(), WM_CLOSE, 0, 0);

  EXPECT_FALSE(IsWindow(VarnexForm->Handle())) << "an unmodified plug-in closes without a question";
  ASSERT_NE(destroyedAt, 0u);
  EXPECT_LT(Log.TimeOf("destroyed one") - destroyedAt, 1000u);
  ExpectNoUseAfterDestruction(Log.Take());
  EXPECT_TRUE(PlugInPreviewForm == nullptr || !PlugInPreviewForm->Collecting());
}

} // namespace
