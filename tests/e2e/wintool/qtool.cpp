// The e2e suite's hands inside Wine: runs the module as a debugged child, reports its
// exit code, its debugger output and the text of every dialog it showed (each dismissed),
// and can make a real window whose handle goes into the child's command line.
//
//   qtool run [--timeout MS] [--window] [--window-info FILE] [--destroy-window-after MS] -- PROGRAM ARGS...
//   qtool regvalue KEY      (KEY under HKEY_CLASSES_ROOT)
//   qtool hkcu get KEY NAME | hkcu set KEY NAME sz|dword DATA | hkcu delete KEY NAME
//   qtool children HWND     the child windows of a window, of any process
//   qtool cursor            whether the foreground thread shows its cursor
//
// With --window, these argument texts are replaced by the window's handle:
//   {hwnd} decimal, {hwnd$} "$" hexadecimal, {hwnd0x} "0x" hexadecimal,
//   {hwnd+2^32} decimal plus 2^32 * 5 (only the low 32 bits name the window).
// Output, one item a line: "dialog: TITLE|TEXT" (newlines in TEXT as \n), "debug: TEXT",
// then "exit: CODE" or "timeout". qtool's own exit code is 0, or 2 on a timeout. With
// --window-info, the window's handle and client area on the screen go to FILE as soon as it
// exists ("HWND LEFT TOP WIDTH HEIGHT"); after --destroy-window-after, "after-destroy: MS"
// tells how long the child lived on.
// regvalue prints the key's default value as "value: TEXT", or "missing" (exit code 1).
// hkcu get prints "sz: TEXT", "dword: N" or "missing"; set and delete print "ok" or fail
// with exit code 1. children prints "child: STYLE(hex) LEFT TOP WIDTH HEIGHT" per child,
// in screen coordinates. cursor prints "cursor: shown" or "cursor: hidden".

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
    HWND window = CreateWindowExA(0, wc.lpszClassName, "Quorlin test parent", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 100,
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

void WriteWindowInfo(HWND window, const std::string& file) {
    RECT client;
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    // Written whole under another name first, so that a reader never sees half of it.
    const std::string partial = file + ".part";
    if (FILE* out = fopen(partial.c_str(), "w")) {
        fprintf(out, "%lu %ld %ld %ld %ld\n", static_cast<unsigned long>(reinterpret_cast<uintptr_t>(window)),
                client.left, client.top, client.right - client.left, client.bottom - client.top);
        fclose(out);
        MoveFileExA(partial.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING);
    }
}

int HkcuValue(int argc, char** argv) {
    if (argc < 5) return 64;
    const std::string verb = argv[2];
    const char* key = argv[3];
    const char* name = argv[4];
    HKEY handle = nullptr;
    if (verb == "get") {
        if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_READ, &handle) != ERROR_SUCCESS) {
            printf("missing\n");
            return 0;
        }
        DWORD type = 0;
        BYTE data[4096] = {};
        DWORD size = sizeof data - 1;
        const LONG status = RegQueryValueExA(handle, name, nullptr, &type, data, &size);
        RegCloseKey(handle);
        if (status != ERROR_SUCCESS) printf("missing\n");
        else if (type == REG_DWORD) printf("dword: %lu\n", *reinterpret_cast<DWORD*>(data));
        else printf("sz: %s\n", reinterpret_cast<char*>(data));
        return 0;
    }
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_WRITE, nullptr, &handle, nullptr) != ERROR_SUCCESS) {
        return 1;
    }
    LONG status = ERROR_INVALID_PARAMETER;
    if (verb == "delete") {
        status = RegDeleteValueA(handle, name);
        if (status == ERROR_FILE_NOT_FOUND) status = ERROR_SUCCESS;
    } else if (verb == "set" && argc >= 7 && std::string(argv[5]) == "dword") {
        const DWORD value = strtoul(argv[6], nullptr, 0);
        status = RegSetValueExA(handle, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    } else if (verb == "set" && argc >= 7 && std::string(argv[5]) == "sz") {
        status = RegSetValueExA(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(argv[6]), strlen(argv[6]) + 1);
    }
    RegCloseKey(handle);
    if (status != ERROR_SUCCESS) return 1;
    printf("ok\n");
    return 0;
}

int PrintChildren(const char* handleText) {
    HWND parent = reinterpret_cast<HWND>(static_cast<uintptr_t>(strtoull(handleText, nullptr, 0)));
    if (!IsWindow(parent)) return 1;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT rect;
        GetWindowRect(child, &rect);
        printf("child: %08lX %ld %ld %ld %ld\n", static_cast<unsigned long>(GetWindowLongA(child, GWL_STYLE)),
               rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    }
    return 0;
}

int PrintCursor() {
    CURSORINFO info = {};
    info.cbSize = sizeof info;
    if (!GetCursorInfo(&info)) return 1;
    printf("cursor: %s\n", (info.flags & CURSOR_SHOWING) ? "shown" : "hidden");
    return 0;
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
    if (argc >= 2 && std::string(argv[1]) == "hkcu") return HkcuValue(argc, argv);
    if (argc == 3 && std::string(argv[1]) == "children") return PrintChildren(argv[2]);
    if (argc == 2 && std::string(argv[1]) == "cursor") return PrintCursor();
    if (argc < 2 || std::string(argv[1]) != "run") return Usage();
    TChildOptions options;
    bool makeWindow = false;
    DWORD destroyAfter = 0;
    std::string windowInfo;
    int i = 2;
    for (; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--") {
            ++i;
            break;
        }
        if (arg == "--timeout" && i + 1 < argc) options.TimeoutMs = strtoul(argv[++i], nullptr, 10);
        else if (arg == "--window") makeWindow = true;
        else if (arg == "--window-info" && i + 1 < argc) windowInfo = argv[++i];
        else if (arg == "--destroy-window-after" && i + 1 < argc) destroyAfter = strtoul(argv[++i], nullptr, 10);
        else return Usage();
    }
    if (i >= argc) return Usage();

    HWND window = makeWindow ? MakeTestWindow() : nullptr;
    if (window && !windowInfo.empty()) WriteWindowInfo(window, windowInfo);
    std::string commandLine;
    for (int k = i; k < argc; ++k) {
        if (!commandLine.empty()) commandLine += ' ';
        commandLine += QuoteArgument(window ? Substitute(argv[k], window) : argv[k]);
    }
    DWORD destroyedAt = 0;
    if (window && destroyAfter) {
        const DWORD start = GetTickCount();
        options.OnTick = [&](DWORD) {
            if (window && GetTickCount() - start >= destroyAfter) {
                DestroyWindow(window);
                window = nullptr;
                destroyedAt = GetTickCount();
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
    if (destroyedAt) printf("after-destroy: %lu\n", GetTickCount() - destroyedAt);
    printf("exit: %lu\n", result.ExitCode);
    return 0;
}
