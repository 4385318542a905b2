#pragma once
// The program's arguments from its raw command line.

#include <string>
#include <vector>

// Splits a command line as the program reads it: blanks separate arguments, double
// quotes group blanks into an argument and are removed, and nothing else is special,
// so a quoted folder ending in "\" keeps its backslash. The first entry is the
// program itself.
std::vector<std::string> SplitCommandLine(const std::string& commandLine);
