#include "tests/win/support/ChildProcess.h"

#include <set>

namespace quorlin::testing {

std::string WindowText(HWND window) {
    char buffer[4096] = {};
    GetWindowTextA(window, buffer, sizeof buffer);
    return buffer;
}

namespace {

std::string ClassName(HWND window) {
    char buffer[256] = {};
    GetClassNameA(window, buffer, sizeof buffer);
    return buffer;
}

struct TDialogSearch {
    DWORD ProcessId;
    std::vector<HWND> Found;
};

BOOL CALLBACK CollectDialog(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<TDialogSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->ProcessId && IsWindowVisible(window) && ClassName(window) == "#32770") {
        search->Found.push_back(window);
    }
    return TRUE;
}

BOOL CALLBACK CollectStaticText(HWND child, LPARAM context) {
    auto* text = reinterpret_cast<std::string*>(context);
    if (_stricmp(ClassName(child).c_str(), "Static") == 0) {
        const std::string part = WindowText(child);
        if (!part.empty()) {
            if (!text->empty()) *text += "\n";
            *text += part;
        }
    }
    return TRUE;
}

std::string ReadDebugString(HANDLE process, const OUTPUT_DEBUG_STRING_INFO& info) {
    if (info.fUnicode || info.nDebugStringLength == 0) return {};
    std::string text(info.nDebugStringLength, '\0');
    SIZE_T read = 0;
    ReadProcessMemory(process, info.lpDebugStringData, text.data(), text.size(), &read);
    text.resize(read);
    // The length counts the terminating zero; the string ends at the first zero.
    const size_t end = text.find('\0');
    if (end != std::string::npos) text.resize(end);
    return text;
}

void PumpOwnMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

}  // namespace

std::vector<HWND> FindDialogs(DWORD processId) {
    TDialogSearch search{processId, {}};
    EnumWindows(CollectDialog, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

std::string DialogText(HWND dialog) {
    std::string text;
    EnumChildWindows(dialog, CollectStaticText, reinterpret_cast<LPARAM>(&text));
    return text;
}

void DismissDialog(HWND dialog) {
    for (int id : {IDOK, IDCANCEL}) {
        if (HWND button = GetDlgItem(dialog, id)) {
            PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
            return;
        }
    }
    PostMessageA(dialog, WM_CLOSE, 0, 0);
}

std::string QuoteArgument(const std::string& argument) {
    if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos) return argument;
    return "\"" + argument + "\"";
}

std::string WinePath(const std::string& unixPath) {
    std::string path = "Z:" + unixPath;
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return path;
}

std::string WinBuildFile(const std::string& name) { return WinePath(std::string(QUORLIN_WIN_DIR) + "/" + name); }

TChildResult RunChild(const std::string& commandLine, const TChildOptions& options) {
    TChildResult result;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string line = commandLine;
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, DEBUG_ONLY_THIS_PROCESS, nullptr, nullptr,
                        &startup, &process)) {
        return result;
    }
    result.Started = true;
    std::set<HWND> dismissed;
    const DWORD start = GetTickCount();
    bool running = true;
    while (running) {
        DEBUG_EVENT event = {};
        if (WaitForDebugEvent(&event, 20)) {
            DWORD status = DBG_CONTINUE;
            switch (event.dwDebugEventCode) {
                case CREATE_PROCESS_DEBUG_EVENT:
                    if (event.u.CreateProcessInfo.hFile) CloseHandle(event.u.CreateProcessInfo.hFile);
                    break;
                case LOAD_DLL_DEBUG_EVENT:
                    if (event.u.LoadDll.hFile) CloseHandle(event.u.LoadDll.hFile);
                    break;
                case OUTPUT_DEBUG_STRING_EVENT:
                    result.DebugOutput.push_back(ReadDebugString(process.hProcess, event.u.DebugString));
                    break;
                case EXCEPTION_DEBUG_EVENT:
                    // The loader's first breakpoint is ours to swallow; everything else is the child's.
                    if (event.u.Exception.ExceptionRecord.ExceptionCode != EXCEPTION_BREAKPOINT) {
                        status = DBG_EXCEPTION_NOT_HANDLED;
                    }
                    break;
                case EXIT_PROCESS_DEBUG_EVENT:
                    result.ExitCode = event.u.ExitProcess.dwExitCode;
                    running = false;
                    break;
                default:
                    break;
            }
            ContinueDebugEvent(event.dwProcessId, event.dwThreadId, status);
        }
        PumpOwnMessages();
        if (!running) break;
        for (HWND dialog : FindDialogs(process.dwProcessId)) {
            if (dismissed.count(dialog)) continue;
            // Give the box a moment to fill its controls before reading it.
            Sleep(100);
            result.Dialogs.push_back({WindowText(dialog), DialogText(dialog)});
            DismissDialog(dialog);
            dismissed.insert(dialog);
        }
        if (options.OnTick) options.OnTick(process.dwProcessId);
        if (GetTickCount() - start > options.TimeoutMs) {
            result.TimedOut = true;
            TerminateProcess(process.hProcess, 255);
        }
    }
    DebugActiveProcessStop(process.dwProcessId);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return result;
}

}  // namespace quorlin::testing
