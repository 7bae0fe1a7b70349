#pragma once
// A clock-like frame built from the renderer's own primitives, on a 550 x 400 stage:
// a face disc with a radial gradient, a glass disc at low alpha, twelve ticks, three
// outlined hands turned to 14:05:30, and a small smoothed bitmap badge.

#include <cmath>
#include <memory>
#include <numbers>
#include <vector>

#include "player/render/Renderer.h"
#include "player/render/StageTransform.h"

namespace quorlin::bench {

using namespace quorlin::render;

inline constexpr double kPivotX = 275 * 20.0, kPivotY = 200 * 20.0;

inline TShapeEdge Line(TPointF a, TPointF b, uint16_t fill1, uint16_t line = 0) {
    TShapeEdge e;
    e.From = a;
    e.To = b;
    e.Fill1 = fill1;
    e.Line = line;
    return e;
}

inline TShapeEdge Curve(TPointF a, TPointF c, TPointF b, uint16_t fill1, uint16_t line = 0) {
    TShapeEdge e = Line(a, b, fill1, line);
    e.Curved = true;
    e.Control = c;
    return e;
}

// A circle of eight quadratic arcs around the origin, radius in twips.
inline void AddDisc(TShape& s, double r, uint16_t fill1, uint16_t line = 0) {
    const double step = std::numbers::pi / 4, rc = r / std::cos(step / 2);
    for (int i = 0; i < 8; ++i) {
        double a0 = i * step, a1 = a0 + step, am = a0 + step / 2;
        s.Edges.push_back(Curve(TPointF{float(r * std::cos(a0)), float(r * std::sin(a0))},
                                TPointF{float(rc * std::cos(am)), float(rc * std::sin(am))},
                                TPointF{float(r * std::cos(a1)), float(r * std::sin(a1))}, fill1, line));
    }
}

// A hand pointing up from the pivot: tapered bar with a rounded tip, outlined.
inline TShape Hand(double length, double width, TColor fill, TColor outline) {
    TShape s;
    s.Fills.push_back(TSolidFill{fill});
    s.Lines.push_back(TLineStyle{30, outline});
    float hw = float(width / 2), tip = float(width / 4), back = float(length * 0.18);
    TPointF p0{-hw, back}, p1{-tip, -float(length)}, p2{tip, -float(length)}, p3{hw, back};
    s.Edges.push_back(Line(p0, p1, 1, 1));
    s.Edges.push_back(Curve(p1, TPointF{0, -float(length) - tip * 2}, p2, 1, 1));
    s.Edges.push_back(Line(p2, p3, 1, 1));
    s.Edges.push_back(Curve(p3, TPointF{0, back + hw * 2}, p0, 1, 1));
    return s;
}

struct TClockScene {
    TShape Face, Glass, Ticks, HourHand, MinuteHand, SecondHand, Badge;
    std::shared_ptr<TPixmap> BadgeBitmap = std::make_shared<TPixmap>(804, 112);
    TStageRect Stage;

    TClockScene() {
        Face.Fills.push_back(TGradientFill{TGradientFill::TKind::Radial, TMatrix::Scale(0.21, 0.21),
                                           {{0, TColor{250, 250, 245, 255}},
                                            {200, TColor{200, 210, 225, 255}},
                                            {255, TColor{90, 100, 130, 255}}}});
        Face.Lines.push_back(TLineStyle{60, TColor{40, 40, 50, 255}});
        AddDisc(Face, 3400, 1, 1);

        Glass.Fills.push_back(TGradientFill{TGradientFill::TKind::Radial,
                                            TMatrix{0.22, 0, 0, 0.22, -600, -900},
                                            {{0, TColor{255, 255, 255, 230}}, {255, TColor{120, 160, 255, 40}}}});
        AddDisc(Glass, 3600, 1);

        Ticks.Fills.push_back(TSolidFill{TColor{30, 30, 40, 255}});
        for (int i = 0; i < 12; ++i) {
            TMatrix r = TMatrix::Rotate(30.0 * i);
            float w = i % 3 == 0 ? 120.0f : 60.0f;
            TPointF a = r.Apply(-w, -3200), b = r.Apply(w, -3200), c = r.Apply(w, -2800), d = r.Apply(-w, -2800);
            Ticks.Edges.push_back(Line(a, b, 1));
            Ticks.Edges.push_back(Line(b, c, 1));
            Ticks.Edges.push_back(Line(c, d, 1));
            Ticks.Edges.push_back(Line(d, a, 1));
        }

        HourHand = Hand(1700, 260, TColor{30, 30, 40, 255}, TColor{240, 240, 240, 255});
        MinuteHand = Hand(2600, 200, TColor{30, 30, 40, 255}, TColor{240, 240, 240, 255});
        SecondHand = Hand(2900, 80, TColor{200, 30, 30, 255}, TColor{90, 10, 10, 255});

        // Stripes and blocks standing in for a line of lettering.
        for (int32_t y = 0; y < BadgeBitmap->Height(); ++y)
            for (int32_t x = 0; x < BadgeBitmap->Width(); ++x) {
                bool ink = ((x / 12) % 3 != 0) && (y > 20 && y < 92) && ((x / 40 + y / 24) % 2 == 0);
                BadgeBitmap->SetPixel(x, y, ink ? 0xFF203040u : 0x80808080u);
            }
        Badge.Fills.push_back(TBitmapFill{BadgeBitmap, TMatrix::Scale(20, 20), false, true});
        Badge.Edges.push_back(Line({0, 0}, {804 * 20, 0}, 1));
        Badge.Edges.push_back(Line({804 * 20, 0}, {804 * 20, 112 * 20}, 1));
        Badge.Edges.push_back(Line({804 * 20, 112 * 20}, {0, 112 * 20}, 1));
        Badge.Edges.push_back(Line({0, 112 * 20}, {0, 0}, 1));
    }

    // The frame's items for an output, the second hand at the given angle.
    std::vector<TDrawItem> Frame(int32_t width, int32_t height, double secondAngle = 180) const {
        TMatrix stage = TStageTransform::Compute(Stage, width, height, TScaleMode::ShowAll);
        auto at = [&](double angle) {
            return Concat(stage, Concat(TMatrix::Translate(kPivotX, kPivotY), TMatrix::Rotate(angle)));
        };
        std::vector<TDrawItem> items;
        items.push_back(TDrawItem{&Face, at(0), {}, 1});
        items.push_back(TDrawItem{&Ticks, at(0), {}, 2});
        items.push_back(TDrawItem{&HourHand, at(62.5), {}, 3});
        items.push_back(TDrawItem{&MinuteHand, at(33), {}, 4});
        items.push_back(TDrawItem{&SecondHand, at(secondAngle), {}, 5});
        items.push_back(TDrawItem{&Glass, at(0), TColorTransform::Alpha(46 / 256.0f), 6});
        TMatrix badge = Concat(stage, Concat(TMatrix::Translate(247 * 20, 385 * 20), TMatrix::Scale(0.0683, 0.0683)));
        items.push_back(TDrawItem{&Badge, badge, {}, 7});
        return items;
    }
};

inline const TColor kClockBackground{0x33, 0x66, 0x99, 255};

}  // namespace quorlin::bench
