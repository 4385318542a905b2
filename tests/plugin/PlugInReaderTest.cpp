#include "plugin/PlugInReader.h"

#include <gtest/gtest.h>

using namespace plugin;

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Header(std::int32_t count, const std::string& name = "P", const std::string& author = "A",
             double time = 2.5) {
  PlugInHeader header{name, author, time, count};
  const auto bytes = EncodeHeader(header);
  return Bytes(bytes.begin(), bytes.end());
}

// A record of a known kind: its kind byte, the item name and a body of zeros.
void AppendRecord(Bytes& file, ItemKind kind, const std::string& itemName) {
  file.push_back(static_cast<std::uint8_t>(kind));
  Bytes rest(RecordSizeAfterKindByte(kind), 0);
  PutTextField(rest.data(), kNameFieldSize, itemName);
  file.insert(file.end(), rest.begin(), rest.end());
}

// Reads each record whole, as the clean items do, and notes what it was given.
class RecordingReader : public ItemRecordReader {
public:
  void ReadItemRecord(ItemKind kind, TStream& stream) override {
    const auto size = static_cast<std::int64_t>(RecordSizeAfterKindByte(kind));
    EXPECT_GE(stream.Remaining(), size) << "the reader promises a complete record";
    Bytes rest(static_cast<std::size_t>(size));
    stream.Read(rest.data(), size);
    Kinds.push_back(kind);
    Names.push_back(GetTextField(rest.data(), kNameFieldSize));
  }
  std::vector<ItemKind> Kinds;
  std::vector<std::string> Names;
};

struct Read {
  PlugInReadResult Result;
  RecordingReader Items;
  std::int64_t Position = 0;
};

Read ReadBytes(Bytes file) {
  Read read;
  TMemoryStream stream(std::move(file));
  read.Result = ReadPlugIn(stream, read.Items);
  read.Position = stream.Position();
  return read;
}

} // namespace

// --- Complete files ------------------------------------------------------------------

TEST(ReadPlugIn, EmptyPlugInGivesTheHeaderAndNoItems) {
  const Read read = ReadBytes(Header(0, "Name", "Author", 36526.5));
  EXPECT_EQ(read.Result.Outcome, ReadOutcome::Complete);
  EXPECT_EQ(read.Result.Header.Name, "Name");
  EXPECT_EQ(read.Result.Header.Author, "Author");
  EXPECT_EQ(read.Result.Header.Time, 36526.5);
  EXPECT_EQ(read.Result.ItemsRead, 0);
  EXPECT_TRUE(read.Items.Kinds.empty());
  EXPECT_FALSE(IsDamaged(read.Result.Outcome));
}

TEST(ReadPlugIn, ReadsEveryKindInOrderAndStopsAfterTheLastCountedItem) {
  Bytes file = Header(3);
  AppendRecord(file, ItemKind::Folder, "one");
  AppendRecord(file, ItemKind::Registry, "two");
  AppendRecord(file, ItemKind::File, "three");
  const std::int64_t end = static_cast<std::int64_t>(file.size());
  AppendRecord(file, ItemKind::File, "not counted");
  file.push_back(0x7F); // and a stray byte

  const Read read = ReadBytes(file);
  EXPECT_EQ(read.Result.Outcome, ReadOutcome::Complete);
  EXPECT_EQ(read.Result.ItemsRead, 3);
  EXPECT_EQ(read.Items.Kinds, (std::vector{ItemKind::Folder, ItemKind::Registry, ItemKind::File}));
  EXPECT_EQ(read.Items.Names, (std::vector<std::string>{"one", "two", "three"}));
  EXPECT_EQ(read.Position, end) << "bytes after the last counted item are not read";
}

TEST(ReadPlugIn, CountOfZeroOrLessReadsNoItems) {
  for (const std::int32_t count : {0, -1, INT32_MIN}) {
    Bytes file = Header(count);
    AppendRecord(file, ItemKind::File, "ignored");
    const Read read = ReadBytes(file);
    EXPECT_EQ(read.Result.Outcome, ReadOutcome::Complete) << count;
    EXPECT_EQ(read.Result.Header.ItemCount, count);
    EXPECT_TRUE(read.Items.Kinds.empty()) << count;
  }
}

// --- Files that are not plug-ins, or are damaged -------------------------------------

TEST(ReadPlugIn, WithoutTheMagicNothingIsUsed) {
  Bytes wrongMagic = Header(0);
  wrongMagic[3] = 'X';
  for (const Bytes& file : {Bytes{}, Bytes{'P', 'I', 'P'}, wrongMagic}) {
    const Read read = ReadBytes(file);
    EXPECT_EQ(read.Result.Outcome, ReadOutcome::NotAPlugIn) << file.size();
    EXPECT_FALSE(IsDamaged(read.Result.Outcome));
  }
}

