// Writes one of a few fixed texts through the logger, chosen by the first argument.
#include <cstring>
#include <string>

#include "saver/shell/logger.h"

int main(int argc, char** argv) {
    using quorlin::TLogger;
    const std::string which = argc > 1 ? argv[1] : "";
    if (which == "plain") {
        TLogger::Log("Screenshot failed: 'wide' is not a valid integer value");
    } else if (which == "empty") {
        TLogger::Log("");
    } else if (which == "zero") {
        TLogger::Log(std::string("before\0after", 12));
    } else {
        return 2;
    }
    return 0;
}
