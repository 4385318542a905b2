#pragma once
// The code pages the tests convert with, each opened once.

#include "ppj/CodePage.h"

#include <map>
#include <stdexcept>
#include <string>

inline const plugin::CodePage& OpenedCodePage(int number) {
  static std::map<int, plugin::CodePage> pages;
  auto found = pages.find(number);
  if (found == pages.end()) {
    std::string error;
    std::optional<plugin::CodePage> page = plugin::CodePage::Open(number, error);
    if (!page) throw std::runtime_error("code page " + std::to_string(number) + ": " + error);
    found = pages.emplace(number, *page).first;
  }
  return found->second;
}
