#pragma once
// What the file and folder item tests share: a real tree in a folder of the test's
// own, a receiving window on another thread, and the pending restart list handed
// over after each test to a WININIT.INI in a scratch folder, so no test leaves
// entries for the next one or for the machine's next restart.

#include "cleanobjs/RebootDeleteList.h"
#include "sysfolders/SysFolders.h"
#include "tests/support/MessageRecorder.h"
#include "tests/support/TempFolder.h"
#include "tests/sysfolders/ScriptedSysFolderSource.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

// One message reduced to what the tests compare: the text, or the found name; the
// text level, or the size.
struct Seen {
  UINT Message;
  std::string Text;
  std::int64_t Value;
  bool operator==(const Seen&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Seen& seen) {
  return out << "{" << seen.Message - WM_USER << ", \"" << seen.Text << "\", " << seen.Value << "}";
}

inline Seen Text(TextLevel level, const std::string& text) {
  return {WM_ITEM_TEXT, text, static_cast<std::int64_t>(level)};
}
inline Seen SearchPath(const std::string& folder) {
  return {WM_ITEM_SEARCH_PATH, "Searching path: " + folder, 0};
}
inline Seen FileFound(const std::string& name, std::int64_t size) {
  return {WM_ITEM_FILE_FOUND, name, size};
}
inline Seen FileCleaned(std::int64_t size) { return {WM_ITEM_FILE_CLEANED, "", size}; }

class FileItemTest : public testing::Test {
protected:
  void SetUp() override { ASSERT_NE(Receiver.Window(), nullptr); }
  void TearDown() override {
    ScriptedSysFolderSource windows95;
    windows95.Platform = kPlatformWin32Windows;
    windows95.Windows = Scratch.Path();
    FlushRebootDeleteList(TSysFolderList(windows95));
  }

  // Writes a file of `size` bytes, creating its folders; `relative` is below Tree.
  std::string MakeFile(const std::string& relative, std::size_t size, DWORD attributes = 0) {
    const std::string path = Tree.File(relative);
    MakeFolders(relative.substr(0, relative.find_last_of('\\') + 1));
    WriteWholeFile(path, std::string(size, 'x'));
    if (attributes) SetFileAttributesA(path.c_str(), attributes);
    return path;
  }
  std::string MakeFolder(const std::string& relative) {
    MakeFolders(relative + "\\");
    return Tree.File(relative);
  }
  static bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
  }

  void Watch(TCleanObj& item) {
    item.SetNotifyWindow(Receiver.Window());
    Receiver.Watch(&item);
  }
  // Every message so far, and only those from now on next time.
  std::vector<Seen> Messages() {
    std::vector<Seen> seen;
    const std::vector<ReceivedMessage> all = Receiver.Messages();
    for (std::size_t i = FConsumed; i < all.size(); ++i) {
      const ReceivedMessage& r = all[i];
      seen.push_back({r.Message, r.Text,
                      r.Message == WM_ITEM_TEXT ? static_cast<std::int64_t>(r.WParam) : r.Value});
      EXPECT_TRUE(r.ItemLockedAtSend) << "message " << i << " sent outside the item's lock";
    }
    FConsumed = all.size();
    return seen;
  }
  // The attributes that the found messages so far reported, in order.
  std::vector<std::uint32_t> FoundAttributes() {
    std::vector<std::uint32_t> attributes;
    for (const ReceivedMessage& r : Receiver.Messages())
      if (r.Message == WM_ITEM_FILE_FOUND) attributes.push_back(r.Number);
    return attributes;
  }

  TempFolder Tree;
  TempFolder Scratch;
  MessageRecorder Receiver;

private:
  void MakeFolders(const std::string& relativeFolder) {
    for (std::size_t end = relativeFolder.find('\\'); end != std::string::npos;
         end = relativeFolder.find('\\', end + 1))
      CreateDirectoryA(Tree.File(relativeFolder.substr(0, end)).c_str(), nullptr);
  }
  std::size_t FConsumed = 0;
};
