#pragma once
// A picture of premultiplied BGRA8 pixels, rows top to bottom without padding.

#include <cstdint>
#include <stdexcept>
#include <vector>

#include "player/render/Color.h"
#include "player/render/Rect.h"

namespace quorlin::render {

class RenderError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TPixmap {
public:
    // The largest output we drive: 8K UHD. Bitmaps of a movie share the limit.
    static constexpr int32_t kMaxWidth = 7680;
    static constexpr int32_t kMaxHeight = 4320;

    // All pixels transparent black; raises RenderError outside 1 x 1 .. kMaxWidth x kMaxHeight.
    TPixmap(int32_t width, int32_t height);

    int32_t Width() const { return FWidth; }
    int32_t Height() const { return FHeight; }
    TRect Bounds() const { return TRect{0, 0, FWidth, FHeight}; }

    uint32_t* Row(int32_t y) { return FPixels.data() + size_t(y) * size_t(FWidth); }
    const uint32_t* Row(int32_t y) const { return FPixels.data() + size_t(y) * size_t(FWidth); }
    uint32_t Pixel(int32_t x, int32_t y) const { return Row(y)[x]; }
    void SetPixel(int32_t x, int32_t y, uint32_t p) { Row(y)[x] = p; }
    uint32_t* Data() { return FPixels.data(); }
    const uint32_t* Data() const { return FPixels.data(); }

    // Replaces the pixels of rect (clipped to the pixmap) with one premultiplied word.
    void Fill(const TRect& rect, uint32_t pixel);
    void Fill(uint32_t pixel) { Fill(Bounds(), pixel); }

    bool operator==(const TPixmap&) const = default;

private:
    int32_t FWidth;
    int32_t FHeight;
    std::vector<uint32_t> FPixels;
};

}  // namespace quorlin::render
