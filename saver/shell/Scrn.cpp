#include "saver/shell/Scrn.h"

#include "saver/delivery/desktop.h"
#include "saver/flash/flashbox.h"
#include "saver/forms/Application.h"
#include "saver/forms/ResourceStream.h"
#include "saver/forms/SysUtils.h"
#include "saver/shell/Entry.h"
#include "saver/shell/ScrnInput.h"
#include "saver/shell/Password.h"

namespace quorlin {

POINT StartCursorPos = {0, 0};

namespace {

const char kMainUrl[] = "http://main";
const char kDesktopUrl[] = "http://desktop";

HWND PreviewWindow() { return reinterpret_cast<HWND>(static_cast<uintptr_t>(PreviewParent)); }

// SPI_SETSCREENSAVERRUNNING wants somewhere to put the old state; nobody reads it.
void SetSaverRunning(bool running) {
    UINT previous = 0;
    SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, running ? 1 : 0, &previous, 0);
}

// Settings hold a COLORREF (red lowest); the control takes 0x00RRGGBB.
uint32_t FlashColor(TColorRef color) {
    const uint32_t red = color & 0xFF, green = (color >> 8) & 0xFF, blue = (color >> 16) & 0xFF;
    return red << 16 | green << 8 | blue;
}

}  // namespace

TScrnFrm::TScrnFrm(TComponent* owner) : TForm(owner) { LoadFromResource("TSCRNFRM"); }

TScrnFrm::TScrnFrm(TComponent* owner, HWND parentWindow) : TForm(owner, parentWindow) {
    LoadFromResource("TSCRNFRM");
}

TScrnFrm* TScrnFrm::CreateParented(HWND parentWindow) {
    auto* form = new TScrnFrm(nullptr, parentWindow);
    form->AfterConstruction();
    return form;
}

TScrnFrm::~TScrnFrm() {
    DoDestroy();
    // The hook calls this form: it must not outlive it, even where StopSaver never ran.
    if (Application && Application->OnMessage && SaverMode == smShow) Application->OnMessage = nullptr;
}

TNotifyEvent TScrnFrm::MethodAddress(const std::string& name) {
    if (name == "FormCreate") return [this] { FormCreate(); };
    if (name == "FormShow") return [this] { FormShow(); };
    if (name == "FormDestroy") return [this] { FormDestroy(); };
    return {};
}

std::function<void(bool&)> TScrnFrm::CloseQueryMethod(const std::string& name) {
    if (name == "FormCloseQuery") return [this](bool& canClose) { FormCloseQuery(canClose); };
    return {};
}

std::function<void(TCloseAction&)> TScrnFrm::CloseMethod(const std::string& name) {
    if (name == "FormClose") return [this](TCloseAction& action) { FormClose(action); };
    return {};
}

void TScrnFrm::FormCreate() {
    FConfig = std::make_unique<TConfig>();
    FConfig->Load();
    StartSaver();
}

void TScrnFrm::StartSaver() {
    if (SaverMode == smShow) {
        Application->OnMessage = [this](MSG& msg, bool& handled) { AppMessage(msg, handled); };
        SetBounds(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
        SetSaverRunning(true);
        SetCapture(Handle());
        ShowCursor(FALSE);
    } else if (SaverMode == smPreview) {
        RECT rect = {};
        GetWindowRect(PreviewWindow(), &rect);
        SetBounds(0, 0, rect.right - rect.left, rect.bottom - rect.top);
        // The display settings destroy the preview window without a word to us; the
        // process ends once it has gone.
        FPreviewWatch = std::make_unique<TPreviewWatch>(PreviewWindow(), [this] { Close(); });
    }
}

void TScrnFrm::FormShow() {
    FMovieStream = std::make_unique<TResourceStream>(GetModuleHandleA(nullptr), "MOVIE", MAKEINTRESOURCEA(10));
    // Taken before our window is on the screen: the picture shows what the saver covers.
    FDesktopStream = CaptureDesktopStream();
    FFlashBox = new TFlashBox(this);
    FFlashBox->SetBounds(0, 0, Width(), Height());
    FFlashBox->SetParent(this);
    FFlashBox->Align = TAlign::alClient;
    RealignClientControls();
    FFlashBox->SetBackgroundColor(static_cast<int32_t>(FlashColor(FConfig->GetBackgroundColor())));
    FFlashBox->SetFlashVars(FConfig->GetFlashVars());
    FFlashBox->OnGetStream = [this](TFlashBox* sender, const std::string& url, std::unique_ptr<TStream>& stream) {
        GetStream(sender, url, stream);
    };
    if (SaverMode == smPreview) FFlashBox->SetScale("exactfit");
    FFlashBox->LoadMainMovie();
    if (SaverMode == smPreview) {
        // Lays the host out over the client area once more, now that it plays.
        FFlashBox->Align = TAlign::alNone;
        FFlashBox->Align = TAlign::alClient;
        RealignClientControls();
    }
    GetCursorPos(&StartCursorPos);
}

void TScrnFrm::GetStream(TFlashBox*, const std::string& url, std::unique_ptr<TStream>& stream) {
    // Each stream goes once: the moniker that receives it frees it.
    if (url == kMainUrl) {
        if (FMovieStream) stream = std::move(FMovieStream);
    } else if (url == kDesktopUrl) {
        if (FDesktopStream) stream = std::move(FDesktopStream);
    }
}

void TScrnFrm::AppMessage(MSG& msg, bool& handled) {
    const std::optional<bool> verdict =
        CloseVerdict(msg.message, {msg.pt.x, msg.pt.y}, {StartCursorPos.x, StartCursorPos.y});
    if (!verdict) return;
    handled = *verdict;
    // Not dispatched whether or not the close is allowed: a refused press never reaches the movie.
    if (handled) Close();
}

void TScrnFrm::FormCloseQuery(bool& canClose) {
    if (SaverMode != smShow) return;
    ShowCursor(TRUE);
    canClose = VerifySaverPassword(Handle());
    if (!canClose) ShowCursor(FALSE);
}

void TScrnFrm::FormClose(TCloseAction&) {
    StopSaver();
    Application->Terminate();
}

void TScrnFrm::StopSaver() {
    FPreviewWatch.reset();
    if (SaverMode == smShow) {
        Application->OnMessage = nullptr;
        SetSaverRunning(false);
        ReleaseCapture();
    }
    ShowCursor(TRUE);
}

void TScrnFrm::FormDestroy() { FConfig.reset(); }

}  // namespace quorlin
