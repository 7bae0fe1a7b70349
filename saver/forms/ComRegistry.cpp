#include "saver/forms/ComRegistry.h"

#include <objbase.h>

#include <cstdio>

namespace quorlin {

namespace {

std::string Reason(LSTATUS status) { return "system error " + std::to_string(status); }

}  // namespace

std::string GUIDToString(const GUID& guid) {
    char text[40];
    snprintf(text, sizeof text, "{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
             static_cast<unsigned long>(guid.Data1), guid.Data2, guid.Data3, guid.Data4[0], guid.Data4[1],
             guid.Data4[2], guid.Data4[3], guid.Data4[4], guid.Data4[5], guid.Data4[6], guid.Data4[7]);
    return text;
}

void CreateRegKey(const std::string& key, const std::string& valueName, const std::string& value) {
    TRegKey handle;
    LSTATUS status = RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                     KEY_SET_VALUE, nullptr, handle.Put(), nullptr);
    if (status == ERROR_SUCCESS) {
        status = RegSetValueExA(handle.Get(), valueName.empty() ? nullptr : valueName.c_str(), 0, REG_SZ,
                                reinterpret_cast<const BYTE*>(value.c_str()), static_cast<DWORD>(value.size() + 1));
    }
    if (status != ERROR_SUCCESS) {
        throw EOleRegistrationError("Cannot write the registry entry HKEY_CLASSES_ROOT\\" + key + " (" +
                                    Reason(status) + ")");
    }
}

void DeleteRegKey(const std::string& key) {
    const LSTATUS status = RegDeleteKeyA(HKEY_CLASSES_ROOT, key.c_str());
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) {
        throw EOleRegistrationError("Cannot remove the registry entry HKEY_CLASSES_ROOT\\" + key + " (" +
                                    Reason(status) + ")");
    }
}

}  // namespace quorlin
