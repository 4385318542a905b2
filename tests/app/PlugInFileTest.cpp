// Whole plug-in files through the program's reader and writer, and the sample plug-in
// that ships with the program.

#include "app/PlugInFile.h"
#include "cleanobjs/CleanFile.h"
#include "cleanobjs/CleanFolder.h"
#include "cleanobjs/CleanRegistry.h"
#include "framework/SysError.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

namespace {

// The sample: every item kind and every registry kind.
std::vector<std::unique_ptr<TCleanObj>> SampleItems() {
  const std::string name = "Sample cleaner";
  std::vector<std::unique_ptr<TCleanObj>> items;
  items.push_back(std::make_unique<TCleanRegistry>(name, 0x80000001, kRegistryValue,
                                                   "\\Software\\VarnexSample", "LastRun"));
  items.push_back(std::make_unique<TCleanRegistry>(name, 0x80000001, kRegistryWholeKey,
                                                   "\\Software\\VarnexSample\\Cache", ""));
  items.push_back(std::make_unique<TCleanRegistry>(name, 0x80000001, kRegistryAllValues,
                                                   "Software\\VarnexSample\\Recent", ""));
  items.push_back(std::make_unique<TCleanFile>(name, "%WINDOWS%\\VarnexSample.log"));
  auto folder = std::make_unique<TCleanFolder>(name, "%WINTEMP%\\VarnexSample", true);
  folder->Masks() = {"*.tmp", "*.bak"};
  items.push_back(std::move(folder));
  return items;
}

std::string Serialise(const plugin::PlugInHeader& header, const std::vector<TCleanObj*>& items) {
  TMemoryStream stream;
  WritePlugInItems(stream, header, items);
  return std::string(stream.Bytes().begin(), stream.Bytes().end());
}

std::vector<TCleanObj*> Borrow(const std::vector<std::unique_ptr<TCleanObj>>& items) {
  std::vector<TCleanObj*> borrowed;
  for (const auto& item : items) borrowed.push_back(item.get());
  return borrowed;
}

TEST(PlugInFile, RecordsFollowTheHeaderWithTheirKindBytes) {
  const auto items = SampleItems();
  const std::string bytes = Serialise({"Sample", "Me", 1.25, 5}, Borrow(items));
  ASSERT_EQ(bytes.size(), 280u + 3 * 649 + 1153 + 2178);
  EXPECT_EQ(bytes[280], 0);               // first registry item
  EXPECT_EQ(bytes[280 + 649], 0);         // second
  EXPECT_EQ(bytes[280 + 2 * 649], 0);     // third
  EXPECT_EQ(bytes[280 + 3 * 649], 1);     // the file
  EXPECT_EQ(bytes[280 + 3 * 649 + 1153], 2); // the folder
  EXPECT_EQ(bytes.substr(281, 15), std::string("Sample cleaner\0", 15));
}

TEST(PlugInFile, SavingReplacesTheFileOnlyWhenCompleteAndNeverAReadOnlyOne) {
  TempFolder folder;
  const std::string path = folder.File("a.ppj");
  WriteWholeFile(path, "old");
  const auto items = SampleItems();
  SavePlugInFile(path, {"Sample", "", 0, 5}, Borrow(items));
  EXPECT_EQ(ReadWholeFile(path), Serialise({"Sample", "", 0, 5}, Borrow(items)));

  const std::string intoMissingFolder = folder.File("missing\\b.ppj");
  try {
    SavePlugInFile(intoMissingFolder, {}, {});
    FAIL() << "saving into a missing folder must fail";
  } catch (const std::exception& error) {
    EXPECT_EQ(std::string(error.what()).rfind("Cannot create file \"" + intoMissingFolder + "\". ", 0), 0u)
        << error.what();
  }

  // A read-only plug-in is refused, not overwritten, with the system's reason.
  const std::string readOnly = folder.File("r.ppj");
  WriteWholeFile(readOnly, "old");
  SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
  try {
    SavePlugInFile(readOnly, {}, {});
    FAIL() << "saving over a read-only file must fail";
  } catch (const std::exception& error) {
    EXPECT_EQ(error.what(), "Cannot create file \"" + readOnly + "\". " + SysErrorMessage(ERROR_ACCESS_DENIED));
  }
  EXPECT_EQ(ReadWholeFile(readOnly), "old");
  WIN32_FIND_DATAA entry{};
  HANDLE find = FindFirstFileA(folder.File("*.tmp").c_str(), &entry);
  EXPECT_EQ(find, INVALID_HANDLE_VALUE) << "no temporary file is left behind";
  if (find != INVALID_HANDLE_VALUE) FindClose(find);
}

// The shipped sample is exactly what the writer makes of the sample items; set
// VARNEX_WRITE_SAMPLE to the sample's path to write it anew.
TEST(PlugInFile, TheShippedSampleIsWhatTheWriterWritesAndReadsBack) {
  const auto items = SampleItems();
  const plugin::PlugInHeader header{"Sample cleaner", "Varnex", 46364.5, 5};
  const std::string expected = Serialise(header, Borrow(items));
  if (const char* target = std::getenv("VARNEX_WRITE_SAMPLE")) WriteWholeFile(target, expected);

  const std::string shipped = ReadWholeFile(VARNEX_SAMPLE);
  EXPECT_EQ(shipped, expected) << VARNEX_SAMPLE << " is out of date";

  TMemoryStream stream(std::vector<std::uint8_t>(shipped.begin(), shipped.end()));
  std::vector<std::unique_ptr<TCleanObj>> read;
  const auto result =
      ReadPlugInItems(stream, [&](std::unique_ptr<TCleanObj> item) { read.push_back(std::move(item)); });
  EXPECT_EQ(result.Outcome, plugin::ReadOutcome::Complete);
  ASSERT_EQ(read.size(), 5u);
  EXPECT_EQ(dynamic_cast<TCleanRegistry&>(*read[2]).Kind(), kRegistryAllValues);
  EXPECT_EQ(dynamic_cast<TCleanFolder&>(*read[4]).Masks(), (std::vector<std::string>{"*.tmp", "*.bak"}));
}

} // namespace
