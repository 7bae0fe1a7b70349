// The player control in a minimal container of the test's own, under Wine: created from
// the DLL through DllGetClassObject, activated in place in a real window, fed a movie
// through a moniker over memory, painted into a memory DC.

#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <gtest/gtest.h>

#include "player/swf/BackgroundColor.h"
#include "player/swf/ShowFrame.h"
#include "player/swf/Movie.h"
#include "saver/flash/ShockwaveFlash.h"
#include "tests/support/ClockPixels.h"
#include "tests/win/control/TestContainer.h"
#include "tests/win/support/ChildProcess.h"
#include "tests/win/support/FileBytes.h"

using namespace quorlin;
using namespace quorlin::testing;

namespace {

std::vector<uint8_t> ClockMovieBytes() { return ReadFileBytes(WinePath(QUORLIN_MOVIE_DIR "/clock.swf")); }

// The hands' pivot on the stage, in stage pixels.
constexpr double kPivotX = 272.35, kPivotY = 200.45;

std::vector<uint8_t> TestMovie(int widthPixels, int heightPixels, swf::TRgba background) {
    swf::TMovie movie;
    movie.Compressed = true;
    movie.Version = 7;
    movie.Frame = {0, widthPixels * 20, 0, heightPixels * 20};
    movie.FrameRate = 0x3200;
    movie.FrameCount = 1;
    movie.Tags.push_back(swf::WriteSetBackgroundColor({background}));
    movie.Tags.push_back(swf::WriteShowFrame());
    return swf::WriteMovie(movie);
}

// Calls a member through its vtable slot, as the module does.
template <class... Args>
HRESULT CallSlot(IShockwaveFlash* flash, int slot, Args... args) {
    using TMethod = HRESULT(STDMETHODCALLTYPE*)(IShockwaveFlash*, Args...);
    auto** vtable = *reinterpret_cast<void***>(flash);
    return reinterpret_cast<TMethod>(vtable[slot])(flash, args...);
}

HRESULT PutText(IShockwaveFlash* flash, int slot, const wchar_t* text) {
    BSTR value = SysAllocString(text);
    const HRESULT hr = CallSlot(flash, slot, value);
    SysFreeString(value);
    return hr;
}

LRESULT CALLBACK ContainerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

// A 32-bit memory DC of the given size; the control paints into it on request.
struct TMemoryCanvas {
    TMemoryCanvas(int width, int height) : Width(width), Height(height) {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        Dc = CreateCompatibleDC(nullptr);
        Bitmap = CreateDIBSection(Dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&Bits), nullptr, 0);
        Old = SelectObject(Dc, Bitmap);
    }
    ~TMemoryCanvas() {
        SelectObject(Dc, Old);
        DeleteObject(Bitmap);
        DeleteDC(Dc);
    }
    uint32_t RgbAt(int x, int y) const { return Bits[static_cast<size_t>(y) * Width + x] & 0xFFFFFF; }
    int Width, Height;
    HDC Dc;
    HBITMAP Bitmap;
    HGDIOBJ Old;
    uint32_t* Bits = nullptr;
};

