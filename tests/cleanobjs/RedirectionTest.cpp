// A 32-bit program on 64-bit Windows, as the cleaner is: the items see the registry
// and the system folder redirected as it does. Under Wine's WoW64, which redirects the
// same way.

#include "cleanobjs/CleanFile.h"
#include "cleanobjs/CleanRegistry.h"
#include "framework/UniqueHandle.h"
#include "sysfolders/SysFolders.h"
#include "sysfolders/Win32SysFolderSource.h"
#include "tests/support/Wow64Key.h"

#include <gtest/gtest.h>

namespace {

constexpr std::uint32_t kLocalMachine = 0x80000002u;

// A file of `size` bytes at `path`, removed afterwards.
struct ScratchFile {
  ScratchFile(std::string path, std::size_t size) : Path(std::move(path)) {
    unique_hfile file(CreateFileA(Path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    const std::string bytes(size, 'x');
    DWORD written = 0;
    Made = file && WriteFile(file.get(), bytes.data(), static_cast<DWORD>(size), &written, nullptr);
  }
  ~ScratchFile() { DeleteFileA(Path.c_str()); }
  std::string Path;
  bool Made = false;
};

} // namespace

TEST(Redirection, RegistryItemsReadTheKeysThatA32BitProgramSees) {
  Wow64Key key;
  key.SetValue(KEY_WOW64_64KEY, "", "Both", 9);
  key.SetValue(KEY_WOW64_64KEY, "", "Only64", 4);
  key.SetValue(KEY_WOW64_32KEY, "", "Both", 5);
  key.SetValue(KEY_WOW64_32KEY, "Sub", "Deep32", 3);

  TCleanRegistry both("Regs", kLocalMachine, kRegistryValue, key.Path(), "Both");
  both.CollectInfo();
  EXPECT_EQ(both.GetSize(), 5) << "the value under WOW6432Node, not the 64-bit one";
  TCleanRegistry only64("Regs", kLocalMachine, kRegistryValue, key.Path(), "Only64");
  only64.CollectInfo();
  EXPECT_EQ(only64.GetSize(), 0) << "a value of the 64-bit view is not there for the cleaner";
  TCleanRegistry whole("Regs", kLocalMachine, kRegistryWholeKey, key.Path(), "");
  whole.CollectInfo();
  EXPECT_EQ(whole.GetSize(), 5 + 3);
}

TEST(Redirection, AFileItemOnSystem32FindsTheCopyInSysWow64) {
  SysFolderList = std::make_unique<TSysFolderList>(Win32SysFolderSource());
  const std::string windows = ExpandFolderMacros("%WINDOWS%");
  const std::string name = "varnex-" + std::to_string(GetCurrentProcessId()) + ".tst";
  // SysWOW64 and Sysnative are never redirected: Sysnative is the 64-bit System32.
  const ScratchFile copy32(windows + "\\SysWOW64\\" + name, 7);
  const ScratchFile copy64(windows + "\\Sysnative\\" + name, 3);
  ASSERT_TRUE(copy32.Made && copy64.Made);

  TCleanFile item("Sys", "%WINDOWS%\\System32\\" + name);
  item.CollectInfo();
  SysFolderList.reset();
  EXPECT_EQ(item.GetSize(), 7) << "the file the 32-bit cleaner would find and delete";
}
