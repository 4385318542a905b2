#pragma once
// What each platform provides to CodePage::Open: its converters of one code page.

#include "ppj/CodePage.h"

#include <memory>
#include <string>

namespace plugin {

// The converters of the code page, or nothing with `error` saying that the platform
// does not convert it. Open then checks what every ANSI code page must keep.
std::shared_ptr<CodePage::Converters> OpenConverters(int number, std::string& error);

} // namespace plugin
