#include "saver/forms/FormDescription.h"

#include <cctype>

#include "saver/forms/SysUtils.h"

namespace quorlin {

namespace {

// Deep enough for any dialog; a deeper text is an error rather than a deep recursion.
constexpr int kMaxDepth = 32;

class TDescParser {
public:
    explicit TDescParser(const std::string& text) : FText(text) {}

    TObjectDesc Parse() {
        NextLine();
        if (FLineText.empty() && FAtEnd) Fail("no object");
        TObjectDesc root = ParseObject(0);
        NextLine();
        if (!FAtEnd || !FLineText.empty()) Fail("text after the last end");
        return root;
    }

private:
    [[noreturn]] void Fail(const std::string& what) const {
        throw Exception(FormatText("Form description, line %s: %s", {std::to_string(FLine), what}));
    }

    // The next line that is not blank or a comment, without its surrounding blanks.
    void NextLine() {
        FLineText.clear();
        while (FPos < FText.size()) {
            const size_t end = FText.find('\n', FPos);
            std::string line = FText.substr(FPos, end == std::string::npos ? std::string::npos : end - FPos);
            FPos = end == std::string::npos ? FText.size() : end + 1;
            ++FLine;
            size_t first = 0, last = line.size();
            while (first < last && std::isspace(static_cast<unsigned char>(line[first]))) ++first;
            while (last > first && std::isspace(static_cast<unsigned char>(line[last - 1]))) --last;
            line = line.substr(first, last - first);
            if (line.empty() || line[0] == '#') continue;
            FLineText = line;
            return;
        }
        FAtEnd = true;
    }

    static bool IsNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.'; }

    static bool IsName(const std::string& text) {
        if (text.empty() || std::isdigit(static_cast<unsigned char>(text[0]))) return false;
        for (char c : text) {
            if (!IsNameChar(c)) return false;
        }
        return true;
    }

    TObjectDesc ParseObject(int depth) {
        if (depth > kMaxDepth) Fail("objects nested too deeply");
        if (FLineText.compare(0, 7, "object ") != 0) Fail("'object' expected");
        TObjectDesc desc;
        desc.Line = FLine;
        const std::string header = FLineText.substr(7);
        const size_t colon = header.find(':');
        if (colon == std::string::npos) Fail("'object <Name>: <Class>' expected");
        desc.Name = Trim(header.substr(0, colon));
        desc.ClassName = Trim(header.substr(colon + 1));
        if (!IsName(desc.Name) || !IsName(desc.ClassName)) Fail("'object <Name>: <Class>' expected");
        for (;;) {
            NextLine();
            if (FAtEnd && FLineText.empty()) Fail("'end' expected");
            if (FLineText == "end") return desc;
            if (FLineText.compare(0, 7, "object ") == 0) {
                desc.Children.push_back(ParseObject(depth + 1));
                continue;
            }
            desc.Properties.push_back(ParseProperty());
        }
    }

    static std::string Trim(const std::string& text) {
        size_t first = 0, last = text.size();
        while (first < last && std::isspace(static_cast<unsigned char>(text[first]))) ++first;
        while (last > first && std::isspace(static_cast<unsigned char>(text[last - 1]))) --last;
        return text.substr(first, last - first);
    }

    std::pair<std::string, TPropValue> ParseProperty() {
        const size_t equals = FLineText.find('=');
        if (equals == std::string::npos) Fail("'<Property> = <value>' expected");
        const std::string name = Trim(FLineText.substr(0, equals));
        if (!IsName(name)) Fail("property name expected");
        return {name, ParseValue(Trim(FLineText.substr(equals + 1)))};
    }

    TPropValue ParseValue(const std::string& text) {
        TPropValue value;
        if (text.empty()) Fail("value expected");
        if (text[0] == '\'') {
            value.Kind = TPropValue::pvString;
            size_t i = 1;
            for (;;) {
                if (i >= text.size()) Fail("unterminated text");
                if (text[i] == '\'') {
                    if (i + 1 < text.size() && text[i + 1] == '\'') {
                        value.Text += '\'';
                        i += 2;
                        continue;
                    }
                    break;
                }
                value.Text += text[i++];
            }
            if (i + 1 != text.size()) Fail("text after the closing quote");
            return value;
        }
        if (text[0] == '[') {
            if (text.back() != ']') Fail("']' expected");
            value.Kind = TPropValue::pvSet;
            const std::string inner = text.substr(1, text.size() - 2);
            size_t start = 0;
            while (start <= inner.size() && !Trim(inner).empty()) {
                const size_t comma = inner.find(',', start);
                const std::string item = Trim(inner.substr(start, comma == std::string::npos ? std::string::npos
                                                                                               : comma - start));
                if (!IsName(item)) Fail("name expected in the set");
                value.Set.push_back(item);
                if (comma == std::string::npos) break;
                start = comma + 1;
            }
            return value;
        }
        if (text[0] == '-' || text[0] == '$' || std::isdigit(static_cast<unsigned char>(text[0]))) {
            value.Kind = TPropValue::pvInteger;
            if (!TryStrToInt(text, value.Integer)) Fail("'" + text + "' is not a valid integer");
            return value;
        }
        if (!IsName(text)) Fail("'" + text + "' is not a value");
        value.Kind = TPropValue::pvIdent;
        value.Text = text;
        return value;
    }

    const std::string& FText;
    size_t FPos = 0;
    int FLine = 0;
    bool FAtEnd = false;
    std::string FLineText;
};

}  // namespace

TObjectDesc ParseFormDescription(const std::string& text) { return TDescParser(text).Parse(); }

}  // namespace quorlin
