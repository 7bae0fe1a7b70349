// The test suite's PASSWORD.CPL. Its VerifyScreenSavePwd answers from the file
// PASSWORD.answers beside the module: one character a call, "0" for a wrong password and
// "1" for a right one, consumed from the front; no file or no characters left answer "1".
// Each call appends a line "parent=<window> cursor=<display count>" to PASSWORD.calls,
// so a test sees what window it was given and whether the cursor was shown for it.
// Built a second time without the entry (QUORLIN_CPL_NO_ENTRY), as a module that loads
// but offers nothing.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

HMODULE ThisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&ThisModule), &module);
    return module;
}

std::string Beside(const char* name) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(ThisModule(), path, MAX_PATH);
    std::string folder(path);
    folder.erase(folder.find_last_of("\\/") + 1);
    return folder + name;
}

bool NextAnswer() {
    const std::string file = Beside("PASSWORD.answers");
    std::string answers;
    if (FILE* in = std::fopen(file.c_str(), "rb")) {
        char buffer[256];
        size_t count = 0;
        while ((count = std::fread(buffer, 1, sizeof buffer, in)) > 0) answers.append(buffer, count);
        std::fclose(in);
    }
    if (answers.empty()) return true;
    const bool answer = answers[0] != '0';
    if (FILE* out = std::fopen(file.c_str(), "wb")) {
        std::fwrite(answers.data() + 1, 1, answers.size() - 1, out);
        std::fclose(out);
    }
    return answer;
}

void RecordCall(HWND parent) {
    // ShowCursor reports the count it leaves; one step down and back up reads it unchanged.
    const int count = ShowCursor(FALSE) + 1;
    ShowCursor(TRUE);
    if (FILE* out = std::fopen(Beside("PASSWORD.calls").c_str(), "ab")) {
        std::fprintf(out, "parent=%lu cursor=%d\n", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(parent)),
                     count);
        std::fclose(out);
    }
}

}  // namespace

#ifndef QUORLIN_CPL_NO_ENTRY
extern "C" __declspec(dllexport) BOOL WINAPI VerifyScreenSavePwd(HWND parent) {
    RecordCall(parent);
    return NextAnswer() ? TRUE : FALSE;
}
#endif

// A control-panel module's usual entry, so that the file is one in form.
extern "C" __declspec(dllexport) LONG WINAPI CPlApplet(HWND, UINT, LPARAM, LPARAM) { return 0; }
