#include "player/avm1/Operators.h"

#include "player/avm1/Error.h"
#include "player/avm1/Machine.h"

#include <cmath>

namespace quorlin::avm1 {

TValue Add2(TMachine& m, const TValue& a, const TValue& b) {
    TValue pa = m.ToPrimitive(a);
    TValue pb = m.ToPrimitive(b);
    if (pa.IsString() || pb.IsString()) {
        std::string left = PrimitiveToString(pa), right = PrimitiveToString(pb);
        CheckStringLength(left.size() + right.size());
        return left + right;
    }
    return PrimitiveToNumber(pa) + PrimitiveToNumber(pb);
}

bool StrictEquals(const TValue& a, const TValue& b) {
    if (a.Kind() != b.Kind())
        return false;
    switch (a.Kind()) {
    case TValueKind::Undefined:
    case TValueKind::Null: return true;
    case TValueKind::Boolean: return a.AsBoolean() == b.AsBoolean();
    case TValueKind::Number: return a.AsNumber() == b.AsNumber();
    case TValueKind::String: return a.AsString() == b.AsString();
    case TValueKind::Object: return a.AsObject() == b.AsObject();
    }
    return false;
}

bool Equals2(TMachine& m, const TValue& a, const TValue& b) {
    // Each step turns one side into a simpler kind; four steps reach primitives.
    TValue x = a;
    TValue y = b;
    for (int step = 0; step < 4; ++step) {
        if (x.Kind() == y.Kind())
            return StrictEquals(x, y);
        if (x.IsNullish() || y.IsNullish())
            return x.IsNullish() && y.IsNullish();
        if (x.IsNumber() && y.IsString())
            return x.AsNumber() == PrimitiveToNumber(y);
        if (x.IsString() && y.IsNumber())
            return PrimitiveToNumber(x) == y.AsNumber();
        if (x.IsBoolean()) {
            x = PrimitiveToNumber(x);
            continue;
        }
        if (y.IsBoolean()) {
            y = PrimitiveToNumber(y);
            continue;
        }
        if (x.IsObject()) {
            x = m.ToPrimitive(x);
            continue;
        }
        if (y.IsObject()) {
            y = m.ToPrimitive(y);
            continue;
        }
        return false;
    }
    return false;
}

namespace {

TValue Compare(const TValue& pa, const TValue& pb) {
    if (pa.IsString() && pb.IsString())
        return pa.AsString() < pb.AsString();
    double x = PrimitiveToNumber(pa);
    double y = PrimitiveToNumber(pb);
    if (std::isnan(x) || std::isnan(y))
        return TValue();
    return x < y;
}

}  // namespace

TValue Less2(TMachine& m, const TValue& a, const TValue& b) {
    TValue pa = m.ToPrimitive(a, TMachine::THint::Number);
    TValue pb = m.ToPrimitive(b, TMachine::THint::Number);
    return Compare(pa, pb);
}

TValue Greater(TMachine& m, const TValue& a, const TValue& b) {
    TValue pa = m.ToPrimitive(a, TMachine::THint::Number);
    TValue pb = m.ToPrimitive(b, TMachine::THint::Number);
    return Compare(pb, pa);
}

}  // namespace quorlin::avm1
