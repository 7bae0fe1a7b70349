#include "tests/win/settings/RegistryBackup.h"

#include <sddl.h>

namespace quorlin::testing {

namespace {

std::string ParentOf(const std::string& key) { return key.substr(0, key.find_last_of('\\')); }

bool KeyExists(const std::string& key) {
    HKEY handle;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
    RegCloseKey(handle);
    return true;
}

}  // namespace

TKeySnapshot SnapshotKey(const std::string& key) {
    TKeySnapshot snapshot;
    HKEY handle;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return snapshot;
    snapshot.Exists = true;
    for (DWORD index = 0;; ++index) {
        char name[16384];
        DWORD nameLength = sizeof name, type = 0, size = 0;
        if (RegEnumValueA(handle, index, name, &nameLength, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) break;
        std::string data(size, '\0');
        nameLength = sizeof name;
        RegEnumValueA(handle, index, name, &nameLength, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size);
        data.resize(size);
        snapshot.Values.push_back({std::string(name, nameLength), type, data});
    }
    RegCloseKey(handle);
    return snapshot;
}

void DeleteKey(const std::string& key) { RegDeleteTreeA(HKEY_CURRENT_USER, key.c_str()); }

void WriteKey(const std::string& key, const std::vector<TRegValue>& values) {
    HKEY handle;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr) !=
        ERROR_SUCCESS) {
        return;
    }
    for (const TRegValue& value : values) {
        RegSetValueExA(handle, value.Name.c_str(), 0, value.Type, reinterpret_cast<const BYTE*>(value.Data.data()),
                       static_cast<DWORD>(value.Data.size()));
    }
    RegCloseKey(handle);
}

void DenyWrites(const std::string& key) {
    HKEY handle;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_ALL_ACCESS, &handle) != ERROR_SUCCESS) return;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    // Deny KEY_SET_VALUE (2) to everyone, allow all the rest.
    if (ConvertStringSecurityDescriptorToSecurityDescriptorA("D:(D;;0x2;;;WD)(A;;GA;;;WD)", SDDL_REVISION_1,
                                                             &descriptor, nullptr)) {
        RegSetKeySecurity(handle, DACL_SECURITY_INFORMATION, descriptor);
        LocalFree(descriptor);
    }
    RegCloseKey(handle);
}

void AllowWrites(const std::string& key) {
    HKEY handle;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, WRITE_DAC, &handle) != ERROR_SUCCESS) return;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (ConvertStringSecurityDescriptorToSecurityDescriptorA("D:(A;;GA;;;WD)", SDDL_REVISION_1, &descriptor,
                                                             nullptr)) {
        RegSetKeySecurity(handle, DACL_SECURITY_INFORMATION, descriptor);
        LocalFree(descriptor);
    }
    RegCloseKey(handle);
}

TValueBackup::TValueBackup(std::string key, std::string name)
    : FKey(std::move(key)), FSaved(Find(SnapshotKey(FKey), name)) {
    FSaved.Name = name;
}

TValueBackup::~TValueBackup() {
    if (FSaved.Type != REG_NONE) {
        WriteKey(FKey, {FSaved});
        return;
    }
    HKEY handle;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, FKey.c_str(), 0, KEY_SET_VALUE, &handle) == ERROR_SUCCESS) {
        RegDeleteValueA(handle, FSaved.Name.c_str());
        RegCloseKey(handle);
    }
}

TRegValue Sz(const std::string& name, const std::string& text) { return {name, REG_SZ, text + std::string(1, '\0')}; }

TRegValue ExpandSz(const std::string& name, const std::string& text) {
    return {name, REG_EXPAND_SZ, text + std::string(1, '\0')};
}

TRegValue Dword(const std::string& name, DWORD value) {
    return {name, REG_DWORD, std::string(reinterpret_cast<const char*>(&value), sizeof value)};
}

TRegValue Binary(const std::string& name, const std::string& bytes) { return {name, REG_BINARY, bytes}; }

TRegValue Find(const TKeySnapshot& snapshot, const std::string& name) {
    for (const TRegValue& value : snapshot.Values) {
        if (value.Name == name) return value;
    }
    return {name, REG_NONE, {}};
}

TRegistryBackup::TRegistryBackup(std::string key)
    : FKey(std::move(key)), FSaved(SnapshotKey(FKey)), FParentExisted(KeyExists(ParentOf(FKey))) {
    DeleteKey(FKey);
}

TRegistryBackup::~TRegistryBackup() {
    DeleteKey(FKey);
    if (FSaved.Exists) WriteKey(FKey, FSaved.Values);
    else if (!FParentExisted) DeleteKey(ParentOf(FKey));
}

}  // namespace quorlin::testing
