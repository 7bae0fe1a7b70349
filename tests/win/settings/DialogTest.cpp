// The settings dialog as a user meets it: its real window, real clicks through the X
// server, the real colour dialog, the real registry, and error boxes read and dismissed.

#include <windows.h>
#include <commctrl.h>

#include <functional>

#include "saver/forms/Scaling.h"
#include "tests/win/settings/DialogFixture.h"
#include "tests/win/support/DialogWatcher.h"

using namespace quorlin;
using namespace quorlin::testing;

namespace {

TCheckBox* CheckBoxOf(TConfigForm* form, const char* name) {
    return dynamic_cast<TCheckBox*>(form->Config()->FindFeature(name)->Control);
}

TWinControl* PanelOf(TConfigForm* form) { return form->Config()->FindFeature("backgroundcolor")->Control; }

std::vector<TLabel*> RowLabels(TConfigForm* form) {
    std::vector<TLabel*> labels;
    for (TWinControl* child : form->scrollSettings->Controls()) {
        if (auto* label = dynamic_cast<TLabel*>(child)) labels.push_back(label);
    }
    return labels;
}

std::string TooltipText(TLabel* label) {
    char text[256] = {};
    TOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.hwnd = label->Handle();
    tool.uId = reinterpret_cast<UINT_PTR>(label->Handle());
    tool.lpszText = text;
    SendMessageA(label->HintWindow(), TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
    return text;
}

COLORREF PixelOf(TWinControl* control, int x, int y) {
    HDC dc = GetDC(control->Handle());
    const COLORREF color = GetPixel(dc, x, y);
    ReleaseDC(control->Handle(), dc);
    return color;
}

}  // namespace

TEST_F(DialogTest, FirstRunAt96DpiLaysOutTheRowsAndOkStoresBlackAndFalse) {
    ASSERT_EQ(ScreenDpi(), 96) << "the prefix's LogPixels";
    TConfigForm* form = Open();

    RECT window;
    GetWindowRect(form->Handle(), &window);
    EXPECT_EQ(window.left, 284);
    EXPECT_EQ(window.top, 217);
    EXPECT_EQ(form->ClientWidth(), 443);
    EXPECT_EQ(form->ClientHeight(), 318);
    EXPECT_EQ(WindowText(form->Handle()), "Settings");
    EXPECT_FALSE(GetWindowLongA(form->Handle(), GWL_STYLE) & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));

