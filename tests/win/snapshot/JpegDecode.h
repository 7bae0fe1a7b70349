#pragma once
// Reads back what the JPEG class wrote, with libjpeg itself: the frame and the pixels.

#include <cstdint>
#include <string>
#include <vector>

namespace quorlin::testing {

struct TDecodedJpeg {
    bool Ok = false;
    std::string Error;
    int Width = 0;
    int Height = 0;
    int Components = 0;
    bool Progressive = false;
    std::vector<uint8_t> Pixels;  // rows top first, Components bytes a pixel

    // Red, green, blue of a pixel (the one grey value three times for one component).
    uint32_t Rgb(long x, long y) const;
};

TDecodedJpeg DecodeJpeg(const std::string& bytes);

// The marker of the first start-of-frame segment (0xC0 for baseline), walking the segments
// from the start-of-image marker; 0 when there is none.
int FrameMarker(const std::string& bytes);

}  // namespace quorlin::testing
