// The box as the control's site: the order it builds and ends the control in, the results
// of its site methods, its ambient properties and the control's property notifications.

#include <olectl.h>

#include <functional>

#include "saver/forms/ComErrors.h"
#include "saver/forms/ComPtr.h"
#include "tests/win/flashbox/FlashBoxFixture.h"

using namespace quorlin;
using namespace quorlin::testing;

namespace {

std::vector<std::string> Without(std::vector<std::string> calls, const std::string& noise) {
    std::erase(calls, noise);
    return calls;
}

}  // namespace

TEST_F(FlashBoxTest, ConstructionTakesTheControlAndItsNaturalSizeInOrder) {
    struct TCase {
        DWORD Misc;
        std::vector<std::string> Expected;
    };
    const std::vector<std::string> start = {"DllGetClassObject", "CreateInstance", "QueryInterface IOleObject",
                                            "QueryInterface IShockwaveFlash", "Factory released", "GetMiscStatus 1"};
    const std::vector<TCase> cases = {
        {0, {"QueryInterface IPersistStreamInit", "GetExtent"}},
        {OLEMISC_SETCLIENTSITEFIRST, {"SetClientSite site", "QueryInterface IPersistStreamInit", "GetExtent"}},
    };
    for (const TCase& test : cases) {
        SCOPED_TRACE(test.Misc);
        Config.MiscStatus = test.Misc;
        TFlashBox* box = MakeBox();
        std::vector<std::string> expected = start;
        expected.insert(expected.end(), test.Expected.begin(), test.Expected.end());
        EXPECT_EQ(Calls(), expected);
        // 14552 x 10583 HIMETRIC at 96 PPI, taken without a SetExtent.
        EXPECT_EQ(box->Width(), 550);
        EXPECT_EQ(box->Height(), 400);
        EXPECT_FALSE(box->SiteInitialised());
        EXPECT_FALSE(box->HandleAllocated());
        DeleteBox();
    }
}

TEST_F(FlashBoxTest, TheFlagsSetVisibilityStyleAndTabStop) {
    struct TCase {
        DWORD Misc;
        bool Visible, TabStop;
        unsigned Style;
    };
    const TCase cases[] = {
        {0, true, true, csDoubleClicks | csNoStdEvents},
        {OLEMISC_INVISIBLEATRUNTIME, false, true, csDoubleClicks | csNoStdEvents},
        {OLEMISC_ACTSLIKELABEL, true, false, csDoubleClicks | csNoStdEvents},
        {OLEMISC_NOUIACTIVATE, true, false, csDoubleClicks | csNoStdEvents},
        {OLEMISC_SIMPLEFRAME, true, true, csAcceptsControls | csDoubleClicks | csNoStdEvents},
    };
    for (const TCase& test : cases) {
        SCOPED_TRACE(test.Misc);
        Config.MiscStatus = test.Misc;
        TFlashBox* box = MakeBox();
        EXPECT_EQ(box->Visible(), test.Visible);
        EXPECT_EQ(box->TabStop, test.TabStop);
        EXPECT_EQ(box->ControlStyle, test.Style);
        DeleteBox();
    }
}

TEST_F(FlashBoxTest, DestructionClosesReleasesAndLetsGoOfTheWindow) {
    TFlashBox* box = MakeActiveBox();
    HWND window = box->Handle();
    ASSERT_EQ(window, ControlWindow());
    ClearCalls();
    DeleteBox();
    const std::vector<std::string> calls = Calls();
    // The control goes with the last reference, the Flash interface's, after the box.
    const std::vector<std::string> expected = {"Close 1",
                                               "InPlaceDeactivate",
                                               "QueryInterface IConnectionPointContainer",
                                               "FindConnectionPoint",
                                               "Unadvise 7",
                                               "SetClientSite null",
                                               "Destroyed"};
    EXPECT_EQ(calls, expected);
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(FlashBoxTest, AConstructionThatFailsHalfWayReleasesTheControl) {
    Config.NoPersistStreamInit = TRUE;
    try {
        MakeBox();
        FAIL() << "the box was built without IPersistStreamInit";
    } catch (const EOleSysError& error) {
        EXPECT_EQ(error.ErrorCode(), E_NOINTERFACE);
    }
    const std::vector<std::string> calls = Calls();
    ASSERT_GE(calls.size(), 4u);
    const std::vector<std::string> tail(calls.end() - 4, calls.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"Close 1", "InPlaceDeactivate", "SetClientSite null", "Destroyed"}));
}

