#include "player/avm1/Interpreter.h"

#include "player/avm1/Array.h"
#include "player/avm1/ClipObject.h"
#include "player/avm1/Error.h"
#include "player/avm1/Machine.h"
#include "player/avm1/NumberText.h"
#include "player/avm1/Operators.h"
#include "player/avm1/Super.h"
#include "player/avm1/Utf8.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <unordered_set>

namespace quorlin::avm1 {

using swf::ActionCode;

namespace {

constexpr size_t MaxStack = size_t{1} << 18;

std::string Hex(unsigned value) {
    static const char digits[] = "0123456789ABCDEF";
    return std::string("0x") + digits[(value >> 4) & 15] + digits[value & 15];
}

// "_level3" gives 3; other names nullopt.
std::optional<int> LevelNumber(const std::string& name) {
    if (name.size() <= 6 || name.compare(0, 6, "_level") != 0 || name.size() > 12)
        return std::nullopt;
    int level = 0;
    for (size_t i = 6; i < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9')
            return std::nullopt;
        level = level * 10 + (name[i] - '0');
    }
    return level;
}

bool IsEmptyName(const TValue& v) { return v.IsUndefined() || (v.IsString() && v.AsString().empty()); }

}  // namespace

TValue TInterpreter::Execute() {
    RunRange(FFrame.FCode.FBegin, FFrame.FCode.FEnd);
    return FReturn;
}

TInterpreter::TOutcome TInterpreter::RunRange(size_t begin, size_t end) {
    FPc = begin;
    while (FPc >= begin && FPc < end) {
        auto& withs = FFrame.FWiths;
        while (!withs.empty() && (FPc < withs.back().FBegin || FPc >= withs.back().FEnd))
            withs.pop_back();
        FMachine.Tick();
        TAction action = ReadAction(FFrame.FCode, FPc);
        FPc = action.FNext;
        if (action.FCode == static_cast<uint8_t>(ActionCode::End))
            return TOutcome::Returned;
        if (!Step(action))
            return TOutcome::Returned;
    }
    return TOutcome::Left;
}

// ---- stack ----

void TInterpreter::Push(TValue v) {
    auto& stack = FMachine.Stack();
    if (stack.size() >= MaxStack)
        throw TScriptError("script stopped: its stack grew past " + std::to_string(MaxStack) + " values");
    stack.push_back(std::move(v));
}

TValue TInterpreter::Pop() {
    auto& stack = FMachine.Stack();
    if (stack.size() <= FFrame.FStackBase)
        return TValue();  // an empty stack pops undefined, as in Flash
    TValue v = std::move(stack.back());
    stack.pop_back();
    return v;
}

double TInterpreter::PopNumber() { return FMachine.ToNumber(Pop()); }
std::string TInterpreter::PopString() { return FMachine.ToString(Pop()); }

std::vector<TValue> TInterpreter::PopArgs() {
    double n = PopNumber();
    size_t available = FMachine.Stack().size() - FFrame.FStackBase;
    size_t count = n > 0 ? std::min(available, static_cast<size_t>(std::min(n, 1e9))) : 0;
    std::vector<TValue> args;
    args.reserve(count);
    for (size_t i = 0; i < count; ++i)
        args.push_back(Pop());
    return args;
}

// ---- the actions ----

bool TInterpreter::Step(const TAction& action) {
    TMachine& m = FMachine;
    switch (static_cast<ActionCode>(action.FCode)) {
    // Timeline.
    case ActionCode::NextFrame:
        if (TClipObject* clip = TargetClip())
            clip->NextFrame();
        break;
    case ActionCode::PreviousFrame:
        if (TClipObject* clip = TargetClip())
            clip->PrevFrame();
        break;
    case ActionCode::Play:
        if (TClipObject* clip = TargetClip())
            clip->Play();
        break;
    case ActionCode::Stop:
        if (TClipObject* clip = TargetClip())
            clip->Stop();
        break;
    case ActionCode::GotoFrame: {
        TPayloadReader r(FFrame.FCode, action);
        int frame = r.U16();
        if (TClipObject* clip = TargetClip())
            clip->GotoFrame(frame + 1, false);
        break;
    }
    case ActionCode::GoToLabel: {
        TPayloadReader r(FFrame.FCode, action);
        std::string label = r.String();
        if (TClipObject* clip = TargetClip())
            clip->GotoLabel(label, false);
        break;
    }
    case ActionCode::GotoFrame2: DoGotoFrame2(action); break;
    case ActionCode::SetTarget: {
        TPayloadReader r(FFrame.FCode, action);
        std::string name = r.String();
        FFrame.FTarget = name.empty() ? FFrame.FTimeline : ResolvePath(name, FFrame.FTimeline);
        break;
    }
    case ActionCode::SetTarget2: {
        TValue target = Pop();
        FFrame.FTarget = IsEmptyName(target) ? FFrame.FTimeline : ResolveTarget(target);
        break;
    }
    case ActionCode::WaitForFrame: {
        // Movies arrive whole before they play: every frame is loaded.
        TPayloadReader r(FFrame.FCode, action);
        r.U16();
        r.U8();
        break;
    }
    case ActionCode::WaitForFrame2: Pop(); break;
    case ActionCode::ToggleQuality:
    case ActionCode::StopSounds:
    case ActionCode::EndDrag: break;

    // SWF 4 arithmetic on numbers.
    case ActionCode::Add: {
        double b = PopNumber(), a = PopNumber();
        Push(a + b);
        break;
    }
    case ActionCode::Subtract: {
        double b = PopNumber(), a = PopNumber();
        Push(a - b);
        break;
    }
    case ActionCode::Multiply: {
        double b = PopNumber(), a = PopNumber();
        Push(a * b);
        break;
    }
    case ActionCode::Divide: {
        double b = PopNumber(), a = PopNumber();
        Push(a / b);
        break;
    }
    case ActionCode::Modulo: {
        double b = PopNumber(), a = PopNumber();
        Push(std::fmod(a, b));
        break;
    }
    case ActionCode::Equals: {
        double b = PopNumber(), a = PopNumber();
        Push(a == b);
        break;
    }
    case ActionCode::Less: {
        double b = PopNumber(), a = PopNumber();
        Push(a < b);
        break;
    }
    case ActionCode::And: {
        bool b = ToBoolean(Pop()), a = ToBoolean(Pop());
        Push(a && b);
        break;
    }
    case ActionCode::Or: {
        bool b = ToBoolean(Pop()), a = ToBoolean(Pop());
        Push(a || b);
        break;
    }
    case ActionCode::Not: Push(!ToBoolean(Pop())); break;
    case ActionCode::ToInteger: Push(ToIntegerNumber(PopNumber())); break;
    case ActionCode::Increment: Push(PopNumber() + 1); break;
    case ActionCode::Decrement: Push(PopNumber() - 1); break;
    case ActionCode::ToNumber: Push(PopNumber()); break;
    case ActionCode::ToString: Push(PopString()); break;

    // Strings, byte-wise and by characters.
    case ActionCode::StringEquals: {
        std::string b = PopString(), a = PopString();
        Push(a == b);
        break;
    }
    case ActionCode::StringLess: {
        std::string b = PopString(), a = PopString();
        Push(a < b);
        break;
    }
    case ActionCode::StringGreater: {
        std::string b = PopString(), a = PopString();
        Push(a > b);
        break;
    }
    case ActionCode::StringAdd: {
        std::string b = PopString(), a = PopString();
        CheckStringLength(a.size() + b.size());
        Push(a + b);
        break;
    }
    case ActionCode::StringLength: Push(static_cast<double>(PopString().size())); break;
    case ActionCode::MBStringLength: Push(static_cast<double>(Utf8Length(PopString()))); break;
    case ActionCode::StringExtract: DoStringExtract(false); break;
    case ActionCode::MBStringExtract: DoStringExtract(true); break;
    case ActionCode::CharToAscii: {
        std::string s = PopString();
        Push(s.empty() ? 0.0 : static_cast<double>(static_cast<uint8_t>(s[0])));
        break;
    }
    case ActionCode::MBCharToAscii: {
        std::string s = PopString();
        Push(s.empty() ? 0.0 : static_cast<double>(Utf8CodeAt(s, 0)));
        break;
    }
    case ActionCode::AsciiToChar: Push(std::string(1, static_cast<char>(ToInt32(PopNumber()) & 0xFF))); break;
    case ActionCode::MBAsciiToChar: Push(Utf8Encode(ToUint32(PopNumber()) & 0x1FFFFF)); break;

    // SWF 5+ operators.
    case ActionCode::Add2: {
        TValue b = Pop(), a = Pop();
        Push(Add2(m, a, b));
        break;
    }
    case ActionCode::Less2: {
        TValue b = Pop(), a = Pop();
        Push(Less2(m, a, b));
        break;
    }
    case ActionCode::Greater: {
        TValue b = Pop(), a = Pop();
        Push(Greater(m, a, b));
        break;
    }
    case ActionCode::Equals2: {
        TValue b = Pop(), a = Pop();
        Push(Equals2(m, a, b));
        break;
    }
    case ActionCode::StrictEquals: {
        TValue b = Pop(), a = Pop();
        Push(StrictEquals(a, b));
        break;
    }
    case ActionCode::BitAnd:
    case ActionCode::BitOr:
    case ActionCode::BitXor:
    case ActionCode::BitLShift:
    case ActionCode::BitRShift:
    case ActionCode::BitURShift: {
        double bn = PopNumber(), an = PopNumber();
        int32_t a = ToInt32(an), b = ToInt32(bn);
        uint32_t shift = static_cast<uint32_t>(b) & 31;
        switch (static_cast<ActionCode>(action.FCode)) {
        case ActionCode::BitAnd: Push(static_cast<double>(a & b)); break;
        case ActionCode::BitOr: Push(static_cast<double>(a | b)); break;
        case ActionCode::BitXor: Push(static_cast<double>(a ^ b)); break;
        case ActionCode::BitLShift: Push(static_cast<double>(static_cast<int32_t>(static_cast<uint32_t>(a) << shift))); break;
        case ActionCode::BitRShift: Push(static_cast<double>(a >> shift)); break;
        default: Push(static_cast<double>(ToUint32(an) >> shift)); break;
        }
        break;
    }
    case ActionCode::TypeOf: Push(m.TypeOf(Pop())); break;
    case ActionCode::InstanceOf: {
        TValue ctor = Pop(), object = Pop();
        Push(m.InstanceOf(object, ctor.ObjectOrNull()));
        break;
    }

    // Stack.
    case ActionCode::Push: DoPush(action); break;
    case ActionCode::Pop: Pop(); break;
    case ActionCode::PushDuplicate: {
        TValue v = Pop();
        Push(v);
        Push(v);
        break;
    }
    case ActionCode::StackSwap: {
        TValue b = Pop(), a = Pop();
        Push(b);
        Push(a);
        break;
    }
    case ActionCode::StoreRegister: DoStoreRegister(action); break;
    case ActionCode::ConstantPool: DoConstantPool(action); break;

    // Variables and members.
    case ActionCode::GetVariable: Push(GetVariable(PopString())); break;
    case ActionCode::SetVariable: {
        TValue value = Pop();
        SetVariable(PopString(), value);
        break;
    }
    case ActionCode::DefineLocal: {
        TValue value = Pop();
        DefineLocal(PopString(), value);
        break;
    }
    case ActionCode::DefineLocal2: {
        std::string name = PopString();
        if (FFrame.FLocals && !FFrame.FLocals->HasOwn(name))
            DefineLocal(name, TValue());
        break;
    }
    case ActionCode::Delete: {
        std::string name = PopString();
        TObject* object = Pop().ObjectOrNull();
        Push(object ? object->DeleteOwn(name) : false);
        break;
    }
    case ActionCode::Delete2: Push(DeleteVariable(PopString())); break;
    case ActionCode::GetMember: {
        std::string name = PopString();
        TValue object = Pop();
        Push(m.GetMember(object, name));
        break;
    }
    case ActionCode::SetMember: {
        TValue value = Pop();
        std::string name = PopString();
        TValue object = Pop();
        m.SetMember(object, name, value);
        break;
    }
    case ActionCode::GetProperty: DoGetProperty(); break;
    case ActionCode::SetProperty: DoSetProperty(); break;
    case ActionCode::TargetPath: {
        TValue v = Pop();
        auto* clip = dynamic_cast<TClipObject*>(v.ObjectOrNull());
        Push(clip ? TValue(clip->DotPath()) : TValue());
        break;
    }
    case ActionCode::Enumerate: {
        TValue v = GetVariable(PopString());
        DoEnumerate(v.ObjectOrNull());
        break;
    }
    case ActionCode::Enumerate2: DoEnumerate(Pop().ObjectOrNull()); break;

    // Objects and calls.
    case ActionCode::InitArray: {
        std::vector<TValue> items = PopArgs();
        Push(m.NewArray(std::move(items)));
        break;
    }
    case ActionCode::InitObject: {
        double n = PopNumber();
        TObject* object = m.NewObject();
        for (double i = 0; i < n && FMachine.Stack().size() > FFrame.FStackBase; ++i) {
            TValue value = Pop();
            object->SetOwn(m, PopString(), value);
        }
        Push(object);
        break;
    }
    case ActionCode::CallFunction: DoCallFunction(); break;
    case ActionCode::CallMethod: DoCallMethod(); break;
    case ActionCode::NewObject: DoNewObject(); break;
    case ActionCode::NewMethod: DoNewMethod(); break;
    case ActionCode::DefineFunction: DoDefineFunction(action, false); break;
    case ActionCode::DefineFunction2: DoDefineFunction(action, true); break;
    case ActionCode::Return: FReturn = Pop(); return false;
    case ActionCode::Extends: DoExtends(); break;
    case ActionCode::CastOp: DoCastOp(); break;
    case ActionCode::ImplementsOp: DoImplementsOp(); break;

    // Control flow.
    case ActionCode::Jump: {
        TPayloadReader r(FFrame.FCode, action);
        Branch(action, r.I16());
        break;
    }
    case ActionCode::If: {
        TPayloadReader r(FFrame.FCode, action);
        int16_t offset = r.I16();
        if (ToBoolean(Pop()))
            Branch(action, offset);
        break;
    }
    case ActionCode::With: DoWith(action); break;
    case ActionCode::Try: return DoTry(action) != TOutcome::Returned;
    case ActionCode::Throw: throw TScriptThrow(Pop());

    // Host services.
    case ActionCode::Trace: m.Trace(PopString()); break;
    case ActionCode::GetTime: Push(std::floor(m.Clock().NowUtcMs() - m.StartTimeMs())); break;
    case ActionCode::RandomNumber: {
        int32_t max = ToInt32(PopNumber());
        Push(max > 0 ? static_cast<double>(m.NextRandom() % static_cast<uint32_t>(max)) : 0.0);
        break;
    }

    // Actions this player does not carry out: their operands go, the script goes on.
    case ActionCode::GetURL: m.LogOnce("GetURL", "action GetURL is not supported; skipped"); break;
    case ActionCode::GetURL2:
        Pop();
        Pop();
        m.LogOnce("GetURL2", "action GetURL2 is not supported; skipped");
        break;
    case ActionCode::Call:
        Pop();
        m.LogOnce("Call", "action Call is not supported; skipped");
        break;
    case ActionCode::CloneSprite:
        Pop();
        Pop();
        Pop();
        m.LogOnce("CloneSprite", "action CloneSprite is not supported; skipped");
        break;
    case ActionCode::RemoveSprite:
        Pop();
        m.LogOnce("RemoveSprite", "action RemoveSprite is not supported; skipped");
        break;
    case ActionCode::StartDrag: {
        Pop();
        Pop();
        if (ToBoolean(Pop()))
            for (int i = 0; i < 4; ++i)
                Pop();
        m.LogOnce("StartDrag", "action StartDrag is not supported; skipped");
        break;
    }
    default:
        m.LogOnce("action " + Hex(action.FCode), "unknown action " + Hex(action.FCode) + " at offset " +
                                                     std::to_string(action.FOffset) + " skipped");
        break;
    }
    return true;
}

void TInterpreter::Branch(const TAction& action, int16_t offset) {
    long long target = static_cast<long long>(action.FNext) + offset;
    if (target < static_cast<long long>(FFrame.FCode.FBegin) || target > static_cast<long long>(FFrame.FCode.FEnd))
        throw TScriptError("branch at offset " + std::to_string(action.FOffset) + " leads out of its code");
    FPc = static_cast<size_t>(target);
}

void TInterpreter::DoPush(const TAction& action) {
    TPayloadReader r(FFrame.FCode, action);
    while (!r.AtEnd()) {
        uint8_t type = r.U8();
        switch (static_cast<swf::PushType>(type)) {
        case swf::PushType::String: Push(r.String()); break;
        case swf::PushType::Float: Push(static_cast<double>(r.Float())); break;
        case swf::PushType::Null: Push(TValue::Null()); break;
        case swf::PushType::Undefined: Push(TValue()); break;
        case swf::PushType::Register: {
            uint8_t index = r.U8();
            Push(index < FFrame.FRegisters.size() ? FFrame.FRegisters[index] : TValue());
            break;
        }
        case swf::PushType::Boolean: Push(r.U8() != 0); break;
        case swf::PushType::Double: Push(r.Double()); break;
        case swf::PushType::Integer: Push(static_cast<double>(static_cast<int32_t>(r.U32()))); break;
        case swf::PushType::Constant8:
        case swf::PushType::Constant16: {
            size_t index = type == static_cast<uint8_t>(swf::PushType::Constant8) ? r.U8() : r.U16();
            const auto* pool = FFrame.FConstants.get();
            if (pool && index < pool->size())
                Push((*pool)[index]);
            else
                Push(TValue());  // no such constant: Flash pushes undefined
            break;
        }
        default:
            throw TScriptError("push of unknown value type " + std::to_string(type) + " at offset " +
                               std::to_string(action.FOffset));
        }
    }
}

void TInterpreter::DoConstantPool(const TAction& action) {
    TPayloadReader r(FFrame.FCode, action);
    size_t count = r.U16();
    auto pool = std::make_shared<std::vector<std::string>>();
    pool->reserve(count);
    for (size_t i = 0; i < count; ++i)
        pool->push_back(r.String());
    FFrame.FConstants = std::move(pool);
}

void TInterpreter::DoStoreRegister(const TAction& action) {
    TPayloadReader r(FFrame.FCode, action);
    uint8_t index = r.U8();
    auto& stack = FMachine.Stack();
    TValue top = stack.size() > FFrame.FStackBase ? stack.back() : TValue();
    if (index < FFrame.FRegisters.size())
        FFrame.FRegisters[index] = std::move(top);
}

void TInterpreter::DoDefineFunction(const TAction& action, bool version2) {
    TMachine& m = FMachine;
    TPayloadReader r(FFrame.FCode, action);
    auto* function = m.Heap().Make<TScriptFunction>(m.FunctionPrototype());
    function->FName = r.String();
    function->FVersion2 = version2;
    size_t count = r.U16();
    if (version2) {
        function->FRegisterCount = r.U8();
        function->FFlags = r.U16();
    }
    for (size_t i = 0; i < count; ++i) {
        TParameter p;
        if (version2)
            p.FRegister = r.U8();
        p.FName = r.String();
        function->FParameters.push_back(std::move(p));
    }
    size_t bodySize = r.U16();
    size_t bodyBegin = action.FNext;
    if (bodySize > FFrame.FCode.FEnd - bodyBegin)
        throw TScriptError("function body at offset " + std::to_string(action.FOffset) + " runs past its code");
    function->FBody = FFrame.FCode.Sub(bodyBegin, bodyBegin + bodySize);
    function->FConstants = FFrame.FConstants;
    function->FScope = ScopeChain();
    function->FTarget = FFrame.FTimeline;
    TObject* prototype = m.NewObject();
    prototype->Define("constructor", TValue(function), pfDontEnum);
    function->Define("prototype", TValue(prototype), pfDontEnum);
    FPc = bodyBegin + bodySize;
    if (function->FName.empty())
        Push(function);
    else
        DefineLocal(function->FName, function);
}

TInterpreter::TOutcome TInterpreter::DoTry(const TAction& action) {
    TPayloadReader r(FFrame.FCode, action);
    uint8_t flags = r.U8();
    size_t trySize = r.U16(), catchSize = r.U16(), finallySize = r.U16();
    bool hasCatch = flags & 1, hasFinally = flags & 2, catchInRegister = flags & 4;
    uint8_t catchRegister = 0;
    std::string catchName;
    if (catchInRegister)
        catchRegister = r.U8();
    else
        catchName = r.String();
    size_t tryBegin = action.FNext;
    size_t catchBegin = tryBegin + trySize;
    size_t finallyBegin = catchBegin + catchSize;
    size_t finallyEnd = finallyBegin + finallySize;
    if (finallyEnd > FFrame.FCode.FEnd)
        throw TScriptError("try block at offset " + std::to_string(action.FOffset) + " runs past its code");

    size_t withDepth = FFrame.FWiths.size();
    size_t stackDepth = FMachine.Stack().size();
    std::optional<TValue> pending;
    TOutcome outcome = TOutcome::Left;
    size_t exit = finallyEnd;
    auto unwind = [&] {
        FFrame.FWiths.resize(std::min(withDepth, FFrame.FWiths.size()));
        if (FMachine.Stack().size() > stackDepth)
            FMachine.Stack().resize(stackDepth);
    };
    try {
        outcome = RunRange(tryBegin, catchBegin);
        exit = FPc;
    } catch (TScriptThrow& thrown) {
        unwind();
        if (hasCatch) {
            if (catchInRegister) {
                if (catchRegister < FFrame.FRegisters.size())
                    FFrame.FRegisters[catchRegister] = thrown.Value();
            } else {
                DefineLocal(catchName, thrown.Value());
            }
            try {
                outcome = RunRange(catchBegin, finallyBegin);
                exit = FPc;
            } catch (TScriptThrow& again) {
                unwind();
                pending = again.Value();
            }
        } else {
            pending = thrown.Value();
        }
    }
    // Falling into the catch or finally bytes is the normal way out of the block.
    if (exit >= catchBegin && exit <= finallyEnd)
        exit = finallyEnd;
    if (hasFinally) {
        TValue returned = FReturn;
        if (RunRange(finallyBegin, finallyEnd) == TOutcome::Returned)
            return TOutcome::Returned;  // a return in finally wins over everything
        FReturn = returned;
    }
    if (pending)
        throw TScriptThrow(*pending);
    if (outcome == TOutcome::Returned)
        return TOutcome::Returned;
    FPc = exit;
    return TOutcome::Left;
}

void TInterpreter::DoWith(const TAction& action) {
    TPayloadReader r(FFrame.FCode, action);
    size_t size = r.U16();
    TObject* object = FMachine.ToObject(Pop());
    if (size > FFrame.FCode.FEnd - action.FNext)
        throw TScriptError("with block at offset " + std::to_string(action.FOffset) + " runs past its code");
    if (object)
        FFrame.FWiths.push_back(TWithScope{object, action.FNext, action.FNext + size});
}

void TInterpreter::DoGotoFrame2(const TAction& action) {
    TPayloadReader r(FFrame.FCode, action);
    uint8_t flags = r.U8();
    bool play = flags & 1;
    int bias = (flags & 2) ? r.U16() : 0;
    TValue frame = Pop();
    TClipObject* clip = TargetClip();
    if (frame.IsString()) {
        std::string text = frame.AsString();
        size_t colon = text.rfind(':');
        if (colon != std::string::npos) {
            clip = dynamic_cast<TClipObject*>(ResolvePath(text.substr(0, colon), FFrame.FTarget));
            text = text.substr(colon + 1);
        }
        if (!clip)
            return;
        double number = StringToNumber(text);
        if (std::isnan(number))
            clip->GotoLabel(text, play);
        else
            clip->GotoFrame(static_cast<int>(std::clamp(number, -1e9, 1e9)) + bias, play);
        return;
    }
    double number = FMachine.ToNumber(frame);
    if (clip && std::isfinite(number))
        clip->GotoFrame(static_cast<int>(std::clamp(number, -1e9, 1e9)) + bias, play);
}

// ---- variables and targets ----

std::vector<TObject*> TInterpreter::ScopeChain() const {
    std::vector<TObject*> chain = FFrame.FScope;
    for (const TWithScope& with : FFrame.FWiths)
        chain.push_back(with.FObject);
    return chain;
}

TClipObject* TInterpreter::TargetClip() { return dynamic_cast<TClipObject*>(FFrame.FTarget); }

bool TInterpreter::SpecialName(const std::string& name, TValue& out) {
    if (name.empty() || (name[0] != '_' && name != "this" && name != "super"))
        return false;
    if (name == "this") {
        out = FFrame.FThis;
        return true;
    }
    if (name == "super") {
        if (!FFrame.FSuper)
            return false;
        out = FFrame.FSuper;
        return true;
    }
    if (name == "_global") {
        out = FMachine.Global();
        return true;
    }
    TClipObject* clip = TargetClip();
    if (!clip)
        clip = dynamic_cast<TClipObject*>(FFrame.FTimeline);
    if (name == "_root") {
        out = clip ? TValue(clip->RootClip()) : TValue();
        return true;
    }
    if (name == "_parent") {
        out = clip && clip->ParentClip() ? TValue(clip->ParentClip()) : TValue();
        return true;
    }
    if (auto level = LevelNumber(name)) {
        TDisplayHost* host = FMachine.DisplayHost();
        TClipObject* levelClip = host ? host->LevelClip(*level) : nullptr;
        out = levelClip ? TValue(levelClip) : TValue();
        return true;
    }
    return false;
}

TObject* TInterpreter::ResolvePath(const std::string& path, TObject* start) {
    if (path.empty())
        return start;
    TObject* current = start;
    size_t i = 0;
    if (path[0] == '/') {
        auto* clip = dynamic_cast<TClipObject*>(start ? start : FFrame.FTimeline);
        if (!clip)
            return nullptr;
        current = clip->RootClip();
        i = 1;
    }
    bool first = i == 0;
    while (i < path.size() && current) {
        size_t end;
        std::string segment;
        if (path.compare(i, 2, "..") == 0) {
            segment = "..";
            end = i + 2;
        } else {
            end = path.find_first_of("/.", i);
            if (end == std::string::npos)
                end = path.size();
            segment = path.substr(i, end - i);
        }
        i = end < path.size() ? end + 1 : end;
        if (segment.empty())
            continue;
        auto* clip = dynamic_cast<TClipObject*>(current);
        if (segment == ".." || segment == "_parent") {
            current = clip ? clip->ParentClip() : nullptr;
        } else if (segment == "_root") {
            current = clip ? clip->RootClip() : nullptr;
        } else if (first) {
            // The first name of a relative path is a member of where the path
            // starts, or else a variable of the scope chain, so "a.b" and "_root.b"
            // read as they do in scripts.
            TValue v;
            if (!SpecialName(segment, v)) {
                if (start)
                    v = FMachine.GetMember(TValue(start), segment);
                if (v.IsUndefined())
                    v = GetVariable(segment);
            }
            current = v.ObjectOrNull();
        } else {
            current = FMachine.GetMember(TValue(current), segment).ObjectOrNull();
        }
        first = false;
    }
    return current;
}

TObject* TInterpreter::ResolveTarget(const TValue& target) {
    if (target.IsObject())
        return target.AsObject();
    return ResolvePath(FMachine.ToString(target), FFrame.FTarget ? FFrame.FTarget : FFrame.FTimeline);
}

TValue TInterpreter::GetVariable(const std::string& name) {
    TValue out;
    if (SpecialName(name, out))
        return out;
    size_t colon = name.rfind(':');
    if (colon != std::string::npos) {
        TObject* holder = ResolvePath(name.substr(0, colon), FFrame.FTarget);
        return holder ? FMachine.GetMember(TValue(holder), name.substr(colon + 1)) : TValue();
    }
    if (name.find('/') != std::string::npos) {
        TObject* clip = ResolvePath(name, FFrame.FTarget);
        return clip ? TValue(clip) : TValue();
    }
    size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0 && dot + 1 < name.size()) {
        TObject* holder = ResolvePath(name.substr(0, dot), FFrame.FTarget);
        return holder ? FMachine.GetMember(TValue(holder), name.substr(dot + 1)) : TValue();
    }
    std::vector<TObject*> chain = ScopeChain();
    for (auto it = chain.rbegin(); it != chain.rend(); ++it)
        if (FMachine.Lookup(*it, name, TValue(*it), out))
            return out;
    return TValue();
}

