// The registry clean item against a real key of its own under HKEY_CURRENT_USER, with
// a receiving window on another thread recording every message in order.

#include "cleanobjs/CleanRegistry.h"
#include "tests/support/MessageRecorder.h"
#include "tests/support/TestKey.h"

#include <gtest/gtest.h>
#include <sddl.h>

#include <functional>
#include <stdexcept>

namespace {

constexpr std::uint32_t kCurrentUser = 0x80000001u;

// Records the names handed to Kelvra.dll instead of calling it. When `Refuse` is set
// it throws, which ends Clean before anything can be deleted.
class TRecordingRegistry : public TCleanRegistry {
public:
  using TCleanRegistry::TCleanRegistry;
  std::vector<std::string> Calls;
  std::function<void(const std::string&)> During;
  bool Refuse = false;

protected:
  void AccessRegItem(const std::string& keyName) override {
    if (Refuse) throw std::logic_error("no key may be handed over: " + keyName);
    Calls.push_back(keyName);
    if (During) During(keyName);
  }
};

// One message reduced to what the tests compare.
struct Seen {
  UINT Message;
  std::string Text;
  std::int64_t Value;
  bool operator==(const Seen&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Seen& seen) {
  return out << "{" << seen.Message - WM_USER << ", \"" << seen.Text << "\", " << seen.Value << "}";
}

Seen Text(TextLevel level, const std::string& text) {
  return {WM_ITEM_TEXT, text, static_cast<std::int64_t>(level)};
}
Seen Found(const std::string& keyPath, const std::string& valueName, std::int64_t size) {
  return {WM_ITEM_REG_FOUND, keyPath + "|" + valueName, size};
}
Seen Cleaned(std::int64_t size) { return {WM_ITEM_REG_CLEANED, "", size}; }
Seen Failure(const std::string& text) { return Text(TextLevel::Failure, text); }

const Seen kScan = Text(TextLevel::Progress, "Scan Regs information from your computer ...");
const Seen kStartClean = Text(TextLevel::Progress, "Start clean Regs");

class CleanRegistryTest : public testing::Test {
protected:
  void SetUp() override { ASSERT_NE(Receiver.Window(), nullptr); }

  // An item on HKEY_CURRENT_USER that reports to the receiver; `relative` is below
  // the test key and is given with the key selector's leading "\".
  std::unique_ptr<TRecordingRegistry> Item(std::uint8_t kind, const std::string& relative,
                                           const std::string& valueName = "") {
    auto item = std::make_unique<TRecordingRegistry>("Regs", kCurrentUser, kind,
                                                     "\\" + Key.Sub(relative), valueName);
    item->SetNotifyWindow(Receiver.Window());
    Receiver.Watch(item.get());
    return item;
  }

  // Every message so far, and only those from now on next time.
  std::vector<Seen> Messages() {
    std::vector<Seen> seen;
    const std::vector<ReceivedMessage> all = Receiver.Messages();
    for (std::size_t i = FConsumed; i < all.size(); ++i) {
      const ReceivedMessage& r = all[i];
      if (r.Message == WM_ITEM_TEXT)
        seen.push_back({r.Message, r.Text, static_cast<std::int64_t>(r.WParam)});
      else
        seen.push_back({r.Message, r.Text, r.Value});
      if (r.Message == WM_ITEM_REG_FOUND) EXPECT_EQ(r.Number, kCurrentUser);
      EXPECT_TRUE(r.ItemLockedAtSend) << "message " << i << " sent outside the item's lock";
    }
    FConsumed = all.size();
    return seen;
  }

  std::string Path(const std::string& relative) { return "\\" + Key.Sub(relative); }
  std::string KelvraName(const std::string& relative) {
    return "CURRENT_USER\\" + Key.Sub(relative);
  }

  // K with subkeys A (a1, a2) and B (b1) and its own value k1.
  void MakeTwoLevelKey() {
    Key.SetValue("K\\A", "a1", 3);
    Key.SetValue("K\\A", "a2", 5);
    Key.SetValue("K\\B", "b1", 7);
    Key.SetValue("K", "k1", 11);
  }

