// The Win32 sources of the system folder table against what the platform reports
// through other calls, and the table that this machine gives.

#include "framework/UniqueHandle.h"
#include "sysfolders/SysFolderRules.h"
#include "sysfolders/SysFolders.h"
#include "sysfolders/Win32SysFolderSource.h"

#include <shlobj.h>
#include <gtest/gtest.h>

#include <optional>

namespace {

const TSysFolderSource& Machine() { return Win32SysFolderSource(); }

std::string Upper(std::string text) {
  CharUpperBuffA(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

// What SHGetFolderPath, another way into the shell, reports for a folder.
std::string ShellFolderPath(int csidl) {
  char path[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
  return path;
}

// Sets an environment variable of this process for one test and restores it after.
class EnvironmentVariable {
public:
  EnvironmentVariable(const std::string& name, const char* value) : FName(name) {
    char saved[32768];
    const DWORD length = GetEnvironmentVariableA(name.c_str(), saved, sizeof saved);
    if (length > 0 && length < sizeof saved) FSaved = std::string(saved, length);
    SetEnvironmentVariableA(name.c_str(), value);
  }
  ~EnvironmentVariable() {
    SetEnvironmentVariableA(FName.c_str(), FSaved ? FSaved->c_str() : nullptr);
  }

private:
  std::string FName;
  std::optional<std::string> FSaved;
};

// A registry key of its own under HKEY_CURRENT_USER\Software\VarnexTests, removed afterwards.
class TestKey {
public:
  TestKey() {
    FPath = "Software\\VarnexTests\\sysfolders-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(GetTickCount());
    RegCreateKeyExA(HKEY_CURRENT_USER, FPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                    FKey.put(), nullptr);
  }
  ~TestKey() {
    FKey.reset();
    RegDeleteTreeA(HKEY_CURRENT_USER, FPath.c_str());
  }
  const std::string& Path() const { return FPath; }
  void Set(const char* name, DWORD type, const void* data, std::size_t size) {
    ASSERT_EQ(RegSetValueExA(FKey.get(), name, 0, type, static_cast<const BYTE*>(data),
                             static_cast<DWORD>(size)),
              ERROR_SUCCESS);
  }
  void SetText(const char* name, DWORD type, const std::string& text) {
    Set(name, type, text.c_str(), text.size() + 1);
  }

private:
  std::string FPath;
  unique_hkey FKey;
};

TEST(Win32SysFolderSource, TheWindowsFolderIsWhatTheSystemReports) {
  const std::string windows = Machine().WindowsDirectory();
  ASSERT_FALSE(windows.empty());
  char system[MAX_PATH] = {};
  GetSystemWindowsDirectoryA(system, MAX_PATH);
  EXPECT_EQ(windows, system);
  EXPECT_EQ(Upper(windows), Upper(ShellFolderPath(CSIDL_WINDOWS)));
}

TEST(Win32SysFolderSource, SpecialFoldersAreTheShellsAndEmptyWithoutAPath) {
  for (const int csidl : {kCsidlWindows, kCsidlProgramFiles, kCsidlProfile}) {
    const std::string folder = Machine().SpecialFolder(csidl);
    EXPECT_FALSE(folder.empty()) << csidl;
    EXPECT_EQ(folder, ShellFolderPath(csidl)) << csidl;
  }
  char profile[MAX_PATH] = {};
  GetEnvironmentVariableA("USERPROFILE", profile, MAX_PATH);
  EXPECT_EQ(Upper(Machine().SpecialFolder(kCsidlProfile)), Upper(profile));
  EXPECT_EQ(Machine().SpecialFolder(CSIDL_DRIVES), "") << "My Computer has no file system path";
  EXPECT_EQ(Machine().SpecialFolder(0x7F), "") << "a number the shell does not know";
}

TEST(Win32SysFolderSource, EnvironmentVariablesAreReadWholeWhateverTheirLength) {
  const std::string name = "VARNEX_TEST_" + std::to_string(GetCurrentProcessId());
  EXPECT_EQ(GetEnvVar(name), "") << "not set";
  const std::string longValue = "C:\\" + std::string(600, 'x') + "\\";
  {
    EnvironmentVariable set(name, longValue.c_str());
    EXPECT_EQ(GetEnvVar(name), longValue) << "beyond 260 characters and kept to the last backslash";
    EXPECT_EQ(Machine().EnvironmentVariable(name), longValue);
  }
  {
    EnvironmentVariable set(name, "C:\\Temp\\");
    EXPECT_EQ(GetEnvVar(name), "C:\\Temp\\");
  }
  EXPECT_EQ(GetEnvVar(name), "");
}

TEST(Win32SysFolderSource, RegistryStringsAreTextValuesOnly) {
  TestKey key;
  key.SetText("Plain", REG_SZ, "C:\\Plain");
  key.SetText("Expand", REG_EXPAND_SZ, "%SystemRoot%\\x");
  key.SetText("Empty", REG_SZ, "");
  key.SetText("Long", REG_SZ, std::string(1000, 'L'));
  key.Set("NoNul", REG_SZ, "C:\\NoNul", 8); // stored without its NUL
  key.Set("TwoParts", REG_SZ, "C:\\One\0Two", 11);
  const DWORD number = 0x43;
  key.Set("Number", REG_DWORD, &number, sizeof number);
  key.Set("Bytes", REG_BINARY, "C:\\Bytes", 9);
  key.SetText("Multi", REG_MULTI_SZ, "C:\\Multi");

  const auto read = [&](const char* name) {
    return Machine().RegistryString(kHkeyCurrentUser, key.Path(), name);
  };
  EXPECT_EQ(read("Plain"), "C:\\Plain") << "through the 32-bit root key number";
  EXPECT_EQ(read("Expand"), "%SystemRoot%\\x") << "taken as stored";
  EXPECT_EQ(read("Empty"), "");
  EXPECT_EQ(read("Long"), std::string(1000, 'L'));
  EXPECT_EQ(read("NoNul"), "C:\\NoNul");
  EXPECT_EQ(read("TwoParts"), "C:\\One") << "up to the first NUL";
  EXPECT_EQ(read("Number"), "");
  EXPECT_EQ(read("Bytes"), "");
  EXPECT_EQ(read("Multi"), "");
  EXPECT_EQ(read("Missing"), "");
  EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, key.Path() + "\\Missing", "Plain"), "");
  EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, key.Path(), "Plain"), "C:\\Plain");
}