TEST_F(FlashBoxTest, SiteMethodsAnswerAsAHostWithoutToolbarsOrContainer) {
    TFlashBox* box = MakeBox();
    TComPtr<IOleInPlaceFrame> frame;
    TComPtr<IOleClientSite> site;
    TComPtr<IOleControlSite> control;
    TComPtr<IServiceProvider> services;
    ASSERT_EQ(box->QueryInterface(IID_IOleInPlaceFrame, frame.PutVoid()), S_OK);
    ASSERT_EQ(box->QueryInterface(IID_IOleClientSite, site.PutVoid()), S_OK);
    ASSERT_EQ(box->QueryInterface(IID_IOleControlSite, control.PutVoid()), S_OK);
    ASSERT_EQ(box->QueryInterface(IID_IServiceProvider, services.PutVoid()), S_OK);
    const GUID anyService = {0x12345678, 0x1234, 0x1234, {1, 2, 3, 4, 5, 6, 7, 8}};
    struct TCase {
        const char* Name;
        std::function<HRESULT()> Call;
        HRESULT Expected;
    };
    RECT rect{};
    BORDERWIDTHS widths{};
    MSG msg{};
    IOleContainer* container = reinterpret_cast<IOleContainer*>(1);
    IMoniker* moniker = reinterpret_cast<IMoniker*>(1);
    const TCase cases[] = {
        {"GetBorder", [&] { return frame->GetBorder(&rect); }, INPLACE_E_NOTOOLSPACE},
        {"RequestBorderSpace", [&] { return frame->RequestBorderSpace(&widths); }, INPLACE_E_NOTOOLSPACE},
        {"SetBorderSpace", [&] { return frame->SetBorderSpace(&widths); }, E_NOTIMPL},
        {"frame TranslateAccelerator", [&] { return frame->TranslateAccelerator(&msg, 0); }, S_FALSE},
        {"control TranslateAccelerator", [&] { return control->TranslateAccelerator(&msg, 0); }, E_NOTIMPL},
        {"GetContainer", [&] { return site->GetContainer(&container); }, E_NOINTERFACE},
        {"GetMoniker", [&] { return site->GetMoniker(0, 0, &moniker); }, E_NOTIMPL},
        {"SaveObject", [&] { return site->SaveObject(); }, S_OK},
        {"RemoveMenus of no menu", [&] { return frame->RemoveMenus(nullptr); }, S_OK},
        {"unknown interface", [&] {
             void* object = reinterpret_cast<void*>(1);
             const HRESULT result = box->QueryInterface(anyService, &object);
             return object ? E_UNEXPECTED : result;
         }, E_NOINTERFACE},
        {"QueryService for a missing interface", [&] {
             void* object = nullptr;
             return services->QueryService(anyService, IID_IPersist, &object);
         }, E_NOINTERFACE},
    };
    for (const TCase& test : cases) EXPECT_EQ(test.Call(), test.Expected) << test.Name;
    EXPECT_EQ(container, nullptr);
    EXPECT_EQ(moniker, nullptr);

    // Any service id reaches the box's bind host, which is also its identity.
    TComPtr<IBindHost> host;
    ASSERT_EQ(services->QueryService(anyService, IID_IBindHost, host.PutVoid()), S_OK);
    TComPtr<IUnknown> identity;
    ASSERT_EQ(box->QueryInterface(IID_IUnknown, identity.PutVoid()), S_OK);
    EXPECT_EQ(static_cast<void*>(host.Get()), static_cast<void*>(identity.Get()));
}

