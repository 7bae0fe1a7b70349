#pragma once
// Splitting a command line into arguments the way the module's platform does it.

#include <string>
#include <vector>

namespace quorlin {

// Each argument is a run of characters above the blank. A stretch in double quotes stays
// together, blanks included, and loses its quotes. A pair of quotes with nothing between
// them where an argument would begin is skipped like a blank. An argument that comes out
// empty ends the list, so no argument is ever empty. Element 0 is the program path.
std::vector<std::string> SplitCommandLine(const std::string& commandLine);

// The process's own arguments, element 0 included.
std::vector<std::string> ProcessArguments();

}  // namespace quorlin
