// The password check before the saver closes, against the real registry value and the
// suite's PASSWORD.CPL, which the tests put beside this program where LoadLibrary finds it.

#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>

#include "saver/shell/Password.h"
#include "tests/win/support/ChildProcess.h"
#include "tests/win/settings/RegistryBackup.h"

using namespace quorlin;
using namespace quorlin::testing;

namespace {

const char kDesktopKey[] = "Control Panel\\Desktop";
const char kSwitch[] = "ScreenSaveUsePassword";

std::string ProgramFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of("\\/") + 1);
}

std::string StandIn(const std::string& variant) {
    return WinePath(std::string(QUORLIN_CPL_DIR) + "/" + variant + "/PASSWORD.CPL");
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

int CursorCount() {
    const int count = ShowCursor(FALSE) + 1;
    ShowCursor(TRUE);
    return count;
}

class VerifyPassword : public ::testing::Test {
protected:
    void SetUp() override {
        RemovePlacedFiles();
        FParent = CreateWindowExA(0, "STATIC", "parent", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        ASSERT_TRUE(FParent);
    }
    void TearDown() override {
        DestroyWindow(FParent);
        RemovePlacedFiles();
    }

    // The control-panel module where the lookup finds it, answering as told.
    void Place(const std::string& variant, const std::string& answers = "") {
        ASSERT_TRUE(CopyFileA(StandIn(variant).c_str(), Placed("PASSWORD.CPL").c_str(), FALSE)) << StandIn(variant);
        if (!answers.empty()) std::ofstream(Placed("PASSWORD.answers"), std::ios::binary) << answers;
    }
    void SetSwitch(const TRegValue& value) {
        DeleteSwitch();
        WriteKey(kDesktopKey, {value});
    }
    void DeleteSwitch() {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kDesktopKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
            RegDeleteValueA(key, kSwitch);
            RegCloseKey(key);
        }
    }
    std::string Calls() { return ReadFile(Placed("PASSWORD.calls")); }
    std::string CallLine() {
        return "parent=" + std::to_string(reinterpret_cast<UINT_PTR>(FParent)) +
               " cursor=" + std::to_string(CursorCount() + 1) + "\n";
    }

    static std::string Placed(const std::string& name) { return ProgramFolder() + name; }
    static void RemovePlacedFiles() {
        for (const char* name : {"PASSWORD.CPL", "PASSWORD.answers", "PASSWORD.calls"}) DeleteFileA(Placed(name).c_str());
    }

    TValueBackup FBackup{kDesktopKey, kSwitch};
    HWND FParent = nullptr;
};

TEST_F(VerifyPassword, SwitchOnAsksTheControlPanelWithTheCursorShown) {
    SetSwitch(Dword(kSwitch, 1));
    Place("entry", "01");
    const int cursor = CursorCount();

    EXPECT_FALSE(VerifySaverPassword(FParent)) << "a wrong password keeps the saver running";
    EXPECT_EQ(CursorCount(), cursor) << "the cursor is hidden again";
    EXPECT_TRUE(VerifySaverPassword(FParent));
    EXPECT_EQ(CursorCount(), cursor);
    // Each call got the window and came with the cursor shown one step more.
    EXPECT_EQ(Calls(), CallLine() + CallLine());
}

TEST_F(VerifyPassword, SwitchOffOrUnreadableGivesNoDialog) {
    struct TCase {
        const char* Name;
        bool Present;
        TRegValue Value;
    };
    const TCase cases[] = {
        {"absent", false, {}},
        {"0", true, Dword(kSwitch, 0)},
        {"0xFFFFFFFF", true, Dword(kSwitch, 0xFFFFFFFF)},
        {"0x80000000", true, Dword(kSwitch, 0x80000000)},
        // Longer than four bytes: the read fails.
        {"text of five bytes", true, Sz(kSwitch, "1234")},
    };
    Place("entry", "0000000");
    const int cursor = CursorCount();
    for (const TCase& item : cases) {
        if (item.Present) SetSwitch(item.Value); else DeleteSwitch();
        EXPECT_TRUE(VerifySaverPassword(FParent)) << item.Name;
    }
    EXPECT_EQ(Calls(), "") << "the control panel was never asked";
    EXPECT_EQ(CursorCount(), cursor);
}

TEST_F(VerifyPassword, TheValueTypeIsNotExamined) {
    // Four bytes of binary data holding 1, and a string whose bytes make a positive number.
    for (const TRegValue& value : {Binary(kSwitch, std::string("\x01\x00\x00\x00", 4)), Sz(kSwitch, "1")}) {
        SetSwitch(value);
        Place("entry", "0");
        EXPECT_FALSE(VerifySaverPassword(FParent)) << value.Type;
        RemovePlacedFiles();
    }
}

TEST_F(VerifyPassword, WithoutTheModuleOrItsEntryTheSaverCloses) {
    SetSwitch(Dword(kSwitch, 1));
    const int cursor = CursorCount();
    EXPECT_TRUE(VerifySaverPassword(FParent)) << "no PASSWORD.CPL at all";

    Place("noentry");
    EXPECT_TRUE(VerifySaverPassword(FParent)) << "a PASSWORD.CPL without VerifyScreenSavePwd";
    EXPECT_EQ(CursorCount(), cursor) << "shown and hidden once";
    EXPECT_FALSE(GetModuleHandleA("PASSWORD.CPL")) << "the module is freed after the check";
}

}  // namespace
