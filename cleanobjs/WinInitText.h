#pragma once
// The text of WININIT.INI, which the Windows 95/98/Me family reads at restart: each
// "nul=<short path>" line of its "[rename]" section deletes that file or folder.

#include <string>
#include <vector>

// The file's text with one "nul=" line per path added at the end of its "[rename]"
// section, after the lines another program left there; a text without the section
// gets it at the end. Every other line is kept as it was, and every line ends in
// CR LF.
std::string AddRenameEntries(const std::string& existingText, const std::vector<std::string>& shortPaths);
