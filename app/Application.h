#pragma once
// The program's start-up sequence and message loop, shared by the program entry and
// the tests that start the program's windows.

#include <string>
#include <vector>

// Creates every window of the program once, in start-up order.
void CreateApplicationWindows();
// Destroys the windows in the reverse order.
void DestroyApplicationWindows();
// Runs the message loop until the main window has closed.
int RunMessageLoop();
