#include "player/avm1/Machine.h"

#include "player/avm1/Array.h"
#include "player/avm1/Builtins.h"
#include "player/avm1/ClipObject.h"
#include "player/avm1/DateObject.h"
#include "player/avm1/Error.h"
#include "player/avm1/Frame.h"
#include "player/avm1/Interpreter.h"
#include "player/avm1/Super.h"
#include "player/avm1/Utf8.h"

#include <cmath>
#include <optional>

namespace quorlin::avm1 {

namespace {

// How many objects an outermost Run may leave behind before it collects.
constexpr size_t CollectThreshold = 20000;

}  // namespace

// Counts entries into the machine from outside and inside: the outermost one
// refills the budget and, on its way out, leaves an empty stack.
class TMachine::TEntry {
public:
    explicit TEntry(TMachine& m) : FMachine(m) {
        if (FMachine.FEntries++ == 0) {
            FMachine.FInstructionsLeft = FMachine.FInstructionBudget;
            FMachine.FStack.clear();
            FMachine.FDepth = 0;
        }
    }
    ~TEntry() {
        if (--FMachine.FEntries == 0) {
            FMachine.FStack.clear();
            FMachine.FDepth = 0;
        }
    }
private:
    TMachine& FMachine;
};

namespace {

class TDepthGuard {
public:
    explicit TDepthGuard(int& depth) : FDepth(depth) {
        if (++FDepth > TMachine::MaxCallDepth) {
            --FDepth;
            throw TScriptError("script stopped: calls nested deeper than " +
                               std::to_string(TMachine::MaxCallDepth));
        }
    }
    ~TDepthGuard() { --FDepth; }

private:
    int& FDepth;
};

}  // namespace

TMachine::TMachine(TClock& clock) : FClock(clock) {
    FStartTime = FClock.NowUtcMs();
    FRandomState = static_cast<uint32_t>(std::fmod(std::fabs(FStartTime), 4294967296.0)) | 1u;
    FObjectPrototype = FHeap.Make<TObject>(nullptr);
    FFunctionPrototype = FHeap.Make<TNativeFunction>(FObjectPrototype,
                                                     [](TMachine&, const TValue&, TArgs) { return TValue(); });
    FGlobal = FHeap.Make<TObject>(FObjectPrototype);
    InstallObject(*this);
    InstallFunction(*this);
    FArrayPrototype = InstallArray(*this);
    FStringPrototype = InstallString(*this);
    FNumberPrototype = InstallNumber(*this);
    FBooleanPrototype = InstallBoolean(*this);
    InstallMath(*this);
    InstallError(*this);
    FDatePrototype = InstallDate(*this);
    InstallGlobals(*this);
    FMovieClipPrototype = InstallMovieClip(*this);
}

TMachine::~TMachine() = default;

void TMachine::Log(const std::string& line) const {
    if (FDebugLog)
        FDebugLog(line);
}

void TMachine::LogOnce(const std::string& key, const std::string& line) {
    constexpr size_t MaxKeys = 1000;
    if (FReported.size() >= MaxKeys || !FReported.insert(key).second)
        return;
    Log(line);
}

void TMachine::Trace(const std::string& line) const {
    if (FTraceOutput)
        FTraceOutput(line);
}

void TMachine::Tick() {
    if (FInstructionsLeft == 0)
        throw TScriptError("script stopped: it ran past its budget of " + std::to_string(FInstructionBudget) +
                           " actions");
    --FInstructionsLeft;
}

uint32_t TMachine::NextRandom() {
    // xorshift32: Math.random and RandomNumber need no better.
    FRandomState ^= FRandomState << 13;
    FRandomState ^= FRandomState >> 17;
    FRandomState ^= FRandomState << 5;
    return FRandomState;
}

// ---- running ----

void TMachine::Run(std::span<const uint8_t> bytes, TObject* target) { Run(TCode::Copy(bytes), target); }

void TMachine::Run(const TCode& code, TObject* target) {
    if (!code.FBytes || code.FBegin > code.FEnd || code.FEnd > code.FBytes->size())
        throw TScriptError("action code lies outside its buffer");
    {
        TEntry entry(*this);
        // A host hook may run a block from inside a script (a goto that runs the
        // new frame's actions at once); such nesting counts as a call.
        std::optional<TDepthGuard> depth;
        if (FEntries > 1)
            depth.emplace(FDepth);
        TFrame frame;
        frame.FCode = code;
        frame.FRegisters.resize(4);
        frame.FScope = {FGlobal};
        if (target)
            frame.FScope.push_back(target);
        frame.FLocals = frame.FTimeline = frame.FTarget = target;
        frame.FThis = target ? TValue(target) : TValue();
        frame.FStackBase = FStack.size();
        TInterpreter(*this, frame).Execute();
        if (FStack.size() > frame.FStackBase)
            FStack.resize(frame.FStackBase);
    }
    if (FEntries == 0 && FHeap.AllocatedSinceCollect() > CollectThreshold)
        Collect();
}

TValue TMachine::Call(const TValue& function, const TValue& self, TArgs args) {
    return CallWithBase(function, self, args, nullptr);
}

TValue TMachine::CallWithBase(const TValue& function, const TValue& self, TArgs args, TObject* baseProto) {
    TObject* f = function.ObjectOrNull();
    if (!f || !f->IsFunction())
        return TValue();
    TEntry entry(*this);
    TDepthGuard depth(FDepth);
    if (auto* script = dynamic_cast<TScriptFunction*>(f))
        return CallScript(script, self, args, baseProto);
    if (auto* native = dynamic_cast<TNativeFunction*>(f))
        return native->CallHandler()(*this, self, args);
    return TValue();
}

TValue TMachine::CallScript(TScriptFunction* function, const TValue& self, TArgs args, TObject* baseProto) {
    TFrame frame;
    frame.FCode = function->FBody;
    frame.FConstants = function->FConstants;
    frame.FScope = function->FScope;
    frame.FTimeline = frame.FTarget = function->FTarget;
    frame.FThis = self;
    frame.FCallee = function;
    frame.FStackBase = FStack.size();

    TObject* activation = FHeap.Make<TObject>(nullptr);
    frame.FScope.push_back(activation);
    frame.FLocals = activation;
    if (baseProto)
        frame.FSuper = FHeap.Make<TSuperObject>(self, baseProto);

    uint16_t flags = function->FVersion2 ? function->FFlags : 0;
    TArrayObject* arguments = NewArray(std::vector<TValue>(args.begin(), args.end()));
    arguments->Define("callee", TValue(function), pfDontEnum);

    if (function->FVersion2) {
        frame.FRegisters.resize(std::max<size_t>(function->FRegisterCount, 1));
        size_t next = 1;
        auto preload = [&](uint16_t flag, TValue value) {
            if ((flags & flag) && next < frame.FRegisters.size())
                frame.FRegisters[next++] = std::move(value);
        };
        TClipObject* timeline = dynamic_cast<TClipObject*>(function->FTarget);
        preload(ffPreloadThis, self);
        preload(ffPreloadArguments, TValue(arguments));
        preload(ffPreloadSuper, frame.FSuper ? TValue(frame.FSuper) : TValue());
        preload(ffPreloadRoot, timeline ? TValue(timeline->RootClip()) : TValue());
        preload(ffPreloadParent, timeline && timeline->ParentClip() ? TValue(timeline->ParentClip()) : TValue());
        preload(ffPreloadGlobal, TValue(FGlobal));
        if (!(flags & (ffPreloadArguments | ffSuppressArguments)))
            activation->Define("arguments", TValue(arguments));
        if (flags & ffSuppressThis)
            frame.FThis = TValue();
        if (flags & ffSuppressSuper)
            frame.FSuper = nullptr;
    } else {
        frame.FRegisters.resize(4);
        activation->Define("arguments", TValue(arguments));
    }
    for (size_t i = 0; i < function->FParameters.size(); ++i) {
        const TParameter& p = function->FParameters[i];
        TValue value = i < args.size() ? args[i] : TValue();
        if (function->FVersion2 && p.FRegister != 0) {
            if (p.FRegister < frame.FRegisters.size())
                frame.FRegisters[p.FRegister] = std::move(value);
        } else {
            activation->Define(p.FName, std::move(value));
        }
    }

    TValue result = TInterpreter(*this, frame).Execute();
    if (FStack.size() > frame.FStackBase)
        FStack.resize(frame.FStackBase);
    return result;
}

TValue TMachine::CallMethod(const TValue& object, const std::string& name, TArgs args) {
    TValue method;
    TObject* holder = nullptr;
    if (TObject* o = object.ObjectOrNull())
        Lookup(o, name, object, method, &holder);
    else
        method = GetMember(object, name);
    return CallWithBase(method, object, args, holder);
}

TObject* TMachine::Construct(const TValue& constructor, TArgs args) {
    TObject* f = constructor.ObjectOrNull();
    if (!f || !f->IsFunction())
        return nullptr;
    TObject* prototype = GetMember(constructor, "prototype").ObjectOrNull();
    if (!prototype)
        prototype = FObjectPrototype;
    if (auto* native = dynamic_cast<TNativeFunction*>(f); native && native->ConstructHandler()) {
        TEntry entry(*this);
        TDepthGuard depth(FDepth);
        return native->ConstructHandler()(*this, prototype, args);
    }
    TObject* made = FHeap.Make<TObject>(prototype);
    made->Define("__constructor__", constructor, pfDontEnum);
    CallWithBase(constructor, TValue(made), args, prototype);
    return made;
}

// ---- conversions ----

TValue TMachine::ToPrimitive(const TValue& v, THint hint) {
    TObject* o = v.ObjectOrNull();
    if (!o)
        return v;
    // A clip reads as its path, as in trace(clip).
    if (auto* clip = dynamic_cast<TClipObject*>(o))
        return clip->DotPath();
    if (hint == THint::Default)
        hint = dynamic_cast<TDateObject*>(o) ? THint::String : THint::Number;
    const char* order[2] = {"valueOf", "toString"};
    if (hint == THint::String)
        std::swap(order[0], order[1]);
    for (const char* name : order) {
        TValue method;
        if (Lookup(o, name, v, method) && method.IsObject() && method.AsObject()->IsFunction()) {
            TValue result = Call(method, v, {});
            if (result.IsPrimitive())
                return result;
        }
    }
    return std::string(o->IsFunction() ? "[type Function]" : "[type Object]");
}

double TMachine::ToNumber(const TValue& v) {
    if (v.IsObject())
        return PrimitiveToNumber(ToPrimitive(v, THint::Number));
    return PrimitiveToNumber(v);
}

std::string TMachine::ToString(const TValue& v) {
    if (v.IsObject())
        return PrimitiveToString(ToPrimitive(v, THint::String));
    return PrimitiveToString(v);
}

TObject* TMachine::ToObject(const TValue& v) {
    switch (v.Kind()) {
    case TValueKind::Object: return v.AsObject();
    case TValueKind::String: return FHeap.Make<TBoxObject>(FStringPrototype, v);
    case TValueKind::Number: return FHeap.Make<TBoxObject>(FNumberPrototype, v);
    case TValueKind::Boolean: return FHeap.Make<TBoxObject>(FBooleanPrototype, v);
    default: return nullptr;
    }
}

std::string TMachine::TypeOf(const TValue& v) const {
    if (v.IsObject())
        return v.AsObject()->TypeOf();
    return PrimitiveTypeName(v.Kind());
}

// ---- members ----

bool TMachine::Lookup(TObject* o, const std::string& name, const TValue& self, TValue& out, TObject** holder) {
    if (name == "__proto__" && o) {
        out = o->Proto() ? TValue(o->Proto()) : TValue();
        if (holder)
            *holder = o;
        return o->Proto() != nullptr;
    }
    // Scripts can make prototype cycles; a chain this long is one.
    for (int depth = 0; o && depth < MaxCallDepth; ++depth, o = o->Proto()) {
        if (o->GetOwn(*this, name, self, out)) {
            if (holder)
                *holder = o;
            return true;
        }
    }
    return false;
}

bool TMachine::HasProperty(TObject* o, const std::string& name) {
    for (int depth = 0; o && depth < MaxCallDepth; ++depth, o = o->Proto())
        if (o->HasOwn(name))
            return true;
    return false;
}

TValue TMachine::GetMember(const TValue& object, const std::string& name) {
    TValue out;
    switch (object.Kind()) {
    case TValueKind::Object: Lookup(object.AsObject(), name, object, out); break;
    case TValueKind::String:
        if (name == "length")
            return static_cast<double>(Utf8Length(object.AsString()));
        Lookup(FStringPrototype, name, object, out);
        break;
    case TValueKind::Number: Lookup(FNumberPrototype, name, object, out); break;
    case TValueKind::Boolean: Lookup(FBooleanPrototype, name, object, out); break;
    default: break;
    }
    return out;
}

void TMachine::SetMember(const TValue& object, const std::string& name, const TValue& value) {
    TObject* o = object.ObjectOrNull();
    if (!o)
        return;
    if (name == "__proto__") {
        if (value.IsObject() || value.IsNull())
            o->SetProto(value.ObjectOrNull());
        return;
    }
    if (!o->HasOwn(name)) {
        // A setter made by addProperty on a prototype applies to its instances.
        TObject* p = o->Proto();
        for (int depth = 0; p && depth < MaxCallDepth; ++depth, p = p->Proto()) {
            const TProperty* property = p->FindOwn(name);
            if (property && (property->FSetter || property->FGetter)) {
                if (property->FSetter) {
                    TValue args[] = {value};
                    Call(TValue(property->FSetter), object, args);
                }
                return;
            }
        }
    }
    o->SetOwn(*this, name, value);
}

bool TMachine::InstanceOf(const TValue& v, TObject* constructor) {
    TObject* o = v.ObjectOrNull();
    if (!o || !constructor)
        return false;
    TObject* prototype = GetMember(TValue(constructor), "prototype").ObjectOrNull();
    if (!prototype)
        return false;
    TObject* p = o->Proto();
    for (int depth = 0; p && depth < MaxCallDepth; ++depth, p = p->Proto()) {
        if (p == prototype)
            return true;
        if (const TProperty* interfaces = p->FindOwn(InterfacesKey)) {
            if (auto* list = dynamic_cast<TArrayObject*>(interfaces->FValue.ObjectOrNull()))
                for (const TValue& i : list->Items())
                    if (i.IsObject() && GetMember(i, "prototype").ObjectOrNull() == prototype)
                        return true;
        }
    }
    return false;
}

// ---- factories ----

TObject* TMachine::NewObject() { return FHeap.Make<TObject>(FObjectPrototype); }

TArrayObject* TMachine::NewArray(std::vector<TValue> items) {
    auto* array = FHeap.Make<TArrayObject>(FArrayPrototype);
    array->Items() = std::move(items);
    return array;
}

TNativeFunction* TMachine::NewFunction(TNativeCall call, TNativeConstruct construct) {
    return FHeap.Make<TNativeFunction>(FFunctionPrototype, std::move(call), std::move(construct));
}

TNativeFunction* TMachine::DefineMethod(TObject* on, const std::string& name, TNativeCall call) {
    TNativeFunction* f = NewFunction(std::move(call));
    on->Define(name, TValue(f), pfDontEnum);
    return f;
}

TNativeFunction* TMachine::DefineClass(const std::string& name, TObject* prototype, TNativeCall call,
                                       TNativeConstruct construct) {
    TNativeFunction* f = NewFunction(std::move(call), std::move(construct));
    f->Define("prototype", TValue(prototype), pfDontEnum | pfDontDelete);
    prototype->Define("constructor", TValue(f), pfDontEnum);
    FGlobal->Define(name, TValue(f), pfDontEnum);
    return f;
}

// ---- garbage ----

void TMachine::MarkRoots(TTracer& tracer) {
    for (TObject* root : {FGlobal, FObjectPrototype, FFunctionPrototype, FArrayPrototype, FStringPrototype,
                          FNumberPrototype, FBooleanPrototype, FDatePrototype, FMovieClipPrototype})
        tracer.Mark(root);
    for (const TValue& v : FStack)
        tracer.Mark(v);
}

void TMachine::Collect() {
    if (Running())
        return;
    FHeap.Collect([this](TTracer& tracer) { MarkRoots(tracer); });
}

}  // namespace quorlin::avm1
