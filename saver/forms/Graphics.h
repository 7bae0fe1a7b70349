#pragma once
// Colours and fonts of the controls. A TColor is a COLORREF (red in the low byte), or a
// system colour: the top bit set and the COLOR_ index in the low byte.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

namespace quorlin {

using TColor = int32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clSystemColor = static_cast<TColor>(0x80000000);
constexpr TColor clBtnFace = clSystemColor | COLOR_BTNFACE;
constexpr TColor clWindow = clSystemColor | COLOR_WINDOW;
constexpr TColor clWindowText = clSystemColor | COLOR_WINDOWTEXT;
constexpr TColor clBtnShadow = clSystemColor | COLOR_BTNSHADOW;
constexpr TColor clBtnHighlight = clSystemColor | COLOR_BTNHIGHLIGHT;

// The RGB value a colour stands for: system colours are resolved, others pass unchanged.
COLORREF ColorToRGB(TColor color);

enum TFontStyle : uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

class TFont {
public:
    TFont() = default;
    ~TFont();
    TFont(const TFont&) = delete;
    TFont& operator=(const TFont&) = delete;

    std::string Name() const { return FName; }
    int Height() const { return FHeight; }
    uint8_t Style() const { return FStyle; }
    TColor Color() const { return FColor; }
    int Charset() const { return FCharset; }

    void SetName(const std::string& name);
    void SetHeight(int height);
    void SetStyle(uint8_t style);
    void SetColor(TColor color);
    void SetCharset(int charset);
    void Assign(const TFont& source);

    // The GDI font, made on first use and remade after a change.
    HFONT Handle() const;
    // Height and width of a text in this font on the screen.
    SIZE TextExtent(const std::string& text) const;

    std::function<void()> OnChange;

private:
    void Changed();

    std::string FName = "MS Sans Serif";
    int FHeight = -11;
    uint8_t FStyle = 0;
    TColor FColor = clWindowText;
    int FCharset = DEFAULT_CHARSET;
    mutable HFONT FHandle = nullptr;
};

// A GDI brush of one colour, remade when the colour changes.
class TBrushCache {
public:
    ~TBrushCache() { Reset(); }
    HBRUSH Get(COLORREF color);
    void Reset();

private:
    HBRUSH FBrush = nullptr;
    COLORREF FColor = 0;
};

}  // namespace quorlin
