#include "player/runtime/FlashVars.h"

namespace quorlin::runtime {

namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::string UrlDecode(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '+') {
            out += ' ';
        } else if (c == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 && HexValue(text[i + 2]) >= 0) {
            out += char(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
            i += 2;
        } else {
            out += c;
        }
    }
    return out;
}

TVariables ParseFlashVars(std::string_view text) {
    TVariables vars;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('&', start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view pair = text.substr(start, end - start);
        if (!pair.empty()) {
            const size_t eq = pair.find('=');
            std::string name = UrlDecode(pair.substr(0, eq));
            std::string value = eq == std::string_view::npos ? std::string() : UrlDecode(pair.substr(eq + 1));
            if (!name.empty()) vars.emplace_back(std::move(name), std::move(value));
        }
        start = end + 1;
    }
    return vars;
}

}  // namespace quorlin::runtime
