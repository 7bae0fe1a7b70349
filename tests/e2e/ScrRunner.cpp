#include "tests/e2e/ScrRunner.h"

#include <array>
#include <cstdio>
#include <sstream>

namespace quorlin::e2e {

namespace {

std::string ShellQuote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        if (c == '\'') quoted += "'\\''";
        else quoted += c;
    }
    return quoted + "'";
}

std::string Unescape(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
            out += '\n';
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

void ParseLine(const std::string& line, TScrRun& run) {
    auto value = [&](const char* prefix) { return line.substr(std::string(prefix).size()); };
    if (line.rfind("after-destroy: ", 0) == 0) {
        run.AfterDestroyMs = std::stoi(value("after-destroy: "));
    } else if (line.rfind("exit: ", 0) == 0) {
        run.ExitCode = std::stoi(value("exit: "));
        run.Finished = true;
    } else if (line.rfind("debug: ", 0) == 0) {
        run.DebugOutput.push_back(Unescape(value("debug: ")));
    } else if (line.rfind("dialog: ", 0) == 0) {
        const std::string rest = value("dialog: ");
        const size_t bar = rest.find('|');
        run.Dialogs.push_back({rest.substr(0, bar), bar == std::string::npos ? "" : Unescape(rest.substr(bar + 1))});
    }
}

}  // namespace

std::string WinePath(const std::string& linuxPath) {
    std::string path = "Z:" + linuxPath;
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return path;
}

std::optional<std::string> ClassesRootValue(const std::string& key) {
    const std::string command = ShellQuote(std::string(QUORLIN_SOURCE_DIR) + "/scripts/wine-run") + ' ' +
                                ShellQuote(std::string(QUORLIN_WIN_DIR) + "/qtool.exe") + " regvalue " +
                                ShellQuote(key) + " 2>/dev/null";
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        std::array<char, 4096> buffer;
        while (fgets(buffer.data(), buffer.size(), pipe)) output += buffer.data();
        pclose(pipe);
    }
    while (!output.empty() && (output.back() == '\n' || output.back() == '\r')) output.pop_back();
    const std::string prefix = "value: ";
    if (output.rfind(prefix, 0) != 0) return std::nullopt;
    return output.substr(prefix.size());
}

std::vector<std::string> QTool(const std::vector<std::string>& arguments) {
    std::string command = ShellQuote(std::string(QUORLIN_SOURCE_DIR) + "/scripts/wine-run") + ' ' +
                          ShellQuote(std::string(QUORLIN_WIN_DIR) + "/qtool.exe");
    for (const std::string& argument : arguments) command += ' ' + ShellQuote(argument);
    command += " 2>/dev/null";
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        std::array<char, 4096> buffer;
        while (fgets(buffer.data(), buffer.size(), pipe)) output += buffer.data();
        pclose(pipe);
    }
    std::vector<std::string> lines;
    std::istringstream stream(output);
    for (std::string line; std::getline(stream, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

THkcuValue::THkcuValue(std::string key, std::string name) : FKey(std::move(key)), FName(std::move(name)) {
    const auto lines = QTool({"hkcu", "get", FKey, FName});
    FSaved = lines.empty() ? "missing" : lines.front();
}

THkcuValue::~THkcuValue() {
    if (FSaved.rfind("sz: ", 0) == 0) SetString(FSaved.substr(4));
    else if (FSaved.rfind("dword: ", 0) == 0) SetDword(static_cast<uint32_t>(std::stoul(FSaved.substr(7))));
    else Delete();
}

void THkcuValue::SetString(const std::string& value) { QTool({"hkcu", "set", FKey, FName, "sz", value}); }

void THkcuValue::SetDword(uint32_t value) { QTool({"hkcu", "set", FKey, FName, "dword", std::to_string(value)}); }

void THkcuValue::Delete() { QTool({"hkcu", "delete", FKey, FName}); }

TScrRun RunScr(const std::vector<std::string>& arguments, const TScrOptions& options) {
    std::ostringstream command;
    if (!options.WorkingDir.empty()) command << "cd " << ShellQuote(options.WorkingDir) << " && ";
    command << ShellQuote(std::string(QUORLIN_SOURCE_DIR) + "/scripts/wine-run") << ' '
            << ShellQuote(std::string(QUORLIN_WIN_DIR) + "/qtool.exe") << " run --timeout " << options.TimeoutMs;
    if (options.TestWindow) command << " --window";
    if (!options.WindowInfoFile.empty()) command << " --window-info " << ShellQuote(WinePath(options.WindowInfoFile));
    if (options.DestroyWindowAfterMs > 0) command << " --destroy-window-after " << options.DestroyWindowAfterMs;
    const std::string program = options.Program.empty() ? std::string(QUORLIN_WIN_DIR) + "/quorlin.scr" : options.Program;
    command << " -- " << ShellQuote(WinePath(program));
    for (const std::string& argument : arguments) command << ' ' << ShellQuote(argument);
    command << " 2>/dev/null";

    TScrRun run;
    FILE* pipe = popen(command.str().c_str(), "r");
    if (!pipe) return run;
    std::array<char, 4096> buffer;
    while (fgets(buffer.data(), buffer.size(), pipe)) run.RawOutput += buffer.data();
    pclose(pipe);
    std::istringstream lines(run.RawOutput);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        ParseLine(line, run);
    }
    return run;
}

}  // namespace quorlin::e2e
