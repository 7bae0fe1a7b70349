#pragma once
// The ActionScript 1/2 virtual machine of SWF 7: its heap, global object and
// built-ins, the conversions and member access that every action relies on, and
// the limits that keep a runaway script from stopping the player.
//
// How a player drives it: make one TMachine with a clock; derive the clips from
// TClipObject (allocated with Heap().Make, prototype MovieClipPrototype()) and keep
// each one pinned (TPin) while it is on the display list; give the machine a
// TDisplayHost for _levelN; run every DoAction block with Run(code, clip), catching
// TScriptError to log it and carry on; call Collect() between frames.

#include "player/avm1/ActionStream.h"
#include "player/avm1/Clock.h"
#include "player/avm1/Function.h"
#include "player/avm1/Heap.h"
#include "player/avm1/Object.h"
#include "player/avm1/Value.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <unordered_set>
#include <vector>

namespace quorlin::avm1 {

class TArrayObject;
class TClipObject;
class TDisplayHost;
struct TFrame;

// Where ImplementsOp records a class's interfaces; no identifier can spell it.
inline constexpr const char* InterfacesKey = "\x01interfaces";

class TMachine {
public:
    using TLog = std::function<void(const std::string&)>;
    static constexpr int MaxCallDepth = 256;
    static constexpr uint64_t DefaultInstructionBudget = 1000000;

    explicit TMachine(TClock& clock);
    ~TMachine();
    TMachine(const TMachine&) = delete;
    TMachine& operator=(const TMachine&) = delete;

    THeap& Heap() { return FHeap; }
    TClock& Clock() { return FClock; }
    TObject* Global() const { return FGlobal; }

    void SetDisplayHost(TDisplayHost* host) { FHost = host; }
    TDisplayHost* DisplayHost() const { return FHost; }
    // Unsupported actions and stopped scripts are reported here.
    void SetDebugLog(TLog log) { FDebugLog = std::move(log); }
    void Log(const std::string& line) const;
    // Logs a line the first time its key comes up, so that a looping script that
    // repeats a fault does not flood the log.
    void LogOnce(const std::string& key, const std::string& line);
    // Where the Trace action writes.
    void SetTraceOutput(TLog output) { FTraceOutput = std::move(output); }
    void Trace(const std::string& line) const;

    // How many actions one outermost Run or Call may execute, nested calls included.
    void SetInstructionBudget(uint64_t budget) { FInstructionBudget = budget; }
    uint64_t InstructionBudget() const { return FInstructionBudget; }

    // Runs a block of actions on the timeline of target: target holds its
    // variables, is its this, and is the clip that timeline actions address.
    // A script that passes a limit, or whose bytes are malformed, is stopped with
    // a TScriptError; so is a value thrown and never caught. The machine stays
    // usable either way. Objects held outside the machine must be pinned: an
    // outermost Run may collect garbage when it ends.
    void Run(const TCode& code, TObject* target);
    void Run(std::span<const uint8_t> bytes, TObject* target);

    // Calls a function value; anything else gives undefined.
    TValue Call(const TValue& function, const TValue& self, TArgs args);
    TValue CallMethod(const TValue& object, const std::string& name, TArgs args);
    // new: nullptr when constructor is not a function.
    TObject* Construct(const TValue& constructor, TArgs args);

    enum class THint { Default, Number, String };
    TValue ToPrimitive(const TValue& v, THint hint = THint::Default);
    double ToNumber(const TValue& v);
    std::string ToString(const TValue& v);
    // The object behind a value: boxes primitives, nullptr for undefined and null.
    TObject* ToObject(const TValue& v);
    std::string TypeOf(const TValue& v) const;

    // Member access along prototype chains, with getters and setters.
    TValue GetMember(const TValue& object, const std::string& name);
    void SetMember(const TValue& object, const std::string& name, const TValue& value);
    // Finds name on o or its prototypes; holder (if given) receives the object
    // that had it.
    bool Lookup(TObject* o, const std::string& name, const TValue& self, TValue& out, TObject** holder = nullptr);
    bool HasProperty(TObject* o, const std::string& name);
    bool InstanceOf(const TValue& v, TObject* constructor);

    TObject* NewObject();
    TArrayObject* NewArray(std::vector<TValue> items = {});
    TNativeFunction* NewFunction(TNativeCall call, TNativeConstruct construct = {});
    // A built-in method: a native function stored DontEnum.
    TNativeFunction* DefineMethod(TObject* on, const std::string& name, TNativeCall call);
    // A constructor with its prototype, stored on the global object under name.
    TNativeFunction* DefineClass(const std::string& name, TObject* prototype, TNativeCall call,
                                 TNativeConstruct construct = {});

    TObject* ObjectPrototype() const { return FObjectPrototype; }
    TObject* FunctionPrototype() const { return FFunctionPrototype; }
    TObject* ArrayPrototype() const { return FArrayPrototype; }
    TObject* StringPrototype() const { return FStringPrototype; }
    TObject* NumberPrototype() const { return FNumberPrototype; }
    TObject* BooleanPrototype() const { return FBooleanPrototype; }
    TObject* DatePrototype() const { return FDatePrototype; }
    TObject* MovieClipPrototype() const { return FMovieClipPrototype; }

    // Frees unreachable objects; does nothing while a script runs.
    void Collect();
    bool Running() const { return FEntries > 0; }

    // For the interpreter.
    std::vector<TValue>& Stack() { return FStack; }
    void Tick();  // one action: spends the budget
    double StartTimeMs() const { return FStartTime; }
    uint32_t NextRandom();

private:
    friend class TInterpreter;
    class TEntry;
    TValue CallScript(TScriptFunction* function, const TValue& self, TArgs args, TObject* baseProto);
    TValue CallWithBase(const TValue& function, const TValue& self, TArgs args, TObject* baseProto);
    void MarkRoots(TTracer& tracer);

    TClock& FClock;
    THeap FHeap;
    TDisplayHost* FHost = nullptr;
    TLog FDebugLog;
    TLog FTraceOutput;
    std::unordered_set<std::string> FReported;
    uint64_t FInstructionBudget = DefaultInstructionBudget;
    uint64_t FInstructionsLeft = 0;
    int FDepth = 0;
    int FEntries = 0;
    std::vector<TValue> FStack;
    double FStartTime = 0;
    uint32_t FRandomState = 0;

    TObject* FGlobal = nullptr;
    TObject* FObjectPrototype = nullptr;
    TObject* FFunctionPrototype = nullptr;
    TObject* FArrayPrototype = nullptr;
    TObject* FStringPrototype = nullptr;
    TObject* FNumberPrototype = nullptr;
    TObject* FBooleanPrototype = nullptr;
    TObject* FDatePrototype = nullptr;
    TObject* FMovieClipPrototype = nullptr;
};

}  // namespace quorlin::avm1
