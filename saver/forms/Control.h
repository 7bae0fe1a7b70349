#pragma once
// The windowed-control base every control and form sits on. A control keeps its state
// (bounds, text, colour, font, visibility) in fields and makes its window only when its
// parent has one: setting a parent on a shown form, or showing the form, creates it.
// Messages go to WndProc, which handles what the control knows and passes the rest to
// DefaultHandler: the system class's own procedure, or DefWindowProc for our classes.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "saver/forms/Component.h"
#include "saver/forms/Graphics.h"
#include "saver/forms/PropValue.h"

namespace quorlin {

using TNotifyEvent = std::function<void()>;

enum class TAlign { alNone, alClient };

struct TCreateParams {
    std::string Caption;
    // A system class (BUTTON, EDIT...) that the control subclasses; otherwise one of our
    // own classes (WinClassName, or the default one), painted by the control.
    bool SystemClass = false;
    std::string WinClassName;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0, Y = 0, Width = 0, Height = 0;
    HWND WndParent = nullptr;
};

// Messages a parent hands back to the child they concern (WM_COMMAND, WM_NOTIFY and
// WM_CTLCOLOR*), so that each control handles its own notifications. The numbers are the
// platform's own: a hosted OLE control expects exactly these to be reflected.
constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;
constexpr UINT CN_CTLCOLOR = CN_BASE + WM_CTLCOLORSTATIC;
constexpr UINT CN_KEYDOWN = CN_BASE + WM_KEYDOWN;
constexpr UINT CN_KEYUP = CN_BASE + WM_KEYUP;
constexpr UINT CN_CHAR = CN_BASE + WM_CHAR;
constexpr UINT CN_SYSKEYDOWN = CN_BASE + WM_SYSKEYDOWN;
constexpr UINT CN_SYSCHAR = CN_BASE + WM_SYSCHAR;

// The platform's control messages that hosted controls react to.
constexpr UINT CM_BASE = 0xB000;
// A dialog key (Tab, Enter, Escape, arrows, mnemonics): wParam the key, lParam its key data.
constexpr UINT CM_DIALOGKEY = CM_BASE + 5;
constexpr UINT CM_PARENTFONTCHANGED = CM_BASE + 8;
constexpr UINT CM_PARENTCOLORCHANGED = CM_BASE + 9;
constexpr UINT CM_RELEASE = CM_BASE + 33;
// Sent by a form to its active OLE control as focus and activation move.
constexpr UINT CM_UIACTIVATE = CM_BASE + 41;
constexpr UINT CM_UIDEACTIVATE = CM_BASE + 42;
constexpr UINT CM_DOCWINDOWACTIVATE = CM_BASE + 43;

// TControlStyle flags.
enum : unsigned { csAcceptsControls = 0x1, csDoubleClicks = 0x2, csNoStdEvents = 0x4 };

class TWinControl : public TComponent {
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    TWinControl* Parent() const { return FParent; }
    virtual void SetParent(TWinControl* parent);
    // The foreign window a control without a Parent sits in (the preview window).
    HWND ParentWindow() const { return FParentWindow; }
    void SetParentWindow(HWND window) { FParentWindow = window; }
    const std::vector<TWinControl*>& Controls() const { return FControls; }

    // The control a window belongs to, or null.
    static TWinControl* FromHandle(HWND window);

    HWND Handle();
    bool HandleAllocated() const { return FHandle != nullptr; }
    void HandleNeeded() { Handle(); }

    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    virtual void SetBounds(int left, int top, int width, int height);
    void SetLeft(int value) { SetBounds(value, FTop, FWidth, FHeight); }
    void SetTop(int value) { SetBounds(FLeft, value, FWidth, FHeight); }
    void SetWidth(int value) { SetBounds(FLeft, FTop, value, FHeight); }
    void SetHeight(int value) { SetBounds(FLeft, FTop, FWidth, value); }
    // The client area: the window's where it exists, else the bounds less the frame.
    virtual int ClientWidth();
    virtual int ClientHeight();

    bool Visible() const { return FVisible; }
    virtual void SetVisible(bool visible);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool enabled);

