#include "player/swf/ActionDisassembler.h"

#include "player/swf/ActionName.h"
#include "player/swf/ActionReader.h"
#include "player/swf/SwfError.h"

#include <cstdio>
#include <sstream>

namespace quorlin::swf {

namespace {

std::string Quote(const std::string& s) {
    std::string out = "\"";
    for (unsigned char c : s) {
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (c < 0x20 || c == 0x7F) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\x%02X", c);
                    out += buf;
                } else {
                    out += char(c);
                }
        }
    }
    return out + "\"";
}

// Shortest text that reads back to the same value, with a decimal point so that a
// double never looks like an integer.
std::string FormatNumber(double d, int digits) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.*g", digits, d);
    std::string s = buf;
    if (s.find_first_of(".eEna") == std::string::npos) s += ".0";
    return s;
}

std::string Hex(int64_t offset) {
    char buf[24];
    std::snprintf(buf, sizeof buf, "0x%04llX", static_cast<long long>(offset));
    return buf;
}

std::string FunctionFlags(uint16_t flags) {
    static const std::pair<uint16_t, const char*> names[] = {
        {Function2Flag::PreloadThis, "preloadThis"},         {Function2Flag::SuppressThis, "suppressThis"},
        {Function2Flag::PreloadArguments, "preloadArguments"}, {Function2Flag::SuppressArguments, "suppressArguments"},
        {Function2Flag::PreloadSuper, "preloadSuper"},       {Function2Flag::SuppressSuper, "suppressSuper"},
        {Function2Flag::PreloadRoot, "preloadRoot"},         {Function2Flag::PreloadParent, "preloadParent"},
        {Function2Flag::PreloadGlobal, "preloadGlobal"}};
    std::string out;
    for (auto [bit, name] : names) {
        if (flags & bit) out += std::string(out.empty() ? "" : ",") + name;
    }
    return out.empty() ? "none" : out;
}

struct TOperandFormatter {
    const TAction& A;
    const std::vector<std::string>* Pool;

    std::string operator()(const std::monostate&) const { return ""; }
    std::string operator()(const TActionPush& p) const {
        std::string out;
        for (const auto& v : p.Values) out += (out.empty() ? "" : ", ") + FormatPushValue(v, Pool);
        return out;
    }
    std::string operator()(const TActionConstantPool& p) const {
        std::string out = std::to_string(p.Strings.size());
        for (size_t i = 0; i < p.Strings.size(); ++i) out += " c" + std::to_string(i) + ":" + Quote(p.Strings[i]);
        return out;
    }
    std::string operator()(const TActionGotoFrame& g) const { return std::to_string(g.Frame); }
    std::string operator()(const TActionGetUrl& g) const { return Quote(g.Url) + " " + Quote(g.Target); }
    std::string operator()(const TActionStoreRegister& s) const { return "r" + std::to_string(s.Register); }
    std::string operator()(const TActionWaitForFrame& w) const {
        return std::to_string(w.Frame) + " skip " + std::to_string(w.SkipCount);
    }
    std::string operator()(const TActionWaitForFrame2& w) const { return "skip " + std::to_string(w.SkipCount); }
    std::string operator()(const TActionName& n) const { return Quote(n.Name); }
    std::string operator()(const TActionBranch&) const { return "-> " + Hex(A.Target()); }
    std::string operator()(const TActionGetUrl2& g) const {
        static const char* methods[] = {"none", "GET", "POST", "method3"};
        std::string out = std::string("method ") + methods[g.Flags & 3];
        if (g.Flags & 0x40) out += " loadTarget";
        if (g.Flags & 0x80) out += " loadVariables";
        return out;
    }
    std::string operator()(const TActionGotoFrame2& g) const {
        std::string out = g.Play ? "play" : "stop";
        if (g.SceneBias) out += " bias " + std::to_string(*g.SceneBias);
        return out;
    }
    std::string operator()(const TActionDefineFunction& f) const {
        std::string params;
        for (const auto& p : f.Params) params += (params.empty() ? "" : ", ") + p;
        return Quote(f.Name) + " (" + params + ") size " + std::to_string(f.CodeSize);
    }
    std::string operator()(const TActionDefineFunction2& f) const {
        std::string params;
        for (const auto& p : f.Params) {
            params += params.empty() ? "" : ", ";
            params += p.Register ? "r" + std::to_string(p.Register) + ":" + p.Name : p.Name;
        }
        return Quote(f.Name) + " (" + params + ") registers " + std::to_string(f.RegisterCount) + " flags " +
               FunctionFlags(f.Flags) + " size " + std::to_string(f.CodeSize);
    }
    std::string operator()(const TActionTry& t) const {
        std::string out = "try " + std::to_string(t.TrySize);
        if (t.HasCatch) {
            out += " catch " + std::to_string(t.CatchSize) + " into " +
                   (t.CatchInRegister ? "r" + std::to_string(t.CatchRegister) : Quote(t.CatchName));
        }
        if (t.HasFinally) out += " finally " + std::to_string(t.FinallySize);
        return out;
    }
    std::string operator()(const TActionWith& w) const { return "size " + std::to_string(w.Size); }
    std::string operator()(const TActionRaw& r) const {
        std::string out = std::to_string(r.Bytes.size()) + " bytes";
        for (uint8_t b : r.Bytes) {
            char buf[4];
            std::snprintf(buf, sizeof buf, " %02X", b);
            out += buf;
        }
        return out;
    }
};

}  // namespace