TEST_F(FlashBoxTest, AmbientPropertiesAnswerReadsOnly) {
    TFlashBox* box = MakeBox();
    box->SetColor(clBtnFace);
    TComPtr<IDispatch> ambient;
    ASSERT_EQ(box->QueryInterface(IID_IDispatch, ambient.PutVoid()), S_OK);
    auto read = [&](DISPID id, VARIANT& value, WORD flags = DISPATCH_PROPERTYGET) {
        DISPPARAMS none = {};
        VariantInit(&value);
        return ambient->Invoke(id, IID_NULL, 0, flags, &none, &value, nullptr, nullptr);
    };
    struct TCase {
        DISPID Id;
        VARTYPE Type;
        int32_t Value;
    };
    const TCase cases[] = {
        {DISPID_AMBIENT_BACKCOLOR, VT_I4, clBtnFace},
        {DISPID_AMBIENT_FORECOLOR, VT_I4, clWindowText},
        {DISPID_AMBIENT_LOCALEID, VT_I4, static_cast<int32_t>(GetUserDefaultLCID())},
        {DISPID_AMBIENT_MESSAGEREFLECT, VT_BOOL, VARIANT_TRUE},
        {DISPID_AMBIENT_USERMODE, VT_BOOL, VARIANT_TRUE},
        {DISPID_AMBIENT_UIDEAD, VT_BOOL, VARIANT_FALSE},
        {DISPID_AMBIENT_SHOWGRABHANDLES, VT_BOOL, VARIANT_FALSE},
        {DISPID_AMBIENT_SHOWHATCHING, VT_BOOL, VARIANT_FALSE},
        {DISPID_AMBIENT_SUPPORTSMNEMONICS, VT_BOOL, VARIANT_TRUE},
        {DISPID_AMBIENT_AUTOCLIP, VT_BOOL, VARIANT_TRUE},
    };
    for (const TCase& test : cases) {
        SCOPED_TRACE(test.Id);
        VARIANT value;
        ASSERT_EQ(read(test.Id, value), S_OK);
        EXPECT_EQ(value.vt, test.Type);
        EXPECT_EQ(test.Type == VT_BOOL ? value.boolVal : value.lVal, test.Value);
    }
    for (DISPID missing : {DISPID_AMBIENT_SCALEUNITS, DISPID_AMBIENT_TEXTALIGN, DISPID_AMBIENT_DISPLAYASDEFAULT, -1}) {
        VARIANT value;
        EXPECT_EQ(read(missing, value), DISP_E_MEMBERNOTFOUND) << missing;
    }
    VARIANT value;
    EXPECT_EQ(read(DISPID_AMBIENT_BACKCOLOR, value, DISPATCH_METHOD), DISP_E_MEMBERNOTFOUND);
    DISPPARAMS none = {};
    EXPECT_EQ(ambient->Invoke(DISPID_AMBIENT_BACKCOLOR, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, nullptr, nullptr,
                              nullptr),
              DISP_E_MEMBERNOTFOUND);

    // An unnamed box has an empty name; design state turns USERMODE off and UIDEAD on.
    ASSERT_EQ(read(DISPID_AMBIENT_DISPLAYNAME, value), S_OK);
    ASSERT_EQ(value.vt, VT_BSTR);
    EXPECT_STREQ(value.bstrVal, L"");
    VariantClear(&value);
    box->SetName("flashClock");
    ASSERT_EQ(read(DISPID_AMBIENT_DISPLAYNAME, value), S_OK);
    EXPECT_STREQ(value.bstrVal, L"flashClock");
    VariantClear(&value);
    box->ComponentState |= csDesigning;
    ASSERT_EQ(read(DISPID_AMBIENT_USERMODE, value), S_OK);
    EXPECT_EQ(value.boolVal, VARIANT_FALSE);
    ASSERT_EQ(read(DISPID_AMBIENT_UIDEAD, value), S_OK);
    EXPECT_EQ(value.boolVal, VARIANT_TRUE);
}

