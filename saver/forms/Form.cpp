#include "saver/forms/Form.h"

#include <algorithm>

#include "saver/forms/Application.h"
#include "saver/forms/SysUtils.h"

namespace quorlin {

namespace {

const char kFormWindowClass[] = "TQuorlinForm";

DWORD StyleOf(TFormBorderStyle border, uint8_t icons) {
    switch (border) {
        case TFormBorderStyle::bsNone: return WS_POPUP;
        case TFormBorderStyle::bsSingle: {
            DWORD style = WS_CAPTION | WS_BORDER;
            if (icons & biSystemMenu) style |= WS_SYSMENU;
            if (icons & biMinimize) style |= WS_MINIMIZEBOX;
            if (icons & biMaximize) style |= WS_MAXIMIZEBOX;
            return style;
        }
        case TFormBorderStyle::bsDialog: return WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
        case TFormBorderStyle::bsSizeable: break;
    }
    return WS_OVERLAPPEDWINDOW;
}

DWORD ExStyleOf(TFormBorderStyle border) {
    return border == TFormBorderStyle::bsDialog ? WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE : 0;
}

TComponent* FindIn(const TComponent& owner, const std::string& name) {
    for (TComponent* component : owner.Components()) {
        if (component->Name == name) return component;
        if (TComponent* found = FindIn(*component, name)) return found;
    }
    return nullptr;
}

}  // namespace

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner) {
    FLeft = FTop = CW_USEDEFAULT;
    FWidth = 320;
    FHeight = 240;
    SetVisible(false);
}

TCustomForm::TCustomForm(TComponent* owner, HWND parentWindow) : TCustomForm(owner) { FParentWindow = parentWindow; }

TCustomForm::~TCustomForm() {
    DoDestroy();
    if (Application && Application->MainForm == this) Application->MainForm = nullptr;
    DestroyWnd();
}

void TCustomForm::DoDestroy() {
    if (FDestroyed) return;
    FDestroyed = true;
    RunHandler(OnDestroy);
}

void TCustomForm::AfterConstruction() { RunHandler(OnCreate); }

TWinControl* TCustomForm::ActiveControl() const {
    TWinControl* focused = FindControl(GetFocus());
    return focused && GetParentForm(focused) == this ? focused : nullptr;
}

void TCustomForm::FocusChanged(TWinControl* control) {
    // Focus that leaves the UI-active OLE control deactivates it; the control that now
    // holds the focus is offered UI activation.
    if (FActiveOleControl && FActiveOleControl != control) FActiveOleControl->Perform(CM_UIDEACTIVATE, 0, 0);
    if (control->HandleAllocated() && GetFocus() == control->Handle()) control->Perform(CM_UIACTIVATE, 0, 0);
}

TComponent* TCustomForm::FindComponent(const std::string& name) const { return FindIn(*this, name); }

void TCustomForm::SetClientSize(int width, int height) {
    FClientWidth = width;
    FClientHeight = height;
    if (FHandle) {
        RECT rect = {0, 0, width, height};
        AdjustWindowRectEx(&rect, GetWindowLongA(FHandle, GWL_STYLE), FALSE, GetWindowLongA(FHandle, GWL_EXSTYLE));
        SetBounds(FLeft, FTop, rect.right - rect.left, rect.bottom - rect.top);
    }
    RealignClientControls();
}

void TCustomForm::SetBounds(int left, int top, int width, int height) {
    FClientWidth = FClientHeight = -1;
    TWinControl::SetBounds(left, top, width, height);
}

int TCustomForm::ClientWidth() {
    if (FHandle || FClientWidth < 0) return TWinControl::ClientWidth();
    return FClientWidth;
}

int TCustomForm::ClientHeight() {
    if (FHandle || FClientHeight < 0) return TWinControl::ClientHeight();
    return FClientHeight;
}

void TCustomForm::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    params.WinClassName = kFormWindowClass;
    params.Style = WS_CLIPCHILDREN;
    if (FParentWindow) {
        params.Style |= WS_CHILD | WS_CLIPSIBLINGS;
        params.WndParent = FParentWindow;
    } else {
        params.Style |= StyleOf(BorderStyle, BorderIcons);
        params.ExStyle = ExStyleOf(BorderStyle);
        if (FormStyle == TFormStyle::fsStayOnTop) params.ExStyle |= WS_EX_TOPMOST;
        params.WndParent = Application ? Application->Handle() : nullptr;
    }
    if (FClientWidth >= 0 && FClientHeight >= 0) {
        RECT rect = {0, 0, FClientWidth, FClientHeight};
        AdjustWindowRectEx(&rect, params.Style, FALSE, params.ExStyle);
        params.Width = FWidth = rect.right - rect.left;
        params.Height = FHeight = rect.bottom - rect.top;
    }
}

