#include "saver/settings/ColorText.h"

#include <cstdio>

namespace quorlin {

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Blanks and control characters: everything up to and including the space.
std::string TrimControls(const std::string& text) {
    size_t first = 0, last = text.size();
    while (first < last && static_cast<unsigned char>(text[first]) <= ' ') ++first;
    while (last > first && static_cast<unsigned char>(text[last - 1]) <= ' ') --last;
    return text.substr(first, last - first);
}

bool ParseHexDigits(const std::string& digits, uint64_t limit, uint64_t& value) {
    if (digits.empty()) return false;
    value = 0;
    for (char c : digits) {
        const int digit = HexDigit(c);
        if (digit < 0) return false;
        value = value * 16 + static_cast<unsigned>(digit);
        if (value > limit) return false;
    }
    return true;
}

// A sign goes only with decimal digits; hexadecimal takes all 32 bits ($FFFFFFFF is -1).
bool ParseColorInteger(const std::string& text, int32_t& result) {
    for (const char* prefix : {"0x", "0X", "$", "x", "X"}) {
        const std::string p = prefix;
        if (text.compare(0, p.size(), p) == 0) {
            uint64_t value = 0;
            if (!ParseHexDigits(text.substr(p.size()), 0xFFFFFFFFull, value)) return false;
            result = static_cast<int32_t>(static_cast<uint32_t>(value));
            return true;
        }
    }
    size_t i = 0;
    bool negative = false;
    if (text[0] == '+' || text[0] == '-') {
        negative = text[0] == '-';
        i = 1;
    }
    if (i >= text.size()) return false;
    const uint64_t limit = negative ? 0x80000000ull : 0x7FFFFFFFull;
    uint64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        magnitude = magnitude * 10 + static_cast<unsigned>(text[i] - '0');
        if (magnitude > limit) return false;
    }
    result = static_cast<int32_t>(negative ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude));
    return true;
}

}  // namespace

bool ParseColor(const std::string& text, TColorRef& color) {
    const std::string trimmed = TrimControls(text);
    if (!trimmed.empty() && trimmed[0] == '#') {
        const std::string digits = trimmed.substr(1);
        uint64_t rgb = 0;
        if (digits.size() != 6 || !ParseHexDigits(digits, 0xFFFFFFull, rgb)) return false;
        const uint32_t red = (rgb >> 16) & 0xFF, green = (rgb >> 8) & 0xFF, blue = rgb & 0xFF;
        color = red | (green << 8) | (blue << 16);
        return true;
    }
    if (trimmed.empty()) return false;
    int32_t value = 0;
    if (!ParseColorInteger(trimmed, value)) return false;
    color = static_cast<TColorRef>(value);
    return true;
}

std::string FormatColor(TColorRef color) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
    return text;
}

}  // namespace quorlin
