// The box and the control's window: activation and adoption, messages on their way to
// the control, sizes in HIMETRIC, and the notifications of a parent's font.

#include "saver/forms/ComErrors.h"
#include "saver/forms/ComPtr.h"
#include "tests/win/flashbox/FlashBoxFixture.h"

using namespace quorlin;
using namespace quorlin::testing;

namespace {

int CountOf(const std::vector<std::string>& calls, const std::string& prefix) {
    int count = 0;
    for (const std::string& call : calls) count += call.rfind(prefix, 0) == 0;
    return count;
}

}  // namespace

TEST_F(FlashBoxTest, AParentOnAShownFormActivatesInPlaceAndAdoptsTheWindow) {
    TCustomForm* form = ShownForm();
    TFlashBox* box = MakeBox();
    ClearCalls();
    box->SetParent(form);
    ASSERT_TRUE(box->HandleAllocated());
    EXPECT_EQ(box->Handle(), ControlWindow());
    EXPECT_EQ(GetParent(box->Handle()), form->Handle());
    EXPECT_TRUE(box->SiteInitialised());
    // Set up the site first, then activate with the box's bounds.
    const int initNew = IndexOf("InitNew"), advise = IndexOf("Advise sink"), ambient = IndexOf("OnAmbientPropertyChange -1"),
              verb = IndexOf("DoVerb -5 550x400 own-site"), window = IndexOf("GetWindow");
    ASSERT_GE(initNew, 0);
    EXPECT_LT(initNew, advise);
    EXPECT_LT(advise, ambient);
    EXPECT_LT(ambient, verb);
    EXPECT_LT(verb, window);
}

TEST_F(FlashBoxTest, AControlThatNeverActivatesFailsTheWindow) {
    Config.ActivateDuringDoVerb = FALSE;
    TCustomForm* form = ShownForm();
    TFlashBox* box = MakeBox();
    try {
        box->SetParent(form);
        FAIL() << "no activation failure";
    } catch (const EOleError& error) {
        EXPECT_STREQ(error.what(), "OLE control activation failed");
    }
    EXPECT_FALSE(box->HandleAllocated());
}

TEST_F(FlashBoxTest, AHiddenBoxHidesTheAdoptedWindow) {
    TCustomForm* form = ShownForm();
    TFlashBox* box = MakeBox();
    box->SetVisible(false);
    box->SetParent(form);
    ASSERT_NE(ControlWindow(), nullptr);
    EXPECT_FALSE(IsWindowVisible(ControlWindow()));
    box->SetVisible(true);
    EXPECT_TRUE(IsWindowVisible(ControlWindow()));
}

TEST_F(FlashBoxTest, ResizesSendTheExtentInHimetricUnlessRefused) {
    struct TCase {
        const char* Name;
        BOOL Refuse;
        int Width, Height;
        const char* Extent;  // null: none sent
        int ExpectedWidth, ExpectedHeight;
    };
    const TCase cases[] = {
        {"larger", FALSE, 1024, 768, "SetExtent 27093 20320", 1024, 768},
        {"the same size", FALSE, 550, 400, nullptr, 550, 400},
        {"refused", TRUE, 1024, 768, "SetExtent 27093 20320", 550, 400},
    };
    for (const TCase& test : cases) {
        SCOPED_TRACE(test.Name);
        Config.RefuseSetExtent = test.Refuse;
        TFlashBox* box = MakeActiveBox();
        EXPECT_EQ(CountOf(Calls(), "SetExtent"), 0);
        ClearCalls();
        box->SetBounds(10, 20, test.Width, test.Height);
        EXPECT_EQ(CountOf(Calls(), "SetExtent"), test.Extent ? 1 : 0);
        if (test.Extent) {
            EXPECT_TRUE(Called(test.Extent));
        }
        EXPECT_EQ(box->Width(), test.ExpectedWidth);
        EXPECT_EQ(box->Height(), test.ExpectedHeight);
        // The window follows, moved in every case.
        RECT rect;
        GetWindowRect(ControlWindow(), &rect);
        MapWindowPoints(nullptr, GetParent(ControlWindow()), reinterpret_cast<POINT*>(&rect), 2);
        EXPECT_EQ(rect.left, 10);
        EXPECT_EQ(rect.top, 20);
        EXPECT_EQ(rect.right - rect.left, test.ExpectedWidth);
        DeleteBox();
    }
}

TEST_F(FlashBoxTest, TransformCoordsBetweenHimetricAndPixels) {
    TFlashBox* box = MakeBox();
    TComPtr<IOleControlSite> site;
    ASSERT_EQ(box->QueryInterface(IID_IOleControlSite, site.PutVoid()), S_OK);
    POINTL himetric = {2540, 5080};
    POINTF container = {};
    ASSERT_EQ(site->TransformCoords(&himetric, &container, XFORMCOORDS_HIMETRICTOCONTAINER | XFORMCOORDS_SIZE), S_OK);
    EXPECT_EQ(container.x, 96.0f);
    EXPECT_EQ(container.y, 192.0f);
    container = {96.0f, 1.0f};
    himetric = {};
    ASSERT_EQ(site->TransformCoords(&himetric, &container, XFORMCOORDS_CONTAINERTOHIMETRIC | XFORMCOORDS_POSITION), S_OK);
    EXPECT_EQ(himetric.x, 2540);
    EXPECT_EQ(himetric.y, 26);  // 26.46 to the nearest
}

