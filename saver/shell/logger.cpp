#include "saver/shell/logger.h"

#include <windows.h>

namespace quorlin {

void TLogger::Log(const std::string& text) { OutputDebugStringA(text.c_str()); }

}  // namespace quorlin
