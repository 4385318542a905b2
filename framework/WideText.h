#pragma once
// UTF-8 and UTF-16 into each other, for the places where the system speaks Unicode
// (the clipboard's text, dropped names). Invalid text is replaced as the system
// replaces it.

#include <string>

std::wstring WideFromUtf8(const std::string& utf8);
std::string Utf8FromWide(const std::wstring& wide);
