#include "player/avm1/BuiltinSupport.h"
#include "player/avm1/Builtins.h"
#include "player/avm1/NumberText.h"

#include <cmath>

namespace quorlin::avm1 {

namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool IsAlphanumeric(unsigned char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

}  // namespace

std::string Escape(const std::string& s) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : s) {
        if (IsAlphanumeric(c)) {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += digits[c >> 4];
            out += digits[c & 15];
        }
    }
    return out;
}

std::string Unescape(const std::string& s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '%' && i + 2 < s.size() && HexValue(s[i + 1]) >= 0 && HexValue(s[i + 2]) >= 0) {
            out += static_cast<char>(HexValue(s[i + 1]) * 16 + HexValue(s[i + 2]));
            i += 2;
        } else {
            out += s[i];
        }
    }
    return out;
}

void InstallGlobals(TMachine& m) {
    TObject* global = m.Global();
    global->Define("NaN", NAN, pfDontEnum | pfDontDelete | pfReadOnly);
    global->Define("Infinity", INFINITY, pfDontEnum | pfDontDelete | pfReadOnly);
    m.DefineMethod(global, "parseInt", [](TMachine& m, const TValue&, TArgs args) -> TValue {
        double radix = NumberArg(m, args, 1, 0);
        return ParseInt(m.ToString(Arg(args, 0)), std::isnan(radix) ? 0 : ToInt32(radix));
    });
    m.DefineMethod(global, "parseFloat", [](TMachine& m, const TValue&, TArgs args) -> TValue {
        return ParseFloat(m.ToString(Arg(args, 0)));
    });
    m.DefineMethod(global, "isNaN", [](TMachine& m, const TValue&, TArgs args) -> TValue {
        return std::isnan(m.ToNumber(Arg(args, 0)));
    });
    m.DefineMethod(global, "isFinite", [](TMachine& m, const TValue&, TArgs args) -> TValue {
        return std::isfinite(m.ToNumber(Arg(args, 0)));
    });
    m.DefineMethod(global, "escape", [](TMachine& m, const TValue&, TArgs args) -> TValue {
        return Escape(m.ToString(Arg(args, 0)));
    });
    m.DefineMethod(global, "unescape", [](TMachine& m, const TValue&, TArgs args) -> TValue {
        return Unescape(m.ToString(Arg(args, 0)));
    });
}

}  // namespace quorlin::avm1
