#pragma once
// The flash box over the recording control, which this test program carries as its FLASH
// resource: the box writes it out and loads it as it would load the player. The fixture
// tells the control what to be, builds boxes, and reads the control's call log.

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "saver/flash/FlashModule.h"
#include "saver/flash/flashbox.h"
#include "saver/forms/ComInit.h"
#include "saver/forms/Form.h"
#include "tests/win/flashbox/recorder/Recorder.h"

namespace quorlin::testing {

class FlashBoxTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();

    void SetUp() override { Config = DefaultRecorderConfig(); }
    void TearDown() override;

    // A box made with the current Config, owned by the fixture; the log starts with it.
    TFlashBox* MakeBox();
    // A shown form of that client size, for boxes that need a window.
    TCustomForm* ShownForm(int width = 800, int height = 600);
    // MakeBox on a shown form: the control is active in place and its window adopted.
    TFlashBox* MakeActiveBox();
    void DeleteBox();

    // The calls since the last ClearCalls, one an entry.
    std::vector<std::string> Calls() const;
    bool Called(const std::string& call) const;
    // Index of the first call that starts with the text, or -1.
    int IndexOf(const std::string& prefix) const;
    void ClearCalls() const;
    HWND ControlWindow() const;

    TRecorderConfig Config{};
    std::unique_ptr<TFlashBox> FBox;
    std::unique_ptr<TCustomForm> FForm;

private:
    static TComApartment* FApartment;
};

}  // namespace quorlin::testing