void TCustomForm::HandleCreated() {
    ReadBoundsFromWindow();
    RealignClientControls();
}

void TCustomForm::ReadBoundsFromWindow() {
    RECT rect;
    GetWindowRect(FHandle, &rect);
    if (HWND parent = GetParent(FHandle); parent && (GetWindowLongA(FHandle, GWL_STYLE) & WS_CHILD)) {
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    }
    FLeft = rect.left;
    FTop = rect.top;
    FWidth = rect.right - rect.left;
    FHeight = rect.bottom - rect.top;
}

void TCustomForm::ApplyPosition() {
    // Centring over the main form: a main form (or one without a main form to centre over)
    // stays at its designed position.
    TCustomForm* mainForm = Application ? Application->MainForm : nullptr;
    RECT area = {};
    if (Position == TPosition::poScreenCenter) {
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    } else if (Position == TPosition::poMainFormCenter && mainForm && mainForm != this && mainForm->HandleAllocated()) {
        GetWindowRect(mainForm->Handle(), &area);
    } else {
        return;
    }
    SetBounds(area.left + (area.right - area.left - FWidth) / 2, area.top + (area.bottom - area.top - FHeight) / 2,
              FWidth, FHeight);
}

void TCustomForm::Show() {
    const bool first = !FHandle;
    Handle();
    if (first) ApplyPosition();
    SetVisible(true);
    FShowing = true;
    // The focus starts on the first control in tab order.
    if (first) SelectNext(nullptr, true);
    RunHandler(OnShow);
}

namespace {

void CollectTabStops(const TWinControl& parent, std::vector<TWinControl*>& stops) {
    for (TWinControl* child : parent.TabOrderList()) {
        if (child->CanFocus()) stops.push_back(child);
        CollectTabStops(*child, stops);
    }
}

}  // namespace

void TCustomForm::SelectNext(TWinControl* current, bool forward) {
    std::vector<TWinControl*> stops;
    CollectTabStops(*this, stops);
    if (stops.empty()) return;
    auto at = std::find(stops.begin(), stops.end(), current);
    size_t index = at == stops.end() ? 0 : static_cast<size_t>(at - stops.begin());
    if (at != stops.end()) index = forward ? (index + 1) % stops.size() : (index + stops.size() - 1) % stops.size();
    stops[index]->SetFocus();
}

void TCustomForm::Hide() {
    SetVisible(false);
    FShowing = false;
}

void TCustomForm::Close() {
    if (FModal) {
        // A modal form closes by its result; its loop hides it.
        bool canClose = true;
        if (OnCloseQuery) RunHandler([&] { OnCloseQuery(canClose); });
        if (canClose && ModalResult == mrNone) ModalResult = mrCancel;
        return;
    }
    bool canClose = true;
    if (OnCloseQuery) RunHandler([&] { OnCloseQuery(canClose); });
    if (!canClose) return;
    // Closing the main form ends the application; other forms hide unless told otherwise.
    const bool isMain = Application && Application->MainForm == this;
    TCloseAction action = isMain ? TCloseAction::caFree : TCloseAction::caHide;
    if (OnClose) RunHandler([&] { OnClose(action); });
    if (action == TCloseAction::caNone) return;
    if (isMain) {
        Application->Terminate();
        return;
    }
    if (action == TCloseAction::caHide) Hide();
    else if (action == TCloseAction::caMinimize) ShowWindow(Handle(), SW_MINIMIZE);
    else if (action == TCloseAction::caFree) PostMessageA(Handle(), CM_RELEASE, 0, 0);
}

namespace {

struct TDisabledWindows {
    HWND Keep;
    DWORD ThreadId;
    std::vector<HWND> Windows;
};

BOOL CALLBACK DisableThreadWindow(HWND window, LPARAM context) {
    auto* disabled = reinterpret_cast<TDisabledWindows*>(context);
    if (window != disabled->Keep && IsWindowVisible(window) && IsWindowEnabled(window)) {
        EnableWindow(window, FALSE);
        disabled->Windows.push_back(window);
    }
    return TRUE;
}

}  // namespace

TModalResult TCustomForm::ShowModal() {
    TDisabledWindows disabled{Handle(), GetCurrentThreadId(), {}};
    EnumThreadWindows(disabled.ThreadId, DisableThreadWindow, reinterpret_cast<LPARAM>(&disabled));
    ModalResult = mrNone;
    FModal = true;
    Show();
    MSG msg;
    while (ModalResult == mrNone && Application && !Application->Terminated()) {
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(msg.wParam));
                break;
            }
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        } else {
            WaitMessage();
        }
    }
    for (HWND window : disabled.Windows) EnableWindow(window, TRUE);
    FModal = false;
    Hide();
    return ModalResult;
}

