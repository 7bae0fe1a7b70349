// The colour panel against the system's real colour dialog, driven with real clicks.

#include <windows.h>

#include <atomic>

#include "saver/forms/Scaling.h"
#include "saver/settings/ColorPanel.h"
#include "tests/win/settings/DialogFixture.h"
#include "tests/win/support/DialogWatcher.h"

using namespace quorlin;
using namespace quorlin::testing;

namespace {

// Control ids of the common colour dialog's template.
const int kBasicColors = 0x2d0;
const int kDefineCustom = 0x2cf;
const int kRedEdit = 0x2c2, kGreenEdit = 0x2c3, kBlueEdit = 0x2c4;

// The basic colours are a grid of 8 columns and 6 rows; pure red is the first of row 2.
void ClickBasicColor(HWND dialog, int row, int column) {
    HWND grid = GetDlgItem(dialog, kBasicColors);
    RECT rect;
    GetWindowRect(grid, &rect);
    const int cellWidth = (rect.right - rect.left) / 8, cellHeight = (rect.bottom - rect.top) / 6;
    ClickAt(rect.left + column * cellWidth + cellWidth / 2, rect.top + row * cellHeight + cellHeight / 2);
}

struct TColorDialogSeen {
    std::atomic<bool> Opened{false};
    std::atomic<bool> Centred{false};
    std::atomic<COLORREF> Preset{0xFFFFFFFF};
};

// Opens the full form to read the colour the dialog was preset to.
COLORREF PresetColor(HWND dialog) {
    if (HWND more = GetDlgItem(dialog, kDefineCustom)) ClickWindow(more);
    Sleep(200);
    const UINT red = GetDlgItemInt(dialog, kRedEdit, nullptr, FALSE);
    const UINT green = GetDlgItemInt(dialog, kGreenEdit, nullptr, FALSE);
    const UINT blue = GetDlgItemInt(dialog, kBlueEdit, nullptr, FALSE);
    return RGB(red, green, blue);
}

bool IsCentred(HWND dialog) {
    RECT area, rect;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    GetWindowRect(dialog, &rect);
    return std::abs((rect.left + rect.right) - (area.left + area.right)) <= 2 &&
           std::abs((rect.top + rect.bottom) - (area.top + area.bottom)) <= 2;
}

}  // namespace

class ColorPanelTest : public DialogTest {
protected:
    // Clicks the panel; the dialog that opens is checked, then a colour is clicked in it
    // and the dialog is left with the button given.
    void PickWith(TWinControl* panel, int row, int column, int button, TColorDialogSeen& seen) {
        TDialogWatcher watcher([&](HWND dialog) {
            seen.Opened = true;
            seen.Centred = IsCentred(dialog);
            seen.Preset = PresetColor(dialog);
            ClickBasicColor(dialog, row, column);
            ClickWindow(GetDlgItem(dialog, button));
        });
        ASSERT_TRUE(ClickWindow(panel->Handle()));
        PumpFor(200);
    }
};

TEST_F(ColorPanelTest, CancelKeepsTheColourAndRedIsStoredAsHexOnOk) {
    WriteKey(kSettingsKey, {Sz("backgroundcolor", "#FF8000")});
    TConfigForm* form = Open();
    TWinControl* panel = form->Config()->FindFeature("backgroundcolor")->Control;
    ASSERT_EQ(panel->Color(), 0x0080FF);

    TColorDialogSeen cancelled;
    PickWith(panel, 1, 1, IDCANCEL, cancelled);
    ASSERT_TRUE(cancelled.Opened);
    EXPECT_TRUE(cancelled.Centred);
    EXPECT_EQ(cancelled.Preset, RGB(255, 128, 0)) << "the dialog opens on the panel's colour";
    EXPECT_EQ(panel->Color(), 0x0080FF) << "Cancel keeps the colour another swatch was clicked";

    TColorDialogSeen picked;
    PickWith(panel, 1, 0, IDOK, picked);
    ASSERT_TRUE(picked.Opened);
    EXPECT_EQ(panel->Color(), 255) << "pure red";
    ASSERT_TRUE(ClickWindow(form->btnOk->Handle()));
    EXPECT_TRUE(Closed());
    EXPECT_EQ(Find(SnapshotKey(kSettingsKey), "backgroundcolor"), Sz("backgroundcolor", "#ff0000"));
}

TEST_F(ColorPanelTest, MadeBlackSunkenAndScaled) {
    TColorPanel panel(nullptr);
    EXPECT_EQ(panel.Width(), ScaleLength(49));
    EXPECT_EQ(panel.Height(), ScaleLength(21));
    EXPECT_EQ(panel.Color(), clBlack);
    EXPECT_EQ(panel.BevelOuter(), TBevelCut::bvLowered);
    EXPECT_EQ(panel.BevelInner(), TBevelCut::bvNone);
    EXPECT_EQ(panel.BevelWidth(), 1);
    EXPECT_EQ(panel.Text(), "");
    EXPECT_TRUE(panel.Name.empty());
}

TEST_F(ColorPanelTest, SystemColourIsResolvedForTheDialogAndCancelReturnsItUnchanged) {
    std::atomic<COLORREF> preset{0xFFFFFFFF};
    TColor result = 0;
    {
        TDialogWatcher watcher([&](HWND dialog) {
            preset = PresetColor(dialog);
            ClickWindow(GetDlgItem(dialog, IDCANCEL));
        });
        result = TColorPanel::PickColor(nullptr, clBtnFace);
    }
    EXPECT_EQ(preset.load(), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(result, clBtnFace);
}
