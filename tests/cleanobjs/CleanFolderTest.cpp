// The folder clean item walking and cleaning real trees under Wine, reporting to a
// window on another thread as it does in the program.

#include "cleanobjs/CleanFolder.h"
#include "cleanobjs/FileSearch.h"
#include "tests/cleanobjs/FileItemFixture.h"
#include "tests/cleanobjs/FolderLink.h"

#include <algorithm>

namespace {

const Seen kScan = Text(TextLevel::Progress, "Scan Temp information from your computer ...");
const Seen kStartClean = Text(TextLevel::Progress, "Start clean Temp");

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

TEST_F(CleanFolderTest, AFolderReplacedByALinkWhileTheCleanRunsIsNotReached) {
  MakeFile("root\\first.tmp", 1);
  MakeFile("root\\sub\\a.tmp", 2);
  MakeFile("root\\sub\\deep\\b.tmp", 3);
  MakeFile("outside\\a.tmp", 20);
  MakeFile("outside\\deep\\b.tmp", 30);
  auto item = Item(Root(), {"*.tmp"}, true);
  item->CollectInfo();
  ASSERT_EQ(item->FileCount(), 3);
  ASSERT_EQ(item->Files(0).SearchRec().Name, "first.tmp") << "a folder's files come before its subfolders'";
  Messages();
  // Once the clean has deleted its first file, the folder is swapped for a link to
  // another folder that holds files of the same names, as its owner could do.
  bool swapped = false;
  Receiver.OnMessage([&](const ReceivedMessage& message) {
    if (message.Message != WM_ITEM_FILE_CLEANED || swapped) return;
    swapped = MoveFileA(In("sub").c_str(), In("sub-old").c_str()) &&
              MakeFolderLink(In("sub"), Tree.File("outside"));
  });
  item->Clean();
  ASSERT_TRUE(swapped) << "no folder link could be made";

  const auto notDeleted = [&](const std::string& file) {
    return Text(TextLevel::Failure, "File [" + In(file) + "] is reached through a link: it is not deleted");
  };
  const auto notRemoved = [&](const std::string& folder) {
    return Text(TextLevel::Failure, "Folder [" + In(folder) + "] is reached through a link: it is not removed");
  };
  EXPECT_EQ(Messages(), (std::vector<Seen>{kStartClean, FileCleaned(1), notDeleted("sub\\a.tmp"),
                                           notDeleted("sub\\deep\\b.tmp"), notRemoved("sub\\deep"),
                                           notRemoved("sub")}))
      << "no cleaned message for a file left alone";
  EXPECT_FALSE(Exists(In("first.tmp")));
  for (const char* kept : {"outside\\a.tmp", "outside\\deep\\b.tmp", "root\\sub-old\\a.tmp",
                           "root\\sub-old\\deep\\b.tmp"})
    EXPECT_TRUE(Exists(Tree.File(kept))) << kept;
  EXPECT_TRUE(Exists(In("sub"))) << "the link itself stays";
  EXPECT_FALSE(RebootDeleteListExists()) << "nor is anything left for the restart";
}

// Through the 8.3 form of its folder, as TEMP often names it, the item deletes a
// read-only file, defers one held open by a program that refuses deletion, and deletes
// one held open by a program that allows it (the system deletes it at its last close).
TEST_F(CleanFolderTest, EachFileGoesOrWaitsForTheRestartAsItsUseAllows) {
  struct Case {
    const char* Name;
    DWORD Attributes;
    DWORD HeldSharing; // the share mode of another handle held open on it; 0 for none
    bool Deferred;
  };
  const Case cases[] = {
      {"plain.tmp", 0, 0, false},
      {"read-only.tmp", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN, 0, false},
      {"in-use.tmp", 0, FILE_SHARE_READ | FILE_SHARE_WRITE, true},
      {"in-use-deletable.tmp", 0, FILE_SHARE_READ | FILE_SHARE_DELETE, false},
  };
  std::vector<unique_hfile> held;
  for (const Case& c : cases) {
    const std::string path = MakeFile(std::string("root\\long folder name\\") + c.Name, 1, c.Attributes);
    if (c.HeldSharing)
      held.emplace_back(CreateFileA(path.c_str(), GENERIC_READ, c.HeldSharing, nullptr, OPEN_EXISTING, 0, nullptr));
  }
  char shortRoot[MAX_PATH] = {};
  ASSERT_NE(GetShortPathNameA(In("long folder name").c_str(), shortRoot, MAX_PATH), 0u);
  ASSERT_NE(std::string(shortRoot), In("long folder name")) << "the test needs an 8.3 form that differs";
  auto item = Item(shortRoot, {"*.tmp"});
  item->CollectInfo();
  Messages();
  item->Clean();

  std::vector<Seen> expected{kStartClean};
  std::vector<std::string> deferred;
  for (int i = 0; i < item->FileCount(); ++i) {
    const std::string name = item->Files(i).SearchRec().Name;
    const Case& c = *std::find_if(std::begin(cases), std::end(cases),
                                  [&](const Case& each) { return name == each.Name; });
    const std::string path = std::string(shortRoot) + "\\" + name;
    if (c.Deferred) {
      expected.push_back(Text(TextLevel::Deferred, "File [" + path + "] will be deleted on reboot!"));
      // What the restart deletes is the file found, named where the system keeps it.
      deferred.push_back(In("long folder name\\") + name);
    }
    expected.push_back(FileCleaned(1));
  }
  EXPECT_EQ(Messages(), expected);
  held.clear();
  for (const Case& c : cases)
    EXPECT_EQ(Exists(In(std::string("long folder name\\") + c.Name)), c.Deferred) << c.Name;
  EXPECT_EQ(GetRebootDeleteList(), deferred);
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
