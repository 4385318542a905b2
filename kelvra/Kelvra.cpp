// Kelvra.dll: told the name of every key below a whole-key registry item, parents
// first, before that key is deleted. The program relies on nothing but the call
// returning, and this library needs nothing from the key: it returns at once.

#include "kelvra/Kelvra.h"

extern "C" std::int32_t WINAPI AccessRegItem(const char* keyName) {
  (void)keyName;
  return 0;
}
