#pragma once
// The settings dialog with its real window, made the way the entry makes it: as the main
// form of an application object of the test's own.

#include <windows.h>

#include <gtest/gtest.h>

#include "saver/forms/Application.h"
#include "saver/settings/ConfigForm.h"
#include "tests/win/settings/RegistryBackup.h"
#include "tests/win/support/RealInput.h"

namespace quorlin::testing {

inline const char kSettingsKey[] = "Software\\Tessaly\\Quorlin";

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetProcessDPIAware();
        Application = &FApplication;
    }
    void TearDown() override {
        FApplication.ProcessMessages();
        for (TComponent* form : std::vector<TComponent*>(FApplication.Components())) delete form;
        Application = nullptr;
    }

    // Creates and shows the dialog as the entry's smConfig branch does.
    TConfigForm* Open() {
        FApplication.SetTitle("Tessaly Screensaver");
        auto* form = FApplication.CreateForm<TConfigForm>();
        form->Show();
        PumpFor(300);
        return form;
    }
    // Whether closing the dialog has ended the application's loop.
    bool Closed() {
        FApplication.ProcessMessages();
        return FApplication.Terminated();
    }
    // A control's place in its parent's client area, from its window.
    static RECT PlaceOf(TWinControl* control) {
        RECT rect;
        GetWindowRect(control->Handle(), &rect);
        MapWindowPoints(nullptr, GetParent(control->Handle()), reinterpret_cast<POINT*>(&rect), 2);
        return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
    }

    TRegistryBackup FBackup;
    TApplication FApplication;
};

// Left, top, width and height, for comparing a place with the expected one.
inline std::string Box(const RECT& place) {
    return std::to_string(place.left) + "," + std::to_string(place.top) + " " + std::to_string(place.right) + "x" +
           std::to_string(place.bottom);
}

}  // namespace quorlin::testing