TEST(ReadPlugIn, MagicFollowedByLessThanAHeaderIsTruncated) {
  for (const std::size_t size : {std::size_t{4}, std::size_t{100}, kHeaderSize - 1}) {
    Bytes file = Header(1);
    file.resize(size);
    const Read read = ReadBytes(file);
    EXPECT_EQ(read.Result.Outcome, ReadOutcome::HeaderTruncated) << size;
    EXPECT_TRUE(read.Items.Kinds.empty());
  }
}

TEST(ReadPlugIn, EndInsideARecordKeepsTheItemsBeforeIt) {
  Bytes complete = Header(3);
  AppendRecord(complete, ItemKind::Registry, "r");
  AppendRecord(complete, ItemKind::Folder, "f");

  // Ends where the third kind byte should be.
  Read read = ReadBytes(complete);
  EXPECT_EQ(read.Result.Outcome, ReadOutcome::RecordTruncated);
  EXPECT_EQ(read.Result.ItemsRead, 2);

  // Ends one byte short of the second record: the item reader must not be called.
  Bytes shortByOne(complete.begin(), complete.end() - 1);
  read = ReadBytes(shortByOne);
  EXPECT_EQ(read.Result.Outcome, ReadOutcome::RecordTruncated);
  EXPECT_EQ(read.Result.ItemsRead, 1);
  EXPECT_EQ(read.Items.Names, std::vector<std::string>{"r"});
  EXPECT_TRUE(IsDamaged(read.Result.Outcome));
}

TEST(ReadPlugIn, UnknownKindStopsReadingAndNamesTheByte) {
  Bytes file = Header(3);
  AppendRecord(file, ItemKind::File, "f");
  file.push_back(7);
  AppendRecord(file, ItemKind::File, "after the unknown kind");

  const Read read = ReadBytes(file);
  EXPECT_EQ(read.Result.Outcome, ReadOutcome::UnknownKind);
  EXPECT_EQ(read.Result.UnknownKindByte, 7);
  EXPECT_EQ(read.Result.ItemsRead, 1);
  EXPECT_EQ(read.Items.Kinds.size(), 1u);
  EXPECT_TRUE(IsDamaged(read.Result.Outcome));
}

TEST(ReadPlugIn, HugeCountEndsAtTheEndOfTheData) {
  Bytes file = Header(INT32_MAX);
  AppendRecord(file, ItemKind::Registry, "only");
  const Read read = ReadBytes(file);
  EXPECT_EQ(read.Result.Outcome, ReadOutcome::RecordTruncated);
  EXPECT_EQ(read.Result.ItemsRead, 1);
  EXPECT_EQ(read.Result.Header.ItemCount, INT32_MAX);
}

// --- The warning for a damaged file --------------------------------------------------

namespace {

const std::string kUntitled =
    "The plug-in is shown as a new, unsaved plug-in, so that saving it cannot replace the "
    "damaged file. Use Save As to store what could be read.";

PlugInReadResult Result(ReadOutcome outcome, std::int32_t count, std::int32_t itemsRead,
                        std::uint8_t kindByte = 0) {
  PlugInReadResult result;
  result.Outcome = outcome;
  result.Header.ItemCount = count;
  result.ItemsRead = itemsRead;
  result.UnknownKindByte = kindByte;
  return result;
}

} // namespace

TEST(DamagedPlugInMessage, SaysWhereReadingStoppedAndHowMuchWasRead) {
  EXPECT_EQ(DamagedPlugInMessage("C:\\p.ppj", Result(ReadOutcome::RecordTruncated, 5, 2)),
            "The plug-in file \"C:\\p.ppj\" is damaged: it ends inside item 3.\n\n"
            "Only 2 of 5 items could be read.\n\n" + kUntitled);
  EXPECT_EQ(DamagedPlugInMessage("C:\\p.ppj", Result(ReadOutcome::UnknownKind, 5, 2, 7)),
            "The plug-in file \"C:\\p.ppj\" is damaged: item 3 has the unknown kind 7.\n\n"
            "Only 2 of 5 items could be read.\n\n" + kUntitled);
}

TEST(DamagedPlugInMessage, NothingReadIsSaidPlainly) {
  // The count of a truncated header is unknown; it must not appear as a number.
  EXPECT_EQ(DamagedPlugInMessage("a.ppj", Result(ReadOutcome::HeaderTruncated, 0, 0)),
            "The plug-in file \"a.ppj\" is damaged: it ends inside its header.\n\n"
            "No items could be read.\n\n" + kUntitled);
  EXPECT_EQ(DamagedPlugInMessage("a.ppj", Result(ReadOutcome::RecordTruncated, 4, 0)),
            "The plug-in file \"a.ppj\" is damaged: it ends inside item 1.\n\n"
            "No items could be read.\n\n" + kUntitled);
}

TEST(DamagedPlugInMessage, IsEmptyForFilesThatAreNotDamaged) {
  EXPECT_EQ(DamagedPlugInMessage("a.ppj", Result(ReadOutcome::Complete, 2, 2)), "");
  EXPECT_EQ(DamagedPlugInMessage("a.ppj", Result(ReadOutcome::NotAPlugIn, 0, 0)), "");
}
