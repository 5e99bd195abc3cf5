#include "platform/com/creation.h"

#include <dlfcn.h>

#include <optional>
#include <string>

#include "platform/base/text.h"
#include "platform/com/hresult_of.h"
#include "platform/com/interfaces.h"
#include "platform/com/registry_text.h"
#include "platform/com/server_exports.h"

namespace platform {

namespace {

// Loads `path` for good: a server module is never unloaded while the process runs, so
// objects and factories it handed out stay valid.
HRESULT loadModule(const std::filesystem::path& path, void** handle) {
  *handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (*handle) return S_OK;
  const char* reason = dlerror();
  std::error_code ec;
  // A missing module, or a missing library the module needs, is "module not found";
  // anything else that stops the load is a bad image.
  if (!std::filesystem::exists(path, ec) ||
      (reason &&
       std::string_view(reason).find("cannot open shared object file") != std::string_view::npos)) {
    return HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND);
  }
  return HRESULT_FROM_WIN32(ERROR_BAD_EXE_FORMAT);
}

HRESULT callServerFunction(const std::filesystem::path& path, const char* name) {
  return hresultOf([&]() -> HRESULT {
    void* module = nullptr;
    HRESULT hr = loadModule(path, &module);
    if (FAILED(hr)) return hr;
    auto function = reinterpret_cast<DllServerFunction>(dlsym(module, name));
    if (!function) return HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND);
    return function();
  });
}

}  // namespace

HRESULT clsidFromProgId(Registry& registry, const char16_t* progId, CLSID* clsid) {
  if (!clsid) return E_POINTER;
  *clsid = IID_NULL;
  if (!progId || !*progId) return CO_E_CLASSSTRING;
  return hresultOf([&]() -> HRESULT {
    std::optional<std::u16string> text =
        readRegistryText(registry, HKEY_CLASSES_ROOT, toAnsi(progId) + "\\CLSID", "");
    std::optional<GUID> guid = text ? parseGuid(toUtf8(*text)) : std::nullopt;
    if (!guid) return CO_E_CLASSSTRING;
    *clsid = *guid;
    return S_OK;
  });
}

HRESULT createInstance(Registry& registry, REFCLSID clsid, REFIID riid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  return hresultOf([&]() -> HRESULT {
    std::optional<std::u16string> path = readRegistryText(
        registry, HKEY_CLASSES_ROOT, "CLSID\\" + formatGuid(clsid) + "\\InprocServer32", "");
    if (!path || path->empty()) return REGDB_E_CLASSNOTREG;
    void* module = nullptr;
    HRESULT hr = loadModule(std::filesystem::path(toUtf8(*path)), &module);
    if (FAILED(hr)) return hr;
    auto getClassObject =
        reinterpret_cast<DllGetClassObjectFunction>(dlsym(module, "DllGetClassObject"));
    if (!getClassObject) return CO_E_ERRORINDLL;
    ComPtr<IClassFactory> factory;
    hr = getClassObject(clsid, IID_IClassFactory, factory.putVoid());
    if (FAILED(hr)) return hr;
    if (!factory) return E_UNEXPECTED;
    return factory->CreateInstance(nullptr, riid, object);
  });
}

HRESULT CoCreateInstanceByProgId(Registry& registry, const char16_t* progId, REFIID riid,
                                 void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  CLSID clsid;
  HRESULT hr = clsidFromProgId(registry, progId, &clsid);
  if (FAILED(hr)) return hr;
  return createInstance(registry, clsid, riid, object);
}

HRESULT registerModule(const std::filesystem::path& path) {
  return callServerFunction(path, "DllRegisterServer");
}

HRESULT unregisterModule(const std::filesystem::path& path) {
  return callServerFunction(path, "DllUnregisterServer");
}

}  // namespace platform
