// Loading the movie through the site, the frame timer and painting.

#include <algorithm>
#include <cmath>

#include "player/control/ControlWindow.h"
#include "player/control/FlashControl.h"
#include "player/control/MovieBinding.h"

namespace quorlin::control {

namespace {

std::string Utf8(const std::wstring& text) {
    if (text.empty()) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                         nullptr);
    std::string out(size, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
    return out;
}

TComRef<IBindHost> FindBindHost(const TComRef<IOleClientSite>& site) {
    TComRef<IBindHost> host;
    if (auto provider = site.As<IServiceProvider>(IID_IServiceProvider)) {
        provider->QueryService(IID_IBindHost, IID_IBindHost, reinterpret_cast<void**>(host.Put()));
    }
    if (!host) host = site.As<IBindHost>(IID_IBindHost);
    return host;
}

uint32_t ColorrefToRgb(COLORREF color) {
    return (uint32_t{GetRValue(color)} << 16) | (uint32_t{GetGValue(color)} << 8) | GetBValue(color);
}

}  // namespace

HRESULT TFlashControl::StartLoading() {
    CancelLoading();
    FPlayback.reset();
    FMovieBytes.clear();
    FPercentLoaded = 0;
    if (FMovieUrl.empty() || !FClientSite) return S_OK;  // a site set later starts the load

    TComRef<IBindHost> host = FindBindHost(FClientSite);
    TComRef<IMoniker> moniker;
    if (!host || FAILED(host->CreateMoniker(FMovieUrl.data(), nullptr, moniker.Put(), 0)) || !moniker) {
        return S_OK;  // a URL the site refuses leaves the control empty
    }
    TComRef<IBindCtx> context;
    if (FAILED(CreateBindCtx(0, context.Put()))) return S_OK;

    auto binding = TComRef<TMovieBinding>::Attach(new TMovieBinding(this));
    FBinding = TComRef<TMovieBinding>(binding).Detach();
    TComRef<IBindStatusCallback> previous;
    if (FAILED(RegisterBindStatusCallback(context.Get(), binding.Get(), previous.Put(), 0))) {
        CancelLoading();
        return S_OK;
    }
    TComRef<IStream> stream;
    const HRESULT hr = moniker->BindToStorage(context.Get(), nullptr, IID_IStream, reinterpret_cast<void**>(stream.Put()));
    if (FAILED(hr)) {
        CancelLoading();
        FPercentLoaded = 0;
    }
    // A synchronous delivery is complete by now; an asynchronous one keeps the callback
    // registered in the bind context until it stops.
    if (!FBinding) RevokeBindStatusCallback(context.Get(), binding.Get());
    return S_OK;
}

void TFlashControl::CancelLoading() {
    if (!FBinding) return;
    TMovieBinding* binding = FBinding;
    FBinding = nullptr;
    binding->Cancel();
    binding->Release();
}

void TFlashControl::OnMovieProgress(size_t received, size_t expected) {
    if (expected == 0) return;
    FPercentLoaded = static_cast<long>(std::min<size_t>(99, received * 100 / expected));
}

void TFlashControl::ReleaseBinding() {
    if (!FBinding) return;
    TMovieBinding* binding = FBinding;
    FBinding = nullptr;
    binding->Forget();
    binding->Release();
}

void TFlashControl::OnMovieFailed() {
    ReleaseBinding();
    FPercentLoaded = 0;
}

void TFlashControl::OnMovieArrived(std::vector<uint8_t> bytes) {
    ReleaseBinding();
    FMovieBytes = std::move(bytes);
    RestartPlayback();
    NotifyPropertyChanged(DISPID_READYSTATE);
}

void TFlashControl::RestartPlayback() {
    try {
        FPlayback = std::make_unique<TPlayback>(FMovieBytes, Utf8(FFlashVars));
        FPlayback->Advance();  // frame 1, so that a paint right after the load shows the movie
        FPercentLoaded = 100;
    } catch (const std::exception&) {
        // Bytes that are not a movie leave the control empty; it still paints its background.
        FPlayback.reset();
        FPercentLoaded = 0;
    }
    FFrameBuffer = TFrameBuffer{};
    StartFrameTimer();
    if (FWindow) InvalidateRect(FWindow, nullptr, FALSE);
}

void TFlashControl::StartFrameTimer() {
    if (!FWindow || !FPlayback) return;
    const double fps = std::clamp(FPlayback->FramesPerSecond(), 1.0, 120.0);
    SetTimer(FWindow, kFrameTimerId, static_cast<UINT>(std::lround(1000.0 / fps)), nullptr);
}

std::optional<uint32_t> TFlashControl::BackgroundOverride() const {
    if (FBackgroundColor >= 0) return static_cast<uint32_t>(FBackgroundColor) & 0xFFFFFF;
    return std::nullopt;
}

void TFlashControl::OnFrameTimer() {
    if (!FPlayback || !FWindow) return;
    if (FPlaying) FPlayback->Advance();
    RECT client;
    GetClientRect(FWindow, &client);
    InvalidateChanged(FPlayback->Render(FFrameBuffer, client.right, client.bottom, FScale, BackgroundOverride()));
}

void TFlashControl::InvalidateChanged(const std::vector<TPixelRect>& rects) {
    for (const TPixelRect& r : rects) {
        const RECT area = {r.Left, r.Top, r.Right, r.Bottom};
        InvalidateRect(FWindow, &area, FALSE);
    }
}

void TFlashControl::OnWindowSized(int, int) {
    if (FWindow) InvalidateRect(FWindow, nullptr, FALSE);
}

void TFlashControl::OnWindowDestroyed() { FWindow = nullptr; }

// Without a frame to show: the background colour, or the site's when none was set.
void TFlashControl::FillBackground(HDC dc, const RECT& target) {
    uint32_t rgb = BackgroundOverride().value_or(ColorrefToRgb(FAmbientBackColor));
    if (FPlayback && !BackgroundOverride()) rgb = FPlayback->MovieBackground();
    HBRUSH brush = CreateSolidBrush(RGB(rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF));
    FillRect(dc, &target, brush);
    DeleteObject(brush);
}

void TFlashControl::PaintInto(HDC dc, const RECT& target) {
    const int width = target.right - target.left;
    const int height = target.bottom - target.top;
    if (width <= 0 || height <= 0) return;
    if (!FPlayback) {
        FillBackground(dc, target);
        return;
    }
    FPlayback->Render(FFrameBuffer, width, height, FScale, BackgroundOverride());
    if (FFrameBuffer.Pixels.empty()) {
        FillBackground(dc, target);
        return;
    }
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = FFrameBuffer.Width;
    info.bmiHeader.biHeight = -FFrameBuffer.Height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(dc, target.left, target.top, FFrameBuffer.Width, FFrameBuffer.Height, 0, 0, 0,
                      FFrameBuffer.Height, FFrameBuffer.Pixels.data(), &info, DIB_RGB_COLORS);
}

}  // namespace quorlin::control