    const std::vector<TLabel*> labels = RowLabels(form);
    ASSERT_EQ(labels.size(), 3u);
    const char* captions[] = {"Background color", "Seconds", "Glass on/off"};
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(labels[row]->Text(), captions[row]);
        EXPECT_EQ(Box(PlaceOf(labels[row])), "10," + std::to_string(10 + 25 * row) + " 130x25");
        EXPECT_EQ(TooltipText(labels[row]), captions[row]);
    }
    EXPECT_EQ(Box(PlaceOf(PanelOf(form))), "150,12 49x21");
    EXPECT_EQ(Box(PlaceOf(CheckBoxOf(form, "seconds"))), "150,39 97x17");
    EXPECT_EQ(Box(PlaceOf(CheckBoxOf(form, "glass"))), "150,64 97x17");
    EXPECT_FALSE(GetWindowLongA(form->scrollSettings->Handle(), GWL_STYLE) & WS_VSCROLL) << "the rows fit";

    // First run: nothing stored, so nothing checked, even though Seconds defaults to true.
    EXPECT_EQ(SendMessageA(CheckBoxOf(form, "seconds")->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageA(CheckBoxOf(form, "glass")->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    // The swatch: black inside a one-pixel lowered frame.
    TWinControl* panel = PanelOf(form);
    EXPECT_EQ(PixelOf(panel, 24, 10), RGB(0, 0, 0));
    EXPECT_EQ(PixelOf(panel, 0, 0), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(PixelOf(panel, 48, 20), GetSysColor(COLOR_BTNHIGHLIGHT));
    // The picture: drawn unscaled at the top-left, its corner colour left out.
    EXPECT_EQ(PixelOf(form->Image2, 1, 1), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(PixelOf(form->Image2, 42, 3), RGB(60, 90, 160));

    ASSERT_TRUE(ClickWindow(form->btnOk->Handle()));
    EXPECT_TRUE(Closed());
    const TKeySnapshot saved = SnapshotKey(kSettingsKey);
    EXPECT_EQ(Find(saved, "backgroundcolor"), Sz("backgroundcolor", "#000000"));
    EXPECT_EQ(Find(saved, "seconds"), Dword("seconds", 0));
    EXPECT_EQ(Find(saved, "glass"), Dword("glass", 0));
}

TEST_F(DialogTest, AboutPageTexts) {
    TConfigForm* form = Open();
    ASSERT_TRUE(form->PageControl1->ActivePage() == form->TabSheet1);
    form->PageControl1->SetActivePage(form->TabSheet2);
    PumpFor(100);
    EXPECT_EQ(form->lbName->Text(), "Quorlin");
    EXPECT_TRUE(form->lbName->Font().Style() & fsBold);
    EXPECT_EQ(form->lbVersion->Text(), "Version 1.4.0-3");
    EXPECT_GT(form->lbVersion->Top(), form->lbName->Top());
    EXPECT_EQ(form->lbCopyright->Text(), "Copyright (c) 2004-2026 Tessaly");
    EXPECT_EQ(form->lbWebsite->Font().Color(), clBlue);
    EXPECT_TRUE(form->lbWebsite->Font().Style() & fsUnderline);
    EXPECT_TRUE(IsWindowVisible(form->lbWebsite->Handle()));
    EXPECT_FALSE(IsWindowVisible(form->scrollSettings->Handle())) << "one page at a time";
}

TEST_F(DialogTest, TabWalksTheControlsInTabOrderAndSpacePresses) {
    TConfigForm* form = Open();
    SetForegroundWindow(form->Handle());
    // Without a window manager the keyboard goes to the window under the pointer.
    RECT rect;
    GetWindowRect(form->Handle(), &rect);
    ASSERT_TRUE(Xdotool("mousemove " + std::to_string(rect.left + 150) + " " + std::to_string(rect.bottom - 20)));
    EXPECT_EQ(GetFocus(), form->PageControl1->Handle()) << "tab order 0 has the focus first";
    const HWND expected[] = {CheckBoxOf(form, "seconds")->Handle(), CheckBoxOf(form, "glass")->Handle(),
                             form->btnCancel->Handle(), form->btnOk->Handle(), form->PageControl1->Handle()};
    for (HWND next : expected) {
        ASSERT_TRUE(Xdotool("key Tab"));
        EXPECT_EQ(GetFocus(), next);
    }
    ASSERT_TRUE(Xdotool("key shift+Tab shift+Tab"));
    EXPECT_EQ(GetFocus(), form->btnCancel->Handle());
    ASSERT_TRUE(Xdotool("key space"));
    EXPECT_TRUE(Closed()) << "Cancel pressed from the keyboard";
    EXPECT_FALSE(SnapshotKey(kSettingsKey).Exists);
}

TEST_F(DialogTest, KeyWithoutValuesChecksSeconds) {
    WriteKey(kSettingsKey, {});
    TConfigForm* form = Open();
    EXPECT_TRUE(CheckBoxOf(form, "seconds")->Checked());
    EXPECT_FALSE(CheckBoxOf(form, "glass")->Checked());
    EXPECT_EQ(PanelOf(form)->Color(), 0);
}

// Edits two boxes, then leaves the dialog without OK; the registry stays as it was.
class LeaveTest : public DialogTest {
protected:
    void EditThenLeave(const std::function<bool(TConfigForm*)>& leave) {
        WriteKey(kSettingsKey, {Sz("backgroundcolor", "#FF8000"), Dword("seconds", 1), Dword("glass", 0)});
        const TKeySnapshot before = SnapshotKey(kSettingsKey);
        TConfigForm* form = Open();
        EXPECT_EQ(PanelOf(form)->Color(), 0x0080FF);
        ASSERT_TRUE(ClickWindow(CheckBoxOf(form, "glass")->Handle()));
        ASSERT_TRUE(ClickWindow(CheckBoxOf(form, "seconds")->Handle()));
        EXPECT_TRUE(CheckBoxOf(form, "glass")->Checked());
        EXPECT_FALSE(CheckBoxOf(form, "seconds")->Checked());
        ASSERT_TRUE(leave(form));
        EXPECT_TRUE(Closed());
        EXPECT_EQ(SnapshotKey(kSettingsKey), before);
    }
};

TEST_F(LeaveTest, CancelAfterEdits) {
    EditThenLeave([](TConfigForm* form) { return ClickWindow(form->btnCancel->Handle()); });
}

TEST_F(LeaveTest, CloseBoxAfterEdits) {
    // Alt+F4 is the close box's own command (SC_CLOSE); without a window manager under
    // Xvfb the frame has no drawn close box to click.
    EditThenLeave([](TConfigForm*) { return Xdotool("key --clearmodifiers alt+F4"); });
}

TEST_F(DialogTest, WrongTypedValueShowsTheErrorAndTheDialogStillOpens) {
    WriteKey(kSettingsKey, {Dword("backgroundcolor", 255), Dword("seconds", 1)});
    TConfigForm* form = nullptr;
    std::vector<TDialogSeen> seen;
    {
        TDialogWatcher watcher;
        form = Open();
        seen = watcher.Seen();
    }
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].Title, "Tessaly Screensaver");
    EXPECT_EQ(seen[0].Text, "Invalid data type for 'backgroundcolor'");
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    // The rest of the creation handler was skipped: controls and texts as designed.
    EXPECT_FALSE(CheckBoxOf(form, "seconds")->Checked());
    EXPECT_EQ(PanelOf(form)->Color(), 0);
    EXPECT_EQ(form->lbVersion->Text(), "Version 1.0 (Build 2134)");
}

TEST_F(DialogTest, SaveFailureKeepsTheDialogOpenWithTheEdits) {
    WriteKey(kSettingsKey, {Sz("backgroundcolor", "#ff0000"), Dword("seconds", 1), Dword("glass", 0)});
    TConfigForm* form = Open();
    DenyWrites(kSettingsKey);
    ASSERT_TRUE(ClickWindow(CheckBoxOf(form, "glass")->Handle()));
    std::vector<TDialogSeen> seen;
    {
        TDialogWatcher watcher;
        ASSERT_TRUE(ClickWindow(form->btnOk->Handle()));
        PumpFor(300);
        seen = watcher.Seen();
    }
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].Text, "Failed to open key 'Software\\Tessaly\\Quorlin' for writing");
    EXPECT_FALSE(Closed());
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    EXPECT_TRUE(CheckBoxOf(form, "glass")->Checked());
    EXPECT_EQ(Find(SnapshotKey(kSettingsKey), "glass"), Dword("glass", 0));

    // Once the key takes writes again, OK stores the edits kept in the dialog.
    AllowWrites(kSettingsKey);
    ASSERT_TRUE(ClickWindow(form->btnOk->Handle()));
    EXPECT_TRUE(Closed());
    EXPECT_EQ(Find(SnapshotKey(kSettingsKey), "glass"), Dword("glass", 1));
}
