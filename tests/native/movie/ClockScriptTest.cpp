// The clock clip's scripts, read from their disassembly and evaluated symbolically: each
// assignment, call and property write comes out as an expression, compared with the
// clock's algorithm. Nothing is run.

#include "ClockFile.h"

#include "player/swf/ActionDisassembler.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

using namespace quorlin::swf;
using namespace quorlin::movie::test;

namespace {

struct TLine {
    uint32_t Offset = 0;
    int Depth = 0;
    std::string Op, Operands;
};

std::vector<TLine> ParseListing(const std::string& text) {
    std::vector<TLine> lines;
    std::istringstream in(text);
    for (std::string s; std::getline(in, s);) {
        if (s.rfind("error:", 0) == 0) throw std::runtime_error(s);
        size_t gap = s.find("  ");
        if (gap == std::string::npos || s.find_first_not_of("0123456789ABCDEF") != gap) continue;  // markers
        TLine l;
        l.Offset = uint32_t(std::stoul(s.substr(0, gap), nullptr, 16));
        size_t start = s.find_first_not_of(' ', gap);
        l.Depth = int(start - gap - 2) / 2;
        size_t space = s.find(' ', start);
        l.Op = s.substr(start, space == std::string::npos ? std::string::npos : space - start);
        if (space != std::string::npos) l.Operands = s.substr(space + 1);
        lines.push_back(l);
    }
    return lines;
}

// Push operands as expressions: strings and constants quoted, the rest as written.
std::vector<std::string> PushValues(const std::string& operands) {
    std::vector<std::string> values;
    size_t i = 0;
    while (i < operands.size()) {
        std::string v;
        size_t quote = operands.find('"', i);
        size_t comma = operands.find(", ", i);
        if (quote != std::string::npos && (comma == std::string::npos || quote < comma)) {
            std::string text = "\"";
            size_t j = quote + 1;
            for (; j < operands.size() && operands[j] != '"'; ++j) {
                if (operands[j] == '\\') ++j;
                text += operands[j];
            }
            v = text + "\"";
            comma = operands.find(", ", j);
        } else {
            v = operands.substr(i, comma == std::string::npos ? std::string::npos : comma - i);
        }
        values.push_back(v);
        i = comma == std::string::npos ? operands.size() : comma + 2;
    }
    return values;
}

std::string Unquote(const std::string& s) {
    return s.size() >= 2 && s.front() == '"' ? s.substr(1, s.size() - 2) : s;
}

class TEvaluator {
public:
    explicit TEvaluator(std::map<std::string, std::string> registers = {}) : FRegisters(std::move(registers)) {}

    std::vector<std::string> Run(const std::vector<TLine>& lines, size_t begin, size_t end) {
        for (size_t i = begin; i < end; ++i) {
            const TLine& l = lines[i];
            Merge(l.Offset);
            if (l.Op == "DefineFunction2") {
                size_t j = i + 1;
                while (j < end && lines[j].Depth > l.Depth) ++j;
                Function(l, lines, i + 1, j);
                i = j - 1;
            } else {
                Step(l);
            }
            FLast = l.Op;
        }
        Merge(UINT32_MAX);
        return FStatements;
    }

private:
    std::string Pop() {
        if (FStack.empty()) throw std::runtime_error("stack underflow");
        std::string v = FStack.back();
        FStack.pop_back();
        return v;
    }

    std::string Args(int count) {
        std::string out;
        for (int k = 0; k < count; ++k) out += (k ? ", " : "") + Pop();
        return out;
    }

    void Emit(const std::string& s) {
        std::string guard;
        for (const auto& g : FGuards) guard += "if (!" + g.second + ") ";
        FStatements.push_back(guard + s);
    }

    // Closes the `||` expressions and the skipped blocks that end at offset.
    void Merge(uint32_t offset) {
        while (!FOrs.empty() && FOrs.back().first <= offset) {
            std::string right = Pop();
            FStack.push_back("(" + FOrs.back().second + " || " + right + ")");
            FOrs.pop_back();
        }
        while (!FGuards.empty() && FGuards.back().first <= offset) FGuards.pop_back();
    }

    void Function(const TLine& header, const std::vector<TLine>& lines, size_t begin, size_t end) {
        // "name" (r1:a, r2:b) registers ...
        std::string name = Unquote(header.Operands.substr(0, header.Operands.find(' ')));
        size_t open = header.Operands.find('('), close = header.Operands.find(')');
        std::map<std::string, std::string> registers;
        std::string params;
        std::istringstream list(header.Operands.substr(open + 1, close - open - 1));
        for (std::string p; std::getline(list, p, ',');) {
            p.erase(0, p.find_first_not_of(' '));
            size_t colon = p.find(':');
            registers[p.substr(0, colon)] = p.substr(colon + 1);
            params += (params.empty() ? "" : ", ") + p.substr(colon + 1);
        }
        std::string body;
        for (const auto& s : TEvaluator(registers).Run(lines, begin, end)) body += (body.empty() ? "" : "; ") + s;
        Emit("function " + name + "(" + params + ") { " + body + " }");
    }

    void Binary(const char* op) {
        std::string b = Pop(), a = Pop();
        FStack.push_back("(" + a + " " + op + " " + b + ")");
    }

