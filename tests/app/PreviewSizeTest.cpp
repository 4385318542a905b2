// The Plug-In Preview window as Preview Size shows it: the real window, real threads
// and real items over files and registry values made for the test.

#include "cleanobjs/CleanFile.h"
#include "cleanobjs/CleanFolder.h"
#include "cleanobjs/CleanRegistry.h"
#include "preview/PlugInPreviewFormUnit.h"
#include "res/resource.h"
#include "tests/support/AppWindows.h"
#include "tests/support/ModalStep.h"
#include "tests/support/ScriptedUser.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestKey.h"

#include <atomic>

namespace {

// A folder item whose collection reports `count` found files of `size` bytes each,
// without a disk behind them, or holds the run until it is cancelled.
class TReportingItem : public TCleanFolder {
public:
  TReportingItem(int count, std::int64_t size, bool holdUntilCancelled = false)
      : TCleanFolder("reporting", "C:\\nowhere", false), FCount(count), FSize(size),
        FHold(holdUntilCancelled) {}
  void CollectInfo() override {
    TSearchRec found;
    found.Size = FSize;
    for (int i = 0; i < FCount; ++i) SendFileFound(found);
    Started = true;
    for (int i = 0; FHold && i < 10000 && !Cancelled(); ++i) Sleep(1);
  }
  std::atomic<bool> Started{false};

private:
  int FCount;
  std::int64_t FSize;
  bool FHold;
};

// The pixels that a control's text needs in the font the control draws it with.
int TextWidth(HWND control) {
  const std::string text = TControl(control).Text();
  const HDC dc = GetDC(control);
  const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
  SIZE size{};
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return size.cx;
}

class PreviewWindow : public AppWindows {
protected:
  TPlugInPreviewForm& Preview() { return *PlugInPreviewForm; }
  std::string FileSize() { return Text(Preview().FileSizeEdit()); }
  std::string FileCount() { return Text(Preview().FileCountEdit()); }
  std::string RegSize() { return Text(Preview().RegSizeEdit()); }
  std::string RegCount() { return Text(Preview().RegCountEdit()); }

  // Preview Size from the menu; the user closes the window at once and the test waits
  // for the collection, which goes on without the window.
  // The scripted user's hooks see every message of the thread and slow each one down
  // many times, so it is there only while the window is shown.
  void PreviewAndWait() {
    {
      ScriptedUser user;
      user.PressButton(IDCANCEL);
      Command(PreviewSizeAction);
      ASSERT_EQ(user.PendingAnswers(), 0) << "the preview window was not shown";
    }
    ASSERT_TRUE(Preview().WaitForCollect(20000)) << "the collection did not end";
  }
  // What Preview Size does, but without showing the window: each show and hide costs
  // seconds under Wine without a window manager.
  void CollectWithoutShowing() {
    auto list = std::make_unique<TCleanObjList>();
    VarnexForm->FillCleanObjList(*list);
    Preview().SetCleanObjList(std::move(list));
    Preview().StartCollect();
    ASSERT_TRUE(Preview().WaitForCollect(20000)) << "the collection did not end";
  }
  // A plug-in with one file item per size, each over a file of that many bytes.
  void NewPlugInWithFiles(std::initializer_list<std::int64_t> sizes) {
    Command(NewAction);
    int number = 0;
    for (const std::int64_t size : sizes) {
      const std::string path = folder.File("file" + std::to_string(++number) + "_" +
                                           std::to_string(size) + ".bin");
      MakeFile(path, size);
      VarnexForm->AppendItemRow(std::make_unique<TCleanFile>("sizes", path));
    }
  }
  static void MakeFile(const std::string& path, std::int64_t size) {
    unique_hfile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(file);
    // Large files are left sparse: the size is set, no data written.
    LARGE_INTEGER end{};
    end.QuadPart = size;
    ASSERT_TRUE(SetFilePointerEx(file.get(), end, nullptr, FILE_BEGIN));
    ASSERT_TRUE(SetEndOfFile(file.get()));
  }

