#include "app/PlugInPropsFormUnit.h"

#include "framework/Controls.h"
#include "framework/DateTimeParts.h"

TPlugInPropsForm* PlugInPropsForm = nullptr;

namespace {
constexpr int kClientWidth = 337;
constexpr int kClientHeight = 187;

constexpr std::initializer_list<TDialog::ControlPlacement> kPlacements = {
    {IDC_PROPS_GROUP, 8, 8, 321, 137},
    {IDC_PROPS_NAMECAPTION, 24, 32, 48, 13},
    {IDC_NAMEEDIT, 80, 28, 233, 21},
    {IDC_PROPS_AUTHORCAPTION, 24, 64, 48, 13},
    {IDC_AUTHOREDIT, 80, 60, 233, 21},
    {IDC_PROPS_TIMECAPTION, 24, 96, 48, 13},
    {IDC_TIMELABEL, 80, 96, 233, 13},
    {IDOK, 168, 152, 75, 25},
    {IDCANCEL, 252, 152, 75, 25},
};

std::string Formatted(int (WINAPI* format)(LCID, DWORD, const SYSTEMTIME*, LPCSTR, LPSTR, int),
                      DWORD flags, const SYSTEMTIME& time) {
  char text[128] = {};
  if (format(LOCALE_USER_DEFAULT, flags, &time, nullptr, text, sizeof text) == 0) return {};
  return text;
}
} // namespace

std::string TimeStampText(double dateTime) {
  const auto parts = DecodeDateTime(dateTime);
  if (!parts) return "(invalid time)";
  SYSTEMTIME time{};
  time.wYear = static_cast<WORD>(parts->Year);
  time.wMonth = static_cast<WORD>(parts->Month);
  time.wDay = static_cast<WORD>(parts->Day);
  time.wHour = static_cast<WORD>(parts->Hour);
  time.wMinute = static_cast<WORD>(parts->Minute);
  time.wSecond = static_cast<WORD>(parts->Second);
  time.wMilliseconds = static_cast<WORD>(parts->Millisecond);
  std::string text = Formatted(GetDateFormatA, DATE_SHORTDATE, time);
  if (parts->Hour != 0 || parts->Minute != 0 || parts->Second != 0) {
    text += ' ';
    text += Formatted(GetTimeFormatA, 0, time); // no flags: the long time format
  }
  return text;
}

TPlugInPropsForm::TPlugInPropsForm(HWND owner) { CreateFromTemplate(IDD_PLUGINPROPS, owner); }

TPlugInPropsForm::~TPlugInPropsForm() {
  if (PlugInPropsForm == this) PlugInPropsForm = nullptr;
}

void TPlugInPropsForm::FormCreate() {
  SetClientSizeCentred(kClientWidth, kClientHeight);
  PlaceControls(kPlacements);
  // No length limit: a text longer than the file keeps is reported when saving.
  TEditBox(NameEdit()).SetLimitText(0);
  TEditBox(AuthorEdit()).SetLimitText(0);
}

void TPlugInPropsForm::FormShow() {
  const TEditBox name(NameEdit());
  name.Focus();
  name.SelectAll();
}

void TPlugInPropsForm::SetPlugInInfo(const std::string& name, const std::string& author,
                                     double time) {
  TEditBox(NameEdit()).SetText(name);
  TEditBox(AuthorEdit()).SetText(author);
  TControl(TimeLabel()).SetText(TimeStampText(time));
}

std::string TPlugInPropsForm::PlugInName() const { return TEditBox(NameEdit()).Text(); }

std::string TPlugInPropsForm::Author() const { return TEditBox(AuthorEdit()).Text(); }
