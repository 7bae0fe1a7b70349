// TFlashBox and its window: activating the control in place and adopting its window,
// giving it back, routing messages (keys, reflected messages, painting), UI activation
// with the form, and sizes between pixels and HIMETRIC.

#include "saver/flash/flashbox.h"
#include "saver/forms/Application.h"
#include "saver/forms/ComErrors.h"
#include "saver/forms/Form.h"
#include "saver/forms/Scaling.h"

namespace quorlin {

namespace {

constexpr int kHimetricPerInch = 2540;
// The platform's reflected messages (CN_BASE + m) become the OLE ones (OCM_BASE + m).
constexpr UINT kReflectedFirst = CN_BASE;
constexpr UINT kReflectedEnd = 0xC000;
constexpr UINT kReflectedToOle = CN_BASE - 0x2000;
constexpr UINT kKeyFirst = CN_BASE + WM_KEYFIRST;
constexpr UINT kKeyLast = CN_BASE + WM_KEYLAST;
// The point a synthesised keyboard message carries: no real position exists for it.
constexpr LONG kNoPoint = 0x115DE1F1;

}  // namespace

void TFlashBox::CreateWnd() {
    InitControl();
    if (HasMisc(kMiscInvisibleAtRuntime)) {
        TWinControl::CreateWnd();
        return;
    }
    RECT bounds = BoundsRect();
    FOleObject->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, ClientSite(), 0, ParentHandle(), &bounds);
    if (!FOleInPlaceObject) throw EOleError("OLE control activation failed");
    HookControlWndProc();
    if (!Visible() && IsWindowVisible(FHandle)) ShowWindow(FHandle, SW_HIDE);
}

void TFlashBox::HookControlWndProc() {
    if (!FOleInPlaceObject || FHandle) return;
    HWND window = nullptr;
    FOleInPlaceObject->GetWindow(&window);
    if (!window) throw EOleError("Could not obtain OLE control window handle");
    AdoptWindow(window);
}

void TFlashBox::DestroyWindowHandle() {
    if (HasMisc(kMiscInvisibleAtRuntime)) {
        TWinControl::DestroyWindowHandle();
        return;
    }
    // The window is the control's: it gets its procedure back and the control ends it.
    DetachHandle();
    if (FOleObject) FOleObject->Close(OLECLOSE_NOSAVE);
}

LRESULT TFlashBox::DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!FHandle) return TWinControl::DefaultHandler(message, wParam, lParam);
    if (message >= kReflectedFirst && message < kReflectedEnd) message -= kReflectedToOle;
    // A box with a window of its own (a control invisible at run time) has no control
    // procedure to pass to.
    if (!HasMisc(kMiscSimpleFrame) && FDefWndProc) return CallWindowProcA(FDefWndProc, FHandle, message, wParam, lParam);
    return TWinControl::DefaultHandler(message, wParam, lParam);
}

LRESULT TFlashBox::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= kKeyFirst && message <= kKeyLast && FOleInPlaceActiveObject) {
        MSG msg = {};
        msg.hwnd = FHandle;
        msg.message = message - CN_BASE;
        msg.wParam = wParam;
        msg.lParam = lParam;
        msg.time = static_cast<DWORD>(GetMessageTime());
        msg.pt = {kNoPoint, kNoPoint};
        if (FOleInPlaceActiveObject->TranslateAccelerator(&msg) == S_OK) return 1;
    }
    switch (message) {
        case CM_PARENTFONTCHANGED:
            if (ParentFont() && FOleControl) {
                FOleControl->OnAmbientPropertyChange(DISPID_AMBIENT_FONT);
                FOleControl->OnAmbientPropertyChange(DISPID_AMBIENT_FORECOLOR);
            }
            break;
        case CM_PARENTCOLORCHANGED:
            if (ParentColor() && FOleControl) FOleControl->OnAmbientPropertyChange(DISPID_AMBIENT_BACKCOLOR);
            break;
        case CM_DIALOGKEY: return DialogKey(wParam, lParam);
        case WM_ERASEBKGND:
            if (!HasMisc(kMiscInvisibleAtRuntime)) return DefaultHandler(message, wParam, lParam);
            break;
        case WM_PAINT:
            if (HasMisc(kMiscInvisibleAtRuntime)) return PaintControl(wParam);
            break;
        case CM_UIACTIVATE: UIActivateMessage(); return 0;
        case CM_UIDEACTIVATE: UIDeactivateMessage(); return 0;
        case CM_DOCWINDOWACTIVATE: DocWindowActivateMessage(wParam); return 0;
        default: break;
    }
    return TWinControl::WndProc(message, wParam, lParam);
}

LRESULT TFlashBox::DialogKey(WPARAM key, LPARAM keyData) {
    if (CanFocus() && FOleControl) {
        CONTROLINFO info = {};
        info.cb = sizeof info;
        if (FOleControl->GetControlInfo(&info) == S_OK && info.cAccel != 0) {
            MSG msg = {};
            msg.hwnd = FHandle;
            msg.message = WM_KEYDOWN;
            msg.wParam = key;
            msg.lParam = keyData;
            WORD command = 0;
            if (IsAccelerator(info.hAccel, info.cAccel, &msg, &command)) {
                FOleControl->OnMnemonic(&msg);
                return 1;
            }
        }
    }
    return TWinControl::WndProc(CM_DIALOGKEY, key, keyData);
}