class PlayerControlTest : public ::testing::Test {
protected:
    void SetUp() override {
        CoInitialize(nullptr);
        WNDCLASSA wc = {};
        wc.lpfnWndProc = ContainerProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "QuorlinTestContainer";
        RegisterClassA(&wc);
        // Off every screen, as the still renderer places its form.
        FWindow = CreateWindowExA(0, wc.lpszClassName, "container", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, -32000,
                                  -32000, 1920, 1440, nullptr, nullptr, wc.hInstance, nullptr);
        FSite = std::make_unique<TTestSite>(FWindow);
        FSite->Position = {0, 0, 1920, 1440};
        FModule = LoadLibraryA(WinBuildFile("tsly-swf.ocx").c_str());
        ASSERT_NE(FModule, nullptr);
        auto getClassObject = reinterpret_cast<HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**)>(
            GetProcAddress(FModule, "DllGetClassObject"));
        ASSERT_NE(getClassObject, nullptr);
        IClassFactory* factory = nullptr;
        ASSERT_EQ(getClassObject(CLSID_ShockwaveFlash, IID_IClassFactory, reinterpret_cast<void**>(&factory)), S_OK);
        ASSERT_EQ(factory->CreateInstance(nullptr, IID_IOleObject, reinterpret_cast<void**>(&FOle)), S_OK);
        factory->Release();
        ASSERT_EQ(FOle->QueryInterface(IID_IShockwaveFlash, reinterpret_cast<void**>(&FFlash)), S_OK);
    }

    void TearDown() override {
        if (FOle) FOle->Close(OLECLOSE_NOSAVE);
        if (FOle) FOle->SetClientSite(nullptr);
        if (FFlash) FFlash->Release();
        if (FOle) FOle->Release();
        if (FModule) {
            auto canUnload = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(GetProcAddress(FModule, "DllCanUnloadNow"));
            EXPECT_EQ(canUnload(), S_OK) << "every object of the DLL is gone";
            FreeLibrary(FModule);
        }
        DestroyWindow(FWindow);
        CoUninitialize();
    }

    void Activate() {
        ASSERT_EQ(FOle->SetClientSite(FSite.get()), S_OK);
        ASSERT_EQ(FOle->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, FSite.get(), 0, FWindow, &FSite->Position), S_OK);
        IOleInPlaceObject* inPlace = nullptr;
        ASSERT_EQ(FOle->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&inPlace)), S_OK);
        inPlace->GetWindow(&FControlWindow);
        inPlace->Release();
        ASSERT_NE(FControlWindow, nullptr);
    }

    long PercentLoaded() {
        long percent = -1;
        EXPECT_EQ(CallSlot(FFlash, kSlotPercentLoaded, &percent), S_OK);
        return percent;
    }

    void PaintInto(TMemoryCanvas& canvas) {
        SendMessageA(FControlWindow, WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.Dc), 0);
        SendMessageA(FControlWindow, WM_PAINT, reinterpret_cast<WPARAM>(canvas.Dc), 0);
    }

    HWND FWindow = nullptr;
    HWND FControlWindow = nullptr;
    std::unique_ptr<TTestSite> FSite;
    HMODULE FModule = nullptr;
    IOleObject* FOle = nullptr;
    IShockwaveFlash* FFlash = nullptr;
};

}  // namespace

TEST_F(PlayerControlTest, ActivatesInPlaceWithItsOwnChildWindow) {
    Activate();
    // The site is asked, told, and gives its context, all during DoVerb.
    ASSERT_TRUE(FSite->Called("OnInPlaceActivate"));
    EXPECT_LT(FSite->IndexOf("CanInPlaceActivate"), FSite->IndexOf("OnInPlaceActivate"));
    EXPECT_LT(FSite->IndexOf("OnInPlaceActivate"), FSite->IndexOf("GetWindowContext"));
    EXPECT_EQ(GetParent(FControlWindow), FWindow);
    EXPECT_TRUE(IsWindowVisible(FControlWindow));
    RECT rect;
    GetClientRect(FControlWindow, &rect);
    EXPECT_EQ(rect.right, 1920);
    EXPECT_EQ(rect.bottom, 1440);
    EXPECT_TRUE(FSite->Called("Ambient " + std::to_string(DISPID_AMBIENT_BACKCOLOR)));

    ASSERT_EQ(FOle->DoVerb(OLEIVERB_UIACTIVATE, nullptr, FSite.get(), 0, FWindow, &FSite->Position), S_OK);
    EXPECT_TRUE(FSite->Called("OnUIActivate"));
    FOle->Close(OLECLOSE_NOSAVE);
    EXPECT_TRUE(FSite->Called("OnUIDeactivate"));
    EXPECT_TRUE(FSite->Called("OnInPlaceDeactivate"));
    EXPECT_FALSE(IsWindow(FControlWindow)) << "Close destroys the control's window";
}

TEST_F(PlayerControlTest, MiscStatusAndExtents) {
    DWORD status = 0;
    ASSERT_EQ(FOle->GetMiscStatus(DVASPECT_CONTENT, &status), S_OK);
    EXPECT_TRUE(status & OLEMISC_SETCLIENTSITEFIRST);
    EXPECT_FALSE(status & (OLEMISC_INVISIBLEATRUNTIME | OLEMISC_SIMPLEFRAME));
    SIZEL extent = {};
    ASSERT_EQ(FOle->GetExtent(DVASPECT_CONTENT, &extent), S_OK);
    EXPECT_EQ(extent.cx, 14552);  // 550 pixels at 96 per inch, in HIMETRIC
    EXPECT_EQ(extent.cy, 10583);  // 400 pixels
    SIZEL wanted = {27093, 20320};
    EXPECT_EQ(FOle->SetExtent(DVASPECT_CONTENT, &wanted), S_OK);

    FSite->MovieBytes = TestMovie(320, 240, {0, 0, 0, 255});
    Activate();
    ASSERT_EQ(PutText(FFlash, kSlotPutMovie, L"http://main"), S_OK);
    ASSERT_EQ(FOle->GetExtent(DVASPECT_CONTENT, &extent), S_OK);
    EXPECT_EQ(extent.cx, MulDiv(320, 2540, 96));
    EXPECT_EQ(extent.cy, MulDiv(240, 2540, 96));
}

