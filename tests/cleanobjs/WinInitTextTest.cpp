// The WININIT.INI text that hands deletions to a Windows 95/98/Me restart.

#include "cleanobjs/WinInitText.h"

#include <gtest/gtest.h>

TEST(WinInitText, ANewFileHoldsTheSectionAndOneLinePerEntryInOrder) {
  EXPECT_EQ(AddRenameEntries("", {"C:\\TEMP\\A~1.TMP", "C:\\TEMP\\B.TMP"}),
            "[rename]\r\nnul=C:\\TEMP\\A~1.TMP\r\nnul=C:\\TEMP\\B.TMP\r\n");
}

TEST(WinInitText, TheLinesOfAnotherProgramStayAndTheEntriesJoinItsSection) {
  const std::string existing = "[Other]\nkey=1\n[RENAME]\r\nC:\\NEW.DLL=C:\\OLD.DLL\r\n\r\n[Last]\rx=2";
  EXPECT_EQ(AddRenameEntries(existing, {"C:\\A.TMP"}),
            "[Other]\r\nkey=1\r\n[RENAME]\r\nC:\\NEW.DLL=C:\\OLD.DLL\r\nnul=C:\\A.TMP\r\n\r\n"
            "[Last]\r\nx=2\r\n");
}

TEST(WinInitText, AFileWithoutTheSectionGetsItAtTheEnd) {
  EXPECT_EQ(AddRenameEntries("[Other]\r\nkey=1\r\n", {"C:\\A.TMP", "C:\\A.TMP"}),
            "[Other]\r\nkey=1\r\n[rename]\r\nnul=C:\\A.TMP\r\nnul=C:\\A.TMP\r\n");
}