void TInterpreter::SetVariable(const std::string& name, const TValue& value) {
    size_t colon = name.rfind(':');
    size_t dot = name.rfind('.');
    if (colon != std::string::npos || (dot != std::string::npos && dot > 0 && dot + 1 < name.size())) {
        size_t split = colon != std::string::npos ? colon : dot;
        TObject* holder = ResolvePath(name.substr(0, split), FFrame.FTarget);
        if (holder)
            FMachine.SetMember(TValue(holder), name.substr(split + 1), value);
        return;
    }
    std::vector<TObject*> chain = ScopeChain();
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        if (FMachine.HasProperty(*it, name)) {
            FMachine.SetMember(TValue(*it), name, value);
            return;
        }
    }
    // Undeclared names land on the timeline, also from inside a function.
    if (FFrame.FTimeline)
        FMachine.SetMember(TValue(FFrame.FTimeline), name, value);
}

void TInterpreter::DefineLocal(const std::string& name, const TValue& value) {
    TObject* locals = FFrame.FLocals ? FFrame.FLocals : FFrame.FTimeline;
    if (locals)
        locals->SetOwn(FMachine, name, value);
}

bool TInterpreter::DeleteVariable(const std::string& name) {
    std::vector<TObject*> chain = ScopeChain();
    for (auto it = chain.rbegin(); it != chain.rend(); ++it)
        if ((*it)->HasOwn(name))
            return (*it)->DeleteOwn(name);
    return false;
}

