#pragma once
// The DLL's own state: its instance handle and the count of what keeps it loaded.

#include <windows.h>

namespace quorlin::control {

HINSTANCE ModuleInstance();
// Every live COM object and every IClassFactory::LockServer(TRUE) holds the module.
void ModuleAddRef();
void ModuleRelease();

}  // namespace quorlin::control
