#include "saver/shell/Password.h"

#include <cstdint>
#include <string>

#include "saver/forms/SysUtils.h"
#include "saver/shell/CommandLine.h"

namespace quorlin {

namespace {

using TVerifyScreenSavePwd = BOOL(WINAPI*)(HWND);
using TPwdChangePassword = DWORD(WINAPI*)(LPCSTR, HWND, DWORD, DWORD);

// A module loaded for one call and freed on every path.
class TLoadedModule {
public:
    explicit TLoadedModule(const char* name) : FHandle(LoadLibraryA(name)) {}
    ~TLoadedModule() {
        if (FHandle) FreeLibrary(FHandle);
    }
    TLoadedModule(const TLoadedModule&) = delete;
    TLoadedModule& operator=(const TLoadedModule&) = delete;
    HMODULE Handle() const { return FHandle; }
    // Old loaders gave error codes up to 32 as handles; those count as failures too.
    bool LoadedAbove32() const { return reinterpret_cast<uintptr_t>(FHandle) > 32; }
    template <typename TEntry>
    TEntry Entry(const char* name) const {
        return reinterpret_cast<TEntry>(reinterpret_cast<void*>(GetProcAddress(FHandle, name)));
    }

private:
    HMODULE FHandle;
};

class TOpenKey {
public:
    TOpenKey(HKEY root, const char* path) {
        if (RegOpenKeyExA(root, path, 0, KEY_READ, &FHandle) != ERROR_SUCCESS) FHandle = nullptr;
    }
    ~TOpenKey() {
        if (FHandle) RegCloseKey(FHandle);
    }
    TOpenKey(const TOpenKey&) = delete;
    TOpenKey& operator=(const TOpenKey&) = delete;
    HKEY Handle() const { return FHandle; }

private:
    HKEY FHandle = nullptr;
};

// The switch is read as up to four bytes whatever its type; a shorter value fills only the
// low bytes of a number that starts as 0.
bool PasswordInUse(HKEY desktop) {
    int32_t value = 0;
    DWORD size = sizeof value;
    DWORD type = 0;
    const LONG result = RegQueryValueExA(desktop, "ScreenSaveUsePassword", nullptr, &type,
                                         reinterpret_cast<BYTE*>(&value), &size);
    return result == ERROR_SUCCESS && value > 0;
}

// The cursor is shown for the system's dialog and hidden again after it, found or not.
bool AskControlPanel(HWND window) {
    TLoadedModule panel("PASSWORD.CPL");
    if (!panel.LoadedAbove32()) return true;
    const auto verify = panel.Entry<TVerifyScreenSavePwd>("VerifyScreenSavePwd");
    ShowCursor(TRUE);
    const bool answer = verify ? verify(window) != FALSE : true;
    ShowCursor(FALSE);
    return answer;
}

std::string Argument2() {
    const std::vector<std::string> arguments = ProcessArguments();
    return arguments.size() > 2 ? arguments[2] : std::string();
}

}  // namespace

bool VerifySaverPassword(HWND window) {
    TOpenKey desktop(HKEY_CURRENT_USER, "Control Panel\\Desktop");
    if (!desktop.Handle()) return true;
    if (!PasswordInUse(desktop.Handle())) return true;
    return AskControlPanel(window);
}

void ChangeSaverPassword() {
    TLoadedModule router("MPR.DLL");
    if (!router.Handle()) return;
    const auto change = router.Entry<TPwdChangePassword>("PwdChangePasswordA");
    if (!change) return;
    // Argument 2 is read only now that the router can use it.
    const int32_t parent = StrToInt(Argument2());
    change("SCRSAVE", reinterpret_cast<HWND>(static_cast<intptr_t>(parent)), 0, 0);
}

}  // namespace quorlin
