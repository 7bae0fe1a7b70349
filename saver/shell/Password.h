#pragma once
// The screen-saver password hooks over the system's optional components, looked up at run
// time: the control-panel module's check before the saver closes, and the router's change
// dialog for /a. Where a component or its entry is missing, nothing is shown.

#include <windows.h>

namespace quorlin {

// True when the saver may close. The window is the parent of the system's dialog.
bool VerifySaverPassword(HWND window);
// Shows the system's change-password dialog, parented to the window that command-line
// argument 2 names. Raises EConvertError for an argument 2 that is missing or not a
// number, but only once the router's entry has been found.
void ChangeSaverPassword();

}  // namespace quorlin