// ---- calls and objects ----

void TInterpreter::DoCallFunction() {
    std::string name = PopString();
    std::vector<TValue> args = PopArgs();
    TValue function = GetVariable(name);
    if (auto* super = dynamic_cast<TSuperObject*>(function.ObjectOrNull())) {
        Push(FMachine.CallWithBase(super->Constructor(FMachine), super->This(), args, super->Above()));
        return;
    }
    // A plain call runs with the timeline that defined the function as this.
    TValue self;
    if (auto* script = dynamic_cast<TScriptFunction*>(function.ObjectOrNull()))
        self = script->FTarget;
    if (!function.IsObject() || !function.AsObject()->IsFunction())
        FMachine.LogOnce("call " + name, "call of '" + name + "', which is not a function");
    Push(FMachine.Call(function, self, args));
}

void TInterpreter::DoCallMethod() {
    TValue name = Pop();
    TValue object = Pop();
    std::vector<TValue> args = PopArgs();
    TMachine& m = FMachine;
    if (auto* super = dynamic_cast<TSuperObject*>(object.ObjectOrNull())) {
        if (IsEmptyName(name)) {
            Push(m.CallWithBase(super->Constructor(m), super->This(), args, super->Above()));
            return;
        }
        TValue method;
        TObject* holder = nullptr;
        TObject* above = super->Above();
        if (above)
            m.Lookup(above, m.ToString(name), super->This(), method, &holder);
        Push(m.CallWithBase(method, super->This(), args, holder));
        return;
    }
    if (IsEmptyName(name)) {
        Push(m.Call(object, TValue(), args));
        return;
    }
    std::string methodName = m.ToString(name);
    TValue method;
    TObject* holder = nullptr;
    if (TObject* o = object.ObjectOrNull())
        m.Lookup(o, methodName, object, method, &holder);
    else
        method = m.GetMember(object, methodName);
    Push(m.CallWithBase(method, object, args, holder));
}

