// The file clean item on real files under Wine, reporting to a window on another
// thread as it does in the program.

#include "cleanobjs/CleanFile.h"
#include "framework/UniqueHandle.h"
#include "tests/cleanobjs/FileItemFixture.h"
#include "tests/cleanobjs/FolderLink.h"

#include <winioctl.h>

namespace {

const Seen kScan = Text(TextLevel::Progress, "Scan Logs information from your computer ...");
const Seen kStartClean = Text(TextLevel::Progress, "Start clean Logs");

class CleanFileTest : public FileItemTest {
protected:
  std::unique_ptr<TCleanFile> Item(const std::string& path) {
    auto item = std::make_unique<TCleanFile>("Logs", path);
    Watch(*item);
    return item;
  }
};

TEST_F(CleanFileTest, HiddenSystemReadOnlyFileIsFoundThroughAMacroResetAndDeleted) {
  const DWORD attributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY;
  const std::string path = MakeFile("Logs\\app.log", 300, attributes);
  ScriptedSysFolderSource machine;
  machine.Environment["TEMP"] = Tree.Path();
  machine.Environment.erase("TMP");
  SysFolderList = std::make_unique<TSysFolderList>(machine);
  auto item = Item("%wintemp%\\Logs\\app.log");
  item->CollectInfo();
  SysFolderList.reset();

  EXPECT_EQ(Messages(), (std::vector<Seen>{kScan, FileFound("app.log", 300)}));
  ASSERT_EQ(FoundAttributes().size(), 1u);
  EXPECT_EQ(FoundAttributes()[0] & attributes, attributes) << "reported as found";
  EXPECT_EQ(item->GetSize(), 300);
  EXPECT_EQ(item->FileInfo().Path(), Tree.File("Logs\\"));
  EXPECT_EQ(item->State(), ItemState::Collecting);

  item->Clean();
  EXPECT_EQ(Messages(), (std::vector<Seen>{kStartClean, FileCleaned(300)}));
  EXPECT_FALSE(Exists(path)) << "the attributes were reset and the file deleted";
  EXPECT_EQ(item->State(), ItemState::Cleaning);
  EXPECT_FALSE(RebootDeleteListExists());
}

TEST_F(CleanFileTest, ALockedFileIsListedOnceForTwoItemsAndReportedByBoth) {
  const std::string path = MakeFile("locked.dat", 10);
  unique_hfile lock(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, 0, nullptr));
  ASSERT_NE(lock.get(), INVALID_HANDLE_VALUE);
  auto first = Item(path);
  first->CollectInfo();
  std::string upperFolder = Tree.Path();
  CharUpperBuffA(upperFolder.data(), static_cast<DWORD>(upperFolder.size()));
  const std::string upperPath = upperFolder + "\\locked.dat";
  auto second = Item(upperPath);
  second->CollectInfo();
  Messages();

  Watch(*first);
  first->Clean();
  Watch(*second);
  second->Clean();
  const std::string deferred = "File [" + path + "] will be deleted on reboot!";
  const std::string deferredUpper = "File [" + upperPath + "] will be deleted on reboot!";
  EXPECT_EQ(Messages(), (std::vector<Seen>{kStartClean, Text(TextLevel::Deferred, deferred),
                                           FileCleaned(10), kStartClean,
                                           Text(TextLevel::Deferred, deferredUpper),
                                           FileCleaned(10)}));
  EXPECT_EQ(GetRebootDeleteList(), std::vector<std::string>{path})
      << "the same file in other letter case is listed once";
  EXPECT_TRUE(Exists(path));
}

TEST_F(CleanFileTest, AFileWhoseFolderBecameALinkAsTheCleanStartedIsNotDeleted) {
  const std::string path = MakeFile("Logs\\app.log", 4);
  MakeFile("outside\\app.log", 40);
  auto item = Item(path);
  item->CollectInfo();
  Messages();
  // The folder is swapped for a link to a folder holding a file of the same name
  // after the clean has begun, as its owner could do.
  bool swapped = false;
  Receiver.OnMessage([&](const ReceivedMessage& message) {
    if (message.Message != WM_ITEM_TEXT || swapped) return;
    swapped = MoveFileA(Tree.File("Logs").c_str(), Tree.File("Logs-old").c_str()) &&
              MakeFolderLink(Tree.File("Logs"), Tree.File("outside"));
  });
  item->Clean();
  ASSERT_TRUE(swapped) << "no folder link could be made";
  EXPECT_EQ(Messages(), (std::vector<Seen>{kStartClean,
                                           Text(TextLevel::Failure, "File [" + path +
                                                "] is reached through a link: it is not deleted")}))
      << "no cleaned message for a file left alone";
  EXPECT_TRUE(Exists(Tree.File("outside\\app.log")));
  EXPECT_TRUE(Exists(Tree.File("Logs-old\\app.log")));
  EXPECT_FALSE(RebootDeleteListExists());
}

