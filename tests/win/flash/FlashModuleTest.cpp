// Loading the player from the FLASH resource into a real temporary folder. This test
// program carries the same FLASH resource as the module (see tests/win/CMakeLists.txt).

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "saver/flash/FlashModule.h"
#include "saver/flash/flashbox.h"
#include "saver/forms/ComInit.h"
#include "saver/flash/ShockwaveFlash.h"
#include "tests/win/support/ChildProcess.h"

using namespace quorlin;
using namespace quorlin::testing;

namespace {

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

int CountTemporaryCopies(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "foc*.tmp").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    int count = 0;
    do ++count;
    while (FindNextFileA(search, &found));
    FindClose(search);
    return count;
}

void WriteFile(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

DWORD FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    return GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ? data.nFileSizeLow : 0;
}

std::string ResourceBytes() {
    HRSRC info = FindResourceA(nullptr, "FLASH", RT_RCDATA);
    return std::string(static_cast<const char*>(LockResource(LoadResource(nullptr, info))), SizeofResource(nullptr, info));
}

DWORD ResourceSize() { return static_cast<DWORD>(ResourceBytes().size()); }

// Each test gets an empty temporary folder of its own, through TMP.
class FlashModuleTest : public ::testing::Test {
protected:
    void SetUp() override {
        char base[MAX_PATH];
        GetTempPathA(MAX_PATH, base);
        FOldTmp = base;
        // A name no earlier run has used: the system makes the file, we put a folder there.
        char unique[MAX_PATH];
        GetTempFileNameA(base, "qlt", 0, unique);
        DeleteFileA(unique);
        FFolder = std::string(unique) + "\\";
        CreateDirectoryA(FFolder.c_str(), nullptr);
        SetEnvironmentVariableA("TMP", FFolder.c_str());
        SetEnvironmentVariableA("TEMP", FFolder.c_str());
        FModulePath = FFolder + "tsly-swf.ocx";
    }
    void TearDown() override {
        SetEnvironmentVariableA("TMP", FOldTmp.c_str());
        SetEnvironmentVariableA("TEMP", FOldTmp.c_str());
    }
    std::string FOldTmp, FFolder, FModulePath;
};

}  // namespace

TEST_F(FlashModuleTest, FirstRunWritesLoadsAndCreatesTheControl) {
    ASSERT_FALSE(FileExists(FModulePath));
    HMODULE module = LoadFlashModule();
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(FileSize(FModulePath), ResourceSize());
    EXPECT_EQ(CountTemporaryCopies(FFolder), 0);
    ASSERT_NE(FlashGetClassObject, nullptr);
    IClassFactory* factory = nullptr;
    ASSERT_EQ(FlashGetClassObject(CLSID_ShockwaveFlash, IID_IClassFactory, reinterpret_cast<void**>(&factory)), S_OK);
    factory->Release();

    // A second load in the same process: the same module, and no copy left behind.
    EXPECT_EQ(LoadFlashModule(), module);
    EXPECT_EQ(CountTemporaryCopies(FFolder), 0);
}

TEST_F(FlashModuleTest, TwoBoxesInOneProcessShareTheModule) {
    TComApartment apartment;
    TFlashBox first(nullptr);
    HMODULE module = GetModuleHandleA(FModulePath.c_str());
    ASSERT_NE(module, nullptr);
    TFlashBox second(nullptr);
    EXPECT_EQ(GetModuleHandleA(FModulePath.c_str()), module);
    EXPECT_EQ(CountTemporaryCopies(FFolder), 0);
    EXPECT_NE(first.Flash(), second.Flash());
}

TEST_F(FlashModuleTest, LeftoverFileIsReplaced) {
    WriteFile(FModulePath, "an old module that nobody holds");
    ASSERT_NE(LoadFlashModule(), nullptr);
    EXPECT_EQ(FileSize(FModulePath), ResourceSize());
    EXPECT_EQ(CountTemporaryCopies(FFolder), 0);
}

TEST_F(FlashModuleTest, FileHeldByAnotherProcessIsUsedAsItIs) {
    // A good copy in place, one byte longer than ours so that a replacement would show,
    // held loaded by a second process, as a running saver would.
    WriteFile(FModulePath, ResourceBytes() + '\0');
    const std::string probe = QuoteArgument(WinBuildFile("probe.exe")) + " holdlib " + QuoteArgument(FModulePath);
    STARTUPINFOA startup = {sizeof startup};
    PROCESS_INFORMATION process = {};
    std::string line = probe;
    ASSERT_TRUE(CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
    Sleep(1500);
    HMODULE module = LoadFlashModule();
    EXPECT_NE(module, nullptr);
    EXPECT_EQ(FileSize(FModulePath), ResourceSize() + 1) << "the file in use was kept";
    EXPECT_EQ(CountTemporaryCopies(FFolder), 0) << "the new copy is deleted";
    char loaded[MAX_PATH] = {};
    GetModuleFileNameA(module, loaded, MAX_PATH);
    EXPECT_EQ(_stricmp(loaded, FModulePath.c_str()), 0) << loaded;
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 5000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

TEST_F(FlashModuleTest, FileThatCanBeNeitherReplacedNorLoadedFails) {
    WriteFile(FModulePath, "not a module at all");
    // Held open without delete sharing: the move cannot replace it.
    HANDLE held = CreateFileA(FModulePath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    try {
        LoadFlashModule();
        ADD_FAILURE() << "loaded";
    } catch (const std::exception& error) {
        const std::string message = error.what();
        const std::string prefix = "Flash OCX load failed, GetLastError=";
        ASSERT_EQ(message.rfind(prefix, 0), 0u) << message;
        const std::string number = message.substr(prefix.size());
        EXPECT_FALSE(number.empty());
        EXPECT_EQ(number.find_first_not_of("0123456789"), std::string::npos) << message;
        EXPECT_NE(number, "0");
    }
    CloseHandle(held);
    EXPECT_EQ(CountTemporaryCopies(FFolder), 0);
}
