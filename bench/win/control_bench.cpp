// CPU time of the player control playing the clock in a 1920 x 1080 window under the
// message loop, for a running clock (the second hand steps) and a frozen one (nothing
// changes after the first frame). Prints milliseconds of CPU per second of playing.
//   control_bench [SECONDS]      default 30 for each case

#include <windows.h>
#include <ocidl.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "saver/flash/ShockwaveFlash.h"
#include "tests/win/control/TestContainer.h"
#include "tests/win/support/FileBytes.h"

using namespace quorlin;
using namespace quorlin::testing;

namespace {

double ProcessCpuMs() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto ms = [](const FILETIME& t) { return (static_cast<double>(t.dwHighDateTime) * 4294967296.0 + t.dwLowDateTime) / 1e4; };
    return ms(kernel) + ms(user);
}

void PumpFor(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

double PlayAndMeasure(IClassFactory* factory, const std::vector<uint8_t>& movie, const wchar_t* vars, DWORD seconds) {
    HWND window = CreateWindowExA(0, "QuorlinBench", "bench", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 1920, 1080,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    TTestSite site(window);
    site.Position = {0, 0, 1920, 1080};
    site.MovieBytes = movie;
    IOleObject* ole = nullptr;
    factory->CreateInstance(nullptr, IID_IOleObject, reinterpret_cast<void**>(&ole));
    IShockwaveFlash* flash = nullptr;
    ole->QueryInterface(IID_IShockwaveFlash, reinterpret_cast<void**>(&flash));
    ole->SetClientSite(&site);
    ole->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0, window, &site.Position);
    BSTR text = SysAllocString(vars);
    flash->put_FlashVars(text);
    SysFreeString(text);
    text = SysAllocString(L"http://main");
    flash->put_Movie(text);
    SysFreeString(text);
    PumpFor(2000);  // settle: first frames drawn in full
    const double before = ProcessCpuMs();
    PumpFor(seconds * 1000);
    const double used = ProcessCpuMs() - before;
    ole->Close(OLECLOSE_NOSAVE);
    ole->SetClientSite(nullptr);
    flash->Release();
    ole->Release();
    DestroyWindow(window);
    return used / seconds;
}

}  // namespace

int main(int argc, char** argv) {
    const DWORD seconds = argc > 1 ? strtoul(argv[1], nullptr, 10) : 30;
    CoInitialize(nullptr);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "QuorlinBench";
    RegisterClassA(&wc);
    const std::vector<uint8_t> movie = ReadFileBytes(QUORLIN_BENCH_MOVIE);
    HMODULE module = LoadLibraryA(QUORLIN_BENCH_PLAYER);
    if (movie.empty() || !module) {
        fprintf(stderr, "control_bench: movie or player missing\n");
        return 1;
    }
    auto getClassObject = reinterpret_cast<HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**)>(
        GetProcAddress(module, "DllGetClassObject"));
    IClassFactory* factory = nullptr;
    getClassObject(CLSID_ShockwaveFlash, IID_IClassFactory, reinterpret_cast<void**>(&factory));
    const double running = PlayAndMeasure(factory, movie, L"glass_visible=true&seconds_visible=true", seconds);
    const double frozen = PlayAndMeasure(factory, movie, L"freeze_time=14:05:30", seconds);
    printf("control at 1920 x 1080, %lu s each, CPU ms per second of playing:\n", seconds);
    printf("  clock running (second hand moving): %.1f ms/s (%.2f%% of one core)\n", running, running / 10);
    printf("  clock frozen:                       %.1f ms/s (%.2f%% of one core)\n", frozen, frozen / 10);
    factory->Release();
    CoUninitialize();
    return 0;
}
