#pragma once
// Functions: native ones written in C++ for the built-ins, and script functions
// made by DefineFunction and DefineFunction2, which close over their scope chain.

#include "player/avm1/ActionStream.h"
#include "player/avm1/Object.h"

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace quorlin::avm1 {

using TArgs = std::span<const TValue>;
using TNativeCall = std::function<TValue(TMachine& m, const TValue& self, TArgs args)>;
// Makes the object that new gives, with proto as its prototype.
using TNativeConstruct = std::function<TObject*(TMachine& m, TObject* proto, TArgs args)>;

class TFunction : public TObject {
public:
    using TObject::TObject;
    const char* TypeOf() const override { return "function"; }
    bool IsFunction() const override { return true; }
};

class TNativeFunction : public TFunction {
public:
    TNativeFunction(TObject* proto, TNativeCall call, TNativeConstruct construct = {})
        : TFunction(proto), FCall(std::move(call)), FConstruct(std::move(construct)) {}
    const TNativeCall& CallHandler() const { return FCall; }
    const TNativeConstruct& ConstructHandler() const { return FConstruct; }

private:
    TNativeCall FCall;
    TNativeConstruct FConstruct;
};

// Preload and suppress flags of DefineFunction2, bit for bit.
enum TFunctionFlags : uint16_t {
    ffPreloadThis = 0x0001,
    ffSuppressThis = 0x0002,
    ffPreloadArguments = 0x0004,
    ffSuppressArguments = 0x0008,
    ffPreloadSuper = 0x0010,
    ffSuppressSuper = 0x0020,
    ffPreloadRoot = 0x0040,
    ffPreloadParent = 0x0080,
    ffPreloadGlobal = 0x0100,
};

struct TParameter {
    std::string FName;
    uint8_t FRegister = 0;  // 0: a local variable, not a register
};

class TScriptFunction : public TFunction {
public:
    explicit TScriptFunction(TObject* proto) : TFunction(proto) {}

    std::string FName;
    std::vector<TParameter> FParameters;
    bool FVersion2 = false;
    uint16_t FFlags = 0;
    uint8_t FRegisterCount = 0;
    TCode FBody;
    std::shared_ptr<const std::vector<std::string>> FConstants;
    std::vector<TObject*> FScope;  // the chain at definition, outermost first
    TObject* FTarget = nullptr;    // the timeline the function was defined on

    void Trace(TTracer& tracer) override;
};

}  // namespace quorlin::avm1
