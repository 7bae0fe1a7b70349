#pragma once
// Runs a program as a debugged child: collects its debugger output, finds the dialogs it
// shows (message boxes), records their text and dismisses them, and returns its exit code.
// Nothing a test starts this way can wait for a person.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace quorlin::testing {

struct TDialogSeen {
    std::string Title;
    std::string Text;
};

struct TChildResult {
    bool Started = false;
    bool TimedOut = false;
    DWORD ExitCode = 0;
    std::vector<std::string> DebugOutput;
    std::vector<TDialogSeen> Dialogs;
};

struct TChildOptions {
    DWORD TimeoutMs = 60000;
    // Called about every 20 ms while the child runs, with its process id.
    std::function<void(DWORD processId)> OnTick;
};

// The command line is passed to CreateProcess as it stands.
TChildResult RunChild(const std::string& commandLine, const TChildOptions& options = {});

// Quotes one argument for a command line where it needs it.
std::string QuoteArgument(const std::string& argument);

// The visible dialogs (class #32770) of a process, with the text of their static controls.
std::vector<HWND> FindDialogs(DWORD processId);
std::string DialogText(HWND dialog);
std::string WindowText(HWND window);
// Presses OK (or Cancel, or closes the dialog where it has neither).
void DismissDialog(HWND dialog);

// A Linux path as Wine names it (drive Z: is the Unix root).
std::string WinePath(const std::string& unixPath);
// A file of the Windows build tree (build/win) as a Windows path.
std::string WinBuildFile(const std::string& name);

}  // namespace quorlin::testing
