#include "saver/forms/Form.h"

#include "saver/forms/Application.h"
#include "saver/forms/SysUtils.h"

namespace quorlin {

namespace {

const char kFormWindowClass[] = "TQuorlinForm";
// Posted to a form that freed itself from its own OnClose, so that it goes once the
// handler that asked for it has returned.
const UINT CM_RELEASE = WM_APP + 0x3F00;

void RegisterFormClass(WNDPROC proc) {
    static bool registered = false;
    if (registered) return;
    WNDCLASSA wc = {};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kFormWindowClass;
    RegisterClassA(&wc);
    registered = true;
}

}  // namespace

TCustomForm::TCustomForm(TComponent* owner) : TComponent(owner) {}

TCustomForm::TCustomForm(TComponent* owner, HWND parentWindow) : TComponent(owner), FParentWindow(parentWindow) {}

TCustomForm::~TCustomForm() {
    FDestroying = true;
    if (Application && Application->MainForm == this) Application->MainForm = nullptr;
    DestroyHandle();
}

void TCustomForm::AfterConstruction() {
    if (OnCreate) RunHandler(OnCreate);
}

void TCustomForm::RunHandler(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const Exception& error) {
        if (Application) Application->HandleException(error);
    }
}

void TCustomForm::CreateParams(TCreateParams& params) {
    params.Caption = Caption;
    params.X = Left;
    params.Y = Top;
    params.Width = Width;
    params.Height = Height;
    if (FParentWindow) {
        params.Style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
        params.WndParent = FParentWindow;
    } else if (Application) {
        params.WndParent = Application->Handle();
    }
}

void TCustomForm::CreateHandle() {
    RegisterFormClass(StaticWndProc);
    TCreateParams params;
    CreateParams(params);
    FHandle = CreateWindowExA(params.ExStyle, kFormWindowClass, params.Caption.c_str(), params.Style, params.X,
                              params.Y, params.Width, params.Height, params.WndParent, nullptr,
                              GetModuleHandleA(nullptr), this);
    if (!FHandle) throw Exception(FormatText("Error creating window: %s", {std::to_string(GetLastError())}));
}

void TCustomForm::DestroyHandle() {
    if (!FHandle) return;
    HWND window = FHandle;
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    FHandle = nullptr;
    DestroyWindow(window);
}

HWND TCustomForm::Handle() {
    if (!FHandle) CreateHandle();
    return FHandle;
}

void TCustomForm::Show() {
    ShowWindow(Handle(), SW_SHOW);
    FVisible = true;
    if (OnShow) RunHandler(OnShow);
}

void TCustomForm::Hide() {
    if (FHandle) ShowWindow(FHandle, SW_HIDE);
    FVisible = false;
}

void TCustomForm::Close() {
    bool canClose = true;
    if (OnCloseQuery) RunHandler([&] { OnCloseQuery(canClose); });
    if (!canClose) return;
    // Closing the main form ends the application; other forms hide unless told otherwise.
    TCloseAction action = (Application && Application->MainForm == this) ? TCloseAction::caFree : TCloseAction::caHide;
    if (OnClose) RunHandler([&] { OnClose(action); });
    if (action == TCloseAction::caNone) return;
    if (Application && Application->MainForm == this) {
        Application->Terminate();
        return;
    }
    if (action == TCloseAction::caHide) Hide();
    else if (action == TCloseAction::caMinimize) ShowWindow(Handle(), SW_MINIMIZE);
    else if (action == TCloseAction::caFree) PostMessageA(Handle(), CM_RELEASE, 0, 0);
}

LRESULT TCustomForm::DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(FHandle, message, wParam, lParam);
}

LRESULT TCustomForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CLOSE:
            Close();
            return 0;
        case CM_RELEASE:
            delete this;
            return 0;
        default:
            return DefaultHandler(message, wParam, lParam);
    }
}

LRESULT CALLBACK TCustomForm::StaticWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* form = static_cast<TCustomForm*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        form->FHandle = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto* form = reinterpret_cast<TCustomForm*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!form || form->FDestroying) return DefWindowProcA(window, message, wParam, lParam);
    return form->WndProc(message, wParam, lParam);
}

}  // namespace quorlin