  TestKey Key;
  MessageRecorder Receiver;

private:
  std::size_t FConsumed = 0;
};

} // namespace

TEST_F(CleanRegistryTest, WholeKeyReportsSubkeyValuesDepthFirstBeforeItsOwn) {
  MakeTwoLevelKey();
  Key.SetValue("K\\A\\Deep", "d1", 13);
  auto item = Item(kRegistryWholeKey, "K");
  item->CollectInfo();

  EXPECT_EQ(Messages(), (std::vector<Seen>{kScan, Found(Path("K\\A\\Deep"), "d1", 13),
                                           Found(Path("K\\A"), "a1", 3),
                                           Found(Path("K\\A"), "a2", 5),
                                           Found(Path("K\\B"), "b1", 7),
                                           Found(Path("K"), "k1", 11)}));
  EXPECT_EQ(item->GetSize(), 39);
  EXPECT_EQ(item->State(), ItemState::Collecting);

  // The accessor was left on a subkey; a second run starts from the root again.
  item->CollectInfo();
  EXPECT_EQ(Messages().size(), 6u);
  EXPECT_EQ(item->GetSize(), 39);
}

TEST_F(CleanRegistryTest, WholeKeyWithoutSubkeysCountsItsValuesAndTheDefaultValue) {
  // Set in name order, which is also the order Windows and Wine enumerate them in.
  Key.SetValue("K", "", 4);
  Key.SetValue("K", "empty", 0);
  Key.SetValue("K", "k1", 6);
  auto item = Item(kRegistryWholeKey, "K");
  item->CollectInfo();
  EXPECT_EQ(Messages(), (std::vector<Seen>{kScan, Found(Path("K"), "", 4),
                                           Found(Path("K"), "empty", 0),
                                           Found(Path("K"), "k1", 6)}));
  EXPECT_EQ(item->GetSize(), 10);
}

TEST_F(CleanRegistryTest, WholeKeyThatIsGoneCountsZeroWithoutAText) {
  Key.SetValue("K", "k1", 6);
  auto item = Item(kRegistryWholeKey, "K");
  item->CollectInfo();
  EXPECT_EQ(item->GetSize(), 6);
  Messages();

  RegDeleteTreeA(HKEY_CURRENT_USER, Key.Sub("K").c_str());
  item->CollectInfo();
  EXPECT_EQ(Messages(), std::vector<Seen>{kScan});
  EXPECT_EQ(item->GetSize(), 0);
}

TEST_F(CleanRegistryTest, OneValueFoundThenDeletedByHandIsReportedMissing) {
  Key.SetValue("K", "Last", 9);
  Key.SetValue("K", "Other", 2);
  auto item = Item(kRegistryValue, "K", "Last");
  item->CollectInfo();
  EXPECT_EQ(Messages(), (std::vector<Seen>{kScan, Found(Path("K"), "Last", 9)}));
  EXPECT_EQ(item->GetSize(), 9);

  Key.DeleteValue("K", "Last");
  item->CollectInfo();
  EXPECT_EQ(Messages(),
            (std::vector<Seen>{kScan, Failure("Value name [Last] can not be found")}));
  EXPECT_EQ(item->GetSize(), 0);
}

TEST_F(CleanRegistryTest, AMissingKeyHasItsOwnTextForOneValueAndForAllValues) {
  auto one = Item(kRegistryValue, "Missing", "Last");
  one->CollectInfo();
  EXPECT_EQ(Messages(),
            (std::vector<Seen>{kScan, Failure("Can not open key [" + Path("Missing") + "]")}));
  EXPECT_EQ(one->GetSize(), 0);

  auto all = Item(kRegistryAllValues, "Missing");
  all->CollectInfo();
  EXPECT_EQ(Messages(),
            (std::vector<Seen>{kScan, Failure("Failed to open key [" + Path("Missing") + "]")}));
  EXPECT_EQ(all->GetSize(), 0);
}

TEST_F(CleanRegistryTest, AllValuesCountsOnlyTheKeysOwnValuesWithTheDefaultValue) {
  Key.SetValue("K", "", 4);
  Key.SetValue("K", "k1", 6);
  Key.SetValue("K\\Sub", "s1", 100);
  auto item = Item(kRegistryAllValues, "K");
  item->CollectInfo();
  EXPECT_EQ(Messages(), (std::vector<Seen>{kScan, Found(Path("K"), "", 4),
                                           Found(Path("K"), "k1", 6)}));
  EXPECT_EQ(item->GetSize(), 10);
}

TEST_F(CleanRegistryTest, APathWithoutTheLeadingBackslashGivesTheSameResult) {
  MakeTwoLevelKey();
  for (std::uint8_t kind : {kRegistryWholeKey, kRegistryAllValues, kRegistryValue}) {
    TCleanRegistry with("Regs", kCurrentUser, kind, "\\" + Key.Sub("K"), "k1");
    TCleanRegistry without("Regs", kCurrentUser, kind, Key.Sub("K"), "k1");
    for (int run = 0; run < 2; ++run) {
      with.CollectInfo();
      without.CollectInfo();
      EXPECT_EQ(without.GetSize(), with.GetSize()) << "kind " << int(kind) << " run " << run;
    }
    EXPECT_EQ(with.GetSize(), kind == kRegistryWholeKey ? 26 : 11);
  }
}

TEST_F(CleanRegistryTest, CancelBeforeCollectingSendsNothingAndChangesNothing) {
  Key.SetValue("K", "k1", 6);
  auto item = Item(kRegistryWholeKey, "K");
  item->CollectInfo();
  Messages();
  item->Cancel();
  item->SetState(ItemState::Done);
  item->CollectInfo();
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(item->State(), ItemState::Done);
  EXPECT_EQ(item->GetSize(), 6) << "the last count stays";
}

TEST_F(CleanRegistryTest, CancelDuringAWholeKeyStopsAtTheNextCheck) {
  MakeTwoLevelKey();
  auto item = Item(kRegistryWholeKey, "K");
  // Cancelled while the first value's message is handled: a2 is not read, and the
  // walk leaves K after the subkey A without visiting B or K's own values.
  Receiver.OnMessage([&](const ReceivedMessage& r) {
    if (r.Message == WM_ITEM_REG_FOUND) item->Cancel();
  });
  item->CollectInfo();
  EXPECT_EQ(Messages(), (std::vector<Seen>{kScan, Found(Path("K\\A"), "a1", 3)}));
  EXPECT_EQ(item->GetSize(), 3);
}

TEST_F(CleanRegistryTest, CancelDuringAllValuesStopsBeforeTheNextValue) {
  Key.SetValue("K", "v1", 1);
  Key.SetValue("K", "v2", 2);
  Key.SetValue("K", "v3", 3);
  auto item = Item(kRegistryAllValues, "K");
  Receiver.OnMessage([&](const ReceivedMessage& r) {
    if (r.Message == WM_ITEM_REG_FOUND && r.Value == 2) item->Cancel();
  });
  item->CollectInfo();
  EXPECT_EQ(Messages(), (std::vector<Seen>{kScan, Found(Path("K"), "v1", 1),
                                           Found(Path("K"), "v2", 2)}));
  EXPECT_EQ(item->GetSize(), 3);
}

TEST_F(CleanRegistryTest, AValueDeletedDuringTheCollectionIsNeverCountedAsMinusOne) {
  for (std::uint8_t kind : {kRegistryAllValues, kRegistryWholeKey}) {
    Key.SetValue("K", "v1", 1);
    Key.SetValue("K", "v2", 2);
    Key.SetValue("K", "v3", 3);
    auto item = Item(kind, "K");
    // v2 goes while v1 is reported.
    Receiver.OnMessage([&](const ReceivedMessage& r) {
      if (r.Message == WM_ITEM_REG_FOUND && r.Value == 1) Key.DeleteValue("K", "v2");
    });
    item->CollectInfo();
    Receiver.OnMessage(nullptr);
    if (kind == kRegistryAllValues) {
      // The names are listed first and each size is read in turn: v2 is missed.
      EXPECT_EQ(Messages(), (std::vector<Seen>{kScan, Found(Path("K"), "v1", 1),
                                               Found(Path("K"), "v3", 3)}));
      EXPECT_EQ(item->GetSize(), 4);
    } else {
      // A branch's values come with their sizes from one listing, made before v1 was
      // reported, so v2 counts as it was then, as a file deleted after the folder's
      // listing does.
      EXPECT_EQ(Messages(), (std::vector<Seen>{kScan, Found(Path("K"), "v1", 1),
                                               Found(Path("K"), "v2", 2),
                                               Found(Path("K"), "v3", 3)}));
      EXPECT_EQ(item->GetSize(), 6);
    }
  }
}

TEST_F(CleanRegistryTest, CleanOfAWholeKeyTellsKelvraParentsFirstThenDeletesThenReports) {
  Key.SetValue("K\\A\\X\\Deep", "d", 2);
  Key.SetValue("K\\A", "a", 3);
  Key.Create("K\\A\\Y");
  Key.SetValue("K\\B", "b", 5);
  Key.SetValue("K", "k", 7);
  Key.SetValue("Beside", "kept", 1);
  auto item = Item(kRegistryWholeKey, "K");
  item->CollectInfo();
  ASSERT_EQ(item->GetSize(), 17);
  Messages();

  // Every key of the tree still exists while Kelvra.dll hears of it.
  bool allThereWhenCalled = true;
  item->During = [&](const std::string&) { allThereWhenCalled &= Key.Exists("K\\A\\X\\Deep"); };
  bool goneWhenReported = false;
  Receiver.OnMessage([&](const ReceivedMessage& r) {
    if (r.Message == WM_ITEM_REG_CLEANED) goneWhenReported = !Key.Exists("K");
  });
  item->Clean();

  EXPECT_EQ(item->Calls, (std::vector<std::string>{KelvraName("K\\A"), KelvraName("K\\A\\X"),
                                                   KelvraName("K\\A\\X\\Deep"),
                                                   KelvraName("K\\A\\Y"), KelvraName("K\\B")}));
  EXPECT_TRUE(allThereWhenCalled);
  EXPECT_EQ(Messages(), (std::vector<Seen>{kStartClean, Cleaned(17)}));
  EXPECT_TRUE(goneWhenReported);
  EXPECT_FALSE(Key.Exists("K"));
  EXPECT_TRUE(Key.ValueExists("Beside", "kept"));
  EXPECT_EQ(item->State(), ItemState::Cleaning);
}

TEST_F(CleanRegistryTest, KelvraNamesHaveOneBackslashAfterTheRootWhateverThePath) {
  Key.Create("K\\A");
  TRecordingRegistry with("Regs", kCurrentUser, kRegistryWholeKey, "\\" + Key.Sub("K"), "");
  TRecordingRegistry without("Regs", kCurrentUser, kRegistryWholeKey, Key.Sub("K"), "");
  with.AccessSubKeys(with.KeyPath());
  without.AccessSubKeys(without.KeyPath());
  EXPECT_EQ(with.Calls, std::vector<std::string>{KelvraName("K\\A")});
  EXPECT_EQ(without.Calls, with.Calls);
  EXPECT_TRUE(Key.Exists("K\\A")) << "handing names over deletes nothing";
}

TEST_F(CleanRegistryTest, CleanWithTheRealKelvraDeletesTheTree) {
  Key.SetValue("K\\A\\X", "x", 2);
  TCleanRegistry item("Regs", kCurrentUser, kRegistryWholeKey, Path("K"), "");
  item.SetNotifyWindow(Receiver.Window());
  item.CollectInfo();
  item.Clean();
  EXPECT_FALSE(Key.Exists("K"));
  EXPECT_EQ(Receiver.Messages().back().Message, WM_ITEM_REG_CLEANED);
}

TEST_F(CleanRegistryTest, CleanOfAWholeKeyThatIsGoneReportsAFailureNotTheCollectedSize) {
  Key.SetValue("K", "k", 7);
  auto item = Item(kRegistryWholeKey, "K");
  item->CollectInfo();
  Messages();
  RegDeleteTreeA(HKEY_CURRENT_USER, Key.Sub("K").c_str());
  item->Clean();
  EXPECT_EQ(Messages(),
            (std::vector<Seen>{kStartClean, Failure("Failed to delete key [" + Path("K") + "]")}));
}

TEST_F(CleanRegistryTest, AWholeKeyItemNamingTheRootKeyIsRefused) {
  Key.SetValue("K", "k", 7);
  for (const std::string path : {"", "\\"}) {
    TRecordingRegistry item("Regs", kCurrentUser, kRegistryWholeKey, path, "");
    item.SetNotifyWindow(Receiver.Window());
    Receiver.Watch(&item);
    item.Refuse = true; // a call would throw before any deletion
    const std::string why = "Key path [" + path + "] names the root key CURRENT_USER: " +
                            "nothing is deleted";
    item.CollectInfo();
    EXPECT_EQ(Messages(), (std::vector<Seen>{kScan, Failure(why)}))
        << "the preview does not count the whole root key that the item would never delete";
    EXPECT_EQ(item.GetSize(), 0);
    item.Clean();
    EXPECT_EQ(Messages(), (std::vector<Seen>{kStartClean, Failure(why)}));
    EXPECT_TRUE(Key.ValueExists("K", "k"));
  }
}

TEST_F(CleanRegistryTest, CleanOfOneValueDeletesItAndReportsItsSizeOnce) {
  Key.SetValue("K", "Last", 9);
  Key.SetValue("K", "Other", 2);
  auto item = Item(kRegistryValue, "K", "Last");
  item->Clean();
  EXPECT_EQ(Messages(), (std::vector<Seen>{kStartClean, Cleaned(9)}));
  EXPECT_FALSE(Key.ValueExists("K", "Last"));
  EXPECT_TRUE(Key.ValueExists("K", "Other"));

  // Already gone: nothing deleted, nothing sent.
  item->Clean();
  EXPECT_EQ(Messages(), std::vector<Seen>{kStartClean});
  auto missingKey = Item(kRegistryValue, "Missing", "Last");
  missingKey->Clean();
  EXPECT_EQ(Messages(), std::vector<Seen>{kStartClean});
}

TEST_F(CleanRegistryTest, CleanOfAllValuesReportsEachAndLeavesTheSubkeys) {
  Key.SetValue("K", "", 4);
  Key.SetValue("K", "k1", 6);
  Key.SetValue("K\\Sub", "s1", 100);
  auto item = Item(kRegistryAllValues, "K");
  item->Clean();
  EXPECT_EQ(Messages(), (std::vector<Seen>{kStartClean, Cleaned(4), Cleaned(6)}));
  EXPECT_FALSE(Key.ValueExists("K", ""));
  EXPECT_FALSE(Key.ValueExists("K", "k1"));
  EXPECT_TRUE(Key.ValueExists("K\\Sub", "s1"));
  EXPECT_TRUE(item->Calls.empty());

  auto missing = Item(kRegistryAllValues, "Missing");
  missing->Clean();
  EXPECT_EQ(Messages(), std::vector<Seen>{kStartClean});
}

TEST_F(CleanRegistryTest, ARootKeyThatIsNoneOfTheFiveIsNeitherReadNorDeleted) {
  MakeTwoLevelKey();
  for (const std::uint32_t root : {0x80000004u, 0x00000010u, 0xFFFFFFFFu})
    for (const std::uint8_t kind : {kRegistryValue, kRegistryWholeKey, kRegistryAllValues}) {
      auto item = std::make_unique<TRecordingRegistry>("Regs", root, kind, Path("K"), "k1");
      item->SetNotifyWindow(Receiver.Window());
      Receiver.Watch(item.get());
      char text[96];
      std::snprintf(text, sizeof text,
                    "Root key [0x%08X] is not a registry root key: nothing is read or deleted", root);
      item->CollectInfo();
      EXPECT_EQ(Messages(), (std::vector<Seen>{kScan, Failure(text)})) << root;
      item->Clean();
      EXPECT_EQ(Messages(), (std::vector<Seen>{kStartClean, Failure(text)})) << root;
      EXPECT_TRUE(item->Calls.empty()) << "Kelvra.dll is told nothing";
    }
  EXPECT_TRUE(Key.ValueExists("K", "k1"));
  EXPECT_TRUE(Key.ValueExists("K\\A", "a1"));
}

// A registry link at `link` below the test key, leading to `target` below it: a key
// made with REG_OPTION_CREATE_LINK whose SymbolicLinkValue names the target by its
// path in the registry's own namespace.
void MakeRegistryLink(const TestKey& key, const std::string& link, const std::string& target) {
  unique_handle token;
  ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.put()));
  BYTE buffer[256];
  DWORD size = 0;
  ASSERT_TRUE(GetTokenInformation(token.get(), TokenUser, buffer, sizeof buffer, &size));
  char* sid = nullptr;
  ASSERT_TRUE(ConvertSidToStringSidA(reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid, &sid));
  const std::string targetPath = std::string("\\Registry\\User\\") + sid + "\\" + key.Sub(target);
  LocalFree(sid);
  const std::wstring wide(targetPath.begin(), targetPath.end());
  unique_hkey created;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, key.Sub(link).c_str(), 0, nullptr,
                            REG_OPTION_CREATE_LINK, KEY_ALL_ACCESS | KEY_CREATE_LINK, nullptr,
                            created.put(), nullptr),
            ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExW(created.get(), L"SymbolicLinkValue", 0, REG_LINK,
                           reinterpret_cast<const BYTE*>(wide.data()),
                           static_cast<DWORD>(wide.size() * sizeof(wchar_t))),
            ERROR_SUCCESS);
}