TEST_F(CleanFileTest, AFolderIsFoundAndReportedButNeverDeletedOrChanged) {
  const std::string folder = MakeFolder("Cache");
  SetFileAttributesA(folder.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY);
  auto item = Item(folder);
  item->CollectInfo();
  ASSERT_EQ(FoundAttributes().size(), 1u);
  EXPECT_TRUE(FoundAttributes()[0] & FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_EQ(Messages()[1].Text, "Cache");

  item->Clean();
  EXPECT_EQ(Messages(), (std::vector<Seen>{kStartClean, FileCleaned(item->GetSize())}));
  EXPECT_TRUE(Exists(folder));
  EXPECT_TRUE(GetFileAttributesA(folder.c_str()) & FILE_ATTRIBUTE_HIDDEN)
      << "a folder keeps the attributes the user gave it";
}

TEST_F(CleanFileTest, AWildcardPathCoversOnlyTheFirstEntryTheSearchReturns) {
  MakeFile("Logs\\one.log", 1);
  MakeFile("Logs\\two.log", 2);
  MakeFile("Logs\\six.log", 6);
  WIN32_FIND_DATAA first{};
  unique_hfind search(FindFirstFileA(Tree.File("Logs\\*.log").c_str(), &first));
  ASSERT_NE(search.get(), INVALID_HANDLE_VALUE);

  auto item = Item(Tree.File("Logs\\*.log"));
  item->CollectInfo();
  EXPECT_EQ(Messages(), (std::vector<Seen>{kScan, FileFound(first.cFileName, first.nFileSizeLow)}));
  item->Clean();
  Messages();
  EXPECT_FALSE(Exists(Tree.File(std::string("Logs\\") + first.cFileName)));
  int left = 0;
  for (const char* name : {"one.log", "two.log", "six.log"})
    left += Exists(Tree.File(std::string("Logs\\") + name));
  EXPECT_EQ(left, 2);
}

TEST_F(CleanFileTest, AMissingOrVanishedFileCountsZeroAndCleanDeletesNothing) {
  auto missing = Item(Tree.File("none.log"));
  missing->CollectInfo();
  EXPECT_EQ(Messages(), std::vector<Seen>{kScan});
  EXPECT_EQ(missing->GetSize(), 0);

  const std::string path = MakeFile("gone.log", 40);
  auto item = Item(path);
  item->CollectInfo();
  EXPECT_EQ(item->GetSize(), 40);
  DeleteFileA(path.c_str());
  item->CollectInfo();
  EXPECT_EQ(item->GetSize(), 0) << "a collection that finds nothing leaves nothing found";
  Messages();
  item->Clean();
  EXPECT_EQ(Messages(), (std::vector<Seen>{kStartClean, FileCleaned(0)}));
}

TEST_F(CleanFileTest, CleanWithoutACollectionTouchesNothing) {
  const std::string path = MakeFile("keep.log", 5);
  auto item = Item(path);
  item->Clean();
  EXPECT_EQ(Messages(), (std::vector<Seen>{kStartClean, FileCleaned(0)}));
  EXPECT_TRUE(Exists(path));
}

TEST_F(CleanFileTest, AFileLargerThan4GiBCountsWithItsWholeSize) {
  const std::string path = Tree.File("huge.bin");
  {
    unique_hfile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    ASSERT_NE(file.get(), INVALID_HANDLE_VALUE);
    DWORD returned = 0;
    DeviceIoControl(file.get(), FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &returned, nullptr);
    LARGE_INTEGER end{};
    end.QuadPart = 5LL << 30;
    ASSERT_TRUE(SetFilePointerEx(file.get(), end, nullptr, FILE_BEGIN));
    ASSERT_TRUE(SetEndOfFile(file.get())) << "the test needs a 5 GiB sparse file";
  }
  auto item = Item(path);
  item->CollectInfo();
  EXPECT_EQ(Messages(), (std::vector<Seen>{kScan, FileFound("huge.bin", 5LL << 30)}));
  EXPECT_EQ(item->GetSize(), 5LL << 30);
  item->Clean();
  EXPECT_EQ(Messages(), (std::vector<Seen>{kStartClean, FileCleaned(5LL << 30)}));
}

TEST(FileInfo, AssignCopiesAnotherFileInfoWholeAndIgnoresOtherObjects) {
  TSearchRec found;
  found.Name = "a.tmp";
  found.Size = 7;
  found.Attr = FILE_ATTRIBUTE_HIDDEN;
  const TFileInfo source("C:\\Temp", found);
  TFileInfo copy;
  copy.Assign(source);
  EXPECT_EQ(copy.Path(), "C:\\Temp");
  EXPECT_EQ(copy.SearchRec().Name, "a.tmp");
  EXPECT_EQ(copy.SearchRec().Size, 7);

  ScriptedSysFolderSource machine;
  TSysFolderList other(machine);
  EXPECT_NO_THROW(copy.Assign(other));
  EXPECT_EQ(copy.Path(), "C:\\Temp");
}

TEST_F(CleanFileTest, APathThatIsNotFullIsNeitherSearchedNorDeleted) {
  const std::string file = MakeFile("app.log", 3);
  char previous[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, previous);
  SetCurrentDirectoryA(Tree.Path().c_str());
  for (const std::string path : {"app.log", "\\*.*", "C:app.log", ""}) {
    auto item = Item(path);
    const Seen refused = Text(TextLevel::Failure, "Path [" + path + "] is not a full path: nothing is searched or deleted");
    item->CollectInfo();
    EXPECT_EQ(Messages(), (std::vector<Seen>{kScan, refused})) << path;
    EXPECT_EQ(item->GetSize(), 0) << path;
    item->Clean();
    EXPECT_EQ(Messages(), (std::vector<Seen>{kStartClean, refused, FileCleaned(0)})) << path;
  }
  SetCurrentDirectoryA(previous);
  EXPECT_TRUE(Exists(file));
}

} // namespace
