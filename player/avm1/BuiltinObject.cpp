#include "player/avm1/Array.h"
#include "player/avm1/BuiltinSupport.h"
#include "player/avm1/Builtins.h"

#include <algorithm>

namespace quorlin::avm1 {

namespace {

// The names ASSetPropFlags addresses: null for all, "a,b" or an array of names.
std::vector<std::string> FlagNames(TMachine& m, TObject* object, const TValue& names) {
    std::vector<std::string> out;
    if (names.IsNull()) {
        for (auto& [name, p] : object->Properties())
            out.push_back(name);
    } else if (auto* array = dynamic_cast<TArrayObject*>(names.ObjectOrNull())) {
        for (const TValue& v : array->Items())
            out.push_back(m.ToString(v));
    } else {
        std::string list = m.ToString(names);
        size_t start = 0;
        while (start <= list.size()) {
            size_t comma = list.find(',', start);
            if (comma == std::string::npos)
                comma = list.size();
            out.push_back(list.substr(start, comma - start));
            start = comma + 1;
        }
    }
    return out;
}

}  // namespace

void InstallObject(TMachine& m) {
    TObject* proto = m.ObjectPrototype();
    m.DefineClass(
        "Object", proto,
        [](TMachine& m, const TValue&, TArgs args) -> TValue {
            TObject* boxed = m.ToObject(Arg(args, 0));
            return boxed ? boxed : m.NewObject();
        },
        [](TMachine& m, TObject* prototype, TArgs args) -> TObject* {
            if (TObject* boxed = m.ToObject(Arg(args, 0)))
                return boxed;
            return m.Heap().Make<TObject>(prototype);
        });
    m.DefineMethod(proto, "toString", [](TMachine&, const TValue&, TArgs) { return TValue("[object Object]"); });
    m.DefineMethod(proto, "valueOf", [](TMachine&, const TValue& self, TArgs) { return self; });
    m.DefineMethod(proto, "hasOwnProperty", [](TMachine& m, const TValue& self, TArgs args) {
        TObject* o = self.ObjectOrNull();
        return TValue(o && o->HasOwn(m.ToString(Arg(args, 0))));
    });
    m.DefineMethod(proto, "isPropertyEnumerable", [](TMachine& m, const TValue& self, TArgs args) {
        TObject* o = self.ObjectOrNull();
        if (!o)
            return TValue(false);
        std::vector<std::string> keys;
        o->OwnKeys(keys);
        std::string name = m.ToString(Arg(args, 0));
        return TValue(std::find(keys.begin(), keys.end(), name) != keys.end());
    });
    m.DefineMethod(proto, "isPrototypeOf", [](TMachine&, const TValue& self, TArgs args) {
        TObject* o = Arg(args, 0).ObjectOrNull();
        for (int depth = 0; o && depth < TMachine::MaxCallDepth; ++depth) {
            o = o->Proto();
            if (o && o == self.ObjectOrNull())
                return TValue(true);
        }
        return TValue(false);
    });
    // addProperty(name, getter, setter): a property read and written through functions.
    m.DefineMethod(proto, "addProperty", [](TMachine& m, const TValue& self, TArgs args) {
        TObject* o = self.ObjectOrNull();
        std::string name = m.ToString(Arg(args, 0));
        auto* getter = dynamic_cast<TFunction*>(Arg(args, 1).ObjectOrNull());
        auto* setter = dynamic_cast<TFunction*>(Arg(args, 2).ObjectOrNull());
        if (!o || name.empty() || !getter)
            return TValue(false);
        o->Define(name, TValue());
        TProperty* p = o->FindOwn(name);
        p->FGetter = getter;
        p->FSetter = setter;
        if (!setter)
            p->FFlags |= pfReadOnly;
        return TValue(true);
    });

    auto setFlags = m.NewFunction([](TMachine& m, const TValue&, TArgs args) {
        TObject* o = Arg(args, 0).ObjectOrNull();
        if (!o)
            return TValue();
        uint8_t set = static_cast<uint8_t>(ToUint32(NumberArg(m, args, 2, 0)) & 7);
        uint8_t clear = static_cast<uint8_t>(ToUint32(NumberArg(m, args, 3, 0)) & 7);
        for (const std::string& name : FlagNames(m, o, Arg(args, 1)))
            if (TProperty* p = o->FindOwn(name))
                p->FFlags = static_cast<uint8_t>((p->FFlags & ~clear) | set);
        return TValue();
    });
    m.Global()->Define("ASSetPropFlags", TValue(setFlags), pfDontEnum);
}

}  // namespace quorlin::avm1
