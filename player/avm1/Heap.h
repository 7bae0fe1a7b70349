#pragma once
// The machine's heap: it owns every object and frees those that nothing reachable
// refers to (mark and sweep). Reference counting would leak the cycles that every
// function makes with its prototype, once per frame in a looping movie.

#include "player/avm1/Object.h"

#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

namespace quorlin::avm1 {

class TTracer {
public:
    void Mark(TObject* object);
    void Mark(const TValue& value) {
        if (value.IsObject())
            Mark(value.AsObject());
    }
    // Marks everything reachable from what Mark has queued.
    void Drain();

private:
    std::vector<TObject*> FPending;
};

class THeap {
public:
    template <class T, class... A>
    T* Make(A&&... args) {
        auto object = std::make_unique<T>(std::forward<A>(args)...);
        T* raw = object.get();
        FObjects.push_back(std::move(object));
        ++FAllocatedSinceCollect;
        return raw;
    }

    // Pinned objects are roots until unpinned, as often as they were pinned.
    void Pin(TObject* object);
    void Unpin(TObject* object);

    // Frees every object that neither a pin nor the roots reach.
    void Collect(const std::function<void(TTracer&)>& markRoots);

    size_t Size() const { return FObjects.size(); }
    size_t AllocatedSinceCollect() const { return FAllocatedSinceCollect; }

private:
    std::vector<std::unique_ptr<TObject>> FObjects;
    std::unordered_map<TObject*, int> FPins;
    size_t FAllocatedSinceCollect = 0;
};

// Keeps an object alive while the holder outside the machine needs it. A pin
// must not outlive the heap it was taken from.
class TPin {
public:
    TPin() = default;
    TPin(THeap& heap, TObject* object) : FHeap(&heap), FObject(object) {
        if (FObject)
            FHeap->Pin(FObject);
    }
    TPin(TPin&& other) noexcept : FHeap(other.FHeap), FObject(other.FObject) { other.FObject = nullptr; }
    TPin& operator=(TPin&& other) noexcept {
        if (this != &other) {
            Release();
            FHeap = other.FHeap;
            FObject = other.FObject;
            other.FObject = nullptr;
        }
        return *this;
    }
    ~TPin() { Release(); }
    TObject* Get() const { return FObject; }

private:
    void Release() {
        if (FObject)
            FHeap->Unpin(FObject);
        FObject = nullptr;
    }
    THeap* FHeap = nullptr;
    TObject* FObject = nullptr;
};

}  // namespace quorlin::avm1