LRESULT TCustomForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CLOSE:
            Close();
            return 0;
        case CM_RELEASE:
            // Posted by a form that freed itself from its own OnClose: it goes once the
            // handler that asked for it has returned.
            delete this;
            return 0;
        case WM_ACTIVATE:
            if (FActiveOleControl) {
                FActiveOleControl->Perform(CM_DOCWINDOWACTIVATE, LOWORD(wParam) != WA_INACTIVE ? 1 : 0, 0);
            }
            return TWinControl::WndProc(message, wParam, lParam);
        case WM_QUERYNEWPALETTE:
            return PaletteChanged(true) ? 1 : 0;
        case WM_PALETTECHANGED:
            if (reinterpret_cast<HWND>(wParam) != FHandle) PaletteChanged(false);
            return 0;
        case WM_WINDOWPOSCHANGED: {
            const LRESULT result = TWinControl::WndProc(message, wParam, lParam);
            ReadBoundsFromWindow();
            RealignClientControls();
            return result;
        }
        default:
            return TWinControl::WndProc(message, wParam, lParam);
    }
}

TNotifyEvent* TCustomForm::EventField(const std::string& name) {
    if (name == "OnCreate") return &OnCreate;
    if (name == "OnShow") return &OnShow;
    if (name == "OnDestroy") return &OnDestroy;
    if (name == "OnClick") return &OnClick;
    return nullptr;
}

bool TCustomForm::SetProperty(const std::string& name, const TPropValue& value) {
    if (name == "ClientWidth") SetClientSize(value.AsInteger(name), FClientHeight < 0 ? FHeight : FClientHeight);
    else if (name == "ClientHeight") SetClientSize(FClientWidth < 0 ? FWidth : FClientWidth, value.AsInteger(name));
    else if (name == "BorderStyle") {
        const std::string style = value.AsIdent(name);
        if (style == "bsNone") BorderStyle = TFormBorderStyle::bsNone;
        else if (style == "bsSingle") BorderStyle = TFormBorderStyle::bsSingle;
        else if (style == "bsSizeable") BorderStyle = TFormBorderStyle::bsSizeable;
        else if (style == "bsDialog") BorderStyle = TFormBorderStyle::bsDialog;
        else return false;
    } else if (name == "Position") {
        const std::string position = value.AsIdent(name);
        if (position == "poDesigned") Position = TPosition::poDesigned;
        else if (position == "poDefault") Position = TPosition::poDefault;
        else if (position == "poScreenCenter") Position = TPosition::poScreenCenter;
        else if (position == "poMainFormCenter") Position = TPosition::poMainFormCenter;
        else return false;
    } else if (name == "FormStyle") {
        const std::string style = value.AsIdent(name);
        if (style == "fsNormal") FormStyle = TFormStyle::fsNormal;
        else if (style == "fsStayOnTop") FormStyle = TFormStyle::fsStayOnTop;
        else return false;
    } else if (name == "BorderIcons") {
        if (value.Kind != TPropValue::pvSet) return false;
        BorderIcons = static_cast<uint8_t>((value.Contains("biSystemMenu") ? biSystemMenu : 0) |
                                           (value.Contains("biMinimize") ? biMinimize : 0) |
                                           (value.Contains("biMaximize") ? biMaximize : 0));
    } else if (name == "Visible") {
        // A form shows through Show, never by a description.
        return !value.AsBoolean(name);
    } else return TWinControl::SetProperty(name, value);
    return true;
}

bool TForm::SetProperty(const std::string& name, const TPropValue& value) {
    if (name == "PixelsPerInch") PixelsPerInch = value.AsInteger(name);
    else if (name == "Scaled") Scaled = value.AsBoolean(name);
    else return TCustomForm::SetProperty(name, value);
    return true;
}

TNotifyEvent TForm::MethodAddress(const std::string&) { return {}; }
std::function<void(bool&)> TForm::CloseQueryMethod(const std::string&) { return {}; }
std::function<void(TCloseAction&)> TForm::CloseMethod(const std::string&) { return {}; }

void TForm::MissingComponent(const std::string& name) {
    throw Exception(FormatText("Component '%s' not found in the form description", {name}));
}

TWinControl* FindControl(HWND window) { return TWinControl::FromHandle(window); }

TCustomForm* GetParentForm(TWinControl* control) {
    while (control && !dynamic_cast<TCustomForm*>(control)) control = control->Parent();
    return dynamic_cast<TCustomForm*>(control);
}

}  // namespace quorlin
