#pragma once
// Runs build/win/quorlin.scr under Wine as a black box, through the qtool helper, and
// returns what the run showed: exit code, dialogs (already dismissed), debugger output.

#include <cstdint>
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
    // With DestroyWindowAfterMs: how long the child lived on after the window went, or -1.
    int AfterDestroyMs = -1;
};

struct TScrOptions {
    // Makes a real window in qtool whose handle replaces {hwnd}, {hwnd$}, {hwnd0x}, {hwnd+2^32}.
    bool TestWindow = false;
    int DestroyWindowAfterMs = 0;
    // With TestWindow: a Linux path where qtool writes the window's handle and client area
    // ("HWND LEFT TOP WIDTH HEIGHT", screen coordinates) as soon as it exists.
    std::string WindowInfoFile;
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

// The lines qtool prints for a command other than run (hkcu, children, cursor...).
std::vector<std::string> QTool(const std::vector<std::string>& arguments);

// A value under HKEY_CURRENT_USER, kept as it was found and put back (or deleted again)
// when the guard goes, whatever the test did to it in between.
class THkcuValue {
public:
    THkcuValue(std::string key, std::string name);
    ~THkcuValue();
    THkcuValue(const THkcuValue&) = delete;
    THkcuValue& operator=(const THkcuValue&) = delete;

    void SetString(const std::string& value);
    void SetDword(uint32_t value);
    void Delete();

private:
    std::string FKey, FName;
    std::string FSaved;  // qtool's "sz: ...", "dword: ..." or "missing"
};

}  // namespace quorlin::e2e
