#include "saver/forms/Application.h"

#include "saver/forms/SysUtils.h"

namespace quorlin {

TApplication* Application = nullptr;

namespace {

const char kAppWindowClass[] = "TQuorlinApplication";

std::vector<std::function<void()>>& InitProcs() {
    static std::vector<std::function<void()>> procs;
    return procs;
}

// The default title is the module's file name without its extension.
std::string ModuleTitle() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string name = path;
    const size_t slash = name.find_last_of("\\/");
    if (slash != std::string::npos) name.erase(0, slash + 1);
    const size_t dot = name.find_last_of('.');
    if (dot != std::string::npos) name.erase(dot);
    return name;
}

LRESULT CALLBACK AppWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

TApplication::TApplication() : TComponent(nullptr), FTitle(ModuleTitle()) {}

TApplication::~TApplication() {
    // Forms go before the application window they were made under.
    while (!Components().empty()) delete Components().back();
    if (FHandle) DestroyWindow(FHandle);
}

void TApplication::AddInitProc(std::function<void()> proc) { InitProcs().push_back(std::move(proc)); }

void TApplication::Initialize() {
    for (const auto& proc : InitProcs()) proc();
}

HWND TApplication::Handle() {
    if (!FHandle) CreateHandle();
    return FHandle;
}

void TApplication::CreateHandle() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = AppWndProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kAppWindowClass;
    RegisterClassA(&wc);
    // A popup of no size, never shown: it owns the forms and carries the title.
    FHandle = CreateWindowExA(0, kAppWindowClass, FTitle.c_str(), WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS |
                              WS_SYSMENU | WS_MINIMIZEBOX, GetSystemMetrics(SM_CXSCREEN) / 2,
                              GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0, nullptr, nullptr, wc.hInstance, nullptr);
    if (!FHandle) throw Exception("Cannot create the application window");
}

void TApplication::SetTitle(const std::string& title) {
    FTitle = title;
    if (FHandle) SetWindowTextA(FHandle, FTitle.c_str());
}

bool TApplication::ProcessMessage(MSG& msg) {
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
    if (msg.message == WM_QUIT) {
        FTerminated = true;
        return true;
    }
    bool handled = false;
    if (OnMessage) {
        try {
            OnMessage(msg, handled);
        } catch (const Exception& error) {
            HandleException(error);
            handled = true;
        }
    }
    if (!handled) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return true;
}

void TApplication::ProcessMessages() {
    MSG msg;
    while (ProcessMessage(msg)) {
    }
}

void TApplication::Run() {
    if (!MainForm) return;
    if (ShowMainForm) MainForm->Show();
    MSG msg;
    while (!FTerminated) {
        if (!ProcessMessage(msg)) WaitMessage();
    }
}

void TApplication::Terminate() { PostQuitMessage(0); }

void TApplication::ShowException(const std::string& message) {
    MessageBoxA(FHandle, message.c_str(), FTitle.c_str(), MB_OK | MB_ICONSTOP);
}

void TApplication::HandleException(const std::exception& error) { ShowException(error.what()); }

}  // namespace quorlin