    // The colour the control paints with: the parent's while ParentColor holds.
    TColor Color() const;
    void SetColor(TColor color);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool value);

    // The font the control draws with: the parent's while ParentFont holds.
    const TFont& Font() const;
    // Changing the control's own font ends ParentFont.
    TFont& OwnFont();
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool value);

    std::string Text() const { return FText; }
    virtual void SetText(const std::string& text);

    // Calls the control's message handling directly, window or not.
    LRESULT Perform(UINT message, WPARAM wParam, LPARAM lParam) { return WndProc(message, wParam, lParam); }
    // Whether the control realised a palette of its own (Foreground: it may take the
    // foreground palette); the children are asked in turn.
    virtual bool PaletteChanged(bool foreground);

    std::string Hint;
    bool ShowHint = false;
    unsigned ControlStyle = csDoubleClicks;
    bool TabStop = false;
    int TabOrder = -1;
    TAlign Align = TAlign::alNone;
    // A system cursor (IDC_*); null keeps the arrow.
    LPCSTR Cursor = nullptr;

    TNotifyEvent OnClick;
    // Runs OnClick, reporting an error in it.
    virtual void Click();

    void Invalidate();
    void Update();
    // Whether Tab can bring the focus here: a tab stop with a window, shown and enabled,
    // on shown and enabled parents.
    bool CanFocus() const;
    void SetFocus();
    // The children in tab order: by TabOrder, those without one after them as made.
    std::vector<TWinControl*> TabOrderList() const;

    // Sets one property of a form description; false when the control has no such property.
    virtual bool SetProperty(const std::string& name, const TPropValue& value);

    // Runs an event handler; an error in it shows the standard error report and the rest of
    // the handler is skipped. The control carries on.
    static void RunHandler(const TNotifyEvent& handler);

protected:
    virtual void CreateParams(TCreateParams& params);
    virtual void CreateWnd();
    // Ends the window: the children's with it, then DestroyWindowHandle.
    void DestroyWnd();
    // Destroys the window itself; a control that adopted a foreign window gives it back.
    virtual void DestroyWindowHandle();
    // Makes an existing window this control's own: every message reaches WndProc first,
    // and DefaultHandler passes on to the window's previous procedure.
    void AdoptWindow(HWND window);
    // Forgets the window without destroying it.
    void DetachHandle() { Detach(); }
    // After the window and those of the children exist.
    virtual void HandleCreated() {}
    virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam);
    // Our own classes draw here; the background is already filled with Color.
    virtual void Paint(HDC) {}
    virtual void FontChanged();
    virtual void ColorChanged();
    // A child moved or resized (the scroll box follows its content).
    virtual void ChildBoundsChanged(TWinControl*) {}
    virtual void Resized() {}
    // Whether children's windows are made with this one's (a form not yet shown: not).
    virtual bool CanCreateChildren() const { return true; }
    void CreateHandle();
    void CreateChildHandles();
    void RealignClientControls();
    HBRUSH BackgroundBrush();
    // Records the window's text without setting it again (the window changed it).
    void StoreText(const std::string& text) { FText = text; }
    // Moves a child's recorded place after its window was scrolled with the parent's content.
    static void ShiftChild(TWinControl* child, int dx, int dy) {
        child->FLeft += dx;
        child->FTop += dy;
    }

    HWND FHandle = nullptr;
    int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
    // The procedure of a subclassed window; null for our own classes.
    WNDPROC FDefWndProc = nullptr;
    HWND FParentWindow = nullptr;

private:
    static LRESULT CALLBACK StaticWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Attach(HWND window);
    void Detach();
    void RemoveControl(TWinControl* child);
    void NotifyFontChanged();
    void NotifyColorChanged();

    TWinControl* FParent = nullptr;
    std::vector<TWinControl*> FControls;
    bool FVisible = true;
    bool FEnabled = true;
    TColor FColor = clBtnFace;
    bool FParentColor = false;
    TFont FFont;
    bool FParentFont = true;
    std::string FText;
    TBrushCache FBrush;
    bool FDestroying = false;
};

}  // namespace quorlin
