#pragma once
// Loading the player control from the module's own FLASH resource: written to the
// temporary folder as tsly-swf.ocx, loaded as a library, nothing registered.

#include <windows.h>

namespace quorlin {

using TDllGetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID clsid, REFIID iid, void** object);

// The loaded library's DllGetClassObject; each load sets it anew.
extern TDllGetClassObject FlashGetClassObject;

// Writes the resource out, loads it and returns the library handle. Raises the stream
// errors for a missing resource or an unwritable file, and "Flash OCX load failed,
// GetLastError=%d" or "DllGetClassObject not found in Flash OCX".
HMODULE LoadFlashModule();

}  // namespace quorlin
