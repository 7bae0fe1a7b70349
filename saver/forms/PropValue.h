#pragma once
// One property value of a form description: a number, a quoted text, a name (an enum
// value, a colour constant, a method or a component), or a set of names.

#include <cstdint>
#include <string>
#include <vector>

namespace quorlin {

struct TPropValue {
    enum TKind { pvInteger, pvString, pvIdent, pvSet } Kind = pvInteger;
    int Integer = 0;
    std::string Text;               // pvString and pvIdent
    std::vector<std::string> Set;   // pvSet

    // The value as an integer, a text, a boolean or a name; a value of another kind raises
    // "Invalid property value for '<property>'".
    int AsInteger(const std::string& property) const;
    std::string AsString(const std::string& property) const;
    bool AsBoolean(const std::string& property) const;
    std::string AsIdent(const std::string& property) const;
    // A colour constant (clBtnFace, clWindowText, clBlue...) or a number.
    int32_t AsColor(const std::string& property) const;
    bool Contains(const std::string& name) const;
};

}  // namespace quorlin
