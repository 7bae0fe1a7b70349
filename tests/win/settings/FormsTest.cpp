// The form library under the dialog: errors in event handlers, modal results, the scroll
// box following its thumb, and form descriptions that name what does not exist.

#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <thread>

#include "saver/forms/FormReader.h"
#include "saver/forms/StdControls.h"
#include "saver/forms/SysUtils.h"
#include "tests/win/settings/DialogFixture.h"
#include "tests/win/support/DialogWatcher.h"

using namespace quorlin;
using namespace quorlin::testing;

namespace {

class TTestForm : public TForm {
public:
    using TForm::TForm;
    TNotifyEvent MethodAddress(const std::string& name) override {
        if (name == "known") return [] {};
        return {};
    }
};

std::string ReadError(const std::string& description) {
    TTestForm form(nullptr);
    try {
        TFormReader(form).Read(ParseFormDescription(description));
    } catch (const Exception& error) {
        return error.Message();
    }
    return "no error";
}

}  // namespace

TEST_F(DialogTest, ErrorInAHandlerIsReportedAndTheRestSkipped) {
    auto* form = FApplication.CreateForm<TForm>();
    form->SetBounds(100, 100, 200, 120);
    auto* button = new TButton(form);
    button->SetParent(form);
    button->SetBounds(20, 20, 100, 30);
    int reached = 0;
    button->OnClick = [&] {
        reached = 1;
        throw Exception("Something failed in the handler");
        reached = 2;  // never: the rest of the handler is skipped
    };
    form->Show();
    PumpFor(200);
    std::vector<TDialogSeen> seen;
    {
        TDialogWatcher watcher;
        ASSERT_TRUE(ClickWindow(button->Handle()));
        PumpFor(300);
        seen = watcher.Seen();
    }
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].Text, "Something failed in the handler");
    EXPECT_EQ(reached, 1);
    EXPECT_TRUE(IsWindowVisible(form->Handle())) << "the form carries on";
    EXPECT_FALSE(Closed());
}

TEST_F(DialogTest, ShowModalReturnsTheModalResultOfTheButton) {
    auto* main = FApplication.CreateForm<TForm>();
    main->SetBounds(50, 50, 200, 100);
    main->Show();
    TForm dialog(&FApplication);
    dialog.BorderStyle = TFormBorderStyle::bsDialog;
    dialog.SetBounds(400, 300, 240, 140);
    auto* ok = new TButton(&dialog);
    ok->SetParent(&dialog);
    ok->SetBounds(40, 40, 90, 30);
    ok->ModalResult = mrOk;
    std::thread clicker([&] {
        Sleep(500);
        ClickWindow(ok->Handle());
    });
    const TModalResult result = dialog.ShowModal();
    clicker.join();
    EXPECT_EQ(result, mrOk);
    EXPECT_FALSE(IsWindowVisible(dialog.Handle()));
    EXPECT_TRUE(IsWindowEnabled(main->Handle())) << "the other windows are enabled again";
}

