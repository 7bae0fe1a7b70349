#pragma once
// A small builder for AVM1 code: one call per action, branches to named labels, and
// function, With and Try bodies given as assemblers of their own. Assemble() resolves
// the labels to byte offsets (or, for WaitForFrame, to action counts).

#include "player/swf/Action.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace quorlin::swf {

struct TTryBlock;
class TFunction2;

class TActionAssembler {
public:
    // Any action without payload (Add2, GetVariable, ...), and Call.
    TActionAssembler& Op(ActionCode code);
    // Any action with its decoded payload; for codes the other calls do not cover.
    TActionAssembler& Action(uint8_t code, TActionData data);

    TActionAssembler& Push(std::vector<TPushValue> values);
    TActionAssembler& ConstantPool(std::vector<std::string> strings);
    // The push value for a string of the last ConstantPool; an absent string is an error.
    TPushValue Const(const std::string& s) const;

    TActionAssembler& GotoFrame(uint16_t frame);
    TActionAssembler& GetUrl(std::string url, std::string target);
    TActionAssembler& StoreRegister(uint8_t reg);
    TActionAssembler& WaitForFrame(uint16_t frame, std::string skipToLabel);
    TActionAssembler& WaitForFrame2(std::string skipToLabel);
    TActionAssembler& SetTarget(std::string target);
    TActionAssembler& GoToLabel(std::string frameLabel);
    TActionAssembler& GetUrl2(uint8_t flags);
    TActionAssembler& GotoFrame2(bool play, std::optional<uint16_t> sceneBias = {});
    TActionAssembler& Jump(std::string label);
    TActionAssembler& If(std::string label);

    TActionAssembler& DefineFunction(std::string name, std::vector<std::string> params, const TActionAssembler& body);
    TActionAssembler& DefineFunction2(const TFunction2& function);
    TActionAssembler& With(const TActionAssembler& body);
    TActionAssembler& Try(const TTryBlock& block);

    // Marks the position of the next action.
    TActionAssembler& Label(std::string name);
    TActionAssembler& End() { return Op(ActionCode::End); }

    // The bytes of the program; labels resolved. Throws on an unknown label or an
    // offset that does not fit its field.
    std::vector<uint8_t> Assemble() const;

private:
    struct TItem {
        TAction Action;
        std::string LabelRef;        // Jump, If, WaitForFrame: the label they name
        std::vector<uint8_t> Body;   // bytes that follow the action (function, With, Try bodies)
        uint32_t BodyActions = 0;    // actions inside Body, for WaitForFrame counts
        std::optional<std::string> LabelDef;  // set for label markers, which emit nothing
    };
    TActionAssembler& Add(TItem item);
    TActionAssembler& AddWithBody(uint8_t code, TActionData data, std::vector<uint8_t> body);

    std::vector<TItem> FItems;
    std::map<std::string, bool> FLabels;
    std::vector<std::string> FPool;
};

struct TTryBlock {
    TActionAssembler TryBody;
    std::optional<TActionAssembler> CatchBody;
    std::optional<TActionAssembler> FinallyBody;
    // The caught value goes to the variable CatchName, or to CatchRegister when set.
    std::string CatchName;
    std::optional<uint8_t> CatchRegister;
};

// A DefineFunction2 with its register allocation. The values the flags preload take
// registers from 1 on in the order this, arguments, super, _root, _parent, _global;
// parameters and locals follow in the order they are declared.
class TFunction2 {
public:
    TFunction2(std::string name, uint16_t flags);

    // A parameter held in a newly allocated register.
    uint8_t Param(const std::string& name);
    // A parameter held as a local variable, not in a register.
    void VariableParam(const std::string& name);
    // A register for a local variable of the body.
    uint8_t Local(const std::string& name);
    // The register of a parameter, a local, or a preloaded value by its name.
    uint8_t Register(const std::string& name) const;

    // The action's header; its CodeSize is filled in by the assembler.
    TActionDefineFunction2 Header() const;

    TActionAssembler Body;

private:
    uint8_t Allocate(const std::string& name);

    std::string FName;
    uint16_t FFlags;
    std::vector<TFunction2Param> FParams;
    std::map<std::string, uint8_t> FRegisters;
    unsigned FNext = 1;
};

}  // namespace quorlin::swf
