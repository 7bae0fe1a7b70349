#include "saver/forms/Control.h"

#include <algorithm>

#include "saver/forms/Application.h"
#include "saver/forms/Form.h"
#include "saver/forms/SysUtils.h"

namespace quorlin {

namespace {

const char kControlClass[] = "TQuorlinControl";
const char kControlProp[] = "QuorlinControl";

}  // namespace

TWinControl::TWinControl(TComponent* owner) : TComponent(owner) {
    FFont.OnChange = [this] {
        FParentFont = false;
        NotifyFontChanged();
    };
}

TWinControl::~TWinControl() {
    FDestroying = true;
    // Children that outlive us (owned elsewhere) lose their parent and their window.
    for (TWinControl* child : FControls) child->FParent = nullptr;
    FControls.clear();
    if (FParent) FParent->RemoveControl(this);
    FParent = nullptr;
    DestroyWnd();
}

void TWinControl::RemoveControl(TWinControl* child) {
    FControls.erase(std::remove(FControls.begin(), FControls.end(), child), FControls.end());
}

void TWinControl::SetParent(TWinControl* parent) {
    if (parent == FParent) return;
    if (FParent) FParent->RemoveControl(this);
    DestroyWnd();
    FParent = parent;
    if (!FParent) return;
    FParent->FControls.push_back(this);
    if (Align == TAlign::alClient) FParent->RealignClientControls();
    // A parent that has its window makes ours now; otherwise it comes with the parent's.
    if (FParent->HandleAllocated() && FParent->CanCreateChildren()) CreateHandle();
}

HWND TWinControl::Handle() {
    if (!FHandle) {
        if (FParent && !FParent->HandleAllocated()) FParent->Handle();
        if (!FHandle) CreateHandle();
    }
    return FHandle;
}

void TWinControl::CreateHandle() {
    if (FHandle) return;
    CreateWnd();
    CreateChildHandles();
    RealignClientControls();
    HandleCreated();
}

void TWinControl::CreateChildHandles() {
    if (!CanCreateChildren()) return;
    for (TWinControl* child : std::vector<TWinControl*>(FControls)) child->CreateHandle();
}

void TWinControl::CreateParams(TCreateParams& params) {
    params.Caption = FText;
    params.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    if (FVisible) params.Style |= WS_VISIBLE;
    if (!FEnabled) params.Style |= WS_DISABLED;
    if (TabStop) params.Style |= WS_TABSTOP;
    params.X = FLeft;
    params.Y = FTop;
    params.Width = FWidth;
    params.Height = FHeight;
    params.WndParent = FParent ? FParent->FHandle : FParentWindow;
}

void TWinControl::CreateWnd() {
    TCreateParams params;
    CreateParams(params);
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HWND window;
    if (!params.SystemClass) {
        const std::string className = params.WinClassName.empty() ? kControlClass : params.WinClassName;
        WNDCLASSA existing = {};
        if (!GetClassInfoA(instance, className.c_str(), &existing)) {
            WNDCLASSA wc = {};
            wc.style = CS_DBLCLKS;
            wc.lpfnWndProc = StaticWndProc;
            wc.hInstance = instance;
            wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
            wc.lpszClassName = className.c_str();
            RegisterClassA(&wc);
        }
        window = CreateWindowExA(params.ExStyle, className.c_str(), params.Caption.c_str(), params.Style, params.X,
                                 params.Y, params.Width, params.Height, params.WndParent, nullptr, instance, this);
    } else {
        window = CreateWindowExA(params.ExStyle, params.WinClassName.c_str(), params.Caption.c_str(), params.Style,
                                 params.X, params.Y, params.Width, params.Height, params.WndParent, nullptr, instance,
                                 nullptr);
        if (window) {
            Attach(window);
            FDefWndProc = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StaticWndProc)));
        }
    }
    if (!window) throw Exception(FormatText("Error creating window: %s", {std::to_string(GetLastError())}));
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), FALSE);
}