TEST_F(DialogTest, ScrollBoxContentFollowsTheThumbWhileDragged) {
    auto* form = FApplication.CreateForm<TForm>();
    form->SetBounds(100, 100, 300, 200);
    auto* box = new TScrollBox(form);
    box->Bordered = false;
    box->VertMargin = 8;
    box->VertTracking = true;
    box->SetParent(form);
    box->SetBounds(10, 10, 150, 100);
    for (int top : {0, 60, 120}) {
        auto* panel = new TPanel(box);
        panel->SetParent(box);
        panel->SetBounds(0, top, 100, 40);
    }
    form->Show();
    PumpFor(200);
    ASSERT_TRUE(GetWindowLongA(box->Handle(), GWL_STYLE) & WS_VSCROLL);
    SCROLLINFO info = {sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(box->Handle(), SB_VERT, &info);
    EXPECT_EQ(info.nMax + 1, 160 + 8) << "the lowest child's bottom plus the margin";
    EXPECT_EQ(info.nPage, 100u);

    RECT rect;
    GetWindowRect(box->Handle(), &rect);
    const int x = rect.right - GetSystemMetrics(SM_CXVSCROLL) / 2;
    const int y = rect.top + GetSystemMetrics(SM_CYVSCROLL) + 5;
    std::atomic<int> duringDrag{-1};
    std::thread mouse([&] {
        Xdotool("mousemove " + std::to_string(x) + " " + std::to_string(y) + " mousedown 1 mousemove " +
                std::to_string(x) + " " + std::to_string(y + 15) + " mousemove " + std::to_string(x) + " " +
                std::to_string(y + 30));
        Sleep(400);
        duringDrag = box->ScrollPosition();
        Xdotool("mouseup 1");
    });
    PumpFor(1500);
    mouse.join();
    EXPECT_GT(duringDrag.load(), 0) << "tracking: the content moved before the button was released";
    EXPECT_EQ(box->Controls()[0]->Top(), -box->ScrollPosition());
    RECT first;
    GetWindowRect(box->Controls()[0]->Handle(), &first);
    EXPECT_EQ(first.top - rect.top, -box->ScrollPosition()) << "the windows moved with the content";
}

TEST_F(DialogTest, LongCaptionIsClippedAndWholeInTheTooltip) {
    auto* form = FApplication.CreateForm<TForm>();
    form->SetBounds(100, 100, 300, 100);
    auto* label = new TLabel(form);
    label->SetParent(form);
    const std::string caption = "A caption much longer than the label's width of 130 pixels";
    label->SetText(caption);
    label->Hint = caption;
    label->ShowHint = true;
    EXPECT_GT(label->Width(), 130) << "sized to its text while AutoSize holds";
    label->SetAutoSize(false);
    label->SetLayout(TTextLayout::tlCenter);
    label->SetBounds(10, 10, 130, 25);
    form->Show();
    PumpFor(200);
    RECT rect;
    GetClientRect(label->Handle(), &rect);
    EXPECT_EQ(rect.right, 130);
    EXPECT_EQ(rect.bottom, 25);
    char text[256] = {};
    TOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.hwnd = label->Handle();
    tool.uId = reinterpret_cast<UINT_PTR>(label->Handle());
    tool.lpszText = text;
    SendMessageA(label->HintWindow(), TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
    EXPECT_EQ(std::string(text), caption);
    // Text is drawn up to the right edge of the label, and the form beside it stays clear.
    HDC dc = GetDC(form->Handle());
    int inked = 0;
    for (int x = 100; x < 140; ++x) {
        for (int y = 10; y < 35; ++y) inked += GetPixel(dc, x, y) != GetSysColor(COLOR_BTNFACE);
    }
    int beyond = 0;
    for (int x = 141; x < 200; ++x) {
        for (int y = 10; y < 35; ++y) beyond += GetPixel(dc, x, y) != GetSysColor(COLOR_BTNFACE);
    }
    ReleaseDC(form->Handle(), dc);
    EXPECT_GT(inked, 0);
    EXPECT_EQ(beyond, 0) << "clipped at the label's width";
}

TEST(FormDescriptionReader, NamesWhatDoesNotExist) {
    EXPECT_EQ(ReadError("object F: TForm\n  object A: TFoo\n  end\nend\n"), "Class TFoo not found");
    EXPECT_EQ(ReadError("object F: TForm\n  Bogus = 1\nend\n"), "Property Bogus does not exist");
    EXPECT_EQ(ReadError("object F: TForm\n  OnCreate = nope\nend\n"), "Method nope not found");
    EXPECT_EQ(ReadError("object F: TForm\n  OnCreate = known\n  Left = 'x'\nend\n"),
              "Invalid property value for 'Left'");
    EXPECT_EQ(ReadError("object F: TForm\n  object P: TPageControl\n    ActivePage = Nothing\n  end\nend\n"),
              "Invalid property value for 'ActivePage'");
    EXPECT_EQ(ReadError("object F: TForm\n  object I: TImage\n    Picture = 'NOSUCHPICTURE'\n  end\nend\n"),
              "Resource NOSUCHPICTURE not found");
}