TEST_F(FlashBoxTest, ReflectedAndKeyMessagesReachTheControl) {
    struct TCase {
        const char* Name;
        UINT Message;
        HRESULT Accelerator;
        LRESULT Result;
        const char* Reached;     // what the control's window procedure saw, or null
        bool Translated;
    };
    const TCase cases[] = {
        {"reflected command", 0xBD11, S_FALSE, 0, "WndProc 0x00002111 65", false},
        {"refused key", 0xBD00, S_FALSE, 0, "WndProc 0x00002100 65", true},
        {"accepted key", 0xBD00, S_OK, 1, nullptr, true},
    };
    for (const TCase& test : cases) {
        SCOPED_TRACE(test.Name);
        Config.AcceleratorResult = test.Accelerator;
        TFlashBox* box = MakeActiveBox();
        ClearCalls();
        EXPECT_EQ(SendMessageA(box->Handle(), test.Message, 'A', 0), test.Result);
        const std::vector<std::string> calls = Calls();
        EXPECT_EQ(CountOf(calls, "WndProc"), test.Reached ? 1 : 0);
        if (test.Reached) {
            EXPECT_TRUE(Called(test.Reached));
        }
        // The synthesised MSG: the box's window, the plain key message, the fixed point.
        EXPECT_EQ(Called("TranslateAccelerator 0x00000100 65 0x115DE1F1 own"), test.Translated);
        DeleteBox();
    }
}

TEST_F(FlashBoxTest, AParentsFontOrColourChangeIsAnAmbientChangeOnceTheSiteIsSetUp) {
    struct TCase {
        const char* Name;
        bool Shown, Inherits, Colour;
        std::vector<std::string> Expected;
    };
    const TCase cases[] = {
        {"font, set up", true, true, false, {"OnAmbientPropertyChange -703", "OnAmbientPropertyChange -704"}},
        {"own font", true, false, false, {}},
        {"font, not set up", false, true, false, {}},
        {"colour, set up", true, true, true, {"OnAmbientPropertyChange -701"}},
        {"own colour", true, false, true, {}},
    };
    for (const TCase& test : cases) {
        SCOPED_TRACE(test.Name);
        FForm = std::make_unique<TCustomForm>(nullptr);
        if (test.Shown) FForm->Show();
        TFlashBox* box = MakeBox();
        box->SetParent(FForm.get());
        if (test.Colour) box->SetParentColor(test.Inherits);
        else if (!test.Inherits) box->OwnFont().SetName("Courier New");
        EXPECT_EQ(box->SiteInitialised(), test.Shown);
        ClearCalls();
        if (test.Colour) FForm->SetColor(clRed);
        else FForm->OwnFont().SetName("Tahoma");
        std::vector<std::string> ambient;
        for (const std::string& call : Calls()) {
            if (call.rfind("OnAmbientPropertyChange", 0) == 0) ambient.push_back(call);
        }
        EXPECT_EQ(ambient, test.Expected);
        DeleteBox();
    }
}

TEST_F(FlashBoxTest, ANewNameIsAnAmbientChange) {
    TFlashBox* box = MakeActiveBox();
    ClearCalls();
    box->SetName("flashClock");
    EXPECT_EQ(Calls(), std::vector<std::string>{"OnAmbientPropertyChange -702"});
}

TEST_F(FlashBoxTest, UIActivationFollowsTheFormsActiveOleControl) {
    TFlashBox* box = MakeActiveBox();
    ClearCalls();
    box->Perform(CM_UIACTIVATE, 0, 0);
    EXPECT_TRUE(Called("DoVerb -4 550x400 own-site"));
    EXPECT_EQ(FForm->ActiveOleControl(), box);
    // Already active: no second DoVerb.
    ClearCalls();
    box->Perform(CM_UIACTIVATE, 0, 0);
    EXPECT_EQ(IndexOf("DoVerb"), -1);
    box->Perform(CM_DOCWINDOWACTIVATE, 0, 0);
    EXPECT_FALSE(Called("OnDocWindowActivate 0"));  // a TCustomForm is no TForm
    box->Perform(CM_UIDEACTIVATE, 0, 0);
    EXPECT_TRUE(Called("UIDeactivate"));
    EXPECT_EQ(FForm->ActiveOleControl(), nullptr);
}

TEST_F(FlashBoxTest, ADialogKeyThatIsTheControlsMnemonicGoesToIt) {
    struct TCase {
        const char* Name;
        WORD Mnemonic;
        WPARAM Key;
        LRESULT Result;
        bool Mnemonic_;
    };
    const TCase cases[] = {
        {"its mnemonic", 'M', 'M', 1, true},
        {"another key", 'M', 'X', 0, false},
        {"no mnemonics", 0, 'M', 0, false},
    };
    for (const TCase& test : cases) {
        SCOPED_TRACE(test.Name);
        Config.MnemonicKey = test.Mnemonic;
        TFlashBox* box = MakeActiveBox();
        ClearCalls();
        EXPECT_EQ(box->Perform(CM_DIALOGKEY, test.Key, 0), test.Result);
        EXPECT_TRUE(Called("GetControlInfo 16"));
        EXPECT_EQ(Called("OnMnemonic 0x00000100 " + std::to_string(test.Key) + " own"), test.Mnemonic_);
        DeleteBox();
    }
}
