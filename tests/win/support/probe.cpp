// A small child for the Windows tests: does one thing of the module's, chosen by its
// arguments, and exits with 0 (2 for arguments it does not know).
//   probe log plain|empty|zero    writes a fixed text through the logger
//   probe shellopen TARGET        opens TARGET through the shell helper
//   probe holdlib PATH            loads the library at PATH and keeps it for a minute
#include <windows.h>

#include <string>

#include "saver/shell/Utils.h"
#include "saver/shell/logger.h"

int main(int argc, char** argv) {
    using quorlin::TLogger;
    const std::string command = argc > 1 ? argv[1] : "";
    const std::string which = argc > 2 ? argv[2] : "";
    if (command == "log" && which == "plain") {
        TLogger::Log("Screenshot failed: 'wide' is not a valid integer value");
    } else if (command == "log" && which == "empty") {
        TLogger::Log("");
    } else if (command == "log" && which == "zero") {
        TLogger::Log(std::string("before\0after", 12));
    } else if (command == "shellopen" && argc > 2) {
        quorlin::ShellOpen(which);
    } else if (command == "holdlib" && argc > 2) {
        if (!LoadLibraryA(which.c_str())) return 3;
        Sleep(60000);
    } else {
        return 2;
    }
    return 0;
}
