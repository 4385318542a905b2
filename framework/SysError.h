#pragma once
// The system's own words for an error code, and the error type that the
// application's standard error box shows.

#include <windows.h>

#include <stdexcept>
#include <string>

// The text of FormatMessage for `code`, without the final line break and full stop,
// so it reads well inside a sentence.
std::string SysErrorMessage(DWORD code);

// An error that ends a command; its text is shown as it is.
class ECommandError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};
