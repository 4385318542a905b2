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
// The program's run once the system folder table exists: OLE on this thread, which
// becomes the window thread, every window, the main window shown with the command
// line's arguments (the program itself left out), the message loop, and all of it
// undone in reverse order. Returns the loop's exit code.
int RunApplication(const std::vector<std::string>& arguments);