TEST(Win32SysFolderSource, ThisPlatformIsNT) {
  EXPECT_EQ(Machine().PlatformId(), static_cast<std::uint32_t>(VER_PLATFORM_WIN32_NT));
  EXPECT_TRUE(IsNTPlatform(Machine()));
}

TEST(Win32SysFolderSource, UpperCasingFollowsTheAnsiCodePage) {
  ASSERT_EQ(GetACP(), 1252u) << "the expected letters below are those of code page 1252";
  std::string text = "abc\\\xE4\xF6\xFC\xE9\xE6\xF7\xDF 1%x";
  Machine().UpperCase(text.data(), text.size());
  EXPECT_EQ(text, "ABC\\\xC4\xD6\xDC\xC9\xC6\xF7\xDF 1%X") << "the division sign and sharp s stay";
}

TEST(Win32SysFolderTable, IsBuiltFromWhatThisMachineReports) {
  const TSysFolderList list(Machine());
  ASSERT_EQ(list.Count(), 13);
  char windows[MAX_PATH] = {};
  GetWindowsDirectoryA(windows, MAX_PATH);
  char temp[MAX_PATH] = {};
  GetEnvironmentVariableA("TEMP", temp, MAX_PATH);
  const std::string profile = ShellFolderPath(CSIDL_PROFILE);
  EXPECT_EQ(list.Items(0).Path(), windows);
  EXPECT_EQ(list.Items(1).Path(), profile);
  EXPECT_EQ(list.Items(2).Path(), ShellFolderPath(CSIDL_PROGRAM_FILES));
  EXPECT_EQ(list.Items(3).Path(), temp);
  EXPECT_EQ(list.Items(4).Path(), std::string(windows) + "\\Installer");

  // The shell folders values, read here through another registry call.
  const char* values[] = {"Recent", "Cache", "History", "Cookies"};
  for (int i = 0; i < 4; ++i) {
    char value[MAX_PATH] = {};
    DWORD size = sizeof value;
    RegGetValueA(HKEY_CURRENT_USER, kShellFoldersKey, values[i], RRF_RT_REG_SZ | RRF_NOEXPAND,
                 nullptr, value, &size);
    EXPECT_EQ(list.Items(5 + i).Path(), value) << values[i];
  }
  EXPECT_EQ(list.Items(9).Path(), std::string(windows) + "\\Downloaded Program Files");
  EXPECT_EQ(list.Items(12).Path(),
            profile + "\\Local Settings\\Application Data\\Mozilla\\Firefox\\Profiles");
  EXPECT_EQ(list.FindPathByDescription("windows folder"), windows);

  for (int i = 0; i < 13; ++i)
    std::printf("%-22s %s\n", list.Items(i).Macro().c_str(), list.Items(i).Path().c_str());
}

TEST(Win32SysFolderTable, TheTempEntryFollowsTempThenTmpAsTheyStand) {
  {
    EnvironmentVariable temp("TEMP", "D:\\My Temp\\");
    EXPECT_EQ(TSysFolderList(Machine()).Items(3).Path(), "D:\\My Temp\\");
  }
  {
    EnvironmentVariable temp("TEMP", nullptr);
    EnvironmentVariable tmp("TMP", "D:\\Tmp");
    EXPECT_EQ(TSysFolderList(Machine()).Items(3).Path(), "D:\\Tmp");
  }
  EnvironmentVariable temp("TEMP", nullptr);
  EnvironmentVariable tmp("TMP", nullptr);
  EXPECT_EQ(TSysFolderList(Machine()).Items(3).Path(), ShellFolderPath(CSIDL_WINDOWS) + "\\Temp");
}

} // namespace
