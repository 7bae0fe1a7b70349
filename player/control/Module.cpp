// The DLL's entry points: the class object of the player control and the unload check.

#include "player/control/Module.h"

#include <atomic>

#include "player/control/ClassFactory.h"
#include "player/control/ControlWindow.h"
#include "saver/flash/ShockwaveFlash.h"

namespace quorlin::control {

namespace {
HINSTANCE gInstance = nullptr;
std::atomic<long> gModuleCount{0};
}  // namespace

HINSTANCE ModuleInstance() { return gInstance; }
void ModuleAddRef() { ++gModuleCount; }
void ModuleRelease() { --gModuleCount; }

}  // namespace quorlin::control

using namespace quorlin::control;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        gInstance = instance;
        DisableThreadLibraryCalls(instance);
    } else if (reason == DLL_PROCESS_DETACH) {
        UnregisterControlWindowClass();
    }
    return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (!IsEqualCLSID(clsid, quorlin::CLSID_ShockwaveFlash)) return CLASS_E_CLASSNOTAVAILABLE;
    auto* factory = new (std::nothrow) TClassFactory();
    if (!factory) return E_OUTOFMEMORY;
    const HRESULT hr = factory->QueryInterface(iid, object);
    factory->Release();
    return hr;
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() { return gModuleCount == 0 ? S_OK : S_FALSE; }
