// The dialog at 120 dots per inch. Wine reads the screen's dots per inch (LogPixels) when
// a process starts, so the test sets it and runs the layout check in a child of its own.

#include <windows.h>

#include <cstdlib>

#include "saver/forms/Scaling.h"
#include "tests/win/settings/DialogFixture.h"
#include "tests/win/support/ChildProcess.h"

using namespace quorlin;
using namespace quorlin::testing;

namespace {

const char kChildVariable[] = "QUORLIN_DPI_CHILD";

std::string PlaceText(TWinControl* control) {
    RECT rect;
    GetWindowRect(control->Handle(), &rect);
    MapWindowPoints(nullptr, GetParent(control->Handle()), reinterpret_cast<POINT*>(&rect), 2);
    return Box({rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top});
}

}  // namespace

TEST(DialogAt120Dpi, RowsAndControlsScale) {
    TValueBackup logPixels("Control Panel\\Desktop", "LogPixels");
    WriteKey("Control Panel\\Desktop", {Dword("LogPixels", 120)});
    SetEnvironmentVariableA(kChildVariable, "1");
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    TChildOptions options;
    options.TimeoutMs = 60000;
    const TChildResult child =
        RunChild(QuoteArgument(self) + " --gtest_filter=DialogAt120DpiChild.*", options);
    SetEnvironmentVariableA(kChildVariable, nullptr);
    ASSERT_TRUE(child.Started);
    EXPECT_FALSE(child.TimedOut);
    EXPECT_EQ(child.ExitCode, 0u) << "the child's report is above";
    EXPECT_TRUE(child.Dialogs.empty());
}

class DialogAt120DpiChild : public DialogTest {};

TEST_F(DialogAt120DpiChild, Layout) {
    if (!std::getenv(kChildVariable)) GTEST_SKIP() << "runs as the child of DialogAt120Dpi";
    ASSERT_EQ(ScreenDpi(), 120);
    TConfigForm* form = Open();
    EXPECT_EQ(form->ClientWidth(), 554);
    EXPECT_EQ(form->ClientHeight(), 398);
    std::vector<TWinControl*> labels;
    for (TWinControl* child : form->scrollSettings->Controls()) {
        if (dynamic_cast<TLabel*>(child)) labels.push_back(child);
    }
    ASSERT_EQ(labels.size(), 3u);
    EXPECT_EQ(PlaceText(labels[0]), "13,13 163x31");
    EXPECT_EQ(PlaceText(labels[1]), "13,44 163x31");
    EXPECT_EQ(PlaceText(labels[2]), "13,75 163x31");
    EXPECT_EQ(PlaceText(form->Config()->FindFeature("backgroundcolor")->Control), "189,15 61x26");
    EXPECT_EQ(PlaceText(form->Config()->FindFeature("seconds")->Control), "189,49 97x21");
    EXPECT_EQ(PlaceText(form->Config()->FindFeature("glass")->Control), "189,80 97x21");
    EXPECT_EQ(form->lbName->Font().Height(), -14);
}