void TInterpreter::DoNewObject() {
    std::string name = PopString();
    std::vector<TValue> args = PopArgs();
    TObject* made = FMachine.Construct(GetVariable(name), args);
    if (!made)
        FMachine.LogOnce("new " + name, "new '" + name + "', which is not a function");
    Push(made ? TValue(made) : TValue());
}

void TInterpreter::DoNewMethod() {
    TValue name = Pop();
    TValue object = Pop();
    std::vector<TValue> args = PopArgs();
    TValue constructor = IsEmptyName(name) ? object : FMachine.GetMember(object, FMachine.ToString(name));
    TObject* made = FMachine.Construct(constructor, args);
    Push(made ? TValue(made) : TValue());
}

void TInterpreter::DoEnumerate(TObject* object) {
    Push(TValue());  // the end marker
    if (!object)
        return;
    std::vector<std::string> names;
    std::unordered_set<std::string> seen;
    TObject* o = object;
    for (int depth = 0; o && depth < TMachine::MaxCallDepth; ++depth, o = o->Proto()) {
        std::vector<std::string> own;
        o->OwnKeys(own);
        for (std::string& name : own)
            if (seen.insert(name).second)
                names.push_back(std::move(name));
    }
    for (std::string& name : names)
        Push(std::move(name));
}

