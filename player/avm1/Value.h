#pragma once
// A value of the ActionScript 1/2 machine: undefined, null, boolean, number, string
// or a reference to an object that the machine's heap owns.

#include <cstdint>
#include <string>
#include <variant>

namespace quorlin::avm1 {

class TObject;

struct TUndefined {
    bool operator==(const TUndefined&) const = default;
};
struct TNull {
    bool operator==(const TNull&) const = default;
};

enum class TValueKind { Undefined, Null, Boolean, Number, String, Object };

class TValue {
public:
    TValue() = default;
    TValue(TNull) : FData(TNull{}) {}
    TValue(bool b) : FData(b) {}
    TValue(double d) : FData(d) {}
    TValue(int i) : FData(static_cast<double>(i)) {}
    TValue(const char* s) : FData(std::string(s)) {}
    TValue(std::string s) : FData(std::move(s)) {}
    TValue(TObject* o);  // a null pointer becomes null

    static TValue Null() { return TValue(TNull{}); }

    TValueKind Kind() const { return static_cast<TValueKind>(FData.index()); }
    bool IsUndefined() const { return Kind() == TValueKind::Undefined; }
    bool IsNull() const { return Kind() == TValueKind::Null; }
    bool IsNullish() const { return IsUndefined() || IsNull(); }
    bool IsBoolean() const { return Kind() == TValueKind::Boolean; }
    bool IsNumber() const { return Kind() == TValueKind::Number; }
    bool IsString() const { return Kind() == TValueKind::String; }
    bool IsObject() const { return Kind() == TValueKind::Object; }
    bool IsPrimitive() const { return !IsObject(); }

    bool AsBoolean() const { return std::get<bool>(FData); }
    double AsNumber() const { return std::get<double>(FData); }
    const std::string& AsString() const { return std::get<std::string>(FData); }
    TObject* AsObject() const { return std::get<TObject*>(FData); }
    // The object, or nullptr for every other kind.
    TObject* ObjectOrNull() const { return IsObject() ? AsObject() : nullptr; }

private:
    std::variant<TUndefined, TNull, bool, double, std::string, TObject*> FData;
};

// Conversions that never call into scripts: the primitive half of the SWF 7 rules.
// Objects are handled by TMachine, which may run valueOf and toString.
bool ToBoolean(const TValue& v);
double PrimitiveToNumber(const TValue& v);
std::string PrimitiveToString(const TValue& v);

// The name that typeof gives to a primitive ("undefined", "null", "boolean", ...).
const char* PrimitiveTypeName(TValueKind kind);

// ECMA ToInt32 and ToUint32, used by bit operators and array indices.
int32_t ToInt32(double d);
uint32_t ToUint32(double d);
// ToInteger: NaN becomes 0, the rest truncates toward zero.
double ToIntegerNumber(double d);

}  // namespace quorlin::avm1
