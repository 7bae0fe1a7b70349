#pragma once
// Reading the clock off a picture: the angles of its hands and whether the glass is
// there, from plain pixels. Portable and free of any test framework, so that native
// tests, Windows tests and end-to-end tests over screenshots and JPEG files share it.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace quorlin::testsupport {

struct TRgb {
    double R = 0, G = 0, B = 0;
};

// A picture as rows of pixels, 3 (RGB) or 4 (RGBA) bytes each, or 32-bit BGRA words
// (premultiplied, as the renderer and a Windows DIB hold them) seen as bytes B, G, R, A.
struct TPicture {
    enum class TLayout { Rgb, Rgba, Bgra };
    const uint8_t* Data = nullptr;
    int Width = 0;
    int Height = 0;
    size_t Stride = 0;  // bytes from one row to the next
    TLayout Layout = TLayout::Rgba;

    static TPicture FromBgra(const uint32_t* pixels, int width, int height);
    static TPicture FromRgb(const uint8_t* bytes, int width, int height);

    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < Width && y < Height; }
};

// Where the clock lies in the picture: the hands' pivot in picture pixels and how many
// picture pixels one stage pixel spans.
struct TClockPlace {
    double PivotX = 0;
    double PivotY = 0;
    double Scale = 1;
};

struct THandAngles {
    // Degrees clockwise from twelve, in [0, 360); none for a hand that cannot be seen.
    std::optional<double> Hour, Minute, Second;
};

TRgb PixelAt(const TPicture& picture, int x, int y);
// Bilinear between the four pixels about (x, y), edges held.
TRgb SampleAt(const TPicture& picture, double x, double y);
// Euclidean distance in RGB, 0 to about 441.
double ColorDistance(const TRgb& a, const TRgb& b);
TRgb RgbFrom(uint32_t rrggbb);

// The clock movie's hands from 12 o'clock, clockwise, without the artwork's shading: a
// ring where only the second hand reaches, one the minute hand reaches too, and one all
// three cross; the peaks of each ring against its own typical colour are the hands, and
// those already placed on an outer ring are taken out of the inner ones.
THandAngles MeasureHands(const TPicture& picture, const TClockPlace& place);

// The peaks along a circle of the given radius (picture pixels) about the pivot:
// angles in degrees, strongest first. For tests that look at one ring.
std::vector<double> RingPeaks(const TPicture& picture, double pivotX, double pivotY, const std::vector<double>& radii);

// Whether the glass disc is over the face: points within the disc but away from its rim
// and from the hands differ from the background the host set.
bool GlassPresent(const TPicture& picture, const TClockPlace& place, const TRgb& background);

// The smaller angle between two directions, in degrees (0 to 180).
double AngleBetween(double a, double b);

}  // namespace quorlin::testsupport
