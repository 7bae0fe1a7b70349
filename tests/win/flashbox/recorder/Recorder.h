#pragma once
// The recording control's interface to the tests: what it is told to be, and the calls it
// saw. Plain C across the DLL boundary (the DLL has a runtime of its own).

#include <windows.h>

extern "C" {

struct TRecorderConfig {
    DWORD MiscStatus;
    LONG NaturalCx, NaturalCy;      // HIMETRIC, the extent GetExtent gives before any SetExtent
    BOOL RefuseSetExtent;           // SetExtent answers E_FAIL and keeps the extent
    HRESULT AcceleratorResult;      // what IOleInPlaceActiveObject::TranslateAccelerator answers
    BOOL ActivateDuringDoVerb;      // calls OnInPlaceActivate and makes its window in DoVerb
    BOOL NoPersistStreamInit;       // refuses IPersistStreamInit: construction fails half way
    BOOL HasBackColor;              // offers the BACKCOLOR property (-501) through IDispatch
    LONG BackColor;
    LONG PercentLoaded;
    HRESULT FlashResult;            // the result of the Flash members; a failure leaves error info
    BOOL ReenterOnChanged;          // reading BACKCOLOR calls the host's OnChanged(-501) again
    WORD MnemonicKey;               // a virtual key GetControlInfo offers as its one mnemonic
};

typedef void(__cdecl* TRecorderConfigure)(const TRecorderConfig* config);
// The calls since the last clear, one a line ("SetExtent 27093 20320").
typedef const char*(__cdecl* TRecorderCalls)();
typedef void(__cdecl* TRecorderClear)();
// The control's window, or null.
typedef HWND(__cdecl* TRecorderWindow)();
}

// The defaults: an ordinary windowed control of 550 x 400 pixels at 96 PPI.
inline TRecorderConfig DefaultRecorderConfig() {
    TRecorderConfig config = {};
    config.MiscStatus = 0;
    config.NaturalCx = 14552;
    config.NaturalCy = 10583;
    config.AcceleratorResult = S_FALSE;
    config.ActivateDuringDoVerb = TRUE;
    config.HasBackColor = TRUE;
    config.BackColor = 0x123456;
    config.PercentLoaded = 100;
    config.FlashResult = S_OK;
    return config;
}
