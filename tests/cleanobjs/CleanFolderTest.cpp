// The folder clean item walking and cleaning real trees under Wine, reporting to a
// window on another thread as it does in the program.

#include "cleanobjs/CleanFolder.h"
#include "cleanobjs/FileSearch.h"
#include "framework/UniqueHandle.h"
#include "tests/cleanobjs/FileItemFixture.h"
#include "tests/support/UnixLink.h"

#include <winioctl.h>

namespace {

const Seen kScan = Text(TextLevel::Progress, "Scan Temp information from your computer ...");
const Seen kStartClean = Text(TextLevel::Progress, "Start clean Temp");

// A junction (mount point) at `link` leading to `target`; false when the file system
// cannot hold one.
bool MakeJunction(const std::string& link, const std::string& target) {
  if (!CreateDirectoryA(link.c_str(), nullptr)) return false;
  unique_hfile folder(CreateFileA(link.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (folder.get() == INVALID_HANDLE_VALUE) return false;
  const std::wstring substitute = L"\\??\\" + std::wstring(target.begin(), target.end());
  const USHORT substituteBytes = static_cast<USHORT>(substitute.size() * sizeof(wchar_t));
  // The mount point layout: tag, data length, reserved, then four name offsets and
  // lengths and the names, each followed by a NUL.
  std::vector<BYTE> buffer(8 + 8 + substituteBytes + 2 + 2);
  auto put16 = [&](std::size_t at, USHORT value) { memcpy(&buffer[at], &value, 2); };
  const DWORD tag = IO_REPARSE_TAG_MOUNT_POINT;
  memcpy(&buffer[0], &tag, 4);
  put16(4, static_cast<USHORT>(buffer.size() - 8));
  put16(8, 0);
  put16(10, substituteBytes);
  put16(12, static_cast<USHORT>(substituteBytes + 2));
  put16(14, 0);
  memcpy(&buffer[16], substitute.data(), substituteBytes);
  DWORD returned = 0;
  if (!DeviceIoControl(folder.get(), FSCTL_SET_REPARSE_POINT, buffer.data(),
                       static_cast<DWORD>(buffer.size()), nullptr, 0, &returned, nullptr))
    return false;
  const DWORD attributes = GetFileAttributesA(link.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

// A folder link at `link` leading to `target`: a junction where the file system has
// them, under Wine a symbolic link made by the system's own ln.
bool MakeFolderLink(const std::string& link, const std::string& target) {
  if (MakeJunction(link, target)) return true;
  RemoveDirectoryA(link.c_str());
  return MakeUnixLink(link, target) &&
         (GetFileAttributesA(link.c_str()) & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

class CleanFolderTest : public FileItemTest {
protected:
  std::unique_ptr<TCleanFolder> Item(const std::string& folder, std::vector<std::string> masks,
                                     bool removeEmptyFolders = false) {
    auto item = std::make_unique<TCleanFolder>("Temp", folder, removeEmptyFolders);
    item->Masks() = std::move(masks);
    Watch(*item);
    return item;
  }
  std::string Root() const { return Tree.File("root"); }
  std::string In(const std::string& relative) const { return Tree.File("root\\" + relative); }
};

TEST_F(CleanFolderTest, EachFolderIsReportedBeforeItsFilesMaskByMaskThenItsSubfolders) {
  MakeFile("root\\a.tmp", 1);
  MakeFile("root\\x.log", 2);
  MakeFile("root\\A\\b.tmp", 3);
  MakeFile("root\\A\\B\\c.tmp", 4);
  MakeFile("root\\A\\B\\d.txt", 5);
  auto item = Item(Root(), {"*.tmp", "*.log"});
  item->CollectInfo();

  EXPECT_EQ(Messages(), (std::vector<Seen>{kScan, SearchPath(Root()), FileFound("a.tmp", 1),
                                           FileFound("x.log", 2), SearchPath(In("A")),
                                           FileFound("b.tmp", 3), SearchPath(In("A\\B")),
                                           FileFound("c.tmp", 4)}));
  EXPECT_EQ(item->GetSize(), 10);
  ASSERT_EQ(item->FileCount(), 4);
  EXPECT_EQ(item->Files(2).Path(), In("A")) << "the searched folder, without a final \\";
  EXPECT_EQ(item->FolderList(), (std::vector<std::string>{In("A\\B"), In("A")}))
      << "each subfolder after its own subfolders, the root never";

  item->CollectInfo();
  EXPECT_EQ(item->FileCount(), 4);
  EXPECT_EQ(item->FolderList().size(), 2u) << "a second collection does not list folders twice";
}

TEST_F(CleanFolderTest, MasksMatchingEveryNameWalkTheTreeAsAnyOtherMasks) {
  MakeFile("root\\a.tmp", 1);
  MakeFile("root\\A\\note", 2);
  MakeFile("root\\A\\B\\c.log", 3);
  MakeFolder("root\\C");
  const std::vector<Seen> walk{kScan,
                               SearchPath(Root()),
                               FileFound("a.tmp", 1),
                               SearchPath(In("A")),
                               FileFound("note", 2),
                               SearchPath(In("A\\B")),
                               FileFound("c.log", 3),
                               SearchPath(In("C"))};
  const std::vector<std::string> folders{In("A\\B"), In("A"), In("C")};
  for (const char* mask : {"*.*", "*"}) {
    auto item = Item(Root(), {mask});
    item->CollectInfo();
    EXPECT_EQ(Messages(), walk) << "mask " << mask;
    EXPECT_EQ(item->FolderList(), folders) << "mask " << mask;
  }

  // Each mask finds the files again, but every folder is walked once, whichever of
  // the masks its subfolders come from.
  auto twice = Item(Root(), {"*.log", "*.*", "*"});
  twice->CollectInfo();
  EXPECT_EQ(Messages(), (std::vector<Seen>{kScan, SearchPath(Root()), FileFound("a.tmp", 1),
                                           FileFound("a.tmp", 1), SearchPath(In("A")),
                                           FileFound("note", 2), FileFound("note", 2),
                                           SearchPath(In("A\\B")), FileFound("c.log", 3),
                                           FileFound("c.log", 3), FileFound("c.log", 3),
                                           SearchPath(In("C"))}));
  EXPECT_EQ(twice->FolderList(), folders);
}

TEST_F(CleanFolderTest, AFileMatchingTwoMasksIsCountedTwiceAndDeletedOnce) {
  const std::string file = MakeFile("root\\a.tmp", 8);
  auto item = Item(Root(), {"*.tmp", "*.*"});
  item->CollectInfo();
  EXPECT_EQ(Messages(), (std::vector<Seen>{kScan, SearchPath(Root()), FileFound("a.tmp", 8),
                                           FileFound("a.tmp", 8)}));
  EXPECT_EQ(item->GetSize(), 16);

  item->Clean();
  EXPECT_EQ(Messages(), (std::vector<Seen>{kStartClean, FileCleaned(8), FileCleaned(8)}));
  EXPECT_FALSE(Exists(file));
  EXPECT_FALSE(RebootDeleteListExists()) << "the second record finds the file gone, silently";
}

TEST_F(CleanFolderTest, EmptyFoldersAreRemovedDeepestFirstAndTheRootStays) {
  MakeFile("root\\a.tmp", 1, FILE_ATTRIBUTE_READONLY);
  MakeFile("root\\A\\b.tmp", 1, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  MakeFile("root\\A\\B\\c.tmp", 1);
  SetFileAttributesA(In("A").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  auto item = Item(Root(), {"*.tmp"}, true);
  item->CollectInfo();
  EXPECT_EQ(item->FileCount(), 3) << "hidden and system folders are descended";
  Messages();

  item->Clean();
  EXPECT_EQ(Messages(), (std::vector<Seen>{kStartClean, FileCleaned(1), FileCleaned(1),
                                           FileCleaned(1)}));
  EXPECT_FALSE(Exists(In("A")));
  EXPECT_TRUE(Exists(Root()));
  EXPECT_FALSE(RebootDeleteListExists());
}

TEST_F(CleanFolderTest, AFolderStillHoldingAnUnmatchedFileIsLeftForTheRestart) {
  MakeFile("root\\A\\keep.txt", 1);
  MakeFile("root\\A\\b.tmp", 1);
  auto item = Item(Root(), {"*.tmp"}, true);
  item->CollectInfo();
  Messages();
  item->Clean();
  EXPECT_EQ(Messages(), (std::vector<Seen>{kStartClean, FileCleaned(1),
                                           Text(TextLevel::Deferred,
                                                "Folder [" + In("A") + "] will be deleted on reboot!")}));
  EXPECT_EQ(GetRebootDeleteList(), std::vector<std::string>{In("A")});
  EXPECT_TRUE(Exists(In("A\\keep.txt")));

  // A second item failing on the same folder lists it again.
  auto again = Item(Root(), {"*.tmp"}, true);
  again->CollectInfo();
  again->Clean();
  EXPECT_EQ(GetRebootDeleteList(), (std::vector<std::string>{In("A"), In("A")}));
}

TEST_F(CleanFolderTest, NoMasksReportsEveryFolderAndFindsNoFile) {
  MakeFile("root\\A\\a.tmp", 1);
  MakeFolder("root\\A\\B");
  auto item = Item(Root() + "\\", {});
  item->CollectInfo();
  EXPECT_EQ(Messages(), (std::vector<Seen>{kScan, SearchPath(Root()), SearchPath(In("A")),
                                           SearchPath(In("A\\B"))}))
      << "a final \\ in the folder gives no doubled separators";
  EXPECT_EQ(item->GetSize(), 0);
  EXPECT_EQ(item->FolderList(), (std::vector<std::string>{In("A\\B"), In("A")}));
}

TEST_F(CleanFolderTest, AMissingFolderOnlyReportsItsSearch) {
  auto item = Item(In("none"), {"*.*"});
  item->CollectInfo();
  EXPECT_EQ(Messages(), (std::vector<Seen>{kScan, SearchPath(In("none"))}));
  EXPECT_TRUE(item->FolderList().empty());
}

TEST_F(CleanFolderTest, ACancelStopsTheWalkAtOnceAndLaterRunsDoNothing) {
  for (const char* name : {"1.tmp", "2.tmp", "3.tmp"}) MakeFile(std::string("root\\") + name, 1);
  MakeFile("root\\A\\4.tmp", 1);
  auto item = Item(Root(), {"*.tmp"}, true);
  TCleanFolder* running = item.get();
  Receiver.OnMessage([running](const ReceivedMessage& message) {
    if (message.Message == WM_ITEM_FILE_FOUND) running->Cancel();
  });
  item->CollectInfo();
  const std::vector<Seen> seen = Messages();
  ASSERT_EQ(seen.size(), 3u) << "the walk goes no further than the entry it was on";
  EXPECT_EQ(seen[2].Message, WM_ITEM_FILE_FOUND);
  EXPECT_EQ(item->FileCount(), 1);

  item->Clean();
  item->CollectInfo();
  EXPECT_TRUE(Messages().empty());
  EXPECT_TRUE(Exists(Tree.File("root\\" + item->Files(0).SearchRec().Name)));
}

TEST_F(CleanFolderTest, ACancelBeforeCollectingSendsNothing) {
  MakeFile("root\\1.tmp", 1);
  auto item = Item(Root(), {"*.tmp"});
  item->Cancel();
  item->CollectInfo();
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(item->State(), ItemState::Idle);
}

TEST_F(CleanFolderTest, ACancelDuringCleanSkipsTheRemainingFilesAndFolders) {
  MakeFile("root\\A\\1.tmp", 1);
  MakeFile("root\\A\\2.tmp", 1);
  auto item = Item(Root(), {"*.tmp"}, true);
  item->CollectInfo();
  Messages();
  TCleanFolder* running = item.get();
  Receiver.OnMessage([running](const ReceivedMessage& message) {
    if (message.Message == WM_ITEM_FILE_CLEANED) running->Cancel();
  });
  item->Clean();
  EXPECT_EQ(Messages(), (std::vector<Seen>{kStartClean, FileCleaned(1)}));
  EXPECT_TRUE(Exists(In("A")));
  EXPECT_EQ(Exists(In("A\\1.tmp")) + Exists(In("A\\2.tmp")), 1);
}

TEST_F(CleanFolderTest, AFolderLinkIsNeitherDescendedNorRemoved) {
  MakeFile("outside\\precious.tmp", 1);
  MakeFolder("root");
  ASSERT_TRUE(MakeFolderLink(In("link"), Tree.File("outside"))) << "no folder link could be made";
  auto item = Item(Root(), {"*.tmp"}, true);
  item->CollectInfo();
  EXPECT_EQ(Messages(), (std::vector<Seen>{kScan, SearchPath(Root())}));
  EXPECT_TRUE(item->FolderList().empty());
  item->Clean();
  EXPECT_TRUE(Exists(Tree.File("outside\\precious.tmp")));
  EXPECT_TRUE(Exists(In("link")));
}

TEST_F(CleanFolderTest, AFolderThatBecameALinkAfterTheCollectionIsLeftAlone) {
  MakeFile("root\\sub\\a.tmp", 1);
  MakeFile("outside\\a.tmp", 2);
  auto item = Item(Root(), {"*.tmp"}, true);
  item->CollectInfo();
  ASSERT_EQ(item->FileCount(), 1);
  ASSERT_EQ(item->FolderList(), std::vector<std::string>{In("sub")});
  Messages(); // those of the collection
  // Between the preview and the clean, the folder is replaced by a link elsewhere.
  ASSERT_TRUE(DeleteFileA(In("sub\\a.tmp").c_str()));
  ASSERT_TRUE(RemoveDirectoryA(In("sub").c_str()));
  ASSERT_TRUE(MakeFolderLink(In("sub"), Tree.File("outside")));
  const std::size_t queued = GetRebootDeleteList().size();
  item->Clean();
  EXPECT_TRUE(Exists(Tree.File("outside\\a.tmp"))) << "nothing deleted through the link";
  EXPECT_TRUE(Exists(In("sub"))) << "the link itself stays";
  EXPECT_EQ(GetRebootDeleteList().size(), queued) << "nor is it left for the restart";
  EXPECT_EQ(Messages(), (std::vector<Seen>{kStartClean})) << "no file was cleaned";
}

TEST(FileSearch, AFolderLinkIsRecognisedByItsReparseAttribute) {
  TSearchRec entry;
  entry.Name = "link";
  entry.Attr = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
  EXPECT_TRUE(IsSubfolder(entry));
  EXPECT_TRUE(IsFolderLink(entry));
  entry.Attr = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN;
  EXPECT_FALSE(IsFolderLink(entry));
  entry.Attr = FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_REPARSE_POINT;
  EXPECT_FALSE(IsFolderLink(entry)) << "a file link is a file, matched by the masks";
  entry.Attr = FILE_ATTRIBUTE_DIRECTORY;
  entry.Name = "..";
  EXPECT_FALSE(IsSubfolder(entry));
}

TEST_F(CleanFolderTest, APathThatIsNotFullIsNeitherSearchedNorCleaned) {
  // From the current folder, "sub" names a folder holding a matching file; "\\" and "C:"
  // would reach the root or the current folder of a drive.
  const std::string file = MakeFile("sub\\a.tmp", 1);
  char previous[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, previous);
  SetCurrentDirectoryA(Tree.Path().c_str());
  for (const std::string path : {"", "sub", "C:", "\\", "sub\\"}) {
    auto item = Item(path, {"*.*"}, true);
    const Seen refused = Text(TextLevel::Failure, "Path [" + path + "] is not a full path: nothing is searched or deleted");
    item->CollectInfo();
    EXPECT_EQ(Messages(), (std::vector<Seen>{kScan, refused})) << path;
    EXPECT_EQ(item->FileCount(), 0) << path;
    item->Clean();
    EXPECT_EQ(Messages(), (std::vector<Seen>{kStartClean, refused})) << path;
  }
  SetCurrentDirectoryA(previous);
  EXPECT_TRUE(Exists(file)) << "nothing outside a full path is deleted";
}

} // namespace