void TInterpreter::DoExtends() {
    TMachine& m = FMachine;
    TValue superclass = Pop();
    TValue subclass = Pop();
    if (!subclass.IsObject() || !superclass.IsObject())
        return;
    TObject* prototype = m.NewObject();
    prototype->SetProto(m.GetMember(superclass, "prototype").ObjectOrNull());
    prototype->Define("__constructor__", superclass, pfDontEnum);
    subclass.AsObject()->Define("prototype", TValue(prototype), pfDontEnum);
}

void TInterpreter::DoCastOp() {
    TValue object = Pop();
    TValue constructor = Pop();
    Push(FMachine.InstanceOf(object, constructor.ObjectOrNull()) ? object : TValue::Null());
}

void TInterpreter::DoImplementsOp() {
    TMachine& m = FMachine;
    TValue constructor = Pop();
    std::vector<TValue> interfaces = PopArgs();
    TObject* prototype = m.GetMember(constructor, "prototype").ObjectOrNull();
    if (prototype)
        prototype->Define(InterfacesKey, TValue(m.NewArray(std::move(interfaces))), pfDontEnum);
}

void TInterpreter::DoGetProperty() {
    double index = PopNumber();
    TValue target = Pop();
    auto* clip = dynamic_cast<TClipObject*>(IsEmptyName(target) ? FFrame.FTarget : ResolveTarget(target));
    if (!clip || !(index >= 0 && index <= static_cast<double>(swf::PropertyIndex::YMouse))) {
        Push(TValue());
        return;
    }
    Push(clip->ReadProperty(static_cast<swf::PropertyIndex>(static_cast<int>(index))));
}

void TInterpreter::DoSetProperty() {
    TValue value = Pop();
    double index = PopNumber();
    TValue target = Pop();
    auto* clip = dynamic_cast<TClipObject*>(IsEmptyName(target) ? FFrame.FTarget : ResolveTarget(target));
    if (clip && index >= 0 && index <= static_cast<double>(swf::PropertyIndex::YMouse))
        clip->WriteProperty(FMachine, static_cast<swf::PropertyIndex>(static_cast<int>(index)), value);
}

void TInterpreter::DoStringExtract(bool multiByte) {
    double count = PopNumber();
    double index = PopNumber();
    std::string text = PopString();
    // SWF 4 counts from 1; out-of-range parts clamp to the string.
    double length = static_cast<double>(multiByte ? Utf8Length(text) : text.size());
    double start = std::isnan(index) ? 0 : std::clamp(std::trunc(index) - 1, 0.0, length);
    double n = std::isnan(count) || count < 0 ? length - start : std::min(std::trunc(count), length - start);
    size_t s = static_cast<size_t>(start), c = static_cast<size_t>(n);
    Push(multiByte ? Utf8Substring(text, s, c) : text.substr(s, c));
}

}  // namespace quorlin::avm1
