#pragma once
// The code page in which the ANSI functions of the system read and return paths.

#include "cleanobjs/FolderPaths.h"

// The lead bytes of the system's ANSI code page, read once.
const TLeadBytes& AnsiLeadBytes();
