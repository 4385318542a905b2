// The clean command on a real folder tree, a folder link and a real registry key: it
// deletes exactly what the plug-in's items found, and nothing unless told to.

#include "cleanobjs/RebootDeleteList.h"
#include "framework/FinalPath.h"
#include "framework/UniqueHandle.h"
#include "ppj/CleanCommand.h"
#include "plugin/PlugInRecords.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestKey.h"
#include "tests/support/UnixLink.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace plugin;

namespace {

constexpr char kSessionManager[] = "System\\CurrentControlSet\\Control\\Session Manager";
constexpr char kPendingRenames[] = "PendingFileRenameOperations";

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The system's list of deletions at the next restart, as its raw value; none is "".
std::string PendingRenames() {
  unique_hkey key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_QUERY_VALUE, key.put()) != ERROR_SUCCESS) {
    key.release();
    return {};
  }
  DWORD size = 0;
  if (RegQueryValueExA(key.get(), kPendingRenames, nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS)
    return {};
  std::string data(size, '\0');
  RegQueryValueExA(key.get(), kPendingRenames, nullptr, nullptr, reinterpret_cast<BYTE*>(data.data()), &size);
  return data;
}

void RestorePendingRenames(const std::string& data) {
  unique_hkey key;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_SET_VALUE, key.put()), ERROR_SUCCESS);
  if (data.empty())
    RegDeleteValueA(key.get(), kPendingRenames);
  else
    RegSetValueExA(key.get(), kPendingRenames, 0, REG_MULTI_SZ,
                   reinterpret_cast<const BYTE*>(data.data()), static_cast<DWORD>(data.size()));
}

class CleanCommand : public ::testing::Test {
protected:
  void SetUp() override {
    // The tests delete: only inside a fresh folder of the prefix's own C: drive, which
    // no link leads out of.
    ASSERT_EQ(Folder.Path().rfind("C:\\", 0), 0u) << Folder.Path();
    const unique_hfile opened(OpenEntry(Folder.Path(), FILE_READ_ATTRIBUTES, LastLink::Followed));
    ASSERT_TRUE(SamePath(FinalPathOf(opened.get()), Folder.Path())) << "the test folder leads elsewhere";

    for (const char* file : {"tree\\a.tmp", "tree\\keep.txt", "tree\\sub\\b.tmp", "one.log", "outside\\o.tmp"})
      Make(file);
    ASSERT_TRUE(MakeUnixLink(Folder.File("tree\\link"), Folder.File("outside")));
    Key.SetValue("Branch\\Deep", "d", 3);
    Key.SetValue("Values", "gone", 5);
    Key.SetValue("Values", "stays", 7);

    Records.Header = PlugInHeader{"Clean", "Tester", 46000.0, 0};
    Records.Items = {
        ItemRecord{"tree", FolderBody{FolderPathPart{Folder.File("tree"), 1}, {"*.tmp"}}},
        ItemRecord{"log", FileBody{Folder.File("one.log")}},
        ItemRecord{"branch", RegistryBody{kCurrentUser, Key.Sub("Branch"), "", 1}},
        ItemRecord{"value", RegistryBody{kCurrentUser, Key.Sub("Values"), "gone", 0}},
    };
    Write(Records);
  }

  void Make(const std::string& relative) {
    const std::string path = Folder.File(relative);
    for (std::size_t end = relative.find('\\'); end != std::string::npos; end = relative.find('\\', end + 1))
      CreateDirectoryA(Folder.File(relative.substr(0, end)).c_str(), nullptr);
    WriteWholeFile(path, "x");
  }
  void Write(const PlugInRecords& records) {
    const std::vector<std::uint8_t> bytes = EncodePlugIn(records);
    WriteWholeFile(PlugIn, std::string(bytes.begin(), bytes.end()));
  }
  int Clean(bool yes, std::istream* terminal = nullptr) {
    Out.str("");
    Err.str("");
    return RunClean(CleanOptions{PlugIn, List, yes, terminal}, Out, Err);
  }
  bool NothingChanged() {
    for (const char* file : {"tree\\a.tmp", "tree\\keep.txt", "tree\\sub\\b.tmp", "one.log", "outside\\o.tmp"})
      if (!Exists(Folder.File(file))) return false;
    return Key.Exists("Branch\\Deep") && Key.ValueExists("Values", "gone");
  }

  TempFolder Folder;
  TestKey Key;
  PlugInRecords Records;
  std::string PlugIn = Folder.File("p.ppj");
  std::string List = Folder.File("cleaned.csv");
  std::ostringstream Out, Err;
};

} // namespace

