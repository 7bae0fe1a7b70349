#include "saver/settings/Config.h"

namespace quorlin {

const char kConfigKey[] = "Software\\Tessaly\\Quorlin";

TConfig::TConfig() {
    Features.push_back(std::make_unique<TFeature>("backgroundcolor", "Background color", fkColor, ""));
    Features.push_back(std::make_unique<TFeature>("seconds", "Seconds", fkBoolean, "true"));
    Features.push_back(std::make_unique<TFeature>("glass", "Glass on/off", fkBoolean, ""));
}

std::string TConfig::GetFlashVars() const {
    std::string text;
    for (const auto& feature : Features) text += "feature_" + feature->Name + "=" + feature->Value + "&";
    return AppendVisibilityVars(text) + "end_param=value";
}

std::string TConfig::AppendVisibilityVars(const std::string& text) const {
    // Values go in as held: the movie reads them without any unescaping.
    std::string result = text;
    for (const char* name : {"glass", "seconds"}) {
        const TFeature* feature = FindFeature(name);
        result += std::string(name) + "_visible=" + (feature ? feature->Value : std::string("true")) + "&";
    }
    return result;
}

TColorRef TConfig::GetBackgroundColor() const {
    TColorRef color = 0;
    if (const TFeature* feature = FindFeature("backgroundcolor")) {
        if (ParseColor(feature->Value, color)) return color;
    }
    return 0;
}

TFeature* TConfig::FindFeature(const std::string& name) const {
    for (const auto& feature : Features) {
        if (feature->Name == name) return feature.get();
    }
    return nullptr;
}

}  // namespace quorlin
