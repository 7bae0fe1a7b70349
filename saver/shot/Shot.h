#pragma once
// The screenshot mode's driver.

#include <string>

namespace quorlin {

// Reads the options and renders the still; ends the process with exit code 2 when the
// "shot" option is missing or empty and with 3 when anything after that fails.
void TakeScreenshot();

}  // namespace quorlin
