#pragma once
// Executes the actions of one frame, decoding each record as it reaches it.

#include "player/avm1/ActionStream.h"
#include "player/avm1/Frame.h"
#include "player/avm1/Function.h"

#include <string>
#include <vector>

namespace quorlin::avm1 {

class TMachine;
class TClipObject;

class TInterpreter {
public:
    TInterpreter(TMachine& m, TFrame& frame) : FMachine(m), FFrame(frame) {}
    // Runs the frame's code to its end or a Return; gives the returned value.
    TValue Execute();

private:
    enum class TOutcome { Left, Returned };
    // Runs while the position stays inside [begin, end); FPc tells where it left.
    TOutcome RunRange(size_t begin, size_t end);
    // One action; false when it returns from the frame.
    bool Step(const TAction& action);

    // Stack.
    void Push(TValue v);
    TValue Pop();
    double PopNumber();
    std::string PopString();
    std::vector<TValue> PopArgs();

    // Control flow and definitions.
    void Branch(const TAction& action, int16_t offset);
    void DoPush(const TAction& action);
    void DoConstantPool(const TAction& action);
    void DoDefineFunction(const TAction& action, bool version2);
    TOutcome DoTry(const TAction& action);
    void DoWith(const TAction& action);
    void DoStoreRegister(const TAction& action);
    void DoGotoFrame2(const TAction& action);

    // Variables and targets.
    TValue GetVariable(const std::string& name);
    void SetVariable(const std::string& name, const TValue& value);
    bool SpecialName(const std::string& name, TValue& out);
    TObject* ResolvePath(const std::string& path, TObject* start);
    TObject* ResolveTarget(const TValue& target);
    TClipObject* TargetClip();
    std::vector<TObject*> ScopeChain() const;
    void DefineLocal(const std::string& name, const TValue& value);
    bool DeleteVariable(const std::string& name);

    // Calls and objects.
    void DoCallFunction();
    void DoCallMethod();
    void DoNewObject();
    void DoNewMethod();
    void DoEnumerate(TObject* object);
    void DoExtends();
    void DoCastOp();
    void DoImplementsOp();
    void DoGetProperty();
    void DoSetProperty();
    void DoStringExtract(bool multiByte);

    TMachine& FMachine;
    TFrame& FFrame;
    size_t FPc = 0;
    TValue FReturn;
};

}  // namespace quorlin::avm1
