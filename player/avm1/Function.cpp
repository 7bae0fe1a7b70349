#include "player/avm1/Function.h"

#include "player/avm1/Heap.h"

namespace quorlin::avm1 {

void TScriptFunction::Trace(TTracer& tracer) {
    TObject::Trace(tracer);
    for (TObject* scope : FScope)
        tracer.Mark(scope);
    tracer.Mark(FTarget);
}

}  // namespace quorlin::avm1
