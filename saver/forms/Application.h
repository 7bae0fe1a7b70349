#pragma once
// The application object: the hidden application window, the forms it owns, the message
// loop with its message hook, and the report of errors that nothing else handles.

#include <windows.h>

#include <exception>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "saver/forms/Component.h"
#include "saver/forms/Form.h"

namespace quorlin {

class TApplication : public TComponent {
public:
    TApplication();
    ~TApplication() override;

    // Procedures that run at Initialize, in the order they were added (the COM server
    // support registers itself this way).
    static void AddInitProc(std::function<void()> proc);
    void Initialize();

    // The hidden application window; created on first use.
    HWND Handle();

    // Makes a form owned by the application; the first one becomes the main form.
    template <class TFormClass, class... Args>
    TFormClass* CreateForm(Args&&... args) {
        auto* form = new TFormClass(this, std::forward<Args>(args)...);
        if (!MainForm) MainForm = form;
        form->AfterConstruction();
        return form;
    }

    // Shows the main form (unless ShowMainForm is false) and serves messages until
    // Terminate. Returns at once when there is no main form.
    void Run();
    void Terminate();
    bool Terminated() const { return FTerminated; }
    // Serves every message that is waiting, then returns.
    void ProcessMessages();

    std::string Title() const { return FTitle; }
    void SetTitle(const std::string& title);

    // The standard error report: a message box with the error's text.
    void ShowException(const std::string& message);
    void HandleException(const std::exception& error);

    TCustomForm* MainForm = nullptr;
    bool ShowMainForm = true;
    // Sees every message before it is dispatched; setting handled stops it there.
    std::function<void(MSG& msg, bool& handled)> OnMessage;

private:
    bool ProcessMessage(MSG& msg);
    void CreateHandle();

    HWND FHandle = nullptr;
    std::string FTitle;
    bool FTerminated = false;
};

// The process's one application object; exists while the entry runs.
extern TApplication* Application;

}  // namespace quorlin
