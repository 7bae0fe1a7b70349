#include "player/avm1/BuiltinSupport.h"
#include "player/avm1/Builtins.h"

namespace quorlin::avm1 {

void InstallError(TMachine& m) {
    TObject* proto = m.NewObject();
    proto->Define("name", TValue("Error"), pfDontEnum);
    proto->Define("message", TValue("Error"), pfDontEnum);
    auto make = [](TMachine& m, TObject* prototype, TArgs args) -> TObject* {
        TObject* error = m.Heap().Make<TObject>(prototype);
        if (!Arg(args, 0).IsUndefined())
            error->Define("message", TValue(m.ToString(args[0])));
        return error;
    };
    m.DefineClass(
        "Error", proto,
        [make](TMachine& m, const TValue& self, TArgs args) -> TValue {
            TObject* prototype = m.GetMember(m.GetMember(TValue(m.Global()), "Error"), "prototype").ObjectOrNull();
            return make(m, prototype, args);
        },
        make);
    m.DefineMethod(proto, "toString", [](TMachine& m, const TValue& self, TArgs) -> TValue {
        return m.ToString(m.GetMember(self, "message"));
    });
}

}  // namespace quorlin::avm1
