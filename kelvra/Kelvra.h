#pragma once
// The one function of Kelvra.dll, imported when the program loads.

#include <windows.h>

#include <cstdint>

// Given the zero-terminated name of a key, such as "CURRENT_USER\Software\Vendor\Sub";
// its result means nothing to the program. The export is named "_AccessRegItem@4"
// (see Kelvra.def); the program binds to that name through the assembler label, since
// it is no C++ identifier.
extern "C" {
#ifdef KELVRA_BUILDING_DLL
std::int32_t WINAPI AccessRegItem(const char* keyName);
#else
__declspec(dllimport) std::int32_t WINAPI KelvraAccessRegItem(const char* keyName)
    __asm__("_AccessRegItem@4");
#endif
}
