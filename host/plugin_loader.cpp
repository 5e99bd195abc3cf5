#include "plugin_loader.h"

#include <dlfcn.h>

#include <vector>

#include "platform/base/error.h"
#include "platform/base/text.h"
#include "platform/com/creation.h"

namespace host {

namespace fs = std::filesystem;

namespace {

// The default value of HKEY_CLASSES_ROOT\<path>, as text; empty when missing.
std::string classesDefaultValue(platform::Registry& registry, const std::string& path) {
  HKEY key = nullptr;
  if (registry.RegOpenKeyA(HKEY_CLASSES_ROOT, path.c_str(), &key) != ERROR_SUCCESS) return {};
  DWORD type = 0;
  DWORD size = 0;
  std::string value;
  if (registry.RegQueryValueExA(key, nullptr, nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
      type == REG_SZ && size > 0) {
    std::vector<BYTE> bytes(size);
    if (registry.RegQueryValueExA(key, nullptr, nullptr, &type, bytes.data(), &size) ==
        ERROR_SUCCESS) {
      value.assign(bytes.begin(), bytes.begin() + size);
      value.resize(value.find('\0') == std::string::npos ? value.size() : value.find('\0'));
    }
  }
  registry.RegCloseKey(key);
  return value;
}

std::string ansiPath(const fs::path& path) {
  return platform::toAnsi(platform::fromUtf8(path.string()));
}

void registerModule(const fs::path& module) {
  void* handle = dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    throw platform::Error(static_cast<int32_t>(platform::ErrorCode::kModuleNotFound),
                          u"Cannot load the plug-in: " + platform::fromUtf8(dlerror()));
  }
  using RegisterServer = HRESULT (*)();
  auto registerServer = reinterpret_cast<RegisterServer>(dlsym(handle, "DllRegisterServer"));
  if (!registerServer) {
    throw platform::Error(
        static_cast<int32_t>(platform::ErrorCode::kModuleNotFound),
        u"The plug-in has no DllRegisterServer: " + platform::fromUtf8(module.string()));
  }
  HRESULT hr = registerServer();
  if (FAILED(hr)) {
    throw platform::Error(hr, u"The plug-in could not register itself");
  }
  // The module stays loaded: creating its object below finds it already in the process.
}

}  // namespace

bool isRegisteredFor(platform::Registry& registry, const fs::path& module) {
  std::string progId = platform::toAnsi(kProgId);
  std::string clsid = classesDefaultValue(registry, progId + "\\CLSID");
  if (clsid.empty()) return false;
  std::string server = classesDefaultValue(registry, "CLSID\\" + clsid + "\\InprocServer32");
  return !server.empty() && server == ansiPath(module);
}

platform::ComPtr<IDispatch> loadPlugin(platform::Registry& registry, const fs::path& module) {
  std::error_code ec;
  fs::path absolute = fs::weakly_canonical(fs::absolute(module), ec);
  if (ec || !fs::is_regular_file(absolute)) {
    throw platform::Error(static_cast<int32_t>(platform::ErrorCode::kFileNotFoundHr),
                          u"No plug-in at " + platform::fromUtf8(module.string()));
  }
  if (!isRegisteredFor(registry, absolute)) registerModule(absolute);
  platform::ComPtr<IDispatch> plugin;
  HRESULT hr =
      platform::CoCreateInstanceByProgId(registry, kProgId, IID_IDispatch, plugin.putVoid());
  if (FAILED(hr)) throw platform::Error(hr, u"Cannot create juvo.juvo_main");
  return plugin;
}

}  // namespace host
