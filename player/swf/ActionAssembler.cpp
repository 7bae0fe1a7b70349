#include "player/swf/ActionAssembler.h"

#include "player/swf/ActionName.h"
#include "player/swf/ActionReader.h"
#include "player/swf/ActionWriter.h"
#include "player/swf/ByteWriter.h"
#include "player/swf/SwfError.h"

#include <algorithm>

namespace quorlin::swf {

namespace {

uint16_t BodySize(const std::vector<uint8_t>& body, const char* what) {
    if (body.size() > 0xFFFF) {
        throw TSwfError(std::string(what) + " body of " + std::to_string(body.size()) + " bytes exceeds 65535");
    }
    return uint16_t(body.size());
}

uint32_t CountActions(const std::vector<uint8_t>& bytes) {
    return bytes.empty() ? 0 : uint32_t(ReadActions(bytes).size());
}

}  // namespace

TActionAssembler& TActionAssembler::Add(TItem item) {
    FItems.push_back(std::move(item));
    return *this;
}

TActionAssembler& TActionAssembler::Op(ActionCode code) {
    if (HasPayload(uint8_t(code)) && code != ActionCode::Call) {
        throw TSwfError("action " + ActionName(uint8_t(code)) + " needs its payload");
    }
    return Action(uint8_t(code), std::monostate{});
}

TActionAssembler& TActionAssembler::Action(uint8_t code, TActionData data) {
    TItem item;
    item.Action.Code = code;
    item.Action.Data = std::move(data);
    ActionSize(item.Action);  // reject a payload that cannot be written now, where the caller is
    return Add(std::move(item));
}

TActionAssembler& TActionAssembler::Push(std::vector<TPushValue> values) {
    return Action(uint8_t(ActionCode::Push), TActionPush{std::move(values)});
}

TActionAssembler& TActionAssembler::ConstantPool(std::vector<std::string> strings) {
    FPool = strings;
    return Action(uint8_t(ActionCode::ConstantPool), TActionConstantPool{std::move(strings)});
}

TPushValue TActionAssembler::Const(const std::string& s) const {
    auto it = std::find(FPool.begin(), FPool.end(), s);
    if (it == FPool.end()) throw TSwfError("string \"" + s + "\" is not in the constant pool");
    return TPushValue::Constant(uint16_t(it - FPool.begin()));
}

TActionAssembler& TActionAssembler::GotoFrame(uint16_t frame) {
    return Action(uint8_t(ActionCode::GotoFrame), TActionGotoFrame{frame});
}

TActionAssembler& TActionAssembler::GetUrl(std::string url, std::string target) {
    return Action(uint8_t(ActionCode::GetURL), TActionGetUrl{std::move(url), std::move(target)});
}

TActionAssembler& TActionAssembler::StoreRegister(uint8_t reg) {
    return Action(uint8_t(ActionCode::StoreRegister), TActionStoreRegister{reg});
}

TActionAssembler& TActionAssembler::WaitForFrame(uint16_t frame, std::string skipToLabel) {
    TItem item;
    item.Action.Code = uint8_t(ActionCode::WaitForFrame);
    item.Action.Data = TActionWaitForFrame{frame, 0};
    item.LabelRef = std::move(skipToLabel);
    return Add(std::move(item));
}

TActionAssembler& TActionAssembler::WaitForFrame2(std::string skipToLabel) {
    TItem item;
    item.Action.Code = uint8_t(ActionCode::WaitForFrame2);
    item.Action.Data = TActionWaitForFrame2{0};
    item.LabelRef = std::move(skipToLabel);
    return Add(std::move(item));
}

TActionAssembler& TActionAssembler::SetTarget(std::string target) {
    return Action(uint8_t(ActionCode::SetTarget), TActionName{std::move(target)});
}

TActionAssembler& TActionAssembler::GoToLabel(std::string frameLabel) {
    return Action(uint8_t(ActionCode::GoToLabel), TActionName{std::move(frameLabel)});
}

TActionAssembler& TActionAssembler::GetUrl2(uint8_t flags) {
    return Action(uint8_t(ActionCode::GetURL2), TActionGetUrl2{flags});
}

TActionAssembler& TActionAssembler::GotoFrame2(bool play, std::optional<uint16_t> sceneBias) {
    return Action(uint8_t(ActionCode::GotoFrame2), TActionGotoFrame2{play, sceneBias});
}

TActionAssembler& TActionAssembler::Jump(std::string label) {
    TItem item;
    item.Action.Code = uint8_t(ActionCode::Jump);
    item.Action.Data = TActionBranch{0};
    item.LabelRef = std::move(label);
    return Add(std::move(item));
}

TActionAssembler& TActionAssembler::If(std::string label) {
    TItem item;
    item.Action.Code = uint8_t(ActionCode::If);
    item.Action.Data = TActionBranch{0};
    item.LabelRef = std::move(label);
    return Add(std::move(item));
}

TActionAssembler& TActionAssembler::AddWithBody(uint8_t code, TActionData data, std::vector<uint8_t> body) {
    TItem item;
    item.Action.Code = code;
    item.Action.Data = std::move(data);
    item.BodyActions = CountActions(body);
    item.Body = std::move(body);
    ActionSize(item.Action);
    return Add(std::move(item));
}

TActionAssembler& TActionAssembler::DefineFunction(std::string name, std::vector<std::string> params,
                                                   const TActionAssembler& body) {
    std::vector<uint8_t> code = body.Assemble();
    TActionDefineFunction f{std::move(name), std::move(params), BodySize(code, "DefineFunction")};
    return AddWithBody(uint8_t(ActionCode::DefineFunction), std::move(f), std::move(code));
}

TActionAssembler& TActionAssembler::DefineFunction2(const TFunction2& function) {
    std::vector<uint8_t> code = function.Body.Assemble();
    TActionDefineFunction2 f = function.Header();
    f.CodeSize = BodySize(code, "DefineFunction2");
    return AddWithBody(uint8_t(ActionCode::DefineFunction2), std::move(f), std::move(code));
}

TActionAssembler& TActionAssembler::With(const TActionAssembler& body) {
    std::vector<uint8_t> code = body.Assemble();
    TActionWith w{BodySize(code, "With")};
    return AddWithBody(uint8_t(ActionCode::With), w, std::move(code));
}

TActionAssembler& TActionAssembler::Try(const TTryBlock& block) {
    TActionTry t;
    std::vector<uint8_t> tryCode = block.TryBody.Assemble();
    std::vector<uint8_t> catchCode, finallyCode;
    t.TrySize = BodySize(tryCode, "Try");
    if (block.CatchBody) {
        t.HasCatch = true;
        catchCode = block.CatchBody->Assemble();
        t.CatchSize = BodySize(catchCode, "Catch");
    }
    if (block.FinallyBody) {
        t.HasFinally = true;
        finallyCode = block.FinallyBody->Assemble();
        t.FinallySize = BodySize(finallyCode, "Finally");
    }
    if (block.CatchRegister) {
        t.CatchInRegister = true;
        t.CatchRegister = *block.CatchRegister;
    } else {
        t.CatchName = block.CatchName;
    }
    tryCode.insert(tryCode.end(), catchCode.begin(), catchCode.end());
    tryCode.insert(tryCode.end(), finallyCode.begin(), finallyCode.end());
    return AddWithBody(uint8_t(ActionCode::Try), t, std::move(tryCode));
}

TActionAssembler& TActionAssembler::Label(std::string name) {
    if (!FLabels.emplace(name, true).second) throw TSwfError("label \"" + name + "\" defined twice");
    TItem item;
    item.LabelDef = std::move(name);
    return Add(std::move(item));
}

std::vector<uint8_t> TActionAssembler::Assemble() const {
    struct TPlace {
        uint32_t Offset;
        uint32_t ActionIndex;
    };
    // First pass: every size is known without the labels, as branch fields have a fixed width.
    std::map<std::string, TPlace> labels;
    std::vector<TPlace> places;
    uint32_t offset = 0, index = 0;
    for (const TItem& item : FItems) {
        places.push_back({offset, index});
        if (item.LabelDef) {
            labels[*item.LabelDef] = {offset, index};
            continue;
        }
        offset += uint32_t(ActionSize(item.Action) + item.Body.size());
        index += 1 + item.BodyActions;
    }

    TByteWriter out;
    for (size_t i = 0; i < FItems.size(); ++i) {
        const TItem& item = FItems[i];
        if (item.LabelDef) continue;
        TAction action = item.Action;
        if (!item.LabelRef.empty()) {
            auto it = labels.find(item.LabelRef);
            if (it == labels.end()) throw TSwfError("unknown label \"" + item.LabelRef + "\"");
            if (auto* b = std::get_if<TActionBranch>(&action.Data)) {
                int64_t delta = int64_t(it->second.Offset) - (places[i].Offset + ActionSize(action));
                if (delta < INT16_MIN || delta > INT16_MAX) {
                    throw TSwfError("branch to \"" + item.LabelRef + "\" is too far: " + std::to_string(delta));
                }
                b->Offset = int16_t(delta);
            } else {
                int64_t skip = int64_t(it->second.ActionIndex) - (places[i].ActionIndex + 1);
                if (skip < 0 || skip > 255) {
                    throw TSwfError("frame wait skips to \"" + item.LabelRef + "\", " + std::to_string(skip) +
                                    " actions on: must be 0 to 255 actions forward");
                }
                if (auto* w = std::get_if<TActionWaitForFrame>(&action.Data)) w->SkipCount = uint8_t(skip);
                if (auto* w = std::get_if<TActionWaitForFrame2>(&action.Data)) w->SkipCount = uint8_t(skip);
            }
        }
        WriteAction(out, action);
        out.Bytes(item.Body);
    }
    return out.Take();
}

TFunction2::TFunction2(std::string name, uint16_t flags) : FName(std::move(name)), FFlags(flags) {
    using namespace Function2Flag;
    const std::pair<uint16_t, uint16_t> conflicts[] = {
        {PreloadThis, SuppressThis}, {PreloadArguments, SuppressArguments}, {PreloadSuper, SuppressSuper}};
    for (auto [preload, suppress] : conflicts) {
        if ((flags & preload) && (flags & suppress)) {
            throw TSwfError("function " + FName + ": a value cannot be both preloaded and suppressed");
        }
    }
    const std::pair<uint16_t, const char*> preloads[] = {{PreloadThis, "this"},   {PreloadArguments, "arguments"},
                                                         {PreloadSuper, "super"}, {PreloadRoot, "_root"},
                                                         {PreloadParent, "_parent"}, {PreloadGlobal, "_global"}};
    for (auto [flag, value] : preloads) {
        if (flags & flag) Allocate(value);
    }
}

uint8_t TFunction2::Allocate(const std::string& name) {
    if (FRegisters.count(name)) throw TSwfError("function " + FName + ": \"" + name + "\" declared twice");
    if (FNext > 254) throw TSwfError("function " + FName + ": out of registers");
    uint8_t reg = uint8_t(FNext++);
    FRegisters[name] = reg;
    return reg;
}

uint8_t TFunction2::Param(const std::string& name) {
    uint8_t reg = Allocate(name);
    FParams.push_back({reg, name});
    return reg;
}

void TFunction2::VariableParam(const std::string& name) { FParams.push_back({0, name}); }

uint8_t TFunction2::Local(const std::string& name) { return Allocate(name); }

uint8_t TFunction2::Register(const std::string& name) const {
    auto it = FRegisters.find(name);
    if (it == FRegisters.end()) throw TSwfError("function " + FName + ": no register for \"" + name + "\"");
    return it->second;
}

TActionDefineFunction2 TFunction2::Header() const {
    TActionDefineFunction2 f;
    f.Name = FName;
    f.RegisterCount = uint8_t(FNext);
    f.Flags = FFlags;
    f.Params = FParams;
    return f;
}

}  // namespace quorlin::swf
