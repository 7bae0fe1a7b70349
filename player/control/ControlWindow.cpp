#include "player/control/ControlWindow.h"

#include "player/control/FlashControl.h"
#include "player/control/Module.h"

namespace quorlin::control {

namespace {

const char kWindowClass[] = "QuorlinSwfPlayer";
// The control's pointer lives in the class's extra bytes, not in GWLP_USERDATA, which a
// host that subclasses the window may use for itself.
constexpr int kControlSlot = 0;

TFlashControl* ControlOf(HWND window) {
    return reinterpret_cast<TFlashControl*>(GetWindowLongPtrA(window, kControlSlot));
}

void PaintFromMessage(TFlashControl* control, HWND window, HDC given) {
    RECT client;
    GetClientRect(window, &client);
    if (given) {
        control->PaintInto(given, client);
        return;
    }
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    if (dc) control->PaintInto(dc, client);
    EndPaint(window, &paint);
}

LRESULT CALLBACK ControlWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, kControlSlot, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    TFlashControl* control = ControlOf(window);
    if (!control) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
        case WM_ERASEBKGND:
            // The frame covers the whole window, background included.
            PaintFromMessage(control, window, reinterpret_cast<HDC>(wParam));
            return 1;
        case WM_PAINT:
            PaintFromMessage(control, window, reinterpret_cast<HDC>(wParam));
            return 0;
        case WM_TIMER:
            if (wParam == kFrameTimerId) {
                control->OnFrameTimer();
                return 0;
            }
            break;
        case WM_SIZE:
            control->OnWindowSized(LOWORD(lParam), HIWORD(lParam));
            return 0;
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_DESTROY:
            KillTimer(window, kFrameTimerId);
            control->OnWindowDestroyed();
            SetWindowLongPtrA(window, kControlSlot, 0);
            return 0;
        default:
            break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool gClassRegistered = false;

}  // namespace

HWND CreateControlWindow(TFlashControl* control, HWND parent, const RECT& position) {
    if (!gClassRegistered) {
        WNDCLASSA wc = {};
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = ControlWindowProc;
        wc.cbWndExtra = sizeof(LONG_PTR);
        wc.hInstance = ModuleInstance();
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = kWindowClass;
        if (!RegisterClassA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return nullptr;
        gClassRegistered = true;
    }
    return CreateWindowExA(0, kWindowClass, "", WS_CHILD | WS_CLIPSIBLINGS, position.left, position.top,
                           position.right - position.left, position.bottom - position.top, parent, nullptr,
                           ModuleInstance(), control);
}

void UnregisterControlWindowClass() {
    if (gClassRegistered) UnregisterClassA(kWindowClass, ModuleInstance());
    gClassRegistered = false;
}

}  // namespace quorlin::control
