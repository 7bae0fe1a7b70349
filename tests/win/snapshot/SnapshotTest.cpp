// The desktop snapshot of the real screen: a window of known colours is shown first and
// must come back from the JPEG where it stands.

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>

#include "saver/delivery/desktop.h"
#include "tests/win/snapshot/JpegDecode.h"

using namespace quorlin;
using namespace quorlin::testing;

namespace {

constexpr RECT kWindow = {200, 120, 600, 420};

// Top half pure red, bottom half pure blue: colours every palette holds exactly.
LRESULT CALLBACK PaintHalves(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_PAINT) return DefWindowProcA(window, message, wParam, lParam);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    const int middle = client.bottom / 2;
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
    RECT top = {0, 0, client.right, middle};
    RECT bottom = {0, middle, client.right, client.bottom};
    FillRect(dc, &top, red);
    FillRect(dc, &bottom, blue);
    DeleteObject(red);
    DeleteObject(blue);
    EndPaint(window, &paint);
    return 0;
}

class TKnownWindow {
public:
    TKnownWindow() {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = PaintHalves;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "QuorlinSnapshotKnown";
        RegisterClassA(&windowClass);
        FHandle = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "QuorlinSnapshotKnown", "", WS_POPUP | WS_VISIBLE,
                                  kWindow.left, kWindow.top, kWindow.right - kWindow.left,
                                  kWindow.bottom - kWindow.top, nullptr, nullptr, windowClass.hInstance, nullptr);
        UpdateWindow(FHandle);
        // Let the X server show it before the screen is read.
        for (int i = 0; i < 10; ++i) {
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
            Sleep(50);
        }
    }
    ~TKnownWindow() { DestroyWindow(FHandle); }
    HWND Handle() const { return FHandle; }

private:
    HWND FHandle = nullptr;
};

::testing::AssertionResult Near(uint32_t actual, uint32_t expected, int tolerance = 16) {
    for (int shift : {16, 8, 0}) {
        const int a = static_cast<int>((actual >> shift) & 0xFF);
        const int e = static_cast<int>((expected >> shift) & 0xFF);
        if (std::abs(a - e) > tolerance) {
            return ::testing::AssertionFailure() << std::hex << "0x" << actual << " is not near 0x" << expected;
        }
    }
    return ::testing::AssertionSuccess();
}

// The stream as the screen form gets it, and what libjpeg reads back from it.
void CheckSnapshot(int screenWidth, int screenHeight) {
    TKnownWindow known;
    ASSERT_TRUE(known.Handle());
    const std::unique_ptr<TMemoryStream> stream = CaptureDesktopStream();
    EXPECT_EQ(stream->Position(), 0);
    const std::string bytes(stream->Memory(), static_cast<size_t>(stream->Size()));
    ASSERT_GT(bytes.size(), 4u);
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xD8");
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\xFF\xD9");
    EXPECT_EQ(FrameMarker(bytes), 0xC0) << "baseline";

    const TDecodedJpeg decoded = DecodeJpeg(bytes);
    ASSERT_TRUE(decoded.Ok) << decoded.Error;
    EXPECT_EQ(decoded.Width, screenWidth);
    EXPECT_EQ(decoded.Height, screenHeight);
    EXPECT_EQ(decoded.Components, 3);
    EXPECT_FALSE(decoded.Progressive);
    ASSERT_EQ(decoded.Width, GetSystemMetrics(SM_CXSCREEN));
    ASSERT_EQ(decoded.Height, GetSystemMetrics(SM_CYSCREEN));
    // Points inside each half, clear of its edges, where the screen holds flat colour.
    const LONG middle = (kWindow.top + kWindow.bottom) / 2;
    for (LONG x : {kWindow.left + 20, (kWindow.left + kWindow.right) / 2, kWindow.right - 20}) {
        for (LONG y : {kWindow.top + 20, middle - 20}) EXPECT_TRUE(Near(decoded.Rgb(x, y), 0xFF0000)) << x << "," << y;
        for (LONG y : {middle + 20, kWindow.bottom - 20}) EXPECT_TRUE(Near(decoded.Rgb(x, y), 0x0000FF)) << x << "," << y;
    }
}

int ScreenBits() {
    HDC screen = GetDC(nullptr);
    const int bits = GetDeviceCaps(screen, BITSPIXEL);
    ReleaseDC(nullptr, screen);
    return bits;
}

TEST(Snapshot, IsAJpegOfThePrimaryScreen) {
    if (ScreenBits() <= 8) GTEST_SKIP() << "the colour screen's test";
    CheckSnapshot(1920, 1080);
}

TEST(Snapshot, OnAnEightBitScreenIsStillInColour) {
    // Run on a screen of its own by run-8bit.sh; QUORLIN_EXPECT_8BIT makes a wrong screen fail.
    if (ScreenBits() != 8) {
        if (std::getenv("QUORLIN_EXPECT_8BIT")) FAIL() << "the screen has " << ScreenBits() << " bits a pixel";
        GTEST_SKIP() << "needs a screen of 8 bits a pixel";
    }
    EXPECT_EQ(TJpegImage().PixelFormat, TJpegPixelFormat::jf8Bit) << "what the snapshot overrides";
    CheckSnapshot(1024, 768);
}

TEST(Snapshot, TheStepsHandOverTheirObjects) {
    const std::unique_ptr<TBitmap> bitmap = CaptureDesktopBitmap();
    EXPECT_EQ(bitmap->Width(), GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(bitmap->Height(), GetSystemMetrics(SM_CYSCREEN));
    const std::unique_ptr<TJpegImage> jpeg = CaptureDesktopJpeg();
    EXPECT_EQ(jpeg->PixelFormat, TJpegPixelFormat::jf24Bit);
    // The image stays the caller's and saves the same bytes again.
    const std::unique_ptr<TMemoryStream> first = JpegToMemoryStream(*jpeg);
    const std::unique_ptr<TMemoryStream> second = JpegToMemoryStream(*jpeg);
    EXPECT_EQ(first->Position(), 0);
    ASSERT_EQ(first->Size(), second->Size());
    EXPECT_EQ(std::string(first->Memory(), first->Size()), std::string(second->Memory(), second->Size()));
}

}  // namespace