void TWinControl::Attach(HWND window) {
    FHandle = window;
    SetPropA(window, kControlProp, this);
}

void TWinControl::Detach() {
    if (!FHandle) return;
    RemovePropA(FHandle, kControlProp);
    if (FDefWndProc) SetWindowLongPtrA(FHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FDefWndProc));
    FDefWndProc = nullptr;
    FHandle = nullptr;
}

void TWinControl::AdoptWindow(HWND window) {
    FDefWndProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC));
    Attach(window);
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StaticWndProc));
}

void TWinControl::DestroyWnd() {
    if (!FHandle) return;
    // Children's windows go with ours; they are made again when they get a parent window.
    for (TWinControl* child : FControls) child->Detach();
    DestroyWindowHandle();
}

void TWinControl::DestroyWindowHandle() {
    HWND window = FHandle;
    Detach();
    DestroyWindow(window);
}

bool TWinControl::PaletteChanged(bool foreground) {
    for (TWinControl* child : FControls) {
        if (child->PaletteChanged(foreground)) return true;
    }
    return false;
}

TWinControl* TWinControl::FromHandle(HWND window) {
    return window ? static_cast<TWinControl*>(GetPropA(window, kControlProp)) : nullptr;
}

LRESULT CALLBACK TWinControl::StaticWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* created = static_cast<TWinControl*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        if (created) created->Attach(window);
    }
    TWinControl* control = FromHandle(window);
    if (!control || control->FDestroying) return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        const LRESULT result = control->DefaultHandler(message, wParam, lParam);
        control->Detach();
        return result;
    }
    return control->WndProc(message, wParam, lParam);
}

LRESULT TWinControl::DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam) {
    if (FDefWndProc) return CallWindowProcA(FDefWndProc, FHandle, message, wParam, lParam);
    return DefWindowProcA(FHandle, message, wParam, lParam);
}

HBRUSH TWinControl::BackgroundBrush() { return FBrush.Get(ColorToRGB(Color())); }

LRESULT TWinControl::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const bool ownClass = FDefWndProc == nullptr;
    switch (message) {
        case WM_COMMAND:
            if (TWinControl* child = FromHandle(reinterpret_cast<HWND>(lParam))) {
                return SendMessageA(child->FHandle, CN_COMMAND, wParam, lParam);
            }
            break;
        case WM_NOTIFY:
            if (TWinControl* child = lParam ? FromHandle(reinterpret_cast<NMHDR*>(lParam)->hwndFrom) : nullptr) {
                return SendMessageA(child->FHandle, CN_NOTIFY, wParam, lParam);
            }
            break;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT:
            if (TWinControl* child = FromHandle(reinterpret_cast<HWND>(lParam))) {
                return SendMessageA(child->FHandle, CN_CTLCOLOR, wParam, lParam);
            }
            break;
        case CN_CTLCOLOR: {
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, ColorToRGB(Font().Color()));
            SetBkColor(dc, ColorToRGB(Color()));
            return reinterpret_cast<LRESULT>(BackgroundBrush());
        }
        case CM_PARENTFONTCHANGED:
        case CM_PARENTCOLORCHANGED:
            return 0;
        case CM_DIALOGKEY:
            // A dialog key goes to the children until one takes it.
            for (TWinControl* child : std::vector<TWinControl*>(FControls)) {
                if (child->Perform(CM_DIALOGKEY, wParam, lParam)) return 1;
            }
            return 0;
        case WM_SETFOCUS:
            if (TCustomForm* form = GetParentForm(this); form && form != this) form->FocusChanged(this);
            break;
        case WM_KEYDOWN:
            if (wParam == VK_TAB) {
                if (TCustomForm* form = GetParentForm(this)) {
                    form->SelectNext(this, GetKeyState(VK_SHIFT) >= 0);
                    return 0;
                }
            }
            break;
        case WM_SETCURSOR:
            if (Cursor && reinterpret_cast<HWND>(wParam) == FHandle && LOWORD(lParam) == HTCLIENT) {
                SetCursor(LoadCursor(nullptr, Cursor));
                return TRUE;
            }
            break;
        case WM_ERASEBKGND:
            if (ownClass) {
                RECT rect;
                GetClientRect(FHandle, &rect);
                FillRect(reinterpret_cast<HDC>(wParam), &rect, BackgroundBrush());
                return 1;
            }
            break;
        case WM_PAINT:
            if (ownClass) {
                PAINTSTRUCT ps;
                HDC dc = BeginPaint(FHandle, &ps);
                HGDIOBJ oldFont = SelectObject(dc, Font().Handle());
                Paint(dc);
                SelectObject(dc, oldFont);
                EndPaint(FHandle, &ps);
                return 0;
            }
            break;
        case WM_LBUTTONDOWN:
            if (ownClass && OnClick) SetCapture(FHandle);
            break;
        case WM_LBUTTONUP:
            if (ownClass && GetCapture() == FHandle) {
                ReleaseCapture();
                RECT rect;
                GetClientRect(FHandle, &rect);
                const POINT at = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
                if (PtInRect(&rect, at)) Click();
                return 0;
            }
            break;
        default:
            break;
    }
    return DefaultHandler(message, wParam, lParam);
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
    const bool changed = left != FLeft || top != FTop || width != FWidth || height != FHeight;
    FLeft = left;
    FTop = top;
    FWidth = width;
    FHeight = height;
    if (!changed) return;
    if (FHandle) SetWindowPos(FHandle, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    RealignClientControls();
    Resized();
    if (FParent) FParent->ChildBoundsChanged(this);
}

