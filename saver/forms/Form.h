#pragma once
// The form: a top-level (or parented) window with the platform's life-cycle events, border
// styles, placement rules and modal results. TForm adds building from a form description.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "saver/forms/Control.h"

namespace quorlin {

enum class TCloseAction { caNone, caHide, caFree, caMinimize };
enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog };
enum class TPosition { poDesigned, poDefault, poScreenCenter, poMainFormCenter };
enum class TFormStyle { fsNormal, fsStayOnTop };
// The caption buttons a bordered form shows; bsNone forms have none whatever the set says.
enum TBorderIcon : uint8_t { biSystemMenu = 1, biMinimize = 2, biMaximize = 4 };

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;

class TCustomForm : public TWinControl {
public:
    explicit TCustomForm(TComponent* owner);
    // A form made as the child of a window that is not ours (the preview window).
    TCustomForm(TComponent* owner, HWND parentWindow);
    ~TCustomForm() override;

    void Show();
    void Hide();
    // Asks OnCloseQuery, then OnClose decides what becomes of the form.
    void Close();
    // Shows the form with the other windows of the application disabled until ModalResult
    // is set (a button with a modal result, Close); returns it.
    TModalResult ShowModal();
    bool Showing() const { return FShowing; }

    std::string Caption() const { return Text(); }
    void SetCaption(const std::string& caption) { SetText(caption); }
    void SetClientSize(int width, int height);
    // Bounds given outright replace a designed client size.
    void SetBounds(int left, int top, int width, int height) override;
    int ClientWidth() override;
    int ClientHeight() override;

    TFormBorderStyle BorderStyle = TFormBorderStyle::bsSizeable;
    TPosition Position = TPosition::poDesigned;
    TFormStyle FormStyle = TFormStyle::fsNormal;
    uint8_t BorderIcons = biSystemMenu | biMinimize | biMaximize;
    TModalResult ModalResult = mrNone;
    // The menu bar the form shows (not owned); an OLE control merges its menus into it.
    HMENU Menu = nullptr;

    TNotifyEvent OnCreate;
    TNotifyEvent OnShow;
    TNotifyEvent OnDestroy;
    std::function<void(bool& canClose)> OnCloseQuery;
    std::function<void(TCloseAction& action)> OnClose;

    // Runs OnCreate; the application calls it once the form is fully constructed.
    void AfterConstruction();
    bool SetProperty(const std::string& name, const TPropValue& value) override;
    // The event a form description names (OnCreate, OnClick...), or null.
    virtual TNotifyEvent* EventField(const std::string& name);

    TComponent* FindComponent(const std::string& name) const;

    // The focused control of this form, or null.
    TWinControl* ActiveControl() const;
    // The one OLE control of the form that is UI active; the control sets and clears it.
    TWinControl* ActiveOleControl() const { return FActiveOleControl; }
    void SetActiveOleControl(TWinControl* control) { FActiveOleControl = control; }
    // A control of the form took the focus.
    void FocusChanged(TWinControl* control);
    // Moves the focus to the next (or previous) control in tab order after Current.
    void SelectNext(TWinControl* current, bool forward);

protected:
    // Runs OnDestroy once. A derived form calls it first thing in its destructor, while its
    // own fields still exist; the base destructor calls it for forms that do not.
    void DoDestroy();
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void ApplyPosition();
    void ReadBoundsFromWindow();

    TWinControl* FActiveOleControl = nullptr;
    bool FShowing = false;
    bool FModal = false;
    bool FDestroyed = false;
    int FClientWidth = -1, FClientHeight = -1;
};

// The form of a form description: its components, their settings and their events come
// from a resource, and the form's handlers are found by name.
class TForm : public TCustomForm {
public:
    using TCustomForm::TCustomForm;
    bool SetProperty(const std::string& name, const TPropValue& value) override;

    // Dots per inch the description was laid out at; its lengths are scaled from it.
    int PixelsPerInch = 96;
    // False: the description's lengths are taken as they are, whatever the screen's dots per inch.
    bool Scaled = true;

protected:
    // Builds the form from the RCDATA resource of that name (see FormReader.h).
    void LoadFromResource(const char* resourceName);
    // The handler of that name for an event of the description; empty when there is none.
    virtual TNotifyEvent MethodAddress(const std::string& name);
    // The handlers of that name for the events with parameters; empty when there is none.
    virtual std::function<void(bool& canClose)> CloseQueryMethod(const std::string& name);
    virtual std::function<void(TCloseAction& action)> CloseMethod(const std::string& name);
    // The component of that name and class, raising when the description has no such one.
    template <class T>
    T* Bind(const std::string& name) {
        T* found = dynamic_cast<T*>(FindComponent(name));
        if (!found) MissingComponent(name);
        return found;
    }

private:
    [[noreturn]] void MissingComponent(const std::string& name);
    friend class TFormReader;
};

// The control whose window that is, or null.
TWinControl* FindControl(HWND window);
// The form a control sits on, or null.
TCustomForm* GetParentForm(TWinControl* control);

}  // namespace quorlin
