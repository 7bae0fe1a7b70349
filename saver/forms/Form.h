#pragma once
// The form: a top-level (or parented) window with the platform's life-cycle events.

#include <windows.h>

#include <functional>
#include <string>

#include "saver/forms/Component.h"

namespace quorlin {

enum class TCloseAction { caNone, caHide, caFree, caMinimize };

struct TCreateParams {
    std::string Caption;
    DWORD Style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    DWORD ExStyle = 0;
    int X = CW_USEDEFAULT, Y = CW_USEDEFAULT, Width = CW_USEDEFAULT, Height = CW_USEDEFAULT;
    HWND WndParent = nullptr;
};

class TCustomForm : public TComponent {
public:
    explicit TCustomForm(TComponent* owner);
    // A form made as the child of a window that is not ours (the preview window).
    TCustomForm(TComponent* owner, HWND parentWindow);
    ~TCustomForm() override;

    // The window, created on first use.
    HWND Handle();
    bool HandleAllocated() const { return FHandle != nullptr; }

    void Show();
    void Hide();
    // Asks OnCloseQuery, then OnClose decides what becomes of the form.
    void Close();
    bool Visible() const { return FVisible; }

    std::string Caption;
    int Left = CW_USEDEFAULT, Top = CW_USEDEFAULT, Width = CW_USEDEFAULT, Height = CW_USEDEFAULT;

    std::function<void()> OnCreate;
    std::function<void()> OnShow;
    std::function<void(bool& canClose)> OnCloseQuery;
    std::function<void(TCloseAction& action)> OnClose;
    // A form's own clean-up belongs in its destructor, where its fields still exist.

    // Runs OnCreate; the application calls it once the form is fully constructed.
    void AfterConstruction();

protected:
    virtual void CreateParams(TCreateParams& params);
    virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam);
    // Runs an event handler; an error in it is reported and the rest of the handler skipped.
    void RunHandler(const std::function<void()>& handler);

private:
    static LRESULT CALLBACK StaticWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void CreateHandle();
    void DestroyHandle();

    HWND FHandle = nullptr;
    HWND FParentWindow = nullptr;
    bool FVisible = false;
    bool FDestroying = false;
};

}  // namespace quorlin