int TWinControl::ClientWidth() {
    if (FHandle) {
        RECT rect;
        GetClientRect(FHandle, &rect);
        return rect.right;
    }
    return FWidth;
}

int TWinControl::ClientHeight() {
    if (FHandle) {
        RECT rect;
        GetClientRect(FHandle, &rect);
        return rect.bottom;
    }
    return FHeight;
}

void TWinControl::RealignClientControls() {
    for (TWinControl* child : FControls) {
        if (child->Align == TAlign::alClient) child->SetBounds(0, 0, ClientWidth(), ClientHeight());
    }
}

void TWinControl::SetVisible(bool visible) {
    FVisible = visible;
    if (FHandle) ShowWindow(FHandle, visible ? SW_SHOW : SW_HIDE);
}

void TWinControl::SetEnabled(bool enabled) {
    FEnabled = enabled;
    if (FHandle) EnableWindow(FHandle, enabled);
}

TColor TWinControl::Color() const { return FParentColor && FParent ? FParent->Color() : FColor; }

void TWinControl::SetColor(TColor color) {
    FColor = color;
    FParentColor = false;
    NotifyColorChanged();
}

void TWinControl::SetParentColor(bool value) {
    FParentColor = value;
    NotifyColorChanged();
}

const TFont& TWinControl::Font() const { return FParentFont && FParent ? FParent->Font() : FFont; }

TFont& TWinControl::OwnFont() {
    if (FParentFont && FParent) {
        auto onChange = std::move(FFont.OnChange);
        FFont.Assign(FParent->Font());
        FFont.OnChange = std::move(onChange);
    }
    return FFont;
}

void TWinControl::SetParentFont(bool value) {
    FParentFont = value;
    NotifyFontChanged();
}

void TWinControl::NotifyFontChanged() {
    FontChanged();
    for (TWinControl* child : FControls) {
        child->Perform(CM_PARENTFONTCHANGED, 0, 0);
        if (child->FParentFont) child->NotifyFontChanged();
    }
}

void TWinControl::NotifyColorChanged() {
    ColorChanged();
    for (TWinControl* child : FControls) {
        child->Perform(CM_PARENTCOLORCHANGED, 0, 0);
        if (child->FParentColor) child->NotifyColorChanged();
    }
}

void TWinControl::FontChanged() {
    if (FHandle) SendMessageA(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), TRUE);
}

void TWinControl::ColorChanged() { Invalidate(); }