    void Step(const TLine& l) {
        const std::string& op = l.Op;
        if (op == "ConstantPool" || op == "End") {
        } else if (op == "Push") {
            for (const auto& v : PushValues(l.Operands)) {
                auto r = FRegisters.find(v);
                FStack.push_back(r != FRegisters.end() ? r->second : v);
            }
        } else if (op == "GetVariable") {
            FStack.push_back(Unquote(Pop()));
        } else if (op == "SetVariable") {
            std::string value = Pop();
            Emit(Unquote(Pop()) + " = " + value);
        } else if (op == "GetMember") {
            std::string name = Pop(), object = Pop();
            FStack.push_back(name.front() == '"' ? object + "." + Unquote(name) : object + "[" + name + "]");
        } else if (op == "CallMethod") {
            std::string name = Pop(), object = Pop();
            int count = std::stoi(Pop());
            FStack.push_back(object + "." + Unquote(name) + "(" + Args(count) + ")");
        } else if (op == "CallFunction" || op == "NewObject") {
            std::string name = Unquote(Pop());
            int count = std::stoi(Pop());
            FStack.push_back((op == "NewObject" ? "new " : "") + name + "(" + Args(count) + ")");
        } else if (op == "Equals2") {
            Binary("==");
        } else if (op == "Add2") {
            Binary("+");
        } else if (op == "Subtract") {
            Binary("-");
        } else if (op == "Multiply") {
            Binary("*");
        } else if (op == "Divide") {
            Binary("/");
        } else if (op == "PushDuplicate") {
            FStack.push_back(FStack.at(FStack.size() - 1));
        } else if (op == "If") {
            uint32_t target = uint32_t(std::stoul(l.Operands.substr(l.Operands.find("0x") + 2), nullptr, 16));
            std::string condition = Pop();
            if (FLast == "PushDuplicate") {
                FOrs.push_back({target, condition});
            } else {
                FGuards.push_back({target, condition});
            }
        } else if (op == "Pop") {
            std::string v = Pop();
            if (FLast != "If" && FLast != "StoreRegister") Emit(v);
        } else if (op == "StoreRegister") {
            FRegisters[l.Operands] = l.Operands;
            Emit(l.Operands + " = " + FStack.at(FStack.size() - 1));
        } else if (op == "Return") {
            Emit("return " + Pop());
        } else if (op == "SetProperty") {
            static const std::map<std::string, std::string> names = {{"10", "_rotation"}, {"7", "_visible"}};
            std::string value = Pop(), property = Pop(), target = Pop();
            auto n = names.find(property);
            Emit("setProperty(" + target + ", " + (n != names.end() ? n->second : property) + ", " + value + ")");
        } else if (op == "PreviousFrame") {
            Emit("prevFrame()");
        } else if (op == "Play") {
            Emit("play()");
        } else {
            Emit("unexpected " + op);
        }
    }

    std::vector<std::string> FStack, FStatements;
    std::map<std::string, std::string> FRegisters;
    std::vector<std::pair<uint32_t, std::string>> FOrs, FGuards;
    std::string FLast;
};

std::vector<std::string> Evaluate(const std::vector<uint8_t>& script) {
    std::vector<TLine> lines = ParseListing(Disassemble(script));
    return TEvaluator().Run(lines, 0, lines.size());
}

}  // namespace

TEST(ClockScript, FrameOneDoesTheClockAlgorithm) {
    auto scripts = Scripts(ClockClip().Tags, 1);
    ASSERT_EQ(scripts.size(), 1u);
    const std::string frozen = "if (!(_root.freeze_time == undefined)) ";
    std::vector<std::string> expected = {
        "function getSecondRotation(speedK, smoothK) { "
        "r3 = ((second * smoothK) + Math.floor(((timeStamp.getMilliseconds() * smoothK) / 1000))); "
        "r4 = ((360 * speedK) / (60 * smoothK)); "
        "return (r3 * r4) }",
        "timeStamp = new Date()",
        frozen + "freeze_parts = _root.freeze_time.split(\":\")",
        frozen + "timeStamp.setHours(parseInt(freeze_parts[0]))",
        frozen + "timeStamp.setMinutes(parseInt(freeze_parts[1]))",
        frozen + "timeStamp.setSeconds(parseInt(freeze_parts[2]))",
        "isGlassVisible = ((_root.glass_visible == undefined) || (_root.glass_visible == \"true\"))",
        "isSecondsVisible = ((_root.seconds_visible == undefined) || (_root.seconds_visible == \"true\"))",
        "hour = timeStamp.getHours()",
        "minute = timeStamp.getMinutes()",
        "second = timeStamp.getSeconds()",
        "hourRotation = ((30 * (hour - 12)) + (minute / 2))",
        "minuteRotation = ((6 * minute) + (second / 10))",
        "secondRotation = getSecondRotation(1, 1)",
        "setProperty(\"HA1\", _rotation, hourRotation)",
        "setProperty(\"MA1\", _rotation, minuteRotation)",
        "setProperty(\"SA1\", _rotation, secondRotation)",
        "setProperty(\"glass\", _visible, isGlassVisible)",
        "setProperty(\"SA1\", _visible, isSecondsVisible)",
    };
    EXPECT_EQ(Evaluate(scripts[0]), expected);
}

TEST(ClockScript, FrameTwoLoopsBack) {
    auto scripts = Scripts(ClockClip().Tags, 2);
    ASSERT_EQ(scripts.size(), 1u);
    EXPECT_EQ(Evaluate(scripts[0]), (std::vector<std::string>{"prevFrame()", "play()"}));
}