TEST_F(CleanRegistryTest, ALinkBelowAWholeKeyIsOneKeyOfItsOwnAndWhatItLeadsToStays) {
  Key.SetValue("K", "k1", 11);
  Key.SetValue("Target", "t1", 5);
  Key.SetValue("Target\\Deep", "d1", 3);
  MakeRegistryLink(Key, "K\\Link", "Target");
  {
    TRegistry check;
    check.SetRootKey(HKEY_CURRENT_USER);
    ASSERT_TRUE(check.OpenKey(Key.Sub("K\\Link")));
    ASSERT_EQ(check.GetValueNames(), std::vector<std::string>{"t1"}) << "the link must lead to the target";
    ASSERT_TRUE(check.IsLink(Key.Sub("K\\Link")));
    ASSERT_FALSE(check.IsLink(Key.Sub("Target")));
  }
  auto item = Item(kRegistryWholeKey, "K");
  item->CollectInfo();
  EXPECT_EQ(Messages(), (std::vector<Seen>{kScan, Found(Path("K"), "k1", 11)}))
      << "nothing of the key the link leads to is counted";
  EXPECT_EQ(item->GetSize(), 11);

  item->Clean();
  EXPECT_EQ(item->Calls, std::vector<std::string>{KelvraName("K\\Link")}) << "told once, not entered";
  EXPECT_FALSE(Key.Exists("K")) << "the key and its link are gone";
  EXPECT_TRUE(Key.ValueExists("Target", "t1")) << "what the link led to stays whole";
  EXPECT_TRUE(Key.ValueExists("Target\\Deep", "d1"));
}

TEST_F(CleanRegistryTest, AWholeKeyThatIsItselfALinkIsDeletedAsTheLinkAlone) {
  Key.SetValue("Target", "t1", 5);
  Key.SetValue("Target\\Deep", "d1", 3);
  MakeRegistryLink(Key, "Link", "Target");
  auto item = Item(kRegistryWholeKey, "Link");
  item->CollectInfo();
  EXPECT_EQ(Messages(), std::vector<Seen>{kScan}) << "nothing of where the link leads is counted";
  EXPECT_EQ(item->GetSize(), 0);

  item->Clean();
  EXPECT_TRUE(item->Calls.empty()) << "the keys the link leads to are not the item's";
  EXPECT_EQ(Messages(), (std::vector<Seen>{kStartClean, Cleaned(0)}));
  EXPECT_FALSE(Key.Exists("Link"));
  EXPECT_TRUE(Key.ValueExists("Target", "t1")) << "what the link led to stays whole";
  EXPECT_TRUE(Key.ValueExists("Target\\Deep", "d1"));
}
