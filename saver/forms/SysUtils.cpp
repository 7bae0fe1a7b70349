#include "saver/forms/SysUtils.h"

#include <cctype>
#include <initializer_list>
#include <limits>

#ifdef _WIN32
#include <windows.h>
#endif

namespace quorlin {

std::string FormatText(const std::string& format, std::initializer_list<std::string> args) {
    std::string out;
    auto next = args.begin();
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size()) {
            if (format[i + 1] == 's') {
                if (next != args.end()) out += *next++;
                ++i;
                continue;
            }
            if (format[i + 1] == '%') {
                out += '%';
                ++i;
                continue;
            }
        }
        out += format[i];
    }
    return out;
}

namespace {

enum class HexPrefixes { DollarXAnd0x, DollarAnd0x };

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Parses the shared grammar into a magnitude; the caller checks the range of its width.
// Returns false for any text that is not a number of that grammar.
bool ParseInteger(const std::string& text, HexPrefixes prefixes, unsigned bits, int64_t& result) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    bool hex = false;
    if (i < text.size() && text[i] == '$') {
        hex = true;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        hex = true;
        i += 2;
    } else if (prefixes == HexPrefixes::DollarXAnd0x && i < text.size() && (text[i] == 'x' || text[i] == 'X')) {
        hex = true;
        ++i;
    }
    if (i >= text.size()) return false;

    const uint64_t unsignedLimit = bits == 64 ? std::numeric_limits<uint64_t>::max() : (uint64_t{1} << bits) - 1;
    uint64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        int digit = hex ? HexDigitValue(text[i]) : (std::isdigit(static_cast<unsigned char>(text[i])) ? text[i] - '0' : -1);
        if (digit < 0) return false;
        const unsigned base = hex ? 16 : 10;
        if (magnitude > (unsignedLimit - digit) / base) return false;
        magnitude = magnitude * base + digit;
    }

    if (hex) {
        // Hexadecimal fills the whole width: the top bit is the sign.
        int64_t value;
        if (bits == 64) {
            value = static_cast<int64_t>(magnitude);
        } else {
            value = static_cast<int64_t>(static_cast<int32_t>(static_cast<uint32_t>(magnitude)));
        }
        result = negative ? -value : value;
        return true;
    }
    const uint64_t positiveLimit = (uint64_t{1} << (bits - 1)) - 1;
    if (negative) {
        if (magnitude > positiveLimit + 1) return false;
        result = magnitude == positiveLimit + 1 ? std::numeric_limits<int64_t>::min() >> (64 - bits)
                                                : -static_cast<int64_t>(magnitude);
    } else {
        if (magnitude > positiveLimit) return false;
        result = static_cast<int64_t>(magnitude);
    }
    return true;
}

[[noreturn]] void RaiseNotInteger(const std::string& text) {
    throw EConvertError(FormatText("'%s' is not a valid integer value", {text}));
}

}  // namespace

bool TryStrToInt(const std::string& text, int32_t& value) {
    int64_t wide = 0;
    if (!ParseInteger(text, HexPrefixes::DollarXAnd0x, 32, wide)) return false;
    value = static_cast<int32_t>(wide);
    return true;
}

bool TryStrToInt64(const std::string& text, int64_t& value) {
    return ParseInteger(text, HexPrefixes::DollarAnd0x, 64, value);
}

int32_t StrToInt(const std::string& text) {
    int32_t value = 0;
    if (!TryStrToInt(text, value)) RaiseNotInteger(text);
    return value;
}

int64_t StrToInt64(const std::string& text) {
    int64_t value = 0;
    if (!TryStrToInt64(text, value)) RaiseNotInteger(text);
    return value;
}

std::string LowerCaseAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

bool SameText(const std::string& a, const std::string& b) {
#ifdef _WIN32
    return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()), b.data(),
                          static_cast<int>(b.size())) == CSTR_EQUAL;
#else
    return LowerCaseAscii(a) == LowerCaseAscii(b);
#endif
}

}  // namespace quorlin
