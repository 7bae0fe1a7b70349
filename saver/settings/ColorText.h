#pragma once
// Colour text as the settings hold it: "#rrggbb" (red first) or a 32-bit integer that is
// the COLORREF itself (red in the low byte).

#include <cstdint>
#include <string>

namespace quorlin {

using TColorRef = uint32_t;

// On success stores the colour and returns true; on failure leaves Color untouched.
bool ParseColor(const std::string& text, TColorRef& color);

// "#rrggbb" in lower case; the top byte is ignored.
std::string FormatColor(TColorRef color);

}  // namespace quorlin
