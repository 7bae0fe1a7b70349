// The screen form in the test's own process, built from the module's resources (TSCRNFRM,
// FLASH, MOVIE) with the real player: what a black-box run cannot see from outside.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "saver/flash/flashbox.h"
#include "saver/forms/Application.h"
#include "saver/shell/Entry.h"
#include "saver/shell/Scrn.h"
#include "tests/support/ClockPixels.h"
#include "tests/win/settings/RegistryBackup.h"

using namespace quorlin;

namespace {

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

// A window of the size of the display settings' preview, standing in for it.
HWND MakePreviewParent(int left = 50, int top = 60, int width = 152, int height = 112) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ParentProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "ScrnFrmTestParent";
    RegisterClassA(&wc);
    return CreateWindowExA(0, wc.lpszClassName, "preview", WS_POPUP | WS_VISIBLE, left, top, width, height, nullptr,
                           nullptr, wc.hInstance, nullptr);
}

class ScrnFrmTest : public ::testing::Test {
protected:
    void SetUp() override { Application = &FApplication; }
    void TearDown() override {
        FApplication.ProcessMessages();
        Application = nullptr;
        SaverMode = smConfig;
        PreviewParent = 0;
    }
    // Serves messages until the condition holds, for up to timeoutMs.
    template <class TCondition>
    bool PumpUntil(TCondition condition, DWORD timeoutMs) {
        const DWORD start = GetTickCount();
        while (!condition()) {
            if (GetTickCount() - start > timeoutMs) return false;
            FApplication.ProcessMessages();
            Sleep(20);
        }
        return true;
    }

    TApplication FApplication;
};

}  // namespace

// The colour on the screen at a point, as 0xRRGGBB.
uint32_t ScreenRgb(HWND window, int x, int y) {
    POINT point = {x, y};
    ClientToScreen(window, &point);
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, point.x, point.y);
    ReleaseDC(nullptr, screen);
    return GetRValue(colour) << 16 | GetGValue(colour) << 8 | GetBValue(colour);
}

TEST_F(ScrnFrmTest, ThePreviewFillsItsParentAndHandsEachStreamOutOnce) {
    quorlin::testing::TRegistryBackup backup;
    quorlin::testing::WriteKey("Software\\Tessaly\\Quorlin", {quorlin::testing::Sz("backgroundcolor", "#102030")});
    HWND parent = MakePreviewParent();
    ASSERT_TRUE(parent);
    SaverMode = smPreview;
    PreviewParent = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(parent));
    std::unique_ptr<TScrnFrm> form(TScrnFrm::CreateParented(parent));
    SetWindowLongA(form->Handle(), GWL_STYLE, WS_CHILD | WS_VISIBLE | WS_DISABLED);
    form->Show();
    TFlashBox* box = form->FlashBox();
    ASSERT_NE(box, nullptr) << "FormShow made no Flash host";
    ASSERT_TRUE(PumpUntil([&] { return box->PercentLoaded() == 100; }, 10000)) << "the movie never loaded";

    RECT client, hosted;
    GetClientRect(parent, &client);
    GetWindowRect(box->Handle(), &hosted);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&hosted), 2);
    EXPECT_EQ(hosted.left, 0);
    EXPECT_EQ(hosted.top, 0);
    EXPECT_EQ(hosted.right, client.right);
    EXPECT_EQ(hosted.bottom, client.bottom);
    EXPECT_FALSE(GetFocus() == form->Handle()) << "the disabled preview took the focus";
    // The stored #102030 fills the preview to its corners, in the control's own byte order.
    PumpUntil([&] { return ScreenRgb(parent, 0, 0) == 0x102030; }, 3000);
    for (const auto& [x, y] : {std::pair{0, 0}, {client.right - 1, 0}, {0, client.bottom - 1},
                               {client.right - 1, client.bottom - 1}}) {
        EXPECT_EQ(ScreenRgb(parent, x, y), 0x102030u) << x << "," << y;
    }

    // The control took the movie; a second request finds nothing left to give.
    const struct {
        const char* url;
        bool answered;
    } requests[] = {
        {"http://main", false},   {"HTTP://MAIN", false}, {"http://main/", false}, {"http://desktop", true},
        {"http://desktop", false}, {"http://other", false}, {"", false},
    };
    for (const auto& request : requests) {
        std::unique_ptr<TStream> stream;
        form->GetStream(box, request.url, stream);
        EXPECT_EQ(static_cast<bool>(stream), request.answered) << "'" << request.url << "'";
        if (stream) {
            // The desktop snapshot: a JPEG file from its first byte.
            unsigned char start[2] = {};
            EXPECT_EQ(stream->Position(), 0);
            stream->ReadBuffer(start, sizeof start);
            EXPECT_EQ(start[0], 0xFF);
            EXPECT_EQ(start[1], 0xD8);
        }
    }
    form.reset();
    DestroyWindow(parent);
}

