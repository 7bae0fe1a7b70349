#include "player/avm1/Heap.h"

namespace quorlin::avm1 {

void TTracer::Mark(TObject* object) {
    if (object && !object->FMarked) {
        object->FMarked = true;
        FPending.push_back(object);
    }
}

void TTracer::Drain() {
    // An explicit work list: deep structures must not deepen the C++ stack.
    while (!FPending.empty()) {
        TObject* object = FPending.back();
        FPending.pop_back();
        object->Trace(*this);
    }
}

void THeap::Pin(TObject* object) { ++FPins[object]; }

void THeap::Unpin(TObject* object) {
    auto it = FPins.find(object);
    if (it != FPins.end() && --it->second == 0)
        FPins.erase(it);
}

void THeap::Collect(const std::function<void(TTracer&)>& markRoots) {
    TTracer tracer;
    for (auto& [object, count] : FPins)
        tracer.Mark(object);
    markRoots(tracer);
    tracer.Drain();
    size_t kept = 0;
    for (auto& object : FObjects) {
        if (object->FMarked) {
            object->FMarked = false;
            FObjects[kept++] = std::move(object);
        }
    }
    FObjects.resize(kept);
    FAllocatedSinceCollect = 0;
}

}  // namespace quorlin::avm1