  TempFolder folder;
};

TEST_F(PreviewWindow, HasEveryControlAtItsPlaceWithItsText) {
  const HWND window = Preview().Handle();
  EXPECT_EQ(Text(window), "Plug-In Preview");
  const SIZE client = ClientSize(window);
  EXPECT_EQ(client.cx, 305);
  EXPECT_EQ(client.cy, 203);

  const HWND group = FindWindowExA(window, nullptr, "Button", "Information:");
  ASSERT_NE(group, nullptr);
  EXPECT_EQ(Placement(group), (RECT{8, 8, 289, 145}));
  // Inside the group, whose corner is at 8, 8.
  const char* labels[] = {"Total file size:", "Total file count:", "Total registry item size:",
                          "Total registry item count:"};
  const HWND boxes[] = {Preview().FileSizeEdit(), Preview().FileCountEdit(),
                        Preview().RegSizeEdit(), Preview().RegCountEdit()};
  for (int i = 0; i < 4; ++i) {
    const HWND label = FindWindowExA(window, nullptr, "Static", labels[i]);
    ASSERT_NE(label, nullptr) << labels[i];
    EXPECT_EQ(Placement(label).left, 8 + 16) << labels[i];
    EXPECT_EQ(Placement(label).top, 8 + 28 + 24 * i) << labels[i];
    EXPECT_LE(TextWidth(label), Placement(label).right) << labels[i] << " is cut short";
    EXPECT_EQ(Placement(boxes[i]), (RECT{8 + 152, 8 + 24 + 24 * i, 113, 21})) << labels[i];
    EXPECT_EQ(Text(boxes[i]), "0") << labels[i];
    const LONG style = GetWindowLongA(boxes[i], GWL_STYLE);
    EXPECT_TRUE(style & ES_READONLY) << labels[i];
    EXPECT_FALSE(style & (ES_RIGHT | ES_CENTER)) << labels[i];
  }
  EXPECT_EQ(Text(Preview().CancelButton()), "&Close");
  EXPECT_EQ(Placement(Preview().CancelButton()), (RECT{115, 168, 75, 25}));
  EXPECT_EQ(GetNextDlgTabItem(window, nullptr, FALSE), Preview().CancelButton())
      << "Close is first in the tab order";
}

TEST_F(PreviewWindow, AnEmptyPlugInFindsNothing) {
  PreviewAndWait();
  EXPECT_EQ(FileSize(), "0");
  EXPECT_EQ(FileCount(), "0");
  EXPECT_EQ(RegSize(), "0");
  EXPECT_EQ(RegCount(), "0");
  EXPECT_FALSE(VarnexForm->Modified()) << "a preview changes nothing of the plug-in";
}

TEST_F(PreviewWindow, SizesShowInWholeKiloBytesGroupedByCommas) {
  NewPlugInWithFiles({1000, 23});
  PreviewAndWait();
  EXPECT_EQ(FileSize(), "0") << "1023 bytes";
  EXPECT_EQ(FileCount(), "2");

  NewPlugInWithFiles({1024});
  CollectWithoutShowing();
  EXPECT_EQ(FileSize(), "1");

  NewPlugInWithFiles({1024 * 1024});
  CollectWithoutShowing();
  EXPECT_EQ(FileSize(), "1,024") << "one mebibyte";

  // Beyond 4 GiB: the whole 64-bit size counts.
  NewPlugInWithFiles({std::int64_t{5} << 30, 2048});
  CollectWithoutShowing();
  EXPECT_EQ(FileSize(), "5,242,882");
  EXPECT_EQ(FileCount(), "2");
}

TEST_F(PreviewWindow, TheFileCountShowsWithoutSeparators) {
  Command(NewAction);
  VarnexForm->AppendItemRow(std::make_unique<TReportingItem>(1234, 0));
  PreviewAndWait();
  EXPECT_EQ(FileCount(), "1234");
  EXPECT_EQ(FileSize(), "0");
}

TEST_F(PreviewWindow, ARegistryOnlyPlugInAfterOneWithFilesLeavesTheFileBoxesAtZero) {
  NewPlugInWithFiles({4096});
  CollectWithoutShowing();
  ASSERT_EQ(FileSize(), "4");

  TestKey key;
  key.SetValue("Values", "a", 1500);
  key.SetValue("Values", "b", 600);
  key.SetValue("Values", "c", 20);
  Command(NewAction);
  VarnexForm->AppendItemRow(std::make_unique<TCleanRegistry>(
      "registry", 0x80000001u, kRegistryAllValues, key.Sub("Values"), ""));
  PreviewAndWait();
  EXPECT_EQ(FileSize(), "0");
  EXPECT_EQ(FileCount(), "0");
  EXPECT_EQ(RegSize(), "2") << "2120 bytes";
  EXPECT_EQ(RegCount(), "3");
  EXPECT_EQ(Preview().RegSizeTotal(), 2120);
}

TEST_F(PreviewWindow, TheCloseBoxAndEscEndTheShowButNotTheCollection) {
  Command(NewAction);
  auto holding = std::make_unique<TReportingItem>(3, 100, true);
  TReportingItem* item = holding.get();
  VarnexForm->AppendItemRow(std::move(holding));
  {
    ScriptedUser user;
    user.PressCloseBox();
    Command(PreviewSizeAction);
    EXPECT_EQ(user.PendingAnswers(), 0);
  }
  EXPECT_FALSE(IsWindowVisible(Preview().Handle()));
  EXPECT_TRUE(Preview().Collecting()) << "closing the window does not stop the collection";

  // A second Preview Size stops the first run and waits for it before starting anew;
  // Esc closes this show.
  ModalStep escape(Preview().Handle(), [&] {
    EXPECT_EQ(GetFocus(), Preview().CancelButton()) << "the focus starts on Close";
    PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 1);
    PostMessageA(GetFocus(), WM_KEYUP, VK_ESCAPE, 0xC0000001);
  });
  Command(PreviewSizeAction);
  EXPECT_TRUE(escape.Ran());
  EXPECT_FALSE(IsWindowVisible(Preview().Handle()));
  EXPECT_EQ(Preview().ModalResult(), kModalResultCancel);
  EXPECT_TRUE(Preview().Collecting());

  EXPECT_TRUE(Preview().StopCollect(2000));
  EXPECT_TRUE(item->Started);
  EXPECT_EQ(Preview().FileCount(), 3) << "the totals are those of the last run alone";
  EXPECT_FALSE(item->Cancelled()) << "cleared again once the stopped run had ended";
}

} // namespace