TEST_F(PlayerControlTest, LoadsThroughTheSitesBindHostAndPaintsTheBackgroundColour) {
    FSite->MovieBytes = TestMovie(550, 400, {0xFF, 0xFF, 0xFF, 255});
    Activate();
    EXPECT_EQ(PercentLoaded(), 0);
    ASSERT_EQ(CallSlot(FFlash, kSlotPutBackgroundColor, 0x00102030L), S_OK);
    ASSERT_EQ(PutText(FFlash, kSlotPutFlashVars, L"glass_visible=true"), S_OK);
    ASSERT_EQ(PutText(FFlash, kSlotPutScale, L"exactfit"), S_OK);
    ASSERT_EQ(PutText(FFlash, kSlotPutMovie, L"http://main"), S_OK);

    // The URL goes through the site's bind host to a moniker, bound with the control's callback.
    EXPECT_TRUE(FSite->Called("QueryService IBindHost"));
    ASSERT_TRUE(FSite->Called("CreateMoniker http://main"));
    ASSERT_TRUE(FSite->Called("BindToStorage"));
    EXPECT_LT(FSite->IndexOf("CreateMoniker http://main"), FSite->IndexOf("BindToStorage"));
    EXPECT_TRUE(FSite->CallbackInBindContext);
    EXPECT_TRUE(FSite->CallbackWasTheControls);
    EXPECT_EQ(PercentLoaded(), 100);

    BSTR scale = nullptr;
    ASSERT_EQ(FFlash->get_Scale(&scale), S_OK);
    EXPECT_STREQ(scale, L"exactfit");
    SysFreeString(scale);

    TMemoryCanvas canvas(1920, 1440);
    PaintInto(canvas);
    // 0x00RRGGBB in, the same colour out: the stored white of the movie is replaced.
    EXPECT_EQ(canvas.RgbAt(0, 0), 0x102030u);
    EXPECT_EQ(canvas.RgbAt(1919, 1439), 0x102030u);
}

TEST_F(PlayerControlTest, BadSourcesLeaveTheControlEmptyButPainting) {
    struct Case {
        const char* what;
        bool refuse;
        std::vector<uint8_t> bytes;
    };
    std::vector<uint8_t> truncated = TestMovie(550, 400, {0, 0, 0, 255});
    truncated.resize(truncated.size() / 2);
    std::vector<uint8_t> random(4096);
    uint32_t seed = 12345;
    for (uint8_t& b : random) b = static_cast<uint8_t>((seed = seed * 1103515245 + 12345) >> 16);
    const Case cases[] = {
        {"refused URL", true, {}},
        {"truncated movie", false, truncated},
        {"random bytes", false, random},
        {"nothing at all", false, {}},
    };
    Activate();
    for (const Case& c : cases) {
        FSite->RefuseUrls = c.refuse;
        FSite->MovieBytes = c.bytes;
        ASSERT_EQ(CallSlot(FFlash, kSlotPutBackgroundColor, 0x00405060L), S_OK);
        ASSERT_EQ(PutText(FFlash, kSlotPutMovie, L"http://main"), S_OK) << c.what;
        EXPECT_EQ(PercentLoaded(), 0) << c.what;
        TMemoryCanvas canvas(64, 64);
        PaintInto(canvas);
        EXPECT_EQ(canvas.RgbAt(10, 10), 0x405060u) << c.what;
    }
}

