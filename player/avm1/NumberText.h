#pragma once
// Numbers as text, the way a Flash player of SWF 7 writes and reads them.

#include <string>
#include <string_view>

namespace quorlin::avm1 {

// 15 significant digits; exponent form (1e+15, 1e-7) outside [1e-5, 1e15).
std::string FormatNumber(double d);
// Number.toString(radix) for radix 2..36 other than 10: integers only, as Flash does.
std::string FormatNumberRadix(double d, int radix);

// ToNumber of a string in SWF 5 and later: surrounding white space is allowed,
// "0x" reads hexadecimal, anything else that is not a whole decimal literal is NaN.
double StringToNumber(std::string_view text);

// parseInt(text, radix): radix 0 means none was given.
double ParseInt(std::string_view text, int radix);
// parseFloat(text): the longest decimal prefix after leading white space.
double ParseFloat(std::string_view text);

}  // namespace quorlin::avm1
