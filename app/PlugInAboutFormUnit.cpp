#include "app/PlugInAboutFormUnit.h"

#include "app/PlugInAboutFormRes.h"

#include <shellapi.h>

TPlugInAboutForm* PlugInAboutForm = nullptr;

namespace {
constexpr int kClientWidth = 296;
constexpr int kClientHeight = 227;
constexpr COLORREF kLinkColour = RGB(0, 0, 128); // navy

constexpr std::initializer_list<TDialog::ControlPlacement> kPlacements = {
    {IDC_ABOUT_IMAGE, 8, 8, 32, 32},
    {IDC_ABOUT_LABEL1, 56, 12, 224, 16},
    {IDC_ABOUT_LABEL2, 56, 36, 224, 13},
    {IDC_ABOUT_LABEL3, 56, 56, 224, 13},
    {IDC_ABOUT_LABEL4, 56, 96, 52, 13},
    {IDC_ABOUT_LABEL5, 112, 96, 168, 13},
    {IDC_ABOUT_LABEL6, 56, 120, 52, 13},
    {IDC_ABOUT_LABEL7, 112, 120, 168, 13},
    {IDOK, 110, 190, 75, 25},
};

// The dialog's font with one change, for the bold title and the underlined links.
HFONT DerivedFont(HWND dialog, LONG weight, BYTE underline) {
  LOGFONTA font{};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)), sizeof font, &font);
  font.lfWeight = weight;
  font.lfUnderline = underline;
  return CreateFontIndirectA(&font);
}

void ShellExecuteOpen(HWND window, const char* operation, const char* file, const char* parameters,
                      const char* directory, int show) {
  ShellExecuteA(window, operation, file, parameters, directory, show); // a failure is not reported
}
} // namespace

TPlugInAboutForm::TPlugInAboutForm(HWND owner) : FShellOpen(ShellExecuteOpen) {
  CreateFromTemplate(IDD_PLUGINABOUT, owner);
}

TPlugInAboutForm::~TPlugInAboutForm() {
  if (PlugInAboutForm == this) PlugInAboutForm = nullptr;
}

HWND TPlugInAboutForm::Label(int number) const { return Control(IDC_ABOUT_LABEL1 + number - 1); }

bool TPlugInAboutForm::IsLink(HWND control) const {
  return control != nullptr && (control == Label(5) || control == Label(7));
}

void TPlugInAboutForm::FormCreate() {
  SetClientSizeCentred(kClientWidth, kClientHeight);
  PlaceControls(kPlacements);
  FBoldFont.reset(DerivedFont(Handle(), FW_BOLD, FALSE));
  FLinkFont.reset(DerivedFont(Handle(), FW_NORMAL, TRUE));
  SendMessageA(Label(1), WM_SETFONT, reinterpret_cast<WPARAM>(FBoldFont.get()), FALSE);
  SendMessageA(Label(5), WM_SETFONT, reinterpret_cast<WPARAM>(FLinkFont.get()), FALSE);
  SendMessageA(Label(7), WM_SETFONT, reinterpret_cast<WPARAM>(FLinkFont.get()), FALSE);
}

void TPlugInAboutForm::Label5Click() {
  // The blank after the colon is part of the text handed to the shell.
  const std::string mail = std::string("mailto: ") + kSupportAddress;
  FShellOpen(Handle(), "open", mail.c_str(), nullptr, nullptr, SW_SHOW);
}

void TPlugInAboutForm::Label7Click() {
  FShellOpen(Handle(), "open", kWebSiteAddress, nullptr, nullptr, SW_SHOW);
}

void TPlugInAboutForm::OnCommand(int id, int code) {
  if (code != STN_CLICKED) return;
  if (id == IDC_ABOUT_LABEL5) Label5Click();
  if (id == IDC_ABOUT_LABEL7) Label7Click();
}

// The links are drawn in navy and show the hand pointer.
bool TPlugInAboutForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam,
                                     INT_PTR& result) {
  switch (message) {
  case WM_CTLCOLORSTATIC:
    if (IsLink(reinterpret_cast<HWND>(lParam))) {
      const HDC dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, kLinkColour);
      SetBkMode(dc, TRANSPARENT);
      result = reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
      return true;
    }
    return false;
  case WM_SETCURSOR:
    if (IsLink(reinterpret_cast<HWND>(wParam))) {
      SetCursor(LoadCursorA(nullptr, IDC_HAND));
      SetWindowLongPtrA(Handle(), DWLP_MSGRESULT, TRUE);
      result = TRUE;
      return true;
    }
    return false;
  default:
    return false;
  }
}
