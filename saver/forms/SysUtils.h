#pragma once
// The runtime basics the module's code leans on: the exception base class that every
// error of ours derives from, the platform's integer conversions and text comparison.

#include <cstdint>
#include <stdexcept>
#include <string>

namespace quorlin {

// Every error the module raises carries its whole report as message text.
class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
    std::string Message() const { return what(); }
};

// Raised by the integer conversions for a text that is not a valid integer.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// Replaces each %s of the format, in order, by the next argument; "%%" gives "%".
std::string FormatText(const std::string& format, std::initializer_list<std::string> args);

// Signed 32-bit conversion: leading blanks, an optional sign, then decimal digits or
// hexadecimal digits after "$", "x" or "0x" (either case of the x). Nothing may follow.
// Decimal must fit the signed range; hexadecimal may use all 32 bits ($FFFFFFFF is -1).
// Raises EConvertError "'<text>' is not a valid integer value".
int32_t StrToInt(const std::string& text);

// Signed 64-bit conversion with the same grammar; hexadecimal after "$" or "0x".
int64_t StrToInt64(const std::string& text);
bool TryStrToInt64(const std::string& text, int64_t& value);
bool TryStrToInt(const std::string& text, int32_t& value);

// Case-insensitive equality under the user's locale (CompareString on Windows).
bool SameText(const std::string& a, const std::string& b);

// ASCII-only lower case; other bytes are left as they are.
std::string LowerCaseAscii(std::string text);

}  // namespace quorlin
