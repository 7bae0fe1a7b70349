#include "saver/forms/Bitmap.h"

#include <limits>
#include <new>
#include <string>

namespace quorlin {

namespace {

// The screen's device context, for as long as a bitmap call needs it.
class TScreenDC {
public:
    TScreenDC() : FHandle(GetDC(nullptr)) {
        if (!FHandle) throw EInvalidGraphic("Cannot get the screen's device context");
    }
    ~TScreenDC() { ReleaseDC(nullptr, FHandle); }
    TScreenDC(const TScreenDC&) = delete;
    TScreenDC& operator=(const TScreenDC&) = delete;
    HDC Handle() const { return FHandle; }

private:
    HDC FHandle;
};

std::string SizeText(int width, int height) { return std::to_string(width) + " x " + std::to_string(height); }

}  // namespace

HDC TCanvas::Handle() {
    if (!FHandle) {
        FHandle = CreateCompatibleDC(nullptr);
        if (!FHandle) throw EInvalidGraphic("Cannot create a device context for the bitmap");
        Select();
    }
    return FHandle;
}

void TCanvas::FillRect(const RECT& rect, TColor color) {
    HBRUSH brush = CreateSolidBrush(ColorToRGB(color));
    if (!brush) throw EInvalidGraphic("Cannot create a brush");
    ::FillRect(Handle(), &rect, brush);
    DeleteObject(brush);
}

TCanvas::~TCanvas() {
    if (!FHandle) return;
    Deselect();
    DeleteDC(FHandle);
}

void TCanvas::Deselect() {
    if (FHandle && FOldBitmap) SelectObject(FHandle, FOldBitmap);
    FOldBitmap = nullptr;
}

void TCanvas::Select() {
    if (!FHandle || !FBitmap.FHandle) return;
    FOldBitmap = SelectObject(FHandle, FBitmap.FHandle);
    if (!FOldBitmap) throw EInvalidGraphic("Cannot select the bitmap into its device context");
}

TBitmap::TBitmap() : FCanvas(*this) {}

TBitmap::~TBitmap() { Release(); }

void TBitmap::Release() {
    FCanvas.Deselect();
    if (FHandle) DeleteObject(FHandle);
    FHandle = nullptr;
    FWidth = 0;
    FHeight = 0;
}

void TBitmap::SetSize(int width, int height) {
    if (width < 0 || height < 0) throw EInvalidGraphic("Invalid bitmap size " + SizeText(width, height));
    Release();
    if (width == 0 || height == 0) return;
    HBITMAP bitmap = nullptr;
    {
        TScreenDC screen;
        bitmap = CreateCompatibleBitmap(screen.Handle(), width, height);
    }
    if (!bitmap) throw EInvalidGraphic("Cannot create a bitmap of " + SizeText(width, height) + " pixels");
    FHandle = bitmap;
    FWidth = width;
    FHeight = height;
    FCanvas.Select();
}

std::vector<uint8_t> TBitmap::ReadRgbRows() {
    if (!FHandle) return {};
    const uint64_t stride = (static_cast<uint64_t>(FWidth) * 3 + 3) & ~uint64_t{3};
    const uint64_t total = stride * static_cast<uint64_t>(FHeight);
    if (total > std::numeric_limits<size_t>::max() / 2) {
        throw EInvalidGraphic("The bitmap of " + SizeText(FWidth, FHeight) + " pixels is too large to read");
    }
    std::vector<uint8_t> rows;
    try {
        rows.resize(static_cast<size_t>(total));
    } catch (const std::bad_alloc&) {
        throw EInvalidGraphic("Not enough memory to read a bitmap of " + SizeText(FWidth, FHeight) + " pixels");
    }

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = FWidth;
    info.bmiHeader.biHeight = -FHeight;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;

    FCanvas.Deselect();
    int copied = 0;
    {
        TScreenDC screen;
        copied = GetDIBits(screen.Handle(), FHandle, 0, static_cast<UINT>(FHeight), rows.data(), &info, DIB_RGB_COLORS);
    }
    FCanvas.Select();
    if (copied != FHeight) throw EInvalidGraphic("Cannot read the pixels of a bitmap of " + SizeText(FWidth, FHeight));

    // GDI gives blue, green, red in rows padded to four bytes; pack them as red, green, blue.
    const size_t packed = static_cast<size_t>(FWidth) * 3;
    for (size_t y = 0; y < static_cast<size_t>(FHeight); ++y) {
        const uint8_t* from = rows.data() + y * stride;
        uint8_t* to = rows.data() + y * packed;
        for (size_t x = 0; x < packed; x += 3) {
            const uint8_t blue = from[x];
            const uint8_t green = from[x + 1];
            const uint8_t red = from[x + 2];
            to[x] = red;
            to[x + 1] = green;
            to[x + 2] = blue;
        }
    }
    rows.resize(packed * static_cast<size_t>(FHeight));
    return rows;
}

}  // namespace quorlin
