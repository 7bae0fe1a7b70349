#pragma once
// Real input for windows under Wine: xdotool, a Linux program, started from the Windows
// side, so that the X server delivers the events exactly as a user's would arrive.
// Screen coordinates of Wine and of the X root window are the same (no virtual desktop).

#include <windows.h>

#include <string>

namespace quorlin::testing {

// Runs xdotool with the arguments and waits for it; the calling thread's messages are
// served meanwhile, so that its windows can receive the input. False if it could not run.
bool Xdotool(const std::string& arguments);
// A left click at the centre of a window (or at an offset from its top-left corner).
bool ClickWindow(HWND window);
bool ClickAt(int screenX, int screenY);
// Serves the calling thread's messages for a while.
void PumpFor(DWORD milliseconds);

}  // namespace quorlin::testing
