#pragma once
// Fill and line styles of DefineShape 1 to 3. The shape version decides the colour form
// (RGBA from DefineShape3 on, RGB before) and whether counts may take the extended form.

#include "player/swf/ByteReader.h"
#include "player/swf/ByteWriter.h"
#include "player/swf/Color.h"
#include "player/swf/Matrix.h"

#include <cstdint>
#include <vector>

namespace quorlin::swf {

namespace FillType {
constexpr uint8_t Solid = 0x00;
constexpr uint8_t LinearGradient = 0x10;
constexpr uint8_t RadialGradient = 0x12;
constexpr uint8_t FocalGradient = 0x13;
constexpr uint8_t RepeatingBitmap = 0x40;
constexpr uint8_t ClippedBitmap = 0x41;
constexpr uint8_t RepeatingBitmapHard = 0x42;  // not smoothed
constexpr uint8_t ClippedBitmapHard = 0x43;
}  // namespace FillType

struct TGradientRecord {
    uint8_t Ratio = 0;
    TRgba Color;
    bool operator==(const TGradientRecord&) const = default;
};

struct TGradient {
    uint8_t SpreadMode = 0;         // 0 pad, 1 reflect, 2 repeat
    uint8_t InterpolationMode = 0;  // 0 normal RGB, 1 linear RGB
    std::vector<TGradientRecord> Records;
    int16_t FocalPoint = 0;  // 8.8 fixed point; focal gradients only
    bool operator==(const TGradient&) const = default;
};

struct TFillStyle {
    uint8_t Type = FillType::Solid;
    TRgba Color;       // solid fills
    TMatrix Matrix;    // gradient and bitmap fills
    TGradient Gradient;
    uint16_t BitmapId = 0;

    bool IsGradient() const { return Type == FillType::LinearGradient || Type == FillType::RadialGradient || Type == FillType::FocalGradient; }
    bool IsBitmap() const { return Type >= FillType::RepeatingBitmap && Type <= FillType::ClippedBitmapHard; }
    bool operator==(const TFillStyle&) const = default;
};

struct TLineStyle {
    uint16_t Width = 0;  // twips
    TRgba Color;
    bool operator==(const TLineStyle&) const = default;
};

struct TShapeStyles {
    std::vector<TFillStyle> Fills;
    std::vector<TLineStyle> Lines;
    bool operator==(const TShapeStyles&) const = default;
};

TShapeStyles ReadShapeStyles(TByteReader& r, int shapeVersion);
void WriteShapeStyles(TByteWriter& w, const TShapeStyles& styles, int shapeVersion);

}  // namespace quorlin::swf
