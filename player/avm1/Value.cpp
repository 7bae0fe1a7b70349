#include "player/avm1/Value.h"

#include "player/avm1/NumberText.h"

#include <cmath>

namespace quorlin::avm1 {

TValue::TValue(TObject* o) {
    if (o)
        FData = o;
    else
        FData = TNull{};
}

bool ToBoolean(const TValue& v) {
    switch (v.Kind()) {
    case TValueKind::Undefined:
    case TValueKind::Null: return false;
    case TValueKind::Boolean: return v.AsBoolean();
    case TValueKind::Number: return v.AsNumber() != 0 && !std::isnan(v.AsNumber());
    // From SWF 7 on a string is true when it is not empty, whatever it spells.
    case TValueKind::String: return !v.AsString().empty();
    case TValueKind::Object: return true;
    }
    return false;
}

double PrimitiveToNumber(const TValue& v) {
    switch (v.Kind()) {
    case TValueKind::Boolean: return v.AsBoolean() ? 1 : 0;
    case TValueKind::Number: return v.AsNumber();
    case TValueKind::String: return StringToNumber(v.AsString());
    // SWF 7 reads undefined and null as NaN (older movies read 0).
    default: return NAN;
    }
}

std::string PrimitiveToString(const TValue& v) {
    switch (v.Kind()) {
    case TValueKind::Undefined: return "undefined";
    case TValueKind::Null: return "null";
    case TValueKind::Boolean: return v.AsBoolean() ? "true" : "false";
    case TValueKind::Number: return FormatNumber(v.AsNumber());
    case TValueKind::String: return v.AsString();
    case TValueKind::Object: return "[object Object]";
    }
    return {};
}

const char* PrimitiveTypeName(TValueKind kind) {
    switch (kind) {
    case TValueKind::Undefined: return "undefined";
    case TValueKind::Null: return "null";
    case TValueKind::Boolean: return "boolean";
    case TValueKind::Number: return "number";
    case TValueKind::String: return "string";
    case TValueKind::Object: return "object";
    }
    return "undefined";
}

uint32_t ToUint32(double d) {
    if (!std::isfinite(d))
        return 0;
    double m = std::fmod(std::trunc(d), 4294967296.0);
    if (m < 0)
        m += 4294967296.0;
    return static_cast<uint32_t>(m);
}

int32_t ToInt32(double d) { return static_cast<int32_t>(ToUint32(d)); }

double ToIntegerNumber(double d) {
    if (std::isnan(d))
        return 0;
    return std::trunc(d);
}

}  // namespace quorlin::avm1
