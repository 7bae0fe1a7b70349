#pragma once
// The object that super names inside a method: members are looked up above the
// prototype the method came from, and calls keep the original this.

#include "player/avm1/Object.h"

namespace quorlin::avm1 {

class TSuperObject : public TObject {
public:
    TSuperObject(TValue self, TObject* base) : TObject(nullptr), FThis(std::move(self)), FBase(base) {}
    const TValue& This() const { return FThis; }
    // Where lookups start: the prototype above the method's own.
    TObject* Above() const { return FBase ? FBase->Proto() : nullptr; }
    // The super constructor: what Extends recorded as __constructor__.
    TValue Constructor(TMachine& m);
    bool GetOwn(TMachine& m, const std::string& name, const TValue& self, TValue& out) override;
    void Trace(TTracer& tracer) override;

private:
    TValue FThis;
    TObject* FBase;
};

}  // namespace quorlin::avm1
