// The file and folder items reach only what they name: not through a path that leads
// out of the folder it shows, a mask that names another folder, or a name that the
// directory search made up by best fit from a Unicode one. Real files under Wine.

#include "cleanobjs/CleanFile.h"
#include "cleanobjs/CleanFolder.h"
#include "cleanobjs/FileSearch.h"
#include "tests/cleanobjs/FileItemFixture.h"

#include <algorithm>

namespace {

const Seen kScanFolder = Text(TextLevel::Progress, "Scan Temp information from your computer ...");
const Seen kScanFile = Text(TextLevel::Progress, "Scan Logs information from your computer ...");

Seen Refused(const std::string& typed) {
  return Text(TextLevel::Failure,
              "Path [" + typed + "] is not a full path: nothing is searched or deleted");
}

class ItemReachTest : public FileItemTest {
protected:
  std::unique_ptr<TCleanFolder> Folder(const std::string& folder, std::vector<std::string> masks) {
    auto item = std::make_unique<TCleanFolder>("Temp", folder, true);
    item->Masks() = std::move(masks);
    Watch(*item);
    return item;
  }
  std::unique_ptr<TCleanFile> File(const std::string& path) {
    auto item = std::make_unique<TCleanFile>("Logs", path);
    Watch(*item);
    return item;
  }
  // Creates `relative` below Tree from its Unicode name, as another program may.
  std::string MakeUnicodeEntry(const std::wstring& relative, bool folder) {
    const std::wstring path = std::wstring(Tree.Path().begin(), Tree.Path().end()) + L"\\" + relative;
    if (folder) {
      EXPECT_TRUE(CreateDirectoryW(path.c_str(), nullptr));
    } else {
      const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
      EXPECT_NE(file, INVALID_HANDLE_VALUE);
      CloseHandle(file);
    }
    return std::string(relative.begin(), relative.end());
  }
  // The names that the ANSI search lists in a folder below Tree.
  std::vector<std::string> ListedNames(const std::string& relative) {
    std::vector<std::string> names;
    TFileSearch search(Tree.File(relative + "\\*"));
    for (bool found = search.Found(); found; found = search.Next()) names.push_back(search.Entry().Name);
    return names;
  }
};

TEST_F(ItemReachTest, APathWithADotSegmentOrInADeviceNamespaceIsNeitherSearchedNorDeleted) {
  // Each names, or leads to, a folder other than the one its text shows; the rules
  // themselves are tested case by case with the portable code.
  MakeFile("a\\b\\own.log", 1);
  const std::string outside = MakeFile("a\\outside.log", 2);
  const std::string tree = Tree.Path();
  for (const std::string& folder : std::vector<std::string>{
           tree + "\\a\\b\\..", tree + "/a/b/..", "\\\\?\\" + tree + "\\a"}) {
    auto item = Folder(folder, {"*.log"});
    item->CollectInfo();
    EXPECT_EQ(Messages(), (std::vector<Seen>{kScanFolder, Refused(folder)})) << folder;
    EXPECT_EQ(item->FileCount(), 0) << folder;
    item->Clean();
    Messages();
  }
  for (const std::string& path : std::vector<std::string>{
           tree + "\\a\\b\\..\\outside.log", tree + "\\a\\b\\..", "\\\\.\\" + outside}) {
    auto item = File(path);
    item->CollectInfo();
    EXPECT_EQ(Messages(), (std::vector<Seen>{kScanFile, Refused(path)})) << path;
    EXPECT_EQ(item->GetSize(), 0) << path;
    item->Clean();
    Messages();
  }
  EXPECT_TRUE(Exists(outside));
  EXPECT_TRUE(Exists(Tree.File("a\\b\\own.log")));
}

TEST_F(ItemReachTest, AMaskThatNamesAnotherFolderIsNotSearchedAndTheOthersRun) {
  const std::string own = MakeFile("a0\\b0\\own.tmp", 3);
  const std::string other = MakeFile("a1\\b1\\f1.log", 5);
  const std::string sameName = MakeFile("a0\\b0\\f1.log.keep", 1);
  const std::string root = Tree.File("a0\\b0");
  const std::vector<std::string> elsewhere = {"..\\..\\a1\\b1\\*.log", "..", ".", "x/*.tmp"};
  std::vector<std::string> masks = elsewhere;
  masks.push_back("*.tmp");
  auto item = Folder(root, masks);
  item->CollectInfo();

  std::vector<Seen> expected{kScanFolder};
  for (const std::string& mask : elsewhere)
    expected.push_back(Text(TextLevel::Failure, "Mask [" + mask + "] names another folder: it is not searched"));
  expected.push_back(SearchPath(root));
  expected.push_back(FileFound("own.tmp", 3));
  EXPECT_EQ(Messages(), expected);

  item->Clean();
  EXPECT_FALSE(Exists(own)) << "the item's own masks still run";
  EXPECT_TRUE(Exists(other)) << "another folder's files are not the item's";
  EXPECT_TRUE(Exists(sameName));
}

TEST_F(ItemReachTest, ANameThatTheSearchMadeByBestFitIsNeitherListedEnteredNorDeleted) {
  // The ANSI search names U+FF3C "\" and U+FF0E "."; joined to its folder, "x\..\.."
  // is the folder's parent and "y\..\outside.log" a file beside the folder.
  MakeFolder("p");
  const std::string outside = MakeFile("outside.log", 7);
  const std::string folderName = MakeUnicodeEntry(L"p\\x\xFF3C\xFF0E\xFF0E\xFF3C\xFF0E\xFF0E", true);
  MakeUnicodeEntry(L"p\\y\xFF3C\xFF0E\xFF0E\xFF3C" L"outside.log", false);
  const std::vector<std::string> listed = ListedNames("p");
  ASSERT_NE(std::find(listed.begin(), listed.end(), "x\\..\\.."), listed.end())
      << "the search no longer makes these names, and the test shows nothing";
  ASSERT_NE(std::find(listed.begin(), listed.end(), "y\\..\\outside.log"), listed.end());

  for (const std::vector<std::string>& masks :
       std::vector<std::vector<std::string>>{{"*.log"}, {"*.*"}, {"*.txt"}}) {
    MakeFile("p\\in.log", 1); // again after each clean
    auto item = Folder(Tree.File("p"), masks);
    item->CollectInfo();
    std::vector<Seen> expected{kScanFolder, SearchPath(Tree.File("p"))};
    if (masks[0] != "*.txt") expected.push_back(FileFound("in.log", 1));
    EXPECT_EQ(Messages(), expected) << masks[0];
    EXPECT_TRUE(item->FolderList().empty()) << masks[0] << ": the made-up folder is not entered";
    item->Clean();
    Messages();
  }
  auto file = File(Tree.File("p\\y*"));
  file->CollectInfo();
  EXPECT_EQ(Messages(), (std::vector<Seen>{kScanFile})) << "the only match has a made-up name";
  file->Clean();
  EXPECT_TRUE(Exists(outside)) << "nothing beside the folder is deleted";
  EXPECT_TRUE(Exists(Tree.File("p"))) << "nor the folder itself, as an emptied subfolder";
}

} // namespace
