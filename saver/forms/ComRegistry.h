#pragma once
// The registry work of the COM server support: keys with a default or named string value
// under HKEY_CLASSES_ROOT, written and removed, and class identifiers as registry text.

#include <windows.h>

#include <string>
#include <utility>

#include "saver/forms/SysUtils.h"

namespace quorlin {

// Raised when a class's registry entries cannot be written or removed.
class EOleRegistrationError : public Exception {
public:
    using Exception::Exception;
};

// An open registry key, closed by the destructor.
class TRegKey {
public:
    TRegKey() = default;
    explicit TRegKey(HKEY key) : FKey(key) {}
    TRegKey(TRegKey&& other) noexcept : FKey(std::exchange(other.FKey, nullptr)) {}
    TRegKey& operator=(TRegKey&& other) noexcept {
        if (this != &other) {
            Close();
            FKey = std::exchange(other.FKey, nullptr);
        }
        return *this;
    }
    ~TRegKey() { Close(); }

    HKEY Get() const { return FKey; }
    HKEY* Put() {
        Close();
        return &FKey;
    }
    explicit operator bool() const { return FKey != nullptr; }

private:
    void Close() {
        if (FKey) RegCloseKey(std::exchange(FKey, nullptr));
    }
    HKEY FKey = nullptr;
};

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", upper-case hexadecimal.
std::string GUIDToString(const GUID& guid);

// Creates HKEY_CLASSES_ROOT\key (and the keys above it) and sets its string value
// valueName ("" for the default value). Raises EOleRegistrationError.
void CreateRegKey(const std::string& key, const std::string& valueName, const std::string& value);
// Removes HKEY_CLASSES_ROOT\key, which must have no subkeys left; a key that is not there
// is not an error. Raises EOleRegistrationError.
void DeleteRegKey(const std::string& key);

}  // namespace quorlin
