#pragma once
// The state of one running block of actions: a frame script or a function call.

#include "player/avm1/ActionStream.h"
#include "player/avm1/Value.h"

#include <memory>
#include <string>
#include <vector>

namespace quorlin::avm1 {

class TObject;
class TScriptFunction;

// An object that a With action put on the scope chain for the bytes [FBegin, FEnd).
struct TWithScope {
    TObject* FObject;
    size_t FBegin;
    size_t FEnd;
};

struct TFrame {
    TCode FCode;
    std::shared_ptr<const std::vector<std::string>> FConstants;
    std::vector<TValue> FRegisters;
    std::vector<TObject*> FScope;  // outermost (the global object) first
    std::vector<TWithScope> FWiths;
    TObject* FLocals = nullptr;    // where DefineLocal puts variables
    TObject* FTimeline = nullptr;  // where undeclared variables land
    TObject* FTarget = nullptr;    // what timeline actions address; SetTarget moves it
    TValue FThis;
    TScriptFunction* FCallee = nullptr;
    TObject* FSuper = nullptr;     // the super object of a method call, if any
    size_t FStackBase = 0;
};

}  // namespace quorlin::avm1
