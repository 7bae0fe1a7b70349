#include "player/avm1/Array.h"
#include "player/avm1/BuiltinSupport.h"
#include "player/avm1/Builtins.h"
#include "player/avm1/Error.h"
#include "player/avm1/Utf8.h"

#include <algorithm>
#include <cmath>

namespace quorlin::avm1 {

namespace {

std::string ThisString(TMachine& m, const TValue& self) {
    if (auto* box = dynamic_cast<TBoxObject*>(self.ObjectOrNull()))
        return PrimitiveToString(box->Primitive());
    return m.ToString(self);
}

// A string with the character offsets that its methods count in.
struct TText {
    std::string FBytes;
    std::vector<size_t> FOffsets;
    explicit TText(std::string s) : FBytes(std::move(s)), FOffsets(Utf8Offsets(FBytes)) {}
    size_t Length() const { return FOffsets.size() - 1; }
    std::string Sub(size_t start, size_t end) const {
        start = std::min(start, Length());
        end = std::clamp(end, start, Length());
        return FBytes.substr(FOffsets[start], FOffsets[end] - FOffsets[start]);
    }
    // Character index of a byte offset that starts a character.
    size_t CharAt(size_t byte) const {
        return static_cast<size_t>(std::lower_bound(FOffsets.begin(), FOffsets.end(), byte) - FOffsets.begin());
    }
};

std::string ChangeCase(std::string s, bool upper) {
    for (char& c : s) {
        if (upper && c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        else if (!upper && c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return s;
}

TValue Split(TMachine& m, const std::string& s, TArgs args) {
    std::vector<TValue> parts;
    double limit = NumberArg(m, args, 1, INFINITY);
    if (!(limit >= 0))
        limit = INFINITY;
    auto add = [&](std::string part) {
        if (static_cast<double>(parts.size()) < limit && parts.size() < TArrayObject::MaxLength)
            parts.push_back(std::move(part));
    };
    if (args.empty() || args[0].IsUndefined()) {
        add(s);
        return m.NewArray(std::move(parts));
    }
    std::string separator = m.ToString(args[0]);
    if (separator.empty()) {
        TText text(s);
        for (size_t i = 0; i < text.Length(); ++i)
            add(text.Sub(i, i + 1));
        return m.NewArray(std::move(parts));
    }
    size_t start = 0;
    while (true) {
        size_t found = s.find(separator, start);
        if (found == std::string::npos) {
            add(s.substr(start));
            break;
        }
        add(s.substr(start, found - start));
        start = found + separator.size();
    }
    return m.NewArray(std::move(parts));
}

void InstallMethods(TMachine& m, TObject* proto) {
    auto value = [](TMachine& m, const TValue& self, TArgs) -> TValue { return ThisString(m, self); };
    m.DefineMethod(proto, "toString", value);
    m.DefineMethod(proto, "valueOf", value);
    m.DefineMethod(proto, "charAt", [](TMachine& m, const TValue& self, TArgs args) -> TValue {
        TText t(ThisString(m, self));
        double i = IntegerArg(m, args, 0, 0);
        if (i < 0 || i >= static_cast<double>(t.Length()))
            return "";
        return t.Sub(static_cast<size_t>(i), static_cast<size_t>(i) + 1);
    });
    m.DefineMethod(proto, "charCodeAt", [](TMachine& m, const TValue& self, TArgs args) -> TValue {
        std::string s = ThisString(m, self);
        double i = IntegerArg(m, args, 0, 0);
        if (i < 0 || i >= static_cast<double>(Utf8Length(s)))
            return NAN;
        return static_cast<double>(Utf8CodeAt(s, static_cast<size_t>(i)));
    });
    m.DefineMethod(proto, "concat", [](TMachine& m, const TValue& self, TArgs args) -> TValue {
        std::string s = ThisString(m, self);
        for (const TValue& v : args) {
            s += m.ToString(v);
            CheckStringLength(s.size());
        }
        return s;
    });
    m.DefineMethod(proto, "indexOf", [](TMachine& m, const TValue& self, TArgs args) -> TValue {
        TText t(ThisString(m, self));
        std::string needle = m.ToString(Arg(args, 0));
        double from = std::clamp(IntegerArg(m, args, 1, 0), 0.0, static_cast<double>(t.Length()));
        size_t found = t.FBytes.find(needle, t.FOffsets[static_cast<size_t>(from)]);
        return found == std::string::npos ? -1.0 : static_cast<double>(t.CharAt(found));
    });
    m.DefineMethod(proto, "lastIndexOf", [](TMachine& m, const TValue& self, TArgs args) -> TValue {
        TText t(ThisString(m, self));
        std::string needle = m.ToString(Arg(args, 0));
        double from = std::clamp(IntegerArg(m, args, 1, static_cast<double>(t.Length())), 0.0,
                                 static_cast<double>(t.Length()));
        size_t found = t.FBytes.rfind(needle, t.FOffsets[static_cast<size_t>(from)]);
        return found == std::string::npos ? -1.0 : static_cast<double>(t.CharAt(found));
    });
    m.DefineMethod(proto, "slice", [](TMachine& m, const TValue& self, TArgs args) -> TValue {
        TText t(ThisString(m, self));
        size_t start = RelativeIndex(IntegerArg(m, args, 0, 0), t.Length());
        size_t end = RelativeIndex(IntegerArg(m, args, 1, static_cast<double>(t.Length())), t.Length());
        return start < end ? t.Sub(start, end) : std::string();
    });
    // substring clamps negative positions to 0 and swaps a reversed pair.
    m.DefineMethod(proto, "substring", [](TMachine& m, const TValue& self, TArgs args) -> TValue {
        TText t(ThisString(m, self));
        double n = static_cast<double>(t.Length());
        double a = std::clamp(IntegerArg(m, args, 0, 0), 0.0, n);
        double b = std::clamp(IntegerArg(m, args, 1, n), 0.0, n);
        if (a > b)
            std::swap(a, b);
        return t.Sub(static_cast<size_t>(a), static_cast<size_t>(b));
    });
    // substr(start, length): a negative start counts from the end.
    m.DefineMethod(proto, "substr", [](TMachine& m, const TValue& self, TArgs args) -> TValue {
        TText t(ThisString(m, self));
        size_t start = RelativeIndex(IntegerArg(m, args, 0, 0), t.Length());
        double length = IntegerArg(m, args, 1, static_cast<double>(t.Length()));
        if (length <= 0)
            return "";
        double end = std::min(static_cast<double>(start) + length, static_cast<double>(t.Length()));
        return t.Sub(start, static_cast<size_t>(end));
    });
    m.DefineMethod(proto, "split", [](TMachine& m, const TValue& self, TArgs args) -> TValue {
        return Split(m, ThisString(m, self), args);
    });
    m.DefineMethod(proto, "toUpperCase", [](TMachine& m, const TValue& self, TArgs) -> TValue {
        return ChangeCase(ThisString(m, self), true);
    });
    m.DefineMethod(proto, "toLowerCase", [](TMachine& m, const TValue& self, TArgs) -> TValue {
        return ChangeCase(ThisString(m, self), false);
    });
}

}  // namespace

TObject* InstallString(TMachine& m) {
    auto* proto = m.Heap().Make<TBoxObject>(m.ObjectPrototype(), TValue(""));
    TNativeFunction* ctor = m.DefineClass(
        "String", proto,
        [](TMachine& m, const TValue&, TArgs args) -> TValue { return args.empty() ? "" : m.ToString(args[0]); },
        [](TMachine& m, TObject* prototype, TArgs args) -> TObject* {
            return m.Heap().Make<TBoxObject>(prototype, TValue(args.empty() ? "" : m.ToString(args[0])));
        });
    m.DefineMethod(ctor, "fromCharCode", [](TMachine& m, const TValue&, TArgs args) -> TValue {
        std::string s;
        for (const TValue& v : args)
            s += Utf8Encode(ToUint32(m.ToNumber(v)) & 0xFFFF);
        return s;
    });
    InstallMethods(m, proto);
    return proto;
}

}  // namespace quorlin::avm1
