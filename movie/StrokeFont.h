#pragma once
// The badge's lettering: capitals drawn as centre lines of strokes, in units of the cap
// height (0 at the cap line, 1 on the baseline, y down), and their rasterisation with
// anti-aliasing from each pixel's exact distance to the nearest stroke.

#include <string>
#include <vector>

namespace quorlin::movie {

struct TPoint {
    double X = 0, Y = 0;
};

struct TGlyph {
    double Advance = 0;                         // width of the letter's centre lines
    std::vector<std::vector<TPoint>> Strokes;  // polylines
};

// The letters of our badge text; any other character is an error.
TGlyph Glyph(char c);

// Coverage 0..1 of each pixel of a width x height image, row by row, for the text set
// with the given cap height, stroke width and letter gap (pixels), centred.
std::vector<double> RenderText(const std::string& text, int width, int height, double capHeight, double stroke,
                               double gap);

}  // namespace quorlin::movie