TEST_F(PlayerControlTest, PaintsTheClockAtTheFrozenTimeIntoAnOffScreenDc) {
    FSite->MovieBytes = ClockMovieBytes();
    ASSERT_FALSE(FSite->MovieBytes.empty());
    Activate();
    ASSERT_EQ(CallSlot(FFlash, kSlotPutBackgroundColor, 0x00102030L), S_OK);
    ASSERT_EQ(PutText(FFlash, kSlotPutFlashVars, L"freeze_time=14:05:30&glass_visible=true&seconds_visible=true"), S_OK);
    ASSERT_EQ(PutText(FFlash, kSlotPutMovie, L"http://main"), S_OK);
    ASSERT_EQ(PercentLoaded(), 100);

    TMemoryCanvas canvas(1920, 1440);
    PaintInto(canvas);
    // showall: 550 x 400 scaled by 1920 / 550, centred vertically.
    const double scale = 1920.0 / 550.0;
    const double top = (1440 - 400 * scale) / 2;
    using namespace quorlin::testsupport;
    const THandAngles hands = MeasureHands(TPicture::FromBgra(canvas.Bits, 1920, 1440),
                                           {kPivotX * scale, top + kPivotY * scale, scale});
    ASSERT_TRUE(hands.Hour && hands.Minute && hands.Second);
    EXPECT_LE(AngleBetween(*hands.Hour, 62.5), 1.0) << *hands.Hour;
    EXPECT_LE(AngleBetween(*hands.Minute, 33.0), 1.0) << *hands.Minute;
    EXPECT_LE(AngleBetween(*hands.Second, 180.0), 1.0) << *hands.Second;
    EXPECT_EQ(canvas.RgbAt(0, 0), 0x102030u) << "the background colour at the corners";
    EXPECT_EQ(canvas.RgbAt(1919, 1439), 0x102030u);
    EXPECT_TRUE(GlassPresent(TPicture::FromBgra(canvas.Bits, 1920, 1440), {kPivotX * scale, top + kPivotY * scale, scale},
                             RgbFrom(0x102030)));
}

TEST_F(PlayerControlTest, ExactFitStretchesTheStageToTheWindow) {
    FSite->MovieBytes = ClockMovieBytes();
    FSite->Position = {0, 0, 1100, 400};  // twice as wide as the stage
    Activate();
    ASSERT_EQ(PutText(FFlash, kSlotPutFlashVars, L"freeze_time=15:00:00"), S_OK);
    ASSERT_EQ(PutText(FFlash, kSlotPutScale, L"exactfit"), S_OK);
    ASSERT_EQ(PutText(FFlash, kSlotPutMovie, L"http://main"), S_OK);
    TMemoryCanvas canvas(1100, 400);
    PaintInto(canvas);
    using namespace quorlin::testsupport;
    // Stretched 2 x 1: every other column gives the stage back at its own size, with the
    // clock where the stage has it. A picture in showall would put it elsewhere.
    std::vector<uint32_t> unstretched(550 * 400);
    for (int y = 0; y < 400; ++y) {
        for (int x = 0; x < 550; ++x) unstretched[y * 550 + x] = canvas.Bits[y * 1100 + 2 * x];
    }
    const THandAngles hands = MeasureHands(TPicture::FromBgra(unstretched.data(), 550, 400), {kPivotX, kPivotY, 1.0});
    ASSERT_TRUE(hands.Hour && hands.Minute);
    EXPECT_LE(AngleBetween(*hands.Hour, 90.0), 1.0) << *hands.Hour;
    EXPECT_LE(AngleBetween(*hands.Minute, 0.0), 1.0) << *hands.Minute;
}

TEST_F(PlayerControlTest, TakesAMovieFromUrlmonsOwnMoniker) {
    // urlmon's file protocol, bound as the control asks (asynchronously): the data may arrive
    // while messages are served, over several notifications.
    std::wstring url = L"file:///Z:";
    for (const char* c = QUORLIN_MOVIE_DIR "/clock.swf"; *c; ++c) url += static_cast<wchar_t>(*c);
    FSite->RealUrl = url;
    Activate();
    ASSERT_EQ(PutText(FFlash, kSlotPutMovie, L"http://main"), S_OK);
    const DWORD start = GetTickCount();
    while (PercentLoaded() < 100 && GetTickCount() - start < 10000) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        Sleep(10);
    }
    EXPECT_EQ(PercentLoaded(), 100);
    long frames = 0;
    ASSERT_EQ(FFlash->get_TotalFrames(&frames), S_OK);
    EXPECT_EQ(frames, 1);
}
