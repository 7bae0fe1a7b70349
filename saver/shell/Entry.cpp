// The module's entry: choose the run mode from the command line, prepare the application
// object and run the mode's branch; every way out ends with a defined exit code.

#include "saver/shell/Entry.h"

#include <windows.h>

#include <memory>

#include "saver/forms/Application.h"
#include "saver/forms/ComInit.h"
#include "saver/forms/Halt.h"
#include "saver/forms/SysUtils.h"
#include "saver/settings/ConfigForm.h"
#include "saver/shell/CommandLine.h"
#include "saver/shell/Password.h"
#include "saver/shell/Scrn.h"
#include "saver/shot/Shot.h"

namespace quorlin {

namespace {

HWND PreviewWindow() { return reinterpret_cast<HWND>(static_cast<uintptr_t>(PreviewParent)); }

void RunShow() {
    // The main form: the loop shows it, and its close handler ends the loop.
    ScrnFrm = Application->CreateForm<TScrnFrm>();
    Application->Run();
}

void RunPreview() {
    // A hidden main form, so that the loop has one; it reads the settings like any other.
    ConfigForm = Application->CreateForm<TConfigForm>();
    Application->ShowMainForm = false;
    // Not owned by the application: this branch frees it once the loop has ended.
    std::unique_ptr<TScrnFrm> screen(TScrnFrm::CreateParented(PreviewWindow()));
    ScrnFrm = screen.get();
    // A disabled child: the preview takes no input of its own. The whole style is replaced.
    SetWindowLongA(screen->Handle(), GWL_STYLE, WS_CHILD | WS_VISIBLE | WS_DISABLED);
    screen->Show();
    // The screen form ends the loop when it closes, or when the preview window has gone.
    Application->Run();
    screen.reset();
    ScrnFrm = nullptr;
}

void RunConfig() {
    Application->SetTitle("Tessaly Screensaver");
    // The dialog is the main form: closing it ends the loop and the program.
    ConfigForm = Application->CreateForm<TConfigForm>();
    Application->Run();
}

void RunChangePassword() {
    ChangeSaverPassword();
    // No main form: the loop returns at once.
    Application->Run();
}

void RunMode() {
    switch (SaverMode) {
        case smShow: RunShow(); break;
        case smPreview: RunPreview(); break;
        case smConfig: RunConfig(); break;
        case smChangePassword: RunChangePassword(); break;
        case smShot: TakeScreenshot(); break;
    }
}

int MainRoutine() {
    const std::vector<std::string> arguments = ProcessArguments();
    SaverMode = ParseSaverMode(arguments);
    PreviewParent = ParsePreviewParent(arguments);
    if (SaverMode == smPreview && !IsWindow(PreviewWindow())) return 1;

    Application->Initialize();
    // No taskbar button: the whole extended style is replaced, not combined.
    SetWindowLongA(Application->Handle(), GWL_EXSTYLE, WS_EX_TOOLWINDOW);
    RunMode();
    return 0;
}

}  // namespace

}  // namespace quorlin

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    using namespace quorlin;
    // COM lives longer than every form: the apartment is entered before the application
    // object exists and left after it is gone.
    TComApartment apartment;
    TApplication application;
    Application = &application;
    int exitCode = 0;
    try {
        exitCode = MainRoutine();
    } catch (const THalt& halt) {
        exitCode = halt.ExitCode;
    } catch (const std::exception& error) {
        // The last-chance handler: show the text, end with exit code 1.
        application.ShowException(error.what());
        exitCode = 1;
    }
    return exitCode;
}
