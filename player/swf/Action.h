#pragma once
// One decoded AVM1 action: its place in the block, its code, and the payload of the
// actions that carry one. The reader (ActionReader) and the writer (ActionWriter) turn
// these into bytes and back; the assembler and the virtual machine build on them.

#include "player/swf/ActionCode.h"

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace quorlin::swf {

// A value of ActionPush. Number holds Float and Double values, Index the register or
// constant number, Integer the Integer type.
struct TPushValue {
    PushType Type = PushType::Undefined;
    std::string String;
    double Number = 0;
    int32_t Integer = 0;
    bool Boolean = false;
    uint16_t Index = 0;

    static TPushValue Str(std::string s);
    static TPushValue Float(float f);
    static TPushValue Dbl(double d);
    static TPushValue Int(int32_t i);
    static TPushValue Bool(bool b);
    static TPushValue Null();
    static TPushValue Undef();
    static TPushValue Reg(uint8_t r);
    // Constant8 below 256, Constant16 from there on.
    static TPushValue Constant(uint16_t index);

    bool operator==(const TPushValue&) const = default;
};

struct TActionPush { std::vector<TPushValue> Values; bool operator==(const TActionPush&) const = default; };
struct TActionConstantPool { std::vector<std::string> Strings; bool operator==(const TActionConstantPool&) const = default; };
struct TActionGotoFrame { uint16_t Frame = 0; bool operator==(const TActionGotoFrame&) const = default; };
struct TActionGetUrl { std::string Url, Target; bool operator==(const TActionGetUrl&) const = default; };
struct TActionStoreRegister { uint8_t Register = 0; bool operator==(const TActionStoreRegister&) const = default; };
struct TActionWaitForFrame { uint16_t Frame = 0; uint8_t SkipCount = 0; bool operator==(const TActionWaitForFrame&) const = default; };
struct TActionWaitForFrame2 { uint8_t SkipCount = 0; bool operator==(const TActionWaitForFrame2&) const = default; };
// SetTarget and GoToLabel: one string.
struct TActionName { std::string Name; bool operator==(const TActionName&) const = default; };
// Jump and If: a signed offset from the end of this action.
struct TActionBranch { int16_t Offset = 0; bool operator==(const TActionBranch&) const = default; };
struct TActionGetUrl2 { uint8_t Flags = 0; bool operator==(const TActionGetUrl2&) const = default; };
struct TActionGotoFrame2 {
    bool Play = false;
    std::optional<uint16_t> SceneBias;
    bool operator==(const TActionGotoFrame2&) const = default;
};
// DefineFunction: the body is the CodeSize bytes that follow the action.
struct TActionDefineFunction {
    std::string Name;
    std::vector<std::string> Params;
    uint16_t CodeSize = 0;
    bool operator==(const TActionDefineFunction&) const = default;
};

// The flag word of DefineFunction2, as a little-endian 16-bit value.
namespace Function2Flag {
constexpr uint16_t PreloadThis = 0x0001;
constexpr uint16_t SuppressThis = 0x0002;
constexpr uint16_t PreloadArguments = 0x0004;
constexpr uint16_t SuppressArguments = 0x0008;
constexpr uint16_t PreloadSuper = 0x0010;
constexpr uint16_t SuppressSuper = 0x0020;
constexpr uint16_t PreloadRoot = 0x0040;
constexpr uint16_t PreloadParent = 0x0080;
constexpr uint16_t PreloadGlobal = 0x0100;
}  // namespace Function2Flag

struct TFunction2Param {
    uint8_t Register = 0;  // 0: the parameter lives in a variable, not a register
    std::string Name;
    bool operator==(const TFunction2Param&) const = default;
};

struct TActionDefineFunction2 {
    std::string Name;
    uint8_t RegisterCount = 0;
    uint16_t Flags = 0;
    std::vector<TFunction2Param> Params;
    uint16_t CodeSize = 0;
    bool operator==(const TActionDefineFunction2&) const = default;
};

// Try: the try, catch and finally blocks follow the action in that order.
struct TActionTry {
    bool HasCatch = false;
    bool HasFinally = false;
    bool CatchInRegister = false;
    uint16_t TrySize = 0, CatchSize = 0, FinallySize = 0;
    std::string CatchName;
    uint8_t CatchRegister = 0;
    bool operator==(const TActionTry&) const = default;
};

// With: the body is the Size bytes that follow.
struct TActionWith { uint16_t Size = 0; bool operator==(const TActionWith&) const = default; };

// A payload the reader does not decode (an action code unknown to SWF 7).
struct TActionRaw { std::vector<uint8_t> Bytes; bool operator==(const TActionRaw&) const = default; };

using TActionData = std::variant<std::monostate, TActionPush, TActionConstantPool, TActionGotoFrame,
                                 TActionGetUrl, TActionStoreRegister, TActionWaitForFrame, TActionWaitForFrame2,
                                 TActionName, TActionBranch, TActionGetUrl2, TActionGotoFrame2,
                                 TActionDefineFunction, TActionDefineFunction2, TActionTry, TActionWith,
                                 TActionRaw>;

struct TAction {
    uint32_t Offset = 0;  // within the action block
    uint8_t Code = 0;
    uint32_t Size = 0;  // header and payload, without any trailing body
    TActionData Data;

    ActionCode Op() const { return ActionCode(Code); }
    // Branch target as an offset in the block (Jump and If only).
    int64_t Target() const;
    // Bytes of body that follow this action and belong to it (functions, With, Try).
    uint32_t BodySize() const;
};

}  // namespace quorlin::swf
