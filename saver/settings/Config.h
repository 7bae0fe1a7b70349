#pragma once
// The saver's three settings, their registry form under
// HKEY_CURRENT_USER\Software\Tessaly\Quorlin, and the movie's variable string.

#include <memory>
#include <string>
#include <vector>

#include "saver/settings/ColorText.h"
#include "saver/settings/Feature.h"

namespace quorlin {

using TFeatures = std::vector<std::unique_ptr<TFeature>>;

extern const char kConfigKey[];

class TConfig {
public:
    TConfig();

    // Reads every feature; an absent key changes nothing. A value of a type the feature does
    // not accept raises "Invalid data type for '<name>'", after the features before it took
    // their new values.
    void Load();
    // Writes every feature, creating the key. A key that cannot be opened for writing raises
    // "Failed to open key '<key>' for writing"; a failed write raises "Failed to set data
    // for '<name>'", the values before it staying written.
    void Save();

    std::string GetFlashVars() const;
    std::string AppendVisibilityVars(const std::string& text) const;
    TColorRef GetBackgroundColor() const;
    TFeature* FindFeature(const std::string& name) const;

    void ReadControls();
    void WriteControls();

    TFeatures Features;
};

}  // namespace quorlin
