#include "player/swf/ActionWriter.h"

#include "player/swf/ActionName.h"
#include "player/swf/SwfError.h"

namespace quorlin::swf {

namespace {

void WritePushValue(TByteWriter& w, const TPushValue& v) {
    w.U8(uint8_t(v.Type));
    switch (v.Type) {
        case PushType::String: w.CString(v.String); break;
        case PushType::Float: w.F32(float(v.Number)); break;
        case PushType::Null:
        case PushType::Undefined: break;
        case PushType::Register:
            if (v.Index > 255) throw TSwfError("push of register " + std::to_string(v.Index) + ": registers end at 255");
            w.U8(uint8_t(v.Index));
            break;
        case PushType::Boolean: w.U8(v.Boolean ? 1 : 0); break;
        case PushType::Double: w.SwappedF64(v.Number); break;
        case PushType::Integer: w.S32(v.Integer); break;
        case PushType::Constant8:
            if (v.Index > 255) throw TSwfError("constant " + std::to_string(v.Index) + " needs the 16-bit form");
            w.U8(uint8_t(v.Index));
            break;
        case PushType::Constant16: w.U16(v.Index); break;
        default: throw TSwfError("unknown push type " + std::to_string(int(v.Type)));
    }
}

void WriteU16Count(TByteWriter& w, size_t count, const char* what) {
    if (count > 0xFFFF) throw TSwfError(std::string(what) + ": more than 65535 entries");
    w.U16(uint16_t(count));
}

struct TPayloadWriter {
    TByteWriter& W;

    void operator()(const std::monostate&) {}
    void operator()(const TActionPush& p) {
        for (const auto& v : p.Values) WritePushValue(W, v);
    }
    void operator()(const TActionConstantPool& p) {
        WriteU16Count(W, p.Strings.size(), "constant pool");
        for (const auto& s : p.Strings) W.CString(s);
    }
    void operator()(const TActionGotoFrame& g) { W.U16(g.Frame); }
    void operator()(const TActionGetUrl& g) {
        W.CString(g.Url);
        W.CString(g.Target);
    }
    void operator()(const TActionStoreRegister& s) { W.U8(s.Register); }
    void operator()(const TActionWaitForFrame& f) {
        W.U16(f.Frame);
        W.U8(f.SkipCount);
    }
    void operator()(const TActionWaitForFrame2& f) { W.U8(f.SkipCount); }
    void operator()(const TActionName& n) { W.CString(n.Name); }
    void operator()(const TActionBranch& b) { W.S16(b.Offset); }
    void operator()(const TActionGetUrl2& g) { W.U8(g.Flags); }
    void operator()(const TActionGotoFrame2& g) {
        W.U8(uint8_t((g.Play ? 1 : 0) | (g.SceneBias ? 2 : 0)));
        if (g.SceneBias) W.U16(*g.SceneBias);
    }
    void operator()(const TActionDefineFunction& f) {
        W.CString(f.Name);
        WriteU16Count(W, f.Params.size(), "function parameters");
        for (const auto& p : f.Params) W.CString(p);
        W.U16(f.CodeSize);
    }
    void operator()(const TActionDefineFunction2& f) {
        W.CString(f.Name);
        WriteU16Count(W, f.Params.size(), "function parameters");
        W.U8(f.RegisterCount);
        W.U16(f.Flags);
        for (const auto& p : f.Params) {
            W.U8(p.Register);
            W.CString(p.Name);
        }
        W.U16(f.CodeSize);
    }
    void operator()(const TActionTry& t) {
        W.U8(uint8_t((t.HasCatch ? 1 : 0) | (t.HasFinally ? 2 : 0) | (t.CatchInRegister ? 4 : 0)));
        W.U16(t.TrySize);
        W.U16(t.CatchSize);
        W.U16(t.FinallySize);
        if (t.CatchInRegister) {
            W.U8(t.CatchRegister);
        } else {
            W.CString(t.CatchName);
        }
    }
    void operator()(const TActionWith& w) { W.U16(w.Size); }
    void operator()(const TActionRaw& r) { W.Bytes(r.Bytes); }
};

}  // namespace

size_t WriteAction(TByteWriter& out, const TAction& action) {
    size_t start = out.Size();
    out.U8(action.Code);
    if (!HasPayload(action.Code)) {
        if (!std::holds_alternative<std::monostate>(action.Data)) {
            throw TSwfError("action " + ActionName(action.Code) + " carries no payload");
        }
        return 1;
    }
    TByteWriter payload;
    std::visit(TPayloadWriter{payload}, action.Data);
    if (payload.Size() > 0xFFFF) {
        throw TSwfError("action " + ActionName(action.Code) + ": payload of " + std::to_string(payload.Size()) +
                        " bytes exceeds 65535");
    }
    out.U16(uint16_t(payload.Size()));
    out.Bytes(payload.Data());
    return out.Size() - start;
}

size_t ActionSize(const TAction& action) {
    TByteWriter w;
    return WriteAction(w, action);
}

}  // namespace quorlin::swf