std::string FormatPushValue(const TPushValue& v, const std::vector<std::string>* pool) {
    switch (v.Type) {
        case PushType::String: return Quote(v.String);
        case PushType::Float: return FormatNumber(v.Number, 9) + "f";
        case PushType::Null: return "null";
        case PushType::Undefined: return "undefined";
        case PushType::Register: return "r" + std::to_string(v.Index);
        case PushType::Boolean: return v.Boolean ? "true" : "false";
        case PushType::Double: return FormatNumber(v.Number, 17);
        case PushType::Integer: return std::to_string(v.Integer);
        case PushType::Constant8:
        case PushType::Constant16: {
            std::string out = "c" + std::to_string(v.Index);
            if (pool && v.Index < pool->size()) out += ":" + Quote((*pool)[v.Index]);
            return out;
        }
    }
    return "?";
}

std::string FormatAction(const TAction& action, const std::vector<std::string>* pool) {
    std::string operands = std::visit(TOperandFormatter{action, pool}, action.Data);
    return ActionName(action.Code) + (operands.empty() ? "" : " " + operands);
}

std::string Disassemble(std::span<const uint8_t> block) {
    std::ostringstream out;
    std::vector<std::string> pool;
    // Open bodies as (end offset, marker lines at inner offsets) so they can be indented.
    struct TOpen {
        uint32_t End;
        std::vector<std::pair<uint32_t, std::string>> Markers;
    };
    std::vector<TOpen> open;
    std::string error;
    std::vector<TAction> actions = ReadActions(block, error);
    for (const TAction& a : actions) {
        while (!open.empty() && a.Offset >= open.back().End) open.pop_back();
        for (auto& o : open) {
            for (auto& [at, text] : o.Markers) {
                if (at == a.Offset && !text.empty()) {
                    out << "      " << std::string(2 * (&o - open.data()), ' ') << text << "\n";
                    text.clear();
                }
            }
        }
        out << Hex(a.Offset).substr(2) << "  " << std::string(2 * open.size(), ' ') << FormatAction(a, &pool)
            << "\n";
        if (auto* p = std::get_if<TActionConstantPool>(&a.Data)) pool = p->Strings;
        if (uint32_t body = a.BodySize()) {
            TOpen o{a.Offset + a.Size + body, {}};
            if (auto* t = std::get_if<TActionTry>(&a.Data)) {
                uint32_t start = a.Offset + a.Size;
                if (t->HasCatch) o.Markers.push_back({start + t->TrySize, "catch:"});
                if (t->HasFinally) o.Markers.push_back({start + t->TrySize + t->CatchSize, "finally:"});
            }
            open.push_back(std::move(o));
        }
    }
    if (!error.empty()) out << "error: " << error << "\n";
    return out.str();
}

}  // namespace quorlin::swf
