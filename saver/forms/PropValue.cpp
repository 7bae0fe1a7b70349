#include "saver/forms/PropValue.h"

#include <algorithm>
#include <map>

#include "saver/forms/Graphics.h"
#include "saver/forms/SysUtils.h"

namespace quorlin {

namespace {

[[noreturn]] void Invalid(const std::string& property) {
    throw Exception(FormatText("Invalid property value for '%s'", {property}));
}

}  // namespace

int TPropValue::AsInteger(const std::string& property) const {
    if (Kind != pvInteger) Invalid(property);
    return Integer;
}

std::string TPropValue::AsString(const std::string& property) const {
    if (Kind != pvString) Invalid(property);
    return Text;
}

bool TPropValue::AsBoolean(const std::string& property) const {
    if (Kind == pvIdent && Text == "True") return true;
    if (Kind == pvIdent && Text == "False") return false;
    Invalid(property);
}

std::string TPropValue::AsIdent(const std::string& property) const {
    if (Kind != pvIdent) Invalid(property);
    return Text;
}

bool TPropValue::Contains(const std::string& name) const {
    return Kind == pvSet && std::find(Set.begin(), Set.end(), name) != Set.end();
}

int32_t TPropValue::AsColor(const std::string& property) const {
    static const std::map<std::string, TColor> names = {
        {"clBlack", clBlack},     {"clRed", clRed},         {"clBlue", clBlue},
        {"clWhite", clWhite},     {"clBtnFace", clBtnFace}, {"clWindow", clWindow},
        {"clWindowText", clWindowText}, {"clBtnShadow", clBtnShadow}, {"clBtnHighlight", clBtnHighlight},
    };
    if (Kind == pvInteger) return Integer;
    if (Kind == pvIdent) {
        const auto found = names.find(Text);
        if (found != names.end()) return found->second;
    }
    Invalid(property);
}

}  // namespace quorlin
