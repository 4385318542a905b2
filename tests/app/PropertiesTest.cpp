// The Properties command through its real dialog.

#include "plugin/PlugInFormat.h"
#include "app/PlugInPropsFormUnit.h"
#include "res/resource.h"
#include "tests/support/AppWindows.h"
#include "tests/support/ModalStep.h"
#include "tests/support/ScriptedUser.h"
#include "tests/support/TempFolder.h"

#include <limits>

namespace {

class Properties : public AppWindows {
protected:
  TPlugInPropsForm& Props() { return *PlugInPropsForm; }
  // Opens a plug-in with this name, author and time stamp and no items.
  void OpenPlugIn(const std::string& name, const std::string& author, double time) {
    const std::string path = folder.File("props.ppj");
    const auto header = plugin::EncodeHeader(plugin::PlugInHeader{name, author, time, 0});
    WriteWholeFile(path, std::string(header.begin(), header.end()));
    VarnexForm->LoadPlugIn(path);
  }
  // Shows the dialog through the command; the step runs while it is open.
  void RunProperties(std::function<void()> step) {
    ModalStep modal(Props().Handle(), std::move(step));
    Command(PropertiesAction);
    EXPECT_TRUE(modal.Ran());
  }
  // A click on the button as the dialog hears of it.
  static void Press(HWND button) {
    PostMessageA(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
  }
  static std::string Expected(int (WINAPI* format)(LCID, DWORD, const SYSTEMTIME*, LPCSTR, LPSTR, int),
                              DWORD flags, const SYSTEMTIME& time) {
    char text[128] = {};
    format(LOCALE_USER_DEFAULT, flags, &time, nullptr, text, sizeof text);
    return text;
  }

  TempFolder folder;
};

TEST_F(Properties, TheDialogHasItsSizeCaptionAndTexts) {
  const HWND dialog = Props().Handle();
  EXPECT_EQ(Text(dialog), "Properties");
  EXPECT_EQ(ClientSize(dialog).cx, 337);
  EXPECT_EQ(ClientSize(dialog).cy, 187);
  EXPECT_NE(FindWindowExA(dialog, nullptr, "Button", "Properties of current plug-in:"), nullptr);
  for (const char* caption : {"Name:", "Author:", "Time:"})
    EXPECT_NE(FindWindowExA(dialog, nullptr, "Static", caption), nullptr) << caption;
  EXPECT_EQ(Text(Props().OKButton()), "&OK");
  EXPECT_EQ(Text(Props().CancelButton()), "&Cancel");
  EXPECT_TRUE(GetWindowLongA(Props().OKButton(), GWL_STYLE) & BS_DEFPUSHBUTTON);
  EXPECT_GT(SendMessageA(Props().NameEdit(), EM_GETLIMITTEXT, 0, 0), 32767)
      << "the name has no length limit of its own";
}

TEST_F(Properties, ShowsTheFieldsWithTheFocusInTheNameAndCancelChangesNothing) {
  OpenPlugIn("Temp files", "Jo", 45000.5);
  RunProperties([&] {
    EXPECT_EQ(GetFocus(), Props().NameEdit());
    EXPECT_EQ(Text(Props().NameEdit()), "Temp files");
    EXPECT_EQ(Text(Props().AuthorEdit()), "Jo");
    SetWindowTextA(Props().NameEdit(), "Changed");
    Press(Props().CancelButton());
  });
  EXPECT_EQ(VarnexForm->PlugInName(), "Temp files");
  EXPECT_FALSE(VarnexForm->Modified());
  EXPECT_EQ(Text(VarnexForm->NameLabel()), "Temp files");
}

TEST_F(Properties, OKTakesTheEditsShowsThemAndSetsModifiedEvenWithoutChanges) {
  OpenPlugIn("Temp files", "Jo", 45000.5);
  {
    ScriptedUser user;
    user.PressButton(IDOK);
    Command(PropertiesAction);
  }
  EXPECT_TRUE(VarnexForm->Modified()) << "OK always marks the plug-in modified";
  EXPECT_EQ(VarnexForm->PlugInName(), "Temp files");
  EXPECT_DOUBLE_EQ(VarnexForm->Time(), 45000.5) << "the time stamp is not editable";

  RunProperties([&] {
    SetWindowTextA(Props().NameEdit(), "Browser cache");
    SetWindowTextA(Props().AuthorEdit(), "Ann");
    Press(Props().OKButton());
  });
  EXPECT_EQ(VarnexForm->PlugInName(), "Browser cache");
  EXPECT_EQ(VarnexForm->Author(), "Ann");
  EXPECT_EQ(Text(VarnexForm->NameLabel()), "Browser cache");
  EXPECT_EQ(Text(VarnexForm->AuthorLabel()), "Ann");
}

TEST_F(Properties, TheTimeLabelShowsTheShortDateAndTheLongTimeUnlessItIsMidnight) {
  SYSTEMTIME noon{2023, 3, 3, 15, 13, 14, 15, 0}; // 2023-03-15 13:14:15
  OpenPlugIn("n", "a", 45000.0 + (13 * 3600 + 14 * 60 + 15) / 86400.0);
  ScriptedUser user;
  user.PressButton(IDCANCEL);
  Command(PropertiesAction);
  EXPECT_EQ(Text(Props().TimeLabel()), Expected(GetDateFormatA, DATE_SHORTDATE, noon) + " " +
                                           Expected(GetTimeFormatA, 0, noon));

  // The label's text comes from one function; the other cases without more shows,
  // which cost seconds each under Wine.
  EXPECT_EQ(TimeStampText(45000.0), Expected(GetDateFormatA, DATE_SHORTDATE, noon))
      << "at midnight the date alone";
  EXPECT_EQ(TimeStampText(45000.0 + 0.4 / 86400.0),
            Expected(GetDateFormatA, DATE_SHORTDATE, noon))
      << "milliseconds do not count as a time of day";
  // A file can hold a time stamp that names no day at all.
  EXPECT_EQ(TimeStampText(std::numeric_limits<double>::quiet_NaN()), "(invalid time)");
  EXPECT_EQ(TimeStampText(1e300), "(invalid time)");
}

} // namespace