TEST_F(CleanCommand, WithoutYesNothingIsDeletedUnlessTheTerminalSaysYes) {
  std::istringstream no("n\n"), endOfInput("");
  for (std::istream* terminal : {static_cast<std::istream*>(nullptr), static_cast<std::istream*>(&no),
                                 static_cast<std::istream*>(&endOfInput)}) {
    EXPECT_EQ(Clean(false, terminal), 0) << Err.str();
    EXPECT_NE(Out.str().find("Nothing was deleted; give --yes to delete what is listed above."),
              std::string::npos) << Out.str();
    EXPECT_NE(Out.str().find("Total file count: 3"), std::string::npos) << "the preview comes first";
    EXPECT_TRUE(NothingChanged());
    EXPECT_EQ(Out.str().find("[y/N]") != std::string::npos, terminal != nullptr)
        << "asked on a terminal only";
  }

  std::istringstream yes("yes\n");
  EXPECT_EQ(Clean(false, &yes), 0) << Err.str();
  EXPECT_NE(Out.str().find("Delete 3 files (0 KB) and 2 registry values (0 KB)? [y/N] "), std::string::npos)
      << Out.str();
  EXPECT_FALSE(Exists(Folder.File("one.log")));
}

TEST_F(CleanCommand, YesDeletesExactlyWhatWasFoundAndListsWhatBecameOfEach) {
  ASSERT_EQ(Clean(true), 0) << Out.str() << Err.str();
  EXPECT_FALSE(Exists(Folder.File("tree\\a.tmp")));
  EXPECT_FALSE(Exists(Folder.File("tree\\sub"))) << "emptied, and the item removes empty folders";
  EXPECT_FALSE(Exists(Folder.File("one.log")));
  EXPECT_TRUE(Exists(Folder.File("tree\\keep.txt"))) << "it matches no mask";
  EXPECT_TRUE(Exists(Folder.File("tree\\link"))) << "a folder link is not followed";
  EXPECT_TRUE(Exists(Folder.File("outside\\o.tmp"))) << "nor is what it leads to deleted";
  EXPECT_FALSE(Key.Exists("Branch")) << "the whole key, subkeys and all";
  EXPECT_FALSE(Key.ValueExists("Values", "gone"));
  EXPECT_TRUE(Key.ValueExists("Values", "stays")) << "the value's neighbours stay";

  const std::string root = "HKEY_CURRENT_USER\\" + Key.Path();
  EXPECT_EQ(ReadWholeFile(List),
            "item,kind,path,size,result\r\n"
            "1,file,\"" + Folder.File("tree\\a.tmp") + "\",1,deleted\r\n"
            "1,file,\"" + Folder.File("tree\\sub\\b.tmp") + "\",1,deleted\r\n"
            "1,folder,\"" + Folder.File("tree\\sub") + "\",0,deleted\r\n"
            "2,file,\"" + Folder.File("one.log") + "\",1,deleted\r\n"
            "3,registry key,\"" + root + "\\Branch\",3,deleted\r\n"
            "4,registry value,\"" + root + "\\Values\\gone\",5,deleted\r\n");
  EXPECT_NE(Out.str().find(" Total         3         0         1         0         2         0"),
            std::string::npos) << Out.str();

  // Cleaned again, the items find nothing more to delete.
  EXPECT_EQ(Clean(true), 0) << Err.str();
}

TEST_F(CleanCommand, AFileInUseIsDeferredAndRegisteredForTheRestart) {
  const std::string before = PendingRenames();
  int status = 0;
  {
    // Held open by a program that does not allow its deletion.
    const unique_hfile held(CreateFileA(Folder.File("one.log").c_str(), GENERIC_READ, FILE_SHARE_READ,
                                        nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    status = Clean(true);
  }
  const std::string after = PendingRenames();
  RestorePendingRenames(before);

  EXPECT_EQ(status, 0) << "registered for the restart is done: " << Err.str();
  EXPECT_NE(after.find("\\??\\" + Folder.File("one.log")), std::string::npos) << "not in the system's pending renames";
  EXPECT_NE(ReadWholeFile(List).find("2,file,\"" + Folder.File("one.log") + "\",1,deferred\r\n"), std::string::npos)
      << ReadWholeFile(List);
  EXPECT_NE(Out.str().find("Registered 1 paths for deletion at the next restart."), std::string::npos) << Out.str();
  EXPECT_NE(Err.str().find("ppj: item 2 (level 2): File [" + Folder.File("one.log") + "] will be deleted on reboot!"),
            std::string::npos) << Err.str();
}

TEST_F(CleanCommand, APlugInWithALintErrorDeletesNothing) {
  Records.Items.push_back(ItemRecord{"root", RegistryBody{kCurrentUser, "", "", 1}});
  Write(Records);
  EXPECT_EQ(Clean(true), 2);
  EXPECT_NE(Out.str().find("[whole-key-on-root]"), std::string::npos) << "the findings as lint prints them";
  EXPECT_NE(Err.str().find("nothing was deleted"), std::string::npos) << Err.str();
  EXPECT_TRUE(NothingChanged());
}
