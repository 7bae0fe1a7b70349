#include "movie/StrokeFont.h"

#include "movie/Trig.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace quorlin::movie {

namespace {

// An elliptic arc as a polyline, fine enough that its chords stay within a hundredth
// of a pixel at the badge's size.
void Arc(std::vector<TPoint>& line, double cx, double cy, double rx, double ry, double from, double to) {
    const int steps = 48;
    for (int i = 0; i <= steps; ++i) {
        auto [c, s] = CosSinDeg(from + (to - from) * i / steps);
        line.push_back({cx + rx * c, cy + ry * s});
    }
}

std::vector<TPoint> Ring(double cx, double cy, double rx, double ry) {
    std::vector<TPoint> line;
    Arc(line, cx, cy, rx, ry, 0, 360);
    return line;
}

double SegmentDistance(TPoint p, TPoint a, TPoint b) {
    double dx = b.X - a.X, dy = b.Y - a.Y;
    double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? std::clamp(((p.X - a.X) * dx + (p.Y - a.Y) * dy) / len2, 0.0, 1.0) : 0.0;
    double ex = p.X - (a.X + t * dx), ey = p.Y - (a.Y + t * dy);
    return std::sqrt(ex * ex + ey * ey);
}

}  // namespace

TGlyph Glyph(char c) {
    TGlyph g;
    switch (c) {
        case 'Q':
            g.Advance = 0.84;
            g.Strokes = {Ring(0.42, 0.5, 0.42, 0.5), {{0.56, 0.74}, {0.86, 1.06}}};
            break;
        case 'O':
            g.Advance = 0.84;
            g.Strokes = {Ring(0.42, 0.5, 0.42, 0.5)};
            break;
        case 'U': {
            g.Advance = 0.72;
            std::vector<TPoint> line = {{0, 0}, {0, 0.64}};
            Arc(line, 0.36, 0.64, 0.36, 0.36, 180, 0);
            // From 180 down to 0 degrees passes 90, the bottom, as y points down.
            line.push_back({0.72, 0});
            g.Strokes = {line};
            break;
        }
        case 'R': {
            g.Advance = 0.66;
            std::vector<TPoint> bowl = {{0, 1}, {0, 0}, {0.38, 0}};
            Arc(bowl, 0.38, 0.25, 0.25, 0.25, -90, 90);
            bowl.push_back({0, 0.5});
            g.Strokes = {bowl, {{0.32, 0.5}, {0.66, 1}}};
            break;
        }
        case 'L':
            g.Advance = 0.56;
            g.Strokes = {{{0, 0}, {0, 1}, {0.56, 1}}};
            break;
        case 'I':
            g.Advance = 0;
            g.Strokes = {{{0, 0}, {0, 1}}};
            break;
        case 'N':
            g.Advance = 0.7;
            g.Strokes = {{{0, 1}, {0, 0}, {0.7, 1}, {0.7, 0}}};
            break;
        default: throw std::invalid_argument(std::string("no glyph for '") + c + "'");
    }
    return g;
}

std::vector<double> RenderText(const std::string& text, int width, int height, double capHeight, double stroke,
                               double gap) {
    // Lay the glyphs out in pixels, centred on the image.
    std::vector<TGlyph> glyphs;
    double total = 0;
    for (char c : text) {
        glyphs.push_back(Glyph(c));
        total += glyphs.back().Advance * capHeight;
    }
    total += gap * double(text.size() - 1);
    double x0 = (width - total) / 2, y0 = (height - capHeight) / 2;

    std::vector<std::pair<TPoint, TPoint>> segments;
    double pen = x0;
    for (const TGlyph& g : glyphs) {
        for (const auto& line : g.Strokes) {
            for (size_t i = 1; i < line.size(); ++i) {
                TPoint a{pen + line[i - 1].X * capHeight, y0 + line[i - 1].Y * capHeight};
                TPoint b{pen + line[i].X * capHeight, y0 + line[i].Y * capHeight};
                segments.push_back({a, b});
            }
        }
        pen += g.Advance * capHeight + gap;
    }

    // A pixel is covered by how far its centre lies inside the stroke, over one pixel.
    std::vector<double> coverage(size_t(width) * height, 0.0);
    const double half = stroke / 2;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            TPoint p{x + 0.5, y + 0.5};
            double d = 1e9;
            for (const auto& [a, b] : segments) d = std::min(d, SegmentDistance(p, a, b));
            coverage[size_t(y) * width + x] = std::clamp(half + 0.5 - d, 0.0, 1.0);
        }
    }
    return coverage;
}

}  // namespace quorlin::movie
