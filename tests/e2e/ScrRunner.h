#pragma once
// Runs build/win/quorlin.scr under Wine as a black box, through the qtool helper, and
// returns what the run showed: exit code, dialogs (already dismissed), debugger output.

#include <optional>
#include <string>
#include <vector>

namespace quorlin::e2e {

struct TDialog {
    std::string Title;
    std::string Text;
};

struct TScrRun {
    bool Finished = false;  // false: qtool could not run it, or it timed out
    int ExitCode = -1;
    std::vector<TDialog> Dialogs;
    std::vector<std::string> DebugOutput;
    std::string RawOutput;
};

struct TScrOptions {
    // Makes a real window in qtool whose handle replaces {hwnd}, {hwnd$}, {hwnd0x}, {hwnd+2^32}.
    bool TestWindow = false;
    int DestroyWindowAfterMs = 0;
    int TimeoutMs = 60000;
    // The child's working folder (a Linux path); empty for the build tree.
    std::string WorkingDir;
    // The module to run (a Linux path); empty for build/win/quorlin.scr.
    std::string Program;
};

TScrRun RunScr(const std::vector<std::string>& arguments, const TScrOptions& options = {});

// The default value of HKEY_CLASSES_ROOT\key as the registry of the Wine prefix holds it,
// or nothing when the key is missing.
std::optional<std::string> ClassesRootValue(const std::string& key);

// A Linux path as Wine names it (drive Z:).
std::string WinePath(const std::string& linuxPath);

}  // namespace quorlin::e2e
