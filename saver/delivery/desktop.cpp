#include "saver/delivery/desktop.h"

#include <windows.h>

namespace quorlin {

namespace {

// The device context of the whole desktop window, released on every path.
class TDesktopDC {
public:
    TDesktopDC() : FWindow(GetDesktopWindow()), FHandle(GetWindowDC(FWindow)) {
        if (!FHandle) throw EInvalidGraphic("Cannot get the desktop's device context");
    }
    ~TDesktopDC() { ReleaseDC(FWindow, FHandle); }
    TDesktopDC(const TDesktopDC&) = delete;
    TDesktopDC& operator=(const TDesktopDC&) = delete;
    HDC Handle() const { return FHandle; }

private:
    HWND FWindow;
    HDC FHandle;
};

}  // namespace

std::unique_ptr<TBitmap> CaptureDesktopBitmap() {
    TDesktopDC desktop;
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetSize(width, height);
    // Same size on both sides: a one-to-one copy.
    if (!StretchBlt(bitmap->Canvas().Handle(), 0, 0, width, height, desktop.Handle(), 0, 0, width, height, SRCCOPY)) {
        throw EInvalidGraphic("Cannot copy the screen into a bitmap");
    }
    return bitmap;
}

std::unique_ptr<TJpegImage> CaptureDesktopJpeg() {
    auto jpeg = std::make_unique<TJpegImage>();
    // The image class would pick 8 bits on a screen of 8 bits or fewer; the snapshot is
    // always in colour.
    jpeg->PixelFormat = TJpegPixelFormat::jf24Bit;
    jpeg->Assign(*CaptureDesktopBitmap());
    return jpeg;
}

std::unique_ptr<TMemoryStream> JpegToMemoryStream(const TJpegImage& jpeg) {
    auto stream = std::make_unique<TMemoryStream>();
    jpeg.SaveToStream(*stream);
    stream->Seek(0, TSeekOrigin::soBeginning);
    return stream;
}

std::unique_ptr<TMemoryStream> CaptureDesktopStream() { return JpegToMemoryStream(*CaptureDesktopJpeg()); }

}  // namespace quorlin
