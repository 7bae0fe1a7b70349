#pragma once
// A device-dependent bitmap in the screen's own colour format, with a canvas: a memory
// device context that the bitmap stays selected into, for copying from the screen and for
// letting windows paint themselves into it.

#include <windows.h>

#include <cstdint>
#include <vector>

#include "saver/forms/Graphics.h"
#include "saver/forms/SysUtils.h"

namespace quorlin {

// Raised when a bitmap or its device context cannot be made or read.
class EInvalidGraphic : public Exception {
public:
    using Exception::Exception;
};

class TBitmap;

class TCanvas {
public:
    // The memory device context the bitmap is selected into.
    HDC Handle();
    void FillRect(const RECT& rect, TColor color);

private:
    friend class TBitmap;
    explicit TCanvas(TBitmap& bitmap) : FBitmap(bitmap) {}
    ~TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    // GetDIBits must not see the bitmap selected into a device context.
    void Deselect();
    void Select();

    TBitmap& FBitmap;
    HDC FHandle = nullptr;
    HGDIOBJ FOldBitmap = nullptr;
};

class TBitmap {
public:
    TBitmap();
    ~TBitmap();
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    // Makes a new bitmap of that size; the old content is not kept. A size of zero on
    // either axis leaves no bitmap at all; a negative one raises EInvalidGraphic.
    void SetSize(int width, int height);
    void SetWidth(int width) { SetSize(width, FHeight); }
    void SetHeight(int height) { SetSize(FWidth, height); }

    HBITMAP Handle() const { return FHandle; }
    TCanvas& Canvas() { return FCanvas; }

    // The pixels as 24-bit rows, top row first, each row red, green, blue per pixel and
    // packed without padding (width * 3 bytes a row).
    std::vector<uint8_t> ReadRgbRows();

private:
    friend class TCanvas;
    void Release();

    int FWidth = 0;
    int FHeight = 0;
    HBITMAP FHandle = nullptr;
    TCanvas FCanvas;
};

}  // namespace quorlin
