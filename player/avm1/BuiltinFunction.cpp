#include "player/avm1/Array.h"
#include "player/avm1/BuiltinSupport.h"
#include "player/avm1/Builtins.h"

namespace quorlin::avm1 {

void InstallFunction(TMachine& m) {
    TObject* proto = m.FunctionPrototype();
    m.DefineClass("Function", proto, [](TMachine&, const TValue&, TArgs) { return TValue(); });
    m.DefineMethod(proto, "call", [](TMachine& m, const TValue& self, TArgs args) {
        TArgs rest = args.empty() ? args : args.subspan(1);
        return m.Call(self, Arg(args, 0), rest);
    });
    m.DefineMethod(proto, "apply", [](TMachine& m, const TValue& self, TArgs args) {
        std::vector<TValue> list;
        if (auto* array = dynamic_cast<TArrayObject*>(Arg(args, 1).ObjectOrNull()))
            list = array->Items();
        return m.Call(self, Arg(args, 0), list);
    });
    m.DefineMethod(proto, "toString", [](TMachine&, const TValue&, TArgs) { return TValue("[type Function]"); });
}

}  // namespace quorlin::avm1
