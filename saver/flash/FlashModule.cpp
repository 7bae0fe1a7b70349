#include "saver/flash/FlashModule.h"

#include <string>

#include "saver/forms/FileStream.h"
#include "saver/forms/ResourceStream.h"
#include "saver/forms/SysUtils.h"

namespace quorlin {

TDllGetClassObject FlashGetClassObject = nullptr;

namespace {

constexpr DWORD kPathBuffer = 260;
const char kModuleFileName[] = "tsly-swf.ocx";

std::string TemporaryFolder() {
    char buffer[kPathBuffer] = {};
    const DWORD length = GetTempPathA(kPathBuffer, buffer);
    // A folder that does not fit the buffer is no folder we can write beneath.
    if (length == 0 || length >= kPathBuffer) throw Exception("The temporary folder cannot be found");
    return std::string(buffer, length);
}

std::string NewTemporaryFile(const std::string& folder) {
    char buffer[kPathBuffer] = {};
    GetTempFileNameA(folder.c_str(), "foc", 0, buffer);
    return buffer;
}

// Copies the whole stream into the file; a partly written file is removed again.
void WriteStreamToFile(TStream& source, const std::string& fileName) {
    try {
        TFileStream file(fileName, TFileMode::fmCreate);
        file.CopyFrom(source, 0);
    } catch (...) {
        DeleteFileA(fileName.c_str());
        throw;
    }
}

}  // namespace

HMODULE LoadFlashModule() {
    TResourceStream resource(GetModuleHandleA(nullptr), "FLASH", RT_RCDATA);
    const std::string folder = TemporaryFolder();
    const std::string modulePath = folder + kModuleFileName;
    const std::string temporary = NewTemporaryFile(folder);
    WriteStreamToFile(resource, temporary);
    // A copy that some process holds loaded cannot be replaced: that copy is used.
    if (!MoveFileExA(temporary.c_str(), modulePath.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        DeleteFileA(temporary.c_str());
    }
    HMODULE module = LoadLibraryA(modulePath.c_str());
    if (!module) {
        const DWORD error = GetLastError();
        throw Exception(FormatText("Flash OCX load failed, GetLastError=%s", {std::to_string(error)}));
    }
    auto entry = reinterpret_cast<TDllGetClassObject>(GetProcAddress(module, "DllGetClassObject"));
    if (!entry) {
        FreeLibrary(module);
        throw Exception("DllGetClassObject not found in Flash OCX");
    }
    FlashGetClassObject = entry;
    return module;
}

}  // namespace quorlin
