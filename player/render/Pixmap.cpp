#include "player/render/Pixmap.h"

#include <algorithm>
#include <string>

namespace quorlin::render {

namespace {
int32_t CheckedSize(int32_t value, int32_t limit, const char* what) {
    if (value < 1 || value > limit)
        throw RenderError(std::string("Pixmap ") + what + " " + std::to_string(value) +
                          " is outside 1.." + std::to_string(limit));
    return value;
}
}  // namespace

TPixmap::TPixmap(int32_t width, int32_t height)
    : FWidth(CheckedSize(width, kMaxWidth, "width")),
      FHeight(CheckedSize(height, kMaxHeight, "height")),
      FPixels(size_t(FWidth) * size_t(FHeight), 0u) {}

void TPixmap::Fill(const TRect& rect, uint32_t pixel) {
    TRect r = Intersect(rect, Bounds());
    for (int32_t y = r.Y0; y < r.Y1; ++y) std::fill(Row(y) + r.X0, Row(y) + r.X1, pixel);
}

}  // namespace quorlin::render
