// The features' registry form under HKEY_CURRENT_USER.

#include "saver/forms/Registry.h"
#include "saver/forms/SysUtils.h"
#include "saver/settings/Config.h"

namespace quorlin {

void TConfig::Load() {
    TRegistry registry(HKEY_CURRENT_USER);
    // An absent key is the first run: nothing is touched, not even by the defaults.
    if (!registry.OpenKeyReadOnly(kConfigKey)) return;
    for (const auto& feature : Features) {
        std::string text;
        TRegDataInfo info;
        if (registry.GetDataInfo(feature->Name, info)) {
            if (feature->Kind == fkBoolean && info.DataType == TRegDataType::rdInteger) {
                text = registry.ReadInteger(feature->Name) != 0 ? "true" : "false";
            } else {
                text = registry.ReadString(feature->Name);
            }
        }
        feature->SetStoredValue(text);
    }
}

void TConfig::Save() {
    TRegistry registry(HKEY_CURRENT_USER);
    // Not silent: the dialog would close as if the settings had been stored.
    if (!registry.OpenKey(kConfigKey, true)) {
        throw Exception(FormatText("Failed to open key '%s' for writing", {kConfigKey}));
    }
    for (const auto& feature : Features) {
        switch (feature->Kind) {
            case fkBoolean:
                registry.WriteInteger(feature->Name, TFeature::IsTrue(feature->Value) ? 1 : 0);
                break;
            case fkColor: {
                TColorRef color = 0;
                registry.WriteString(feature->Name, ParseColor(feature->Value, color) ? FormatColor(color) : "#000000");
                break;
            }
            default:
                registry.WriteString(feature->Name, feature->Value);
                break;
        }
    }
}

}  // namespace quorlin
