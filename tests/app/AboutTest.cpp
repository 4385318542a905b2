// The About box through the About command, with the shell call caught at its seam so
// the links hand over their exact texts without starting a program.

#include "app/PlugInAboutFormUnit.h"
#include "res/resource.h"
#include "tests/support/AppWindows.h"
#include "tests/support/ModalStep.h"
#include "tests/support/ScriptedUser.h"

#include <vector>

namespace {

struct ShellCall {
  HWND Window;
  std::string Operation, File;
  bool NoParameters, NoDirectory;
  int Show;
};

class About : public AppWindows {
protected:
  void SetUp() override {
    AppWindows::SetUp();
    PlugInAboutForm->SetShellOpen([this](HWND window, const char* operation, const char* file,
                                         const char* parameters, const char* directory, int show) {
      calls.push_back({window, operation, file, parameters == nullptr, directory == nullptr, show});
    });
  }
  HWND Label(int number) { return PlugInAboutForm->Label(number); }
  static void Click(HWND control) {
    RECT rect{};
    GetClientRect(control, &rect);
    const LPARAM at = MAKELPARAM(rect.right / 2, rect.bottom / 2);
    PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(control, WM_LBUTTONUP, 0, at);
  }
  std::vector<ShellCall> calls;
};

TEST_F(About, TheBoxHasItsSizeCaptionTextsAndABoldTitle) {
  const HWND dialog = PlugInAboutForm->Handle();
  EXPECT_EQ(Text(dialog), "About Varnex ...");
  EXPECT_EQ(ClientSize(dialog).cx, 296);
  EXPECT_EQ(ClientSize(dialog).cy, 227);
  EXPECT_EQ(Text(Label(1)), "Varnex " EXPECTED_SHORT_VERSION) << "the project's version from CMake";
  EXPECT_EQ(Text(Label(3)), "All Rights Reserved.");
  EXPECT_EQ(Text(Label(4)), "Support:");
  EXPECT_EQ(Text(Label(5)), kSupportAddress);
  EXPECT_EQ(Text(Label(6)), "Website:");
  EXPECT_EQ(Text(Label(7)), kWebSiteAddress);
  EXPECT_EQ(Text(GetDlgItem(dialog, IDOK)), "&OK");

  LOGFONTA font{};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(Label(1), WM_GETFONT, 0, 0)), sizeof font, &font);
  EXPECT_GE(font.lfWeight, FW_BOLD);
  const HWND image = FindWindowExA(dialog, nullptr, "Static", nullptr);
  ASSERT_NE(image, nullptr);
  EXPECT_NE(SendMessageA(image, STM_GETICON, 0, 0), 0) << "the program's icon, top left";
  EXPECT_EQ(Placement(image).left, 8);
  EXPECT_EQ(Placement(image).right, 32);
}

TEST_F(About, TheAddressesAreDrawnAsNavyUnderlinedLinksWithAHandCursor) {
  const HWND dialog = PlugInAboutForm->Handle();
  const HDC dc = GetDC(dialog);
  for (const int number : {5, 7}) {
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(Label(number), WM_GETFONT, 0, 0)), sizeof font,
               &font);
    EXPECT_TRUE(font.lfUnderline) << number;
    SetTextColor(dc, RGB(0, 0, 0));
    SendMessageA(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(Label(number)));
    EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 128)) << number;

    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    SendMessageA(dialog, WM_SETCURSOR, reinterpret_cast<WPARAM>(Label(number)),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_HAND)) << number;
  }
  // The plain texts stay plain.
  SetTextColor(dc, RGB(0, 0, 0));
  SendMessageA(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
               reinterpret_cast<LPARAM>(Label(4)));
  EXPECT_NE(GetTextColor(dc), RGB(0, 0, 128));
  ReleaseDC(dialog, dc);
}

TEST_F(About, ClickingTheLinksHandsTheMailAndWebAddressesToTheShell) {
  ModalStep clicks(PlugInAboutForm->Handle(), [&] {
    Click(Label(5));
    Click(Label(7));
    Click(Label(4)); // not a link
    PostMessageA(PlugInAboutForm->Handle(), WM_COMMAND, IDOK, 0);
  });
  Command(AboutAction);
  ASSERT_TRUE(clicks.Ran());
  EXPECT_FALSE(IsWindowVisible(PlugInAboutForm->Handle()));
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].File, std::string("mailto: ") + kSupportAddress) << "with its blank";
  EXPECT_EQ(calls[1].File, kWebSiteAddress);
  for (const ShellCall& call : calls) {
    EXPECT_EQ(call.Window, PlugInAboutForm->Handle());
    EXPECT_EQ(call.Operation, "open");
    EXPECT_TRUE(call.NoParameters);
    EXPECT_TRUE(call.NoDirectory);
    EXPECT_EQ(call.Show, SW_SHOW);
  }
  EXPECT_FALSE(VarnexForm->Modified());
}

} // namespace