LRESULT TFlashBox::PaintControl(WPARAM wParam) {
    // A control without a window of its own is drawn by the box.
    HDC dc = reinterpret_cast<HDC>(wParam);
    PAINTSTRUCT paint = {};
    const bool began = dc == nullptr;
    if (began) dc = BeginPaint(FHandle, &paint);
    RECT client = {};
    GetClientRect(FHandle, &client);
    if (FOleObject) OleDraw(FOleObject.Get(), DVASPECT_CONTENT, dc, &client);
    if (began) EndPaint(FHandle, &paint);
    return 0;
}

bool TFlashBox::PaletteChanged(bool foreground) {
    if (foreground && FHandle && FDefWndProc &&
        CallWindowProcA(FDefWndProc, FHandle, WM_QUERYNEWPALETTE, 0, 0) != 0) {
        return true;
    }
    return TWinControl::PaletteChanged(foreground);
}

TCustomForm* TFlashBox::BoxForm() {
    TWinControl* top = this;
    while (top->Parent()) top = top->Parent();
    return dynamic_cast<TCustomForm*>(top);
}

TCustomForm* TFlashBox::GetMainMenuForm() {
    TCustomForm* form = BoxForm();
    if (!form) return nullptr;
    if (dynamic_cast<TForm*>(form)) return form;
    return Application ? Application->MainForm : nullptr;
}

HMENU TFlashBox::GetMainMenu() {
    TCustomForm* form = GetMainMenuForm();
    return form ? form->Menu : nullptr;
}

void TFlashBox::SetUIActive(bool active) {
    TCustomForm* form = BoxForm();
    if (!form) return;
    if (active) {
        if (TWinControl* other = form->ActiveOleControl(); other && other != this) {
            other->Perform(CM_UIDEACTIVATE, 0, 0);
        }
        form->SetActiveOleControl(this);
    } else if (form->ActiveOleControl() == this) {
        form->SetActiveOleControl(nullptr);
    }
}

void TFlashBox::UIActivateMessage() {
    TCustomForm* form = BoxForm();
    if (form && form->ActiveOleControl() == this) return;
    if (!FOleObject) return;
    RECT bounds = BoundsRect();
    FOleObject->DoVerb(OLEIVERB_UIACTIVATE, nullptr, ClientSite(), 0, ParentHandle(), &bounds);
}

void TFlashBox::UIDeactivateMessage() {
    TCustomForm* form = BoxForm();
    if (form && form->ActiveOleControl() != this) return;
    if (FOleInPlaceObject) FOleInPlaceObject->UIDeactivate();
    if (form && form->ActiveControl() == this) OnUIDeactivate(FALSE);
}

void TFlashBox::DocWindowActivateMessage(WPARAM active) {
    if (!dynamic_cast<TForm*>(BoxForm())) return;
    if (FOleInPlaceActiveObject) FOleInPlaceActiveObject->OnDocWindowActivate(active != 0);
    if (active == 0) SetMenu(nullptr, nullptr, nullptr);
}

HWND TFlashBox::ParentHandle() { return Parent() ? Parent()->Handle() : ParentWindow(); }

HWND TFlashBox::TopParentHandle() {
    TWinControl* top = this;
    while (top->Parent()) top = top->Parent();
    return top->ParentWindow() ? top->ParentWindow() : top->Handle();
}

RECT TFlashBox::BoundsRect() const { return {Left(), Top(), Left() + Width(), Top() + Height()}; }

void TFlashBox::SetBounds(int left, int top, int width, int height) {
    if (FOleObject && ((width != Width() && Width() > 0) || (height != Height() && Height() > 0))) {
        if (HasMisc(kMiscInvisibleAtRuntime)) {
            width = Width();
            height = Height();
        } else {
            SIZEL extent = {MulDiv(width, kHimetricPerInch, ScreenDpi()), MulDiv(height, kHimetricPerInch, ScreenDpi())};
            if (FOleObject->SetExtent(DVASPECT_CONTENT, &extent) != S_OK) {
                width = Width();
                height = Height();
            }
        }
    }
    TWinControl::SetBounds(left, top, width, height);
}

void TFlashBox::SetName(const std::string& name) {
    TWinControl::SetName(name);
    if (FOleControl) FOleControl->OnAmbientPropertyChange(DISPID_AMBIENT_DISPLAYNAME);
}

void TFlashBox::SetParent(TWinControl* parent) {
    TWinControl::SetParent(parent);
    if (!parent || !FOleObject) return;
    SetClientSiteIfMissing();
    if (FOleControl) FOleControl->OnAmbientPropertyChange(DISPID_UNKNOWN);
}

}  // namespace quorlin
