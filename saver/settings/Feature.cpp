#include "saver/settings/Feature.h"

#include <utility>


namespace quorlin {

const char* const KindDefaults[4] = {"false", "0", "", "0"};
const char* const BoolTexts[2] = {"false", "true"};

namespace {

bool IsBlank(const std::string& text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) > ' ') return false;
    }
    return true;
}

std::string UpperCaseAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

}  // namespace

TFeature::TFeature(std::string name, std::string caption, TFeatureKind kind, std::string defaultValue)
    : Name(std::move(name)), Caption(std::move(caption)), Kind(kind), DefaultValue(std::move(defaultValue)) {}

void TFeature::SetStoredValue(const std::string& text) {
    // A value that is there is kept exactly as stored, surrounding blanks included.
    if (!IsBlank(text)) Value = text;
    else if (!DefaultValue.empty()) Value = DefaultValue;
    else if (Kind <= fkColor) Value = KindDefaults[Kind];
}

bool TFeature::IsTrue(const std::string& text) { return UpperCaseAscii(text) == "TRUE"; }

}  // namespace quorlin
