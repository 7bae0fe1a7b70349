#include "saver/shell/CommandLine.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fstream>
#include <iterator>
#endif

namespace quorlin {

namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

// Skips blanks and empty quote pairs; returns the position where the next argument starts.
size_t SkipSeparators(const std::string& line, size_t pos) {
    for (;;) {
        while (pos < line.size() && IsBlank(line[pos])) ++pos;
        if (pos + 1 < line.size() && line[pos] == '"' && line[pos + 1] == '"') {
            pos += 2;
            continue;
        }
        return pos;
    }
}

// Reads one argument from pos; quotes are removed and keep blanks inside them.
std::string ReadArgument(const std::string& line, size_t& pos) {
    std::string argument;
    while (pos < line.size() && !IsBlank(line[pos])) {
        if (line[pos] == '"') {
            ++pos;
            while (pos < line.size() && line[pos] != '"') argument += line[pos++];
            if (pos < line.size() && line[pos] == '"') ++pos;
        } else {
            argument += line[pos++];
        }
    }
    return argument;
}

}  // namespace

std::vector<std::string> SplitCommandLine(const std::string& commandLine) {
    // A zero byte ends the command line as it would in the C string it comes from.
    const std::string line = commandLine.substr(0, commandLine.find('\0'));
    std::vector<std::string> arguments;
    size_t pos = 0;
    for (;;) {
        pos = SkipSeparators(line, pos);
        std::string argument = ReadArgument(line, pos);
        if (argument.empty()) break;
        arguments.push_back(std::move(argument));
    }
    return arguments;
}

std::vector<std::string> ProcessArguments() {
#ifdef _WIN32
    return SplitCommandLine(GetCommandLineA());
#else
    std::ifstream in("/proc/self/cmdline", std::ios::binary);
    std::string raw((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::string> arguments;
    size_t start = 0;
    while (start < raw.size()) {
        size_t end = raw.find('\0', start);
        if (end == std::string::npos) end = raw.size();
        arguments.push_back(raw.substr(start, end - start));
        start = end + 1;
    }
    return arguments;
#endif
}

}  // namespace quorlin