void TWinControl::SetText(const std::string& text) {
    FText = text;
    if (FHandle) SetWindowTextA(FHandle, text.c_str());
}

void TWinControl::Click() { RunHandler(OnClick); }

void TWinControl::Invalidate() {
    if (FHandle) InvalidateRect(FHandle, nullptr, TRUE);
}

void TWinControl::Update() {
    if (FHandle) UpdateWindow(FHandle);
}

bool TWinControl::CanFocus() const {
    if (!TabStop || !FHandle) return false;
    for (const TWinControl* control = this; control; control = control->FParent) {
        if (!control->FVisible || !control->FEnabled) return false;
        if (dynamic_cast<const TCustomForm*>(control)) break;
    }
    return true;
}

void TWinControl::SetFocus() {
    if (FHandle) ::SetFocus(FHandle);
}

std::vector<TWinControl*> TWinControl::TabOrderList() const {
    std::vector<TWinControl*> list = FControls;
    std::stable_sort(list.begin(), list.end(), [](const TWinControl* a, const TWinControl* b) {
        const unsigned orderA = static_cast<unsigned>(a->TabOrder), orderB = static_cast<unsigned>(b->TabOrder);
        return orderA < orderB;
    });
    return list;
}

void TWinControl::RunHandler(const TNotifyEvent& handler) {
    if (!handler) return;
    try {
        handler();
    } catch (const std::exception& error) {
        if (Application) Application->HandleException(error);
    }
}

bool TWinControl::SetProperty(const std::string& name, const TPropValue& value) {
    if (name == "Left") SetLeft(value.AsInteger(name));
    else if (name == "Top") SetTop(value.AsInteger(name));
    else if (name == "Width") SetWidth(value.AsInteger(name));
    else if (name == "Height") SetHeight(value.AsInteger(name));
    else if (name == "Caption" || name == "Text") SetText(value.AsString(name));
    else if (name == "Color") SetColor(value.AsColor(name));
    else if (name == "ParentColor") SetParentColor(value.AsBoolean(name));
    else if (name == "ParentFont") SetParentFont(value.AsBoolean(name));
    else if (name == "Font.Name") OwnFont().SetName(value.AsString(name));
    else if (name == "Font.Height") OwnFont().SetHeight(value.AsInteger(name));
    else if (name == "Font.Color") OwnFont().SetColor(value.AsColor(name));
    else if (name == "Font.Charset") {
        OwnFont().SetCharset(value.AsIdent(name) == "DEFAULT_CHARSET" ? DEFAULT_CHARSET : ANSI_CHARSET);
    } else if (name == "Font.Style") {
        if (value.Kind != TPropValue::pvSet) value.AsIdent(name);
        OwnFont().SetStyle(static_cast<uint8_t>((value.Contains("fsBold") ? fsBold : 0) |
                                                (value.Contains("fsItalic") ? fsItalic : 0) |
                                                (value.Contains("fsUnderline") ? fsUnderline : 0) |
                                                (value.Contains("fsStrikeOut") ? fsStrikeOut : 0)));
    } else if (name == "Visible") SetVisible(value.AsBoolean(name));
    else if (name == "Enabled") SetEnabled(value.AsBoolean(name));
    else if (name == "TabOrder") TabOrder = value.AsInteger(name);
    else if (name == "TabStop") TabStop = value.AsBoolean(name);
    else if (name == "Hint") Hint = value.AsString(name);
    else if (name == "ShowHint") ShowHint = value.AsBoolean(name);
    else if (name == "Cursor") {
        const std::string cursor = value.AsIdent(name);
        if (cursor == "crHandPoint") Cursor = IDC_HAND;
        else if (cursor == "crDefault") Cursor = nullptr;
        else return false;
    } else if (name == "Align") {
        const std::string align = value.AsIdent(name);
        if (align != "alClient" && align != "alNone") return false;
        Align = align == "alClient" ? TAlign::alClient : TAlign::alNone;
        if (FParent) FParent->RealignClientControls();
    } else return false;
    return true;
}

}  // namespace quorlin
