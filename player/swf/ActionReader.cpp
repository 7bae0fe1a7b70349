#include "player/swf/ActionReader.h"

#include "player/swf/ActionName.h"
#include "player/swf/ByteReader.h"
#include "player/swf/SwfError.h"

namespace quorlin::swf {

namespace {

TPushValue ReadPushValue(TByteReader& r) {
    uint8_t type = r.U8();
    switch (PushType(type)) {
        case PushType::String: return TPushValue::Str(r.CString());
        case PushType::Float: return TPushValue::Float(r.F32());
        case PushType::Null: return TPushValue::Null();
        case PushType::Undefined: return TPushValue::Undef();
        case PushType::Register: return TPushValue::Reg(r.U8());
        case PushType::Boolean: return TPushValue::Bool(r.U8() != 0);
        case PushType::Double: return TPushValue::Dbl(r.SwappedF64());
        case PushType::Integer: return TPushValue::Int(r.S32());
        case PushType::Constant8: {
            TPushValue v;
            v.Type = PushType::Constant8;
            v.Index = r.U8();
            return v;
        }
        case PushType::Constant16: {
            TPushValue v;
            v.Type = PushType::Constant16;
            v.Index = r.U16();
            return v;
        }
    }
    throw TSwfError(r.What() + ": unknown push type " + std::to_string(type));
}

TActionPush ReadPush(TByteReader& r) {
    TActionPush push;
    while (!r.AtEnd()) push.Values.push_back(ReadPushValue(r));
    return push;
}

TActionConstantPool ReadConstantPool(TByteReader& r) {
    TActionConstantPool pool;
    uint16_t count = r.U16();
    for (uint16_t i = 0; i < count; ++i) pool.Strings.push_back(r.CString());
    return pool;
}

TActionDefineFunction ReadDefineFunction(TByteReader& r) {
    TActionDefineFunction f;
    f.Name = r.CString();
    uint16_t count = r.U16();
    for (uint16_t i = 0; i < count; ++i) f.Params.push_back(r.CString());
    f.CodeSize = r.U16();
    return f;
}

TActionDefineFunction2 ReadDefineFunction2(TByteReader& r) {
    TActionDefineFunction2 f;
    f.Name = r.CString();
    uint16_t count = r.U16();
    f.RegisterCount = r.U8();
    f.Flags = r.U16();
    for (uint16_t i = 0; i < count; ++i) {
        TFunction2Param p;
        p.Register = r.U8();
        p.Name = r.CString();
        f.Params.push_back(std::move(p));
    }
    f.CodeSize = r.U16();
    return f;
}

TActionTry ReadTry(TByteReader& r) {
    TActionTry t;
    uint8_t flags = r.U8();
    t.HasCatch = flags & 1;
    t.HasFinally = flags & 2;
    t.CatchInRegister = flags & 4;
    t.TrySize = r.U16();
    t.CatchSize = r.U16();
    t.FinallySize = r.U16();
    if (t.CatchInRegister) {
        t.CatchRegister = r.U8();
    } else {
        t.CatchName = r.CString();
    }
    return t;
}

TActionGotoFrame2 ReadGotoFrame2(TByteReader& r) {
    TActionGotoFrame2 g;
    uint8_t flags = r.U8();
    g.Play = flags & 1;
    if (flags & 2) g.SceneBias = r.U16();
    return g;
}

TActionData ReadPayload(uint8_t code, TByteReader& r) {
    switch (ActionCode(code)) {
        case ActionCode::Push: return ReadPush(r);
        case ActionCode::ConstantPool: return ReadConstantPool(r);
        case ActionCode::GotoFrame: return TActionGotoFrame{r.U16()};
        case ActionCode::GetURL: {
            TActionGetUrl g;
            g.Url = r.CString();
            g.Target = r.CString();
            return g;
        }
        case ActionCode::StoreRegister: return TActionStoreRegister{r.U8()};
        case ActionCode::WaitForFrame: {
            TActionWaitForFrame w;
            w.Frame = r.U16();
            w.SkipCount = r.U8();
            return w;
        }
        case ActionCode::WaitForFrame2: return TActionWaitForFrame2{r.U8()};
        case ActionCode::SetTarget:
        case ActionCode::GoToLabel: return TActionName{r.CString()};
        case ActionCode::Jump:
        case ActionCode::If: return TActionBranch{r.S16()};
        case ActionCode::GetURL2: return TActionGetUrl2{r.U8()};
        case ActionCode::GotoFrame2: return ReadGotoFrame2(r);
        case ActionCode::DefineFunction: return ReadDefineFunction(r);
        case ActionCode::DefineFunction2: return ReadDefineFunction2(r);
        case ActionCode::Try: return ReadTry(r);
        case ActionCode::With: return TActionWith{r.U16()};
        case ActionCode::Call: return std::monostate{};
        default: {
            auto bytes = r.Rest();
            return TActionRaw{{bytes.begin(), bytes.end()}};
        }
    }
}

}  // namespace

TAction ReadAction(std::span<const uint8_t> block, uint32_t offset) {
    if (offset >= block.size()) {
        throw TSwfError("action offset " + std::to_string(offset) + " lies outside the block of " +
                        std::to_string(block.size()) + " bytes");
    }
    TAction a;
    a.Offset = offset;
    TByteReader r(block.subspan(offset), "action block");
    a.Code = r.U8();
    if (!HasPayload(a.Code)) {
        a.Size = 1;
        return a;
    }
    std::string what = "action " + ActionName(a.Code) + " at offset " + std::to_string(offset);
    uint16_t length = r.Remaining() >= 2 ? r.U16() : throw TSwfError(what + ": length field truncated");
    if (length > r.Remaining()) {
        throw TSwfError(what + ": length " + std::to_string(length) + " runs past the block end");
    }
    TByteReader payload = r.Sub(length, what);
    a.Data = ReadPayload(a.Code, payload);
    a.Size = 3u + length;
    return a;
}

std::vector<TAction> ReadActions(std::span<const uint8_t> block, std::string& error) {
    std::vector<TAction> actions;
    try {
        uint32_t offset = 0;
        // Ends of the bodies we are inside; an End inside a body does not end the block.
        std::vector<uint32_t> bodyEnds;
        while (offset < block.size()) {
            while (!bodyEnds.empty() && offset >= bodyEnds.back()) bodyEnds.pop_back();
            TAction a = ReadAction(block, offset);
            offset += a.Size;
            if (uint32_t body = a.BodySize()) {
                if (body > block.size() - offset) {
                    throw TSwfError("action " + ActionName(a.Code) + " at offset " + std::to_string(a.Offset) +
                                    ": body of " + std::to_string(body) + " bytes runs past the block end");
                }
                bodyEnds.push_back(offset + body);
            }
            bool end = a.Op() == ActionCode::End && bodyEnds.empty();
            actions.push_back(std::move(a));
            if (end) break;
        }
    } catch (const TSwfError& e) {
        error = e.what();
    }
    return actions;
}

std::vector<TAction> ReadActions(std::span<const uint8_t> block) {
    std::string error;
    std::vector<TAction> actions = ReadActions(block, error);
    if (!error.empty()) throw TSwfError(error);
    return actions;
}

}  // namespace quorlin::swf
