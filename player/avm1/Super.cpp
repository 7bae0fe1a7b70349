#include "player/avm1/Super.h"

#include "player/avm1/Heap.h"
#include "player/avm1/Machine.h"

namespace quorlin::avm1 {

TValue TSuperObject::Constructor(TMachine& m) {
    TValue out;
    if (FBase && m.Lookup(FBase, "__constructor__", FThis, out))
        return out;
    return TValue();
}

bool TSuperObject::GetOwn(TMachine& m, const std::string& name, const TValue& self, TValue& out) {
    TObject* above = Above();
    return above && m.Lookup(above, name, FThis, out);
}

void TSuperObject::Trace(TTracer& tracer) {
    TObject::Trace(tracer);
    tracer.Mark(FThis);
    tracer.Mark(FBase);
}

}  // namespace quorlin::avm1
