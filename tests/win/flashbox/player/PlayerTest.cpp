// The box with the real player from this program's FLASH resource, on a real form, playing
// the clock from its MOVIE resource through "http://main", as the screen form does.

#include <windows.h>

#include <gtest/gtest.h>

#include "tests/support/ClockPixels.h"

#include <memory>
#include <string>
#include <vector>

#include "saver/flash/flashbox.h"
#include "saver/forms/ComInit.h"
#include "saver/forms/Form.h"
#include "saver/forms/ResourceStream.h"

using namespace quorlin;

namespace {

// Serves the window messages for a while, so the player's timer frames are painted.
void ServeMessages(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    MSG msg;
    while (GetTickCount() - start < milliseconds) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(10);
    }
}

// The colour on the screen at a point of the window's client area (0x00RRGGBB).
uint32_t ScreenRgb(HWND window, int x, int y) {
    POINT at = {x, y};
    ClientToScreen(window, &at);
    HDC screen = GetDC(nullptr);
    const COLORREF color = GetPixel(screen, at.x, at.y);
    ReleaseDC(nullptr, screen);
    return (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
}

// The colours of a frame the control paints into a memory device context handed in
// WM_PAINT, through the box's window procedure, as the screenshot mode has it painted.
class TPaintedFrame {
public:
    TPaintedFrame(HWND window, int width, int height) : FWidth(width) {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        FDc = CreateCompatibleDC(nullptr);
        FBitmap = CreateDIBSection(FDc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&FBits), nullptr, 0);
        FOld = SelectObject(FDc, FBitmap);
        SendMessageA(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(FDc), 0);
        SendMessageA(window, WM_PAINT, reinterpret_cast<WPARAM>(FDc), 0);
        GdiFlush();
    }
    ~TPaintedFrame() {
        SelectObject(FDc, FOld);
        DeleteObject(FBitmap);
        DeleteDC(FDc);
    }
    TPaintedFrame(const TPaintedFrame&) = delete;
    TPaintedFrame& operator=(const TPaintedFrame&) = delete;
    uint32_t RgbAt(int x, int y) const { return FBits[y * FWidth + x] & 0xFFFFFF; }
    const uint32_t* Bits() const { return FBits; }

private:
    int FWidth;
    HDC FDc;
    HBITMAP FBitmap;
    HGDIOBJ FOld;
    uint32_t* FBits = nullptr;
};

struct TPoint {
    int X, Y;
    uint32_t Rgb;
};

class FlashPlayerBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        char base[MAX_PATH];
        GetTempPathA(MAX_PATH, base);
        const std::string folder = std::string(base) + "quorlin-player-box-" + std::to_string(GetCurrentProcessId()) + "\\";
        CreateDirectoryA(folder.c_str(), nullptr);
        SetEnvironmentVariableA("TMP", folder.c_str());
        SetEnvironmentVariableA("TEMP", folder.c_str());
    }
    TComApartment FApartment;
};

}  // namespace

TEST_F(FlashPlayerBoxTest, PlaysTheClockThroughMainAndPaintsIt) {
    TCustomForm form(nullptr);
    form.BorderStyle = TFormBorderStyle::bsNone;
    form.SetBounds(0, 0, 550, 400);
    form.Show();
    auto* box = new TFlashBox(&form);
    box->Align = TAlign::alClient;
    box->SetParent(&form);
    ASSERT_TRUE(box->HandleAllocated());
    EXPECT_EQ(box->Width(), form.ClientWidth());

    // The settings' colour, red and blue swapped into the control's order.
    const uint32_t background = 0x2080C0;
    box->SetBackgroundColor(static_cast<int32_t>(background));
    box->SetFlashVars("freeze_time=14:05:30&glass_visible=true&seconds_visible=true");
    std::vector<std::string> urls;
    box->OnGetStream = [&](TFlashBox*, const std::string& url, std::unique_ptr<TStream>& stream) {
        urls.push_back(url);
        if (url == "http://main") stream = std::make_unique<TResourceStream>(GetModuleHandleA(nullptr), "MOVIE", RT_RCDATA);
    };
    box->LoadMainMovie();
    for (int wait = 0; wait < 100 && box->PercentLoaded() < 100; ++wait) ServeMessages(50);
    EXPECT_EQ(box->PercentLoaded(), 100);
    ASSERT_FALSE(urls.empty());
    EXPECT_EQ(urls.front(), "http://main");

    InvalidateRect(box->Handle(), nullptr, TRUE);
    ServeMessages(500);
    // The stage's corners in the background colour...
    const TPoint expected[] = {
        {2, 2, background},
        {547, 2, background},
        {2, 397, background},
        {547, 397, background},
    };
    TPaintedFrame frame(box->Handle(), 550, 400);
    for (const TPoint& point : expected) {
        EXPECT_EQ(ScreenRgb(box->Handle(), point.X, point.Y), point.Rgb) << "screen " << point.X << "," << point.Y;
        EXPECT_EQ(frame.RgbAt(point.X, point.Y), point.Rgb) << "painted " << point.X << "," << point.Y;
    }
    // ...and the hands at the frozen time, read off the painted frame (stage at 1:1).
    using namespace quorlin::testsupport;
    const THandAngles hands = MeasureHands(TPicture::FromBgra(frame.Bits(), 550, 400), {272.35, 200.45, 1.0});
    ASSERT_TRUE(hands.Hour && hands.Minute && hands.Second);
    EXPECT_LE(AngleBetween(*hands.Hour, 62.5), 1.0) << *hands.Hour;
    EXPECT_LE(AngleBetween(*hands.Minute, 33.0), 1.0) << *hands.Minute;
    EXPECT_LE(AngleBetween(*hands.Second, 180.0), 1.0) << *hands.Second;
}
