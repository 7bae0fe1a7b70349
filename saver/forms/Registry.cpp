#include "saver/forms/Registry.h"

#include <vector>

#include "saver/forms/SysUtils.h"

namespace quorlin {

namespace {

TRegDataType DataTypeOf(DWORD type) {
    switch (type) {
        case REG_SZ: return TRegDataType::rdString;
        case REG_EXPAND_SZ: return TRegDataType::rdExpandString;
        case REG_DWORD: return TRegDataType::rdInteger;
        case REG_BINARY: return TRegDataType::rdBinary;
        default: return TRegDataType::rdUnknown;
    }
}

[[noreturn]] void InvalidType(const std::string& name) {
    throw Exception(FormatText("Invalid data type for '%s'", {name}));
}

[[noreturn]] void FailedToSet(const std::string& name) {
    throw Exception(FormatText("Failed to set data for '%s'", {name}));
}

}  // namespace

bool TRegistry::OpenKeyReadOnly(const std::string& key) {
    CloseKey();
    if (RegOpenKeyExA(FRootKey, key.c_str(), 0, KEY_READ, &FKey) != ERROR_SUCCESS) FKey = nullptr;
    return FKey != nullptr;
}

bool TRegistry::OpenKey(const std::string& key, bool canCreate) {
    CloseKey();
    LONG status;
    if (canCreate) {
        status = RegCreateKeyExA(FRootKey, key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                                 &FKey, nullptr);
    } else {
        status = RegOpenKeyExA(FRootKey, key.c_str(), 0, KEY_ALL_ACCESS, &FKey);
    }
    if (status != ERROR_SUCCESS) FKey = nullptr;
    return FKey != nullptr;
}

void TRegistry::CloseKey() {
    if (FKey) RegCloseKey(FKey);
    FKey = nullptr;
}

bool TRegistry::GetDataInfo(const std::string& name, TRegDataInfo& info) const {
    DWORD type = 0, size = 0;
    if (!FKey || RegQueryValueExA(FKey, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return false;
    info.DataType = DataTypeOf(type);
    info.DataSize = size;
    return true;
}

bool TRegistry::ValueExists(const std::string& name) const {
    TRegDataInfo info;
    return GetDataInfo(name, info);
}

std::string TRegistry::ReadString(const std::string& name) const {
    TRegDataInfo info;
    if (!GetDataInfo(name, info) || info.DataSize == 0) return {};
    if (info.DataType != TRegDataType::rdString && info.DataType != TRegDataType::rdExpandString) InvalidType(name);
    // The value may have grown since the size query; ask again until it fits.
    std::vector<char> data(info.DataSize + 1);
    for (;;) {
        DWORD type = 0, size = static_cast<DWORD>(data.size() - 1);
        const LONG status = RegQueryValueExA(FKey, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                                             &size);
        if (status == ERROR_MORE_DATA) {
            data.assign(size + 1, '\0');
            continue;
        }
        if (status != ERROR_SUCCESS) return {};
        if (type != REG_SZ && type != REG_EXPAND_SZ) InvalidType(name);
        // A value need not be NUL-terminated: the text ends at the first NUL or the data's end.
        data[size] = '\0';
        return std::string(data.data());
    }
}

int32_t TRegistry::ReadInteger(const std::string& name) const {
    DWORD type = 0, value = 0, size = sizeof value;
    const LONG status = FKey ? RegQueryValueExA(FKey, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value),
                                                &size)
                             : ERROR_INVALID_HANDLE;
    if (status == ERROR_MORE_DATA || (status == ERROR_SUCCESS && (type != REG_DWORD || size != sizeof value))) {
        InvalidType(name);
    }
    if (status != ERROR_SUCCESS) InvalidType(name);
    return static_cast<int32_t>(value);
}

void TRegistry::WriteString(const std::string& name, const std::string& value) {
    if (!FKey || RegSetValueExA(FKey, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                static_cast<DWORD>(value.size() + 1)) != ERROR_SUCCESS) {
        FailedToSet(name);
    }
}

void TRegistry::WriteInteger(const std::string& name, int32_t value) {
    const DWORD data = static_cast<DWORD>(value);
    if (!FKey || RegSetValueExA(FKey, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                                sizeof data) != ERROR_SUCCESS) {
        FailedToSet(name);
    }
}

}  // namespace quorlin
