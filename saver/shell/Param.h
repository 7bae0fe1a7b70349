#pragma once
// Named command-line options of the form /name=value, for the screenshot mode.

#include <memory>
#include <string>
#include <vector>

#include "saver/forms/SysUtils.h"

namespace quorlin {

// Every option opens with the prefix; the first delimiter separates name and value.
inline constexpr char kParamPrefix[] = "/";
inline constexpr char kParamDelimiter[] = "=";

class ParamException : public Exception {
public:
    using Exception::Exception;
};

class TParam {
public:
    // Parses "/name=value"; raises ParamException for any other form.
    explicit TParam(const std::string& text);

    int32_t AsInteger() const { return StrToInt(Value); }

    std::string Name;
    std::string Value;
};

class TParams {
public:
    // Parses the process's arguments 1 to the last.
    TParams();
    // Parses the given arguments, the program path not among them.
    explicit TParams(const std::vector<std::string>& arguments);

    const TParam* Find(const std::string& name) const;
    int32_t GetInteger(const std::string& name) const;
    std::string GetString(const std::string& name) const;
    int32_t GetIntegerDef(const std::string& name, int32_t defaultValue) const;
    std::string GetStringDef(const std::string& name, const std::string& defaultValue) const;

    size_t Count() const { return Items.size(); }

    const std::string Prefix = kParamPrefix;
    const std::string Delimiter = kParamDelimiter;

private:
    std::vector<std::unique_ptr<TParam>> Items;
};

}  // namespace quorlin
