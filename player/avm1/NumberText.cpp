#include "player/avm1/NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace quorlin::avm1 {

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

std::string_view TrimLeft(std::string_view s) {
    while (!s.empty() && IsSpace(s.front()))
        s.remove_prefix(1);
    return s;
}

int DigitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'Z')
        return c - 'A' + 10;
    return 99;
}

// Length of the longest decimal literal at the start of s (digits, a point,
// an exponent), or 0 when there is none.
size_t DecimalPrefix(std::string_view s) {
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    size_t digits = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9')
        ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        size_t j = i + 1;
        size_t fraction = 0;
        while (j < s.size() && s[j] >= '0' && s[j] <= '9')
            ++j, ++fraction;
        if (digits + fraction > 0) {
            i = j;
            digits += fraction;
        }
    }
    if (digits == 0)
        return 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            ++j;
        size_t exponent = 0;
        while (j < s.size() && s[j] >= '0' && s[j] <= '9')
            ++j, ++exponent;
        if (exponent > 0)
            i = j;
    }
    return i;
}

double ReadDecimal(std::string_view s) {
    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    // strtod wants a terminated string; the literal has been checked already.
    std::string text(s);
    double d = std::strtod(text.c_str(), nullptr);
    return negative ? -d : d;
}

// Digits of one radix at the start of s, accumulated; sets count to how many.
double ReadDigits(std::string_view s, int radix, size_t& count) {
    double value = 0;
    count = 0;
    while (count < s.size() && DigitValue(s[count]) < radix) {
        value = value * radix + DigitValue(s[count]);
        ++count;
    }
    return value;
}

}  // namespace

std::string FormatNumber(double d) {
    if (std::isnan(d))
        return "NaN";
    if (std::isinf(d))
        return d > 0 ? "Infinity" : "-Infinity";
    if (d == 0)
        return "0";
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.14e", d);
    // buffer: [-]D.DDDDDDDDDDDDDDe[+-]XX
    std::string text(buffer);
    bool negative = text[0] == '-';
    if (negative)
        text.erase(0, 1);
    size_t e = text.find('e');
    int exponent = std::atoi(text.c_str() + e + 1);
    std::string digits = text.substr(0, 1) + text.substr(2, e - 2);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    std::string out = negative ? "-" : "";
    if (exponent >= 15 || exponent < -5) {
        out += digits[0];
        if (digits.size() > 1)
            out += "." + digits.substr(1);
        out += exponent < 0 ? "e-" : "e+";
        out += std::to_string(std::abs(exponent));
    } else if (exponent < 0) {
        out += "0." + std::string(static_cast<size_t>(-exponent - 1), '0') + digits;
    } else {
        size_t whole = static_cast<size_t>(exponent) + 1;
        if (digits.size() <= whole) {
            out += digits + std::string(whole - digits.size(), '0');
        } else {
            out += digits.substr(0, whole) + "." + digits.substr(whole);
        }
    }
    return out;
}

std::string FormatNumberRadix(double d, int radix) {
    if (!std::isfinite(d))
        return FormatNumber(d);
    double whole = std::trunc(d);
    bool negative = whole < 0;
    whole = std::fabs(whole);
    if (whole == 0)
        return "0";
    std::string out;
    while (whole >= 1 && out.size() < 1100) {
        int digit = static_cast<int>(std::fmod(whole, radix));
        out.insert(out.begin(), "0123456789abcdefghijklmnopqrstuvwxyz"[digit]);
        whole = std::floor(whole / radix);
    }
    return negative ? "-" + out : out;
}

double StringToNumber(std::string_view text) {
    std::string_view s = TrimLeft(text);
    while (!s.empty() && IsSpace(s.back()))
        s.remove_suffix(1);
    if (s.empty())
        return NAN;
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        size_t count = 0;
        double value = ReadDigits(s.substr(2), 16, count);
        return count == s.size() - 2 ? value : NAN;
    }
    if (s == "Infinity" || s == "+Infinity")
        return INFINITY;
    if (s == "-Infinity")
        return -INFINITY;
    size_t length = DecimalPrefix(s);
    if (length == 0 || length != s.size())
        return NAN;
    return ReadDecimal(s);
}

double ParseInt(std::string_view text, int radix) {
    std::string_view s = TrimLeft(text);
    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    bool hexPrefix = s.size() >= 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X');
    if (radix == 0) {
        // Without a radix only "0x" changes the base. A leading zero reads as
        // decimal, not octal: clock fields arrive zero-padded ("09"), and octal
        // would turn 08 and 09 into 0.
        radix = hexPrefix ? 16 : 10;
    }
    if (radix < 2 || radix > 36)
        return NAN;
    if (radix == 16 && hexPrefix)
        s.remove_prefix(2);
    size_t count = 0;
    double value = ReadDigits(s, radix, count);
    if (count == 0)
        return NAN;
    return negative ? -value : value;
}

double ParseFloat(std::string_view text) {
    std::string_view s = TrimLeft(text);
    for (std::string_view sign : {"", "+", "-"}) {
        if (s.substr(0, sign.size()) == sign && s.substr(sign.size(), 8) == "Infinity")
            return sign == "-" ? -INFINITY : INFINITY;
    }
    size_t length = DecimalPrefix(s);
    if (length == 0)
        return NAN;
    return ReadDecimal(s.substr(0, length));
}

}  // namespace quorlin::avm1
