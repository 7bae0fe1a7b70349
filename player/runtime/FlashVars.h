#pragma once
// The host's variable text: name=value pairs joined by "&", URL-encoded.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quorlin::runtime {

using TVariables = std::vector<std::pair<std::string, std::string>>;

// "%XX" becomes the byte XX and "+" a space; a "%" without two hex digits stays as it is.
std::string UrlDecode(std::string_view text);

// The pairs in their order of appearance, names and values decoded. A pair without "="
// is a name with the empty value; empty pairs ("a=1&&b=2") and pairs with an empty name
// are dropped. A name given twice appears twice: the later one wins once assigned.
TVariables ParseFlashVars(std::string_view text);

}  // namespace quorlin::runtime
