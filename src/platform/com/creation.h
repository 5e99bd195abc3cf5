// Creating objects of in-process servers through the registry, as CoCreateInstance does:
// programmatic identifier -> CLSID -> InprocServer32 module -> DllGetClassObject ->
// IClassFactory::CreateInstance. Modules stay loaded for the life of the process.
#pragma once

#include <filesystem>

#include "platform/com/com_base.h"
#include "platform/com/guid.h"
#include "platform/registry/registry.h"

namespace platform {

// The CLSID registered for `progId` (HKCR\<progId>\CLSID). CO_E_CLASSSTRING when the
// identifier is empty, unknown, or names no valid CLSID.
HRESULT clsidFromProgId(Registry& registry, const char16_t* progId, CLSID* clsid);

// An object of class `clsid` as interface `riid`. REGDB_E_CLASSNOTREG when the class has no
// InprocServer32 module; HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND) when the module (or one it
// needs) is missing, HRESULT_FROM_WIN32(ERROR_BAD_EXE_FORMAT) when it is no loadable library,
// CO_E_ERRORINDLL when it exports no DllGetClassObject; otherwise what the module answers
// (CLASS_E_CLASSNOTAVAILABLE, E_NOINTERFACE...).
HRESULT createInstance(Registry& registry, REFCLSID clsid, REFIID riid, void** object);

// clsidFromProgId, then createInstance.
HRESULT CoCreateInstanceByProgId(Registry& registry, const char16_t* progId, REFIID riid,
                                 void** object);

// Loads the module at `path` and calls its DllRegisterServer / DllUnregisterServer. The
// module failures are those of createInstance; a module without the export gives
// HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND).
HRESULT registerModule(const std::filesystem::path& path);
HRESULT unregisterModule(const std::filesystem::path& path);

}  // namespace platform
