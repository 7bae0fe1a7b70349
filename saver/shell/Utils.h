#pragma once
// Small services of the shell.

#include <string>

namespace quorlin {

// Hands a document name or URL to the shell with the verb "open". The result is not
// looked at: where nothing can open the target, nothing happens.
void ShellOpen(const std::string& target);

}  // namespace quorlin
