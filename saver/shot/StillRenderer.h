#pragma once
// One still of the clock at a frozen time, rendered off screen and written as a JPEG file.

#include <cstdint>
#include <string>

namespace quorlin {

// The movie's variables for a still: the frozen time as given (unchecked, unescaped), the
// glass and the second hand always shown, whatever the user's settings say.
std::string BuildShotVars(const std::string& time);

// Renders the movie at width x height pixels with the control's scale mode and writes the
// picture to fileName (baseline JPEG, quality 90). Failures leave as exceptions carrying a
// message; everything built here is destroyed before they leave.
void RenderStill(const std::string& fileName, int32_t width, int32_t height, const std::string& time,
                 const std::string& scale);

}  // namespace quorlin
