#pragma once
// Choosing the run mode and the preview window from the command line.

#include <cstdint>
#include <string>
#include <vector>

namespace quorlin {

enum TSaverMode : uint8_t {
    smShow = 0,
    smPreview = 1,
    smConfig = 2,
    smChangePassword = 3,
    smShot = 4,
};

// `arguments` holds the program path at 0, then the arguments from 1 on.
TSaverMode ParseSaverMode(const std::vector<std::string>& arguments);

// The window handle of argument 2 as its low 32 bits, or 0 when it is missing or not a number.
uint32_t ParsePreviewParent(const std::vector<std::string>& arguments);

}  // namespace quorlin
