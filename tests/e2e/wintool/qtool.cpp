// The e2e suite's hands inside Wine: runs the module as a debugged child, reports its
// exit code, its debugger output and the text of every dialog it showed (each dismissed),
// and can make a real window whose handle goes into the child's command line.
//
//   qtool run [--timeout MS] [--window] [--destroy-window-after MS] -- PROGRAM ARGS...
//   qtool regvalue KEY      (KEY under HKEY_CLASSES_ROOT)
//
// With --window, these argument texts are replaced by the window's handle:
//   {hwnd} decimal, {hwnd$} "$" hexadecimal, {hwnd0x} "0x" hexadecimal,
//   {hwnd+2^32} decimal plus 2^32 * 5 (only the low 32 bits name the window).
// Output, one item a line: "dialog: TITLE|TEXT" (newlines in TEXT as \n), "debug: TEXT",
// then "exit: CODE" or "timeout". qtool's own exit code is 0, or 2 on a timeout.
// regvalue prints the key's default value as "value: TEXT", or "missing" (exit code 1).

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/win/support/ChildProcess.h"

using namespace quorlin::testing;

namespace {

LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND MakeTestWindow() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = TestWindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    wc.lpszClassName = "QuorlinTestParent";
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(0, wc.lpszClassName, "Quorlin test parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100,
                                  100, 320, 240, nullptr, nullptr, wc.hInstance, nullptr);
    UpdateWindow(window);
    return window;
}

std::string Substitute(std::string argument, HWND window) {
    const unsigned long long handle = reinterpret_cast<uintptr_t>(window);
    char text[64];
    struct Form {
        const char* token;
        std::string value;
    };
    std::vector<Form> forms;
    snprintf(text, sizeof text, "%llu", handle);
    forms.push_back({"{hwnd}", text});
    snprintf(text, sizeof text, "$%llX", handle);
    forms.push_back({"{hwnd$}", text});
    snprintf(text, sizeof text, "0x%llx", handle);
    forms.push_back({"{hwnd0x}", text});
    snprintf(text, sizeof text, "%llu", handle + (5ull << 32));
    forms.push_back({"{hwnd+2^32}", text});
    for (const Form& form : forms) {
        for (size_t at = argument.find(form.token); at != std::string::npos; at = argument.find(form.token)) {
            argument.replace(at, strlen(form.token), form.value);
        }
    }
    return argument;
}

std::string Escape(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') out += "\\n";
        else if (c == '\r') continue;
        else out += c;
    }
    return out;
}

int Usage() {
    fprintf(stderr, "usage: qtool run [--timeout MS] [--window] [--destroy-window-after MS] -- PROGRAM ARGS...\n"
                    "       qtool regvalue KEY\n");
    return 64;
}

int PrintClassesRootValue(const char* key) {
    char value[2048] = {};
    LONG size = sizeof value - 1;
    if (RegQueryValueA(HKEY_CLASSES_ROOT, key, value, &size) != ERROR_SUCCESS) {
        printf("missing\n");
        return 1;
    }
    printf("value: %s\n", value);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "regvalue") return PrintClassesRootValue(argv[2]);
    if (argc < 2 || std::string(argv[1]) != "run") return Usage();
    TChildOptions options;
    bool makeWindow = false;
    DWORD destroyAfter = 0;
    int i = 2;
    for (; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--") {
            ++i;
            break;
        }
        if (arg == "--timeout" && i + 1 < argc) options.TimeoutMs = strtoul(argv[++i], nullptr, 10);
        else if (arg == "--window") makeWindow = true;
        else if (arg == "--destroy-window-after" && i + 1 < argc) destroyAfter = strtoul(argv[++i], nullptr, 10);
        else return Usage();
    }
    if (i >= argc) return Usage();

    HWND window = makeWindow ? MakeTestWindow() : nullptr;
    std::string commandLine;
    for (int k = i; k < argc; ++k) {
        if (!commandLine.empty()) commandLine += ' ';
        commandLine += QuoteArgument(window ? Substitute(argv[k], window) : argv[k]);
    }
    if (window && destroyAfter) {
        const DWORD start = GetTickCount();
        options.OnTick = [&](DWORD) {
            if (window && GetTickCount() - start >= destroyAfter) {
                DestroyWindow(window);
                window = nullptr;
                printf("window: destroyed\n");
                fflush(stdout);
            }
        };
    }

    const TChildResult result = RunChild(commandLine, options);
    if (!result.Started) {
        printf("error: cannot start %s (%lu)\n", commandLine.c_str(), GetLastError());
        return 3;
    }
    for (const TDialogSeen& dialog : result.Dialogs) {
        printf("dialog: %s|%s\n", Escape(dialog.Title).c_str(), Escape(dialog.Text).c_str());
    }
    for (const std::string& line : result.DebugOutput) printf("debug: %s\n", Escape(line).c_str());
    if (result.TimedOut) {
        printf("timeout\n");
        return 2;
    }
    printf("exit: %lu\n", result.ExitCode);
    return 0;
}
