#pragma once
// Character ids and the placements the host relies on: instance names, depths, pivots,
// scales and opacities of the clock, in twips and fixed point where the file keeps them.

#include <cstdint>

namespace quorlin::movie {

namespace Id {
constexpr uint16_t HandShape = 1;
constexpr uint16_t GlassDisc = 2;
constexpr uint16_t GlassHighlight = 3;
constexpr uint16_t GlassClip = 4;
constexpr uint16_t ClockClip = 5;
constexpr uint16_t OriginalClip = 6;
constexpr uint16_t BadgeBitmap = 7;
constexpr uint16_t BadgeShape = 8;
constexpr uint16_t BadgeClip = 9;
// Scripts address movie clips only, so each hand is an instance of a clip around the shape.
constexpr uint16_t HandClip = 10;
}  // namespace Id

// The hand: a bar 8 px wide from 191 px above its pivot to 37.05 px below it.
constexpr double HandHalfWidth = 4.0;
constexpr double HandTop = -191.0;
constexpr double HandBottom = 37.05;

// Where the glass disc lies inside its clip, so that on the stage it is centred on the
// hands' pivot and about 360 x 375 px.
constexpr double GlassScaleX = 0.8195, GlassScaleY = 0.9532;
constexpr double GlassX = -405.7, GlassY = -250.65;
constexpr double PivotX = -75.4, PivotY = -0.05;
constexpr double GlassCentreX = (PivotX - GlassX) / GlassScaleX;
constexpr double GlassCentreY = (PivotY - GlassY) / GlassScaleY;
constexpr double GlassRadiusX = 180.0 / GlassScaleX;
constexpr double GlassRadiusY = 187.5 / GlassScaleY;

constexpr uint16_t BadgeWidth = 804, BadgeHeight = 112;

}  // namespace quorlin::movie
