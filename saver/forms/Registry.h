#pragma once
// The registry class: one open key at a time, closed by the destructor, with the typed
// reads and writes the settings need. Errors are exceptions with the platform's texts.

#include <windows.h>

#include <string>

namespace quorlin {

enum class TRegDataType { rdUnknown, rdString, rdExpandString, rdInteger, rdBinary };

struct TRegDataInfo {
    TRegDataType DataType = TRegDataType::rdUnknown;
    DWORD DataSize = 0;
};

class TRegistry {
public:
    explicit TRegistry(HKEY rootKey = HKEY_CURRENT_USER) : FRootKey(rootKey) {}
    ~TRegistry() { CloseKey(); }
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    // False when the key cannot be opened (or created); the old key is closed either way.
    bool OpenKeyReadOnly(const std::string& key);
    bool OpenKey(const std::string& key, bool canCreate);
    void CloseKey();
    HKEY CurrentKey() const { return FKey; }

    bool ValueExists(const std::string& name) const;
    bool GetDataInfo(const std::string& name, TRegDataInfo& info) const;

    // Text up to the first NUL of a string value (REG_EXPAND_SZ taken literally); a value
    // of any other type raises "Invalid data type for '<name>'" unless it holds no data.
    std::string ReadString(const std::string& name) const;
    // A REG_DWORD; any other type raises "Invalid data type for '<name>'".
    int32_t ReadInteger(const std::string& name) const;

    // Raise "Failed to set data for '<name>'" when the write fails.
    void WriteString(const std::string& name, const std::string& value);
    void WriteInteger(const std::string& name, int32_t value);

private:
    HKEY FRootKey;
    HKEY FKey = nullptr;
};

}  // namespace quorlin