// The window's client area as the screen shows it, 32-bit BGRA rows from the top.
std::vector<uint32_t> CaptureClient(HWND window, int width, int height) {
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<uint32_t> pixels(size_t(width) * height);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY);
    GdiFlush();
    memcpy(pixels.data(), bits, pixels.size() * 4);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

TEST_F(ScrnFrmTest, ThePreviewStretchesTheWholeStageToItsWindow) {
    using namespace quorlin::testing;
    TRegistryBackup backup;
    WriteKey("Software\\Tessaly\\Quorlin",
             {Sz("backgroundcolor", "#102030"), Dword("glass", 1), Dword("seconds", 1)});
    // Twice as wide as the stage: shown whole, the clock would keep its shape in the middle.
    constexpr int kWidth = 1100, kHeight = 400;
    HWND parent = MakePreviewParent(0, 0, kWidth, kHeight);
    SaverMode = smPreview;
    PreviewParent = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(parent));
    std::unique_ptr<TScrnFrm> form(TScrnFrm::CreateParented(parent));
    SetWindowLongA(form->Handle(), GWL_STYLE, WS_CHILD | WS_VISIBLE | WS_DISABLED);
    form->Show();
    ASSERT_NE(form->FlashBox(), nullptr);
    ASSERT_TRUE(PumpUntil([&] { return form->FlashBox()->PercentLoaded() == 100; }, 10000));
    PumpUntil([] { return false; }, 1000);

    SYSTEMTIME now;
    GetLocalTime(&now);
    const std::vector<uint32_t> shown = CaptureClient(parent, kWidth, kHeight);
    // Squeezed back by half across, an exact fit gives the stage as the movie drew it.
    std::vector<uint8_t> stage(550 * 400 * 3);
    for (int y = 0; y < 400; ++y) {
        for (int x = 0; x < 550; ++x) {
            const uint32_t pixel = shown[size_t(y) * kWidth + x * 2];
            uint8_t* out = &stage[(size_t(y) * 550 + x) * 3];
            out[0] = uint8_t(pixel >> 16), out[1] = uint8_t(pixel >> 8), out[2] = uint8_t(pixel);
        }
    }
    using namespace quorlin::testsupport;
    const TPicture picture = TPicture::FromRgb(stage.data(), 550, 400);
    const THandAngles hands = MeasureHands(picture, {272.35, 200.45, 1.0});
    ASSERT_TRUE(hands.Hour && hands.Minute) << "no clock where the stretched stage puts it";
    const double hour = 30.0 * (now.wHour % 12) + now.wMinute / 2.0, minute = 6.0 * now.wMinute + now.wSecond / 10.0;
    EXPECT_LE(AngleBetween(*hands.Hour, hour), 1.0) << *hands.Hour << " for " << hour;
    EXPECT_LE(AngleBetween(*hands.Minute, minute), 1.0) << *hands.Minute << " for " << minute;
    EXPECT_TRUE(GlassPresent(picture, {272.35, 200.45, 1.0}, RgbFrom(0x102030)));
    // Shown whole, the stage would leave bare bands at both sides; stretched, the glass
    // reaches into the left quarter.
    EXPECT_NE(shown[size_t(200) * kWidth + 200] & 0xFFFFFF, 0x102030u);
    form.reset();
    DestroyWindow(parent);
}

TEST_F(ScrnFrmTest, FullScreenItIsATopmostFramelessWindowThatCapturesAndHidesTheCursorUntilClosed) {
    SaverMode = smShow;
    const int cursorBefore = ShowCursor(TRUE) - 1;
    ShowCursor(FALSE);
    auto* form = FApplication.CreateForm<TScrnFrm>();
    ASSERT_TRUE(form->HandleAllocated()) << "the capture needs the window";
    HWND window = form->Handle();
    EXPECT_EQ(GetCapture(), window);
    EXPECT_TRUE(FApplication.OnMessage) << "no input filter installed";
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME | WS_SYSMENU));
    EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    RECT rect;
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 0);
    EXPECT_EQ(rect.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(rect.bottom, GetSystemMetrics(SM_CYSCREEN));
    char caption[32] = {};
    GetWindowTextA(window, caption, sizeof caption);
    EXPECT_STREQ(caption, "ScrnFrm");
    EXPECT_EQ(ShowCursor(TRUE) - 1, cursorBefore - 1) << "the cursor is hidden once";
    ShowCursor(FALSE);

    // Without the password switch, the close goes through and undoes the set-up.
    form->Close();
    EXPECT_FALSE(FApplication.OnMessage) << "the input filter outlived the saver";
    EXPECT_NE(GetCapture(), window);
    // Hidden once at creation, shown by the close request and once more by StopSaver: the
    // process ends right after, so the count is left one above where it began.
    EXPECT_EQ(ShowCursor(TRUE) - 1, cursorBefore + 1);
    ShowCursor(FALSE);
    ShowCursor(FALSE);
    EXPECT_TRUE(PumpUntil([&] { return FApplication.Terminated(); }, 2000));
    delete form;
}