TEST_F(FlashBoxTest, AmbientFontIsTheParentsOnlyWithAParent) {
    TFlashBox* box = MakeBox();
    box->OwnFont().SetHeight(-16);
    box->SetParentFont(true);
    TComPtr<IDispatch> ambient;
    ASSERT_EQ(box->QueryInterface(IID_IDispatch, ambient.PutVoid()), S_OK);
    // Sizes tell the fonts apart: face names are resolved to the fonts the system has.
    auto fontPoints = [&] {
        DISPPARAMS none = {};
        VARIANT value;
        VariantInit(&value);
        EXPECT_EQ(ambient->Invoke(DISPID_AMBIENT_FONT, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &value, nullptr,
                                  nullptr),
                  S_OK);
        EXPECT_EQ(value.vt, VT_DISPATCH);
        TComPtr<IFont> font;
        CY size = {};
        if (value.vt == VT_DISPATCH && value.pdispVal &&
            SUCCEEDED(value.pdispVal->QueryInterface(IID_IFont, font.PutVoid()))) {
            font->get_Size(&size);
        }
        VariantClear(&value);
        return size.int64 / 10000;
    };
    EXPECT_EQ(fontPoints(), 12);  // 16 pixels at 96 PPI
    TCustomForm parent(nullptr);
    parent.OwnFont().SetHeight(-24);
    box->SetParent(&parent);
    EXPECT_EQ(fontPoints(), 18);
    box->SetParent(nullptr);
}

TEST_F(FlashBoxTest, OnChangedTakesTheControlsColourOnceAndSwallowsAFailedRead) {
    struct TCase {
        const char* Name;
        BOOL HasBackColor, Reenter;
        TColor Expected;
        int Reads;
    };
    const TCase cases[] = {
        {"plain", TRUE, FALSE, 0x123456, 1},
        // The nested notification finds the guard set and reads nothing more.
        {"re-entered", TRUE, TRUE, 0x123456, 1},
        {"no such property", FALSE, FALSE, clWhite, 1},
    };
    for (const TCase& test : cases) {
        SCOPED_TRACE(test.Name);
        Config.HasBackColor = test.HasBackColor;
        Config.ReenterOnChanged = test.Reenter;
        TFlashBox* box = MakeBox();
        box->SetColor(clWhite);
        EXPECT_EQ(box->OnChanged(DISPID_BACKCOLOR), S_OK);
        EXPECT_EQ(box->Color(), test.Expected);
        int reads = 0;
        for (const std::string& call : Calls()) reads += call == "Invoke -501 2";
        EXPECT_EQ(reads, test.Reads);
        if (test.Reenter) {
            EXPECT_TRUE(Called("nested OnChanged 0"));
        }
        // Other DISPIDs do nothing.
        EXPECT_EQ(box->OnChanged(12345), S_OK);
        EXPECT_EQ(box->OnRequestEdit(DISPID_BACKCOLOR), S_OK);
        DeleteBox();
    }
}

TEST_F(FlashBoxTest, ReleasingTheControlsLastReferenceLeavesTheBoxAlive) {
    Config.MiscStatus = OLEMISC_SETCLIENTSITEFIRST;
    TFlashBox* box = MakeBox();
    EXPECT_GT(box->RefCount(), 0u);
    ASSERT_EQ(box->OleObject()->SetClientSite(nullptr), S_OK);
    EXPECT_EQ(box->RefCount(), 0u);
    // Still a working box: it sizes the control and hands it a site again on a parent.
    box->SetBounds(0, 0, 1024, 768);
    EXPECT_EQ(box->Width(), 1024);
    TCustomForm* form = ShownForm();
    box->SetParent(form);
    EXPECT_TRUE(box->HandleAllocated());
    EXPECT_GT(box->RefCount(), 0u);
}
