// Kelvra.dll as built and as the program binds to it: the export's exact name, the
// import table of varnex.exe, and the load-time binding itself.

#include "framework/UniqueHandle.h"
#include "tests/support/PeImage.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// The loader's NTSTATUS for an import whose DLL it cannot find (ntstatus.h).
constexpr DWORD kStatusDllNotFound = 0xC0000135;

// The build folder: the test executables, varnex.exe and Kelvra.dll lie side by side.
std::string BuildFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder = path;
  return folder.substr(0, folder.find_last_of('\\'));
}

bool HasName(const std::vector<std::string>& names, const std::string& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

} // namespace

TEST(KelvraLibrary, ExportsExactlyTheDecoratedStdcallNameOfA32BitLibrary) {
  const PeNames dll = ReadPeNames(BuildFolder() + "\\Kelvra.dll");
  ASSERT_TRUE(dll.Valid);
  EXPECT_EQ(dll.Machine, static_cast<unsigned>(IMAGE_FILE_MACHINE_I386)) << "the cleaner loads 32-bit libraries";
  EXPECT_EQ(dll.Exports, std::vector<std::string>{"_AccessRegItem@4"});

  // The loader finds the function under that name, and it returns.
  unique_hmodule library(LoadLibraryA((BuildFolder() + "\\Kelvra.dll").c_str()));
  ASSERT_TRUE(library);
  using AccessRegItemFn = std::int32_t(WINAPI*)(const char*);
  auto access = reinterpret_cast<AccessRegItemFn>(
      reinterpret_cast<void*>(GetProcAddress(library.get(), "_AccessRegItem@4")));
  ASSERT_NE(access, nullptr);
  access("CURRENT_USER\\Software\\VarnexTests");
  EXPECT_EQ(GetProcAddress(library.get(), "AccessRegItem"), nullptr);
}

TEST(KelvraLibrary, TheProgramImportsItByNameAtLoadTime) {
  const PeNames program = ReadPeNames(BuildFolder() + "\\varnex.exe");
  ASSERT_TRUE(program.Valid);
  EXPECT_EQ(program.Machine, static_cast<unsigned>(IMAGE_FILE_MACHINE_I386));
  ASSERT_EQ(program.Imports.count("Kelvra.dll"), 1u) << "no load-time import of Kelvra.dll";
  EXPECT_EQ(program.Imports.at("Kelvra.dll"), std::vector<std::string>{"_AccessRegItem@4"});
  // The reader itself sees the system imports, so an empty result would not pass.
  ASSERT_EQ(program.Imports.count("KERNEL32.dll"), 1u);
  EXPECT_TRUE(HasName(program.Imports.at("KERNEL32.dll"), "GetModuleHandleA"));
}

TEST(KelvraLibrary, TheProgramDoesNotStartWithoutIt) {
  // A copy of varnex.exe in a folder of its own, started there, finds no Kelvra.dll
  // beside it or in the current folder; the loader refuses to run it.
  TempFolder folder;
  const std::string copy = folder.File("varnex.exe");
  ASSERT_TRUE(CopyFileA((BuildFolder() + "\\varnex.exe").c_str(), copy.c_str(), FALSE));
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::string commandLine = "\"" + copy + "\"";
  ASSERT_TRUE(CreateProcessA(copy.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                             nullptr, folder.Path().c_str(), &startup, &process));
  unique_handle processHandle(process.hProcess), threadHandle(process.hThread);
  if (WaitForSingleObject(process.hProcess, 30000) != WAIT_OBJECT_0) {
    TerminateProcess(process.hProcess, 1);
    WaitForSingleObject(process.hProcess, 10000);
    FAIL() << "varnex.exe started without Kelvra.dll";
  }
  DWORD exitCode = 0;
  GetExitCodeProcess(process.hProcess, &exitCode);
  EXPECT_EQ(exitCode, kStatusDllNotFound);
}
