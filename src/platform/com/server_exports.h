// The four exports of an in-process server, with C linkage, as a module defines them and a
// client finds them with dlsym.
#pragma once

#include "platform/com/com_base.h"
#include "platform/com/guid.h"

extern "C" {
// The class factory of `rclsid`, as interface `riid`; CLASS_E_CLASSNOTAVAILABLE for a class
// the module does not serve.
HRESULT DllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID* ppv);
// S_OK when no object of the module is alive and no lock is held, else S_FALSE.
HRESULT DllCanUnloadNow();
HRESULT DllRegisterServer();
HRESULT DllUnregisterServer();
}

namespace platform {

using DllGetClassObjectFunction = HRESULT (*)(REFCLSID, REFIID, LPVOID*);
using DllServerFunction = HRESULT (*)();

}  // namespace platform
