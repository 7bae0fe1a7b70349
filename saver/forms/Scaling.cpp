#include "saver/forms/Scaling.h"

#include <windows.h>

namespace quorlin {

int ScreenDpi() {
    static const int dpi = [] {
        HDC dc = GetDC(nullptr);
        const int value = GetDeviceCaps(dc, LOGPIXELSY);
        ReleaseDC(nullptr, dc);
        return value > 0 ? value : kDesignDpi;
    }();
    return dpi;
}

int ScaleLength(int length) { return ScaleLength(length, kDesignDpi); }

int ScaleLength(int length, int fromDpi) { return MulDiv(length, ScreenDpi(), fromDpi); }

}  // namespace quorlin
