#include "player/avm1/BuiltinSupport.h"
#include "player/avm1/Builtins.h"
#include "player/avm1/NumberText.h"

#include <cfloat>
#include <cmath>

namespace quorlin::avm1 {

namespace {

// The primitive behind this: a number or boolean itself, or the one a box holds.
TValue ThisPrimitive(const TValue& self) {
    if (auto* box = dynamic_cast<TBoxObject*>(self.ObjectOrNull()))
        return box->Primitive();
    return self;
}

}  // namespace

TObject* InstallNumber(TMachine& m) {
    auto* proto = m.Heap().Make<TBoxObject>(m.ObjectPrototype(), TValue(0.0));
    TNativeFunction* ctor = m.DefineClass(
        "Number", proto,
        [](TMachine& m, const TValue&, TArgs args) -> TValue { return args.empty() ? 0.0 : m.ToNumber(args[0]); },
        [](TMachine& m, TObject* prototype, TArgs args) -> TObject* {
            return m.Heap().Make<TBoxObject>(prototype, TValue(args.empty() ? 0.0 : m.ToNumber(args[0])));
        });
    const uint8_t constant = pfDontEnum | pfDontDelete | pfReadOnly;
    ctor->Define("MAX_VALUE", DBL_MAX, constant);
    ctor->Define("MIN_VALUE", std::nextafter(0.0, 1.0), constant);
    ctor->Define("NaN", NAN, constant);
    ctor->Define("NEGATIVE_INFINITY", -INFINITY, constant);
    ctor->Define("POSITIVE_INFINITY", INFINITY, constant);
    m.DefineMethod(proto, "toString", [](TMachine& m, const TValue& self, TArgs args) -> TValue {
        double d = PrimitiveToNumber(ThisPrimitive(self));
        double radix = NumberArg(m, args, 0, 10);
        if (radix == 10 || !(radix >= 2 && radix <= 36))
            return FormatNumber(d);
        return FormatNumberRadix(d, static_cast<int>(radix));
    });
    m.DefineMethod(proto, "valueOf", [](TMachine&, const TValue& self, TArgs) -> TValue {
        return PrimitiveToNumber(ThisPrimitive(self));
    });
    return proto;
}

TObject* InstallBoolean(TMachine& m) {
    auto* proto = m.Heap().Make<TBoxObject>(m.ObjectPrototype(), TValue(false));
    m.DefineClass(
        "Boolean", proto,
        [](TMachine&, const TValue&, TArgs args) -> TValue { return ToBoolean(Arg(args, 0)); },
        [](TMachine& m, TObject* prototype, TArgs args) -> TObject* {
            return m.Heap().Make<TBoxObject>(prototype, TValue(ToBoolean(Arg(args, 0))));
        });
    m.DefineMethod(proto, "toString", [](TMachine&, const TValue& self, TArgs) -> TValue {
        return ToBoolean(ThisPrimitive(self)) ? "true" : "false";
    });
    m.DefineMethod(proto, "valueOf", [](TMachine&, const TValue& self, TArgs) -> TValue {
        return ToBoolean(ThisPrimitive(self));
    });
    return proto;
}

}  // namespace quorlin::avm1
