// The module's entry: choose the run mode from the command line, prepare the application
// object and run the mode's branch; every way out ends with a defined exit code.

#include "saver/shell/Entry.h"

#include <windows.h>

#include "saver/forms/Application.h"
#include "saver/forms/ComInit.h"
#include "saver/forms/Halt.h"
#include "saver/forms/SysUtils.h"
#include "saver/settings/ConfigForm.h"
#include "saver/shell/CommandLine.h"
#include "saver/shell/Password.h"
#include "saver/shot/Shot.h"

namespace quorlin {

TSaverMode SaverMode = smConfig;
uint32_t PreviewParent = 0;
TCustomForm* ScrnFrm = nullptr;
TCustomForm* ConfigForm = nullptr;

namespace {

HWND PreviewWindow() { return reinterpret_cast<HWND>(static_cast<uintptr_t>(PreviewParent)); }

void RunShow() {
    // The screen form becomes the main form here once it exists; without a main form the
    // loop returns at once.
    Application->Run();
}

void RunPreview() {
    // A hidden main form, so that the loop has one; it reads the settings like any other.
    ConfigForm = Application->CreateForm<TConfigForm>();
    Application->ShowMainForm = false;
    // The screen form ends the loop when it closes; without it nothing would.
    if (ScrnFrm) Application->Run();
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
