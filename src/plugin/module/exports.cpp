// The module's exports. Nothing thrown inside gets out of them.
#include <string>

#include "platform/com/hresult_of.h"
#include "platform/com/module_path.h"
#include "platform/com/registration.h"
#include "platform/registry/registry.h"
#include "plugin/module/class_factory.h"
#include "plugin/module/juvo_exports.h"
#include "plugin/module/juvo_ids.h"
#include "plugin/module/juvo_main_type.h"
#include "plugin/module/module_resources.h"
#include "plugin/module/module_usage.h"

namespace {

// Its address lies in the module, which is how the module finds its own file.
const char kInModule = 0;

juvo::ClassFactory& classFactory() {
  // Never destroyed: a host may still hold the factory while the process ends.
  static auto* factory = new juvo::ClassFactory(juvo::moduleSharedObjects);
  return *factory;
}

platform::ServerRegistration registration() {
  return juvo::juvoRegistration(platform::modulePathOf(&kInModule));
}

}  // namespace

extern "C" {

HRESULT DllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID* ppv) {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  if (rclsid != juvo::CLSID_juvo_main) return CLASS_E_CLASSNOTAVAILABLE;
  return platform::hresultOf([&] { return classFactory().QueryInterface(riid, ppv); });
}

HRESULT DllCanUnloadNow() {
  return juvo::module_usage::idle() ? S_OK : S_FALSE;
}

HRESULT DllRegisterServer() {
  return platform::hresultOf(
      [] { platform::registerServer(platform::Registry::user(), registration()); });
}

HRESULT DllUnregisterServer() {
  return platform::hresultOf(
      [] { platform::unregisterServer(platform::Registry::user(), registration()); });
}

HRESULT JuvoFindResource(const char* type, int id, const void** data, uint32_t* size) {
  if (!type || !data || !size) return E_POINTER;
  *data = nullptr;
  *size = 0;
  return platform::hresultOf([&]() -> HRESULT {
    // A number in place of a type name, as MAKEINTRESOURCE makes it.
    const auto number = reinterpret_cast<uintptr_t>(type);
    const std::string name = number < 0x10000 ? "#" + std::to_string(number) : std::string(type);
    if (!juvo::hasResourceType(name)) return HRESULT_FROM_WIN32(ERROR_RESOURCE_TYPE_NOT_FOUND);
    auto bytes = juvo::findModuleResource(name, id);
    if (!bytes) return HRESULT_FROM_WIN32(ERROR_RESOURCE_NAME_NOT_FOUND);
    *data = bytes->data();
    *size = static_cast<uint32_t>(bytes->size());
    return S_OK;
  });
}

}  // extern "C"
