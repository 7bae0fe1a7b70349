#include "saver/shell/Param.h"

#include "saver/shell/CommandLine.h"

namespace quorlin {

TParam::TParam(const std::string& text) {
    if (text.empty() || text.compare(0, 1, kParamPrefix) != 0) {
        throw ParamException(FormatText("Invalid parameter specification: %s. Prefix %s not found", {text, kParamPrefix}));
    }
    const size_t delimiter = text.find(kParamDelimiter);
    if (delimiter == std::string::npos) {
        throw ParamException(
            FormatText("Invalid parameter specification: %s. Delimiter %s not found", {text, kParamDelimiter}));
    }
    Name = text.substr(1, delimiter - 1);
    Value = text.substr(delimiter + 1);
}

TParams::TParams() {
    const std::vector<std::string> arguments = ProcessArguments();
    for (size_t i = 1; i < arguments.size(); ++i) Items.push_back(std::make_unique<TParam>(arguments[i]));
}

TParams::TParams(const std::vector<std::string>& arguments) {
    for (const std::string& argument : arguments) Items.push_back(std::make_unique<TParam>(argument));
}

const TParam* TParams::Find(const std::string& name) const {
    for (const auto& item : Items) {
        if (SameText(item->Name, name)) return item.get();
    }
    return nullptr;
}

int32_t TParams::GetInteger(const std::string& name) const {
    const TParam* param = Find(name);
    return param ? param->AsInteger() : -1;
}

std::string TParams::GetString(const std::string& name) const {
    const TParam* param = Find(name);
    return param ? param->Value : std::string();
}

int32_t TParams::GetIntegerDef(const std::string& name, int32_t defaultValue) const {
    const int32_t value = GetInteger(name);
    return value == -1 ? defaultValue : value;
}

std::string TParams::GetStringDef(const std::string& name, const std::string& defaultValue) const {
    std::string value = GetString(name);
    return value.empty() ? defaultValue : value;
}

}  // namespace quorlin
