#pragma once
// What each platform provides to CodePage::Open: its converters of one code page.

#include "ppj/CodePage.h"

#include <memory>
#include <optional>
#include <string>

namespace plugin {

// The converters of the code page, or nothing with `error` saying that the platform
// does not convert it. Open then checks what every ANSI code page must keep.
std::shared_ptr<CodePage::Converters> OpenConverters(int number, std::string& error);

// The conversions as the platform makes them; CodePage checks what they give.
std::optional<std::string> BytesOfUtf8(CodePage::Converters& converters, const std::string& utf8);
std::optional<std::string> Utf8OfBytes(CodePage::Converters& converters, const std::string& bytes);

} // namespace plugin
