#include "tests/win/support/RealInput.h"

#include <cstdio>

namespace quorlin::testing {

void PumpFor(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                // Keep the request to end for the loop it was meant for, and wait out the time.
                PostQuitMessage(static_cast<int>(msg.wParam));
                const DWORD spent = GetTickCount() - start;
                if (spent < milliseconds) Sleep(milliseconds - spent);
                return;
            }
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}

bool Xdotool(const std::string& arguments) {
    // Wine gives no process to wait for when it starts a Linux program, so the shell that
    // runs xdotool leaves a marker file when it is done.
    static int count = 0;
    const std::string marker =
        "/tmp/quorlin-xdo-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++count);
    std::string windowsMarker = "Z:" + marker;
    for (char& c : windowsMarker) {
        if (c == '/') c = '\\';
    }
    DeleteFileA(windowsMarker.c_str());
    std::string commandLine = "/bin/sh -c \"/usr/bin/xdotool " + arguments + "; : > " + marker + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA("/bin/sh", commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    const DWORD start = GetTickCount();
    bool done = false;
    while (!done && GetTickCount() - start < 10000) {
        PumpFor(20);
        done = GetFileAttributesA(windowsMarker.c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    DeleteFileA(windowsMarker.c_str());
    // Let the events reach the windows.
    PumpFor(150);
    return done;
}

bool ClickAt(int screenX, int screenY) {
    char arguments[96];
    snprintf(arguments, sizeof arguments, "mousemove %d %d click 1", screenX, screenY);
    return Xdotool(arguments);
}

bool ClickWindow(HWND window) {
    // The click is for the control, not for activating its window.
    SetForegroundWindow(GetAncestor(window, GA_ROOT));
    PumpFor(50);
    RECT rect;
    GetWindowRect(window, &rect);
    return ClickAt((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}

}  // namespace quorlin::testing
