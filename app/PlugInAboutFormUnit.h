#pragma once
// The About box: the program's name and version, and its support and web addresses
// drawn as links that open the mail program and the browser.

#include "framework/Dialog.h"
#include "framework/UniqueHandle.h"

#include <functional>
#include <string>

inline constexpr const char* kSupportAddress = "support@varnex.example";
inline constexpr const char* kWebSiteAddress = "http://www.varnex.example/";

class TPlugInAboutForm : public TDialog {
public:
  // How a link reaches the shell: ShellExecuteA by default. Tests put a recorder here,
  // so that a click hands over its exact text without starting a program.
  using ShellOpen = std::function<void(HWND window, const char* operation, const char* file,
                                       const char* parameters, const char* directory, int show)>;

  explicit TPlugInAboutForm(HWND owner);
  ~TPlugInAboutForm() override;

  void SetShellOpen(ShellOpen open) { FShellOpen = std::move(open); }
  HWND Label(int number) const; // Label1 to Label7

  void Label5Click(); // the support address
  void Label7Click(); // the web site

protected:
  void FormCreate() override;
  void OnCommand(int id, int code) override;
  // The box has only OK; Esc and the close box close it the same way.
  void OnCancel() override { SetModalResult(kModalResultOK); }
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
  bool IsLink(HWND control) const;

  ShellOpen FShellOpen;
  unique_hgdiobj FBoldFont;
  unique_hgdiobj FLinkFont;
};

extern TPlugInAboutForm* PlugInAboutForm;
