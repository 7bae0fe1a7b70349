#pragma once
// The settings key as a test found it: saved, removed for the test, and put back exactly
// (values, types and data; or no key at all) when the test ends.

#include <windows.h>

#include <string>
#include <vector>

namespace quorlin::testing {

struct TRegValue {
    std::string Name;
    DWORD Type = REG_NONE;
    std::string Data;
    bool operator==(const TRegValue& other) const {
        return Name == other.Name && Type == other.Type && Data == other.Data;
    }
};

// Every value of HKCU\<key>, or none when the key is absent (Exists false).
struct TKeySnapshot {
    bool Exists = false;
    std::vector<TRegValue> Values;
    bool operator==(const TKeySnapshot& other) const { return Exists == other.Exists && Values == other.Values; }
};

TKeySnapshot SnapshotKey(const std::string& key);
void DeleteKey(const std::string& key);
// Creates the key (and any above it) and writes the values.
void WriteKey(const std::string& key, const std::vector<TRegValue>& values);
// Sets a security descriptor on the key that refuses setting values to everyone, so that it
// can no longer be opened for writing. Deleting the key removes it.
void DenyWrites(const std::string& key);
TRegValue Sz(const std::string& name, const std::string& text);
TRegValue ExpandSz(const std::string& name, const std::string& text);
TRegValue Dword(const std::string& name, DWORD value);
TRegValue Binary(const std::string& name, const std::string& bytes);
// The value of a snapshot by name, or a REG_NONE value when it has none.
TRegValue Find(const TKeySnapshot& snapshot, const std::string& name);

// Lets the key take writes again after DenyWrites.
void AllowWrites(const std::string& key);

// One value of a key as a test found it, put back when the test ends.
class TValueBackup {
public:
    TValueBackup(std::string key, std::string name);
    ~TValueBackup();
    TValueBackup(const TValueBackup&) = delete;
    TValueBackup& operator=(const TValueBackup&) = delete;

private:
    std::string FKey;
    TRegValue FSaved;
};

class TRegistryBackup {
public:
    explicit TRegistryBackup(std::string key = "Software\\Tessaly\\Quorlin");
    ~TRegistryBackup();
    TRegistryBackup(const TRegistryBackup&) = delete;
    TRegistryBackup& operator=(const TRegistryBackup&) = delete;

private:
    std::string FKey;
    TKeySnapshot FSaved;
    bool FParentExisted;
};

}  // namespace quorlin::testing
