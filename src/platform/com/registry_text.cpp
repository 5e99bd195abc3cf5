#include "platform/com/registry_text.h"

#include <vector>

#include "platform/base/error.h"
#include "platform/base/text.h"
#include "platform/com/com_base.h"

namespace platform {

namespace {

// Closes the key it holds when it goes away.
class OpenKey {
 public:
  explicit OpenKey(Registry& registry) : registry_(registry) {}
  ~OpenKey() {
    if (key_) registry_.RegCloseKey(key_);
  }
  OpenKey(const OpenKey&) = delete;
  OpenKey& operator=(const OpenKey&) = delete;
  HKEY* out() { return &key_; }
  HKEY get() const { return key_; }

 private:
  Registry& registry_;
  HKEY key_ = nullptr;
};

[[noreturn]] void raiseRegistryError(LONG code, const std::string& subKey) {
  throw Error(HRESULT_FROM_WIN32(code), u"Cannot change the registry key " + fromAnsi(subKey));
}

}  // namespace

std::optional<std::u16string> readRegistryText(Registry& registry, HKEY root,
                                               const std::string& subKey, const char* name) {
  OpenKey key(registry);
  if (registry.RegOpenKeyA(root, subKey.c_str(), key.out()) != ERROR_SUCCESS) return std::nullopt;
  DWORD type = REG_NONE;
  DWORD size = 0;
  if (registry.RegQueryValueExA(key.get(), name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ)) {
    return std::nullopt;
  }
  std::vector<BYTE> bytes(size);
  if (size > 0 && registry.RegQueryValueExA(key.get(), name, nullptr, &type, bytes.data(), &size) !=
                      ERROR_SUCCESS) {
    return std::nullopt;
  }
  bytes.resize(size);
  std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  // The stored text ends at its terminating zero.
  text = text.substr(0, text.find('\0'));
  return fromAnsi(text);
}

void writeRegistryText(Registry& registry, HKEY root, const std::string& subKey, const char* name,
                       std::u16string_view text) {
  OpenKey key(registry);
  LONG code = registry.RegCreateKeyA(root, subKey.c_str(), key.out());
  if (code != ERROR_SUCCESS) raiseRegistryError(code, subKey);
  std::string bytes = toAnsi(text);
  code = registry.RegSetValueExA(key.get(), name, 0, REG_SZ,
                                 reinterpret_cast<const BYTE*>(bytes.c_str()),
                                 static_cast<DWORD>(bytes.size() + 1));
  if (code != ERROR_SUCCESS) raiseRegistryError(code, subKey);
}

void deleteRegistryTree(Registry& registry, HKEY root, const std::string& subKey) {
  LONG code = registry.RegDeleteTreeA(root, subKey.c_str());
  if (code != ERROR_SUCCESS && code != ERROR_FILE_NOT_FOUND) raiseRegistryError(code, subKey);
}

}  // namespace platform
