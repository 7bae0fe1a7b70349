#include "saver/shell/Utils.h"

#include <windows.h>
#include <shellapi.h>

namespace quorlin {

void ShellOpen(const std::string& target) {
    ShellExecuteA(GetDesktopWindow(), "open", target.c_str(), nullptr, nullptr, SW_SHOW);
}

}  // namespace quorlin
