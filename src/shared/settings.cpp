#include "shared/settings.h"

#include "platform/automation/variant_convert.h"
#include "platform/base/error.h"
#include "platform/base/text.h"

namespace juvo {

namespace {

using platform::Registry;
using platform::Variant;
using platform::VarType;

// A handle that is closed on every way out, whether or not the open gave one.
class KeyHandle {
 public:
  explicit KeyHandle(Registry& registry) : registry_(registry) {}
  ~KeyHandle() { registry_.RegCloseKey(key_); }
  KeyHandle(const KeyHandle&) = delete;
  KeyHandle& operator=(const KeyHandle&) = delete;

  HKEY* out() { return &key_; }
  HKEY get() const { return key_; }

 private:
  Registry& registry_;
  HKEY key_ = nullptr;
};

struct StoredForm {
  DWORD type = REG_SZ;
  std::string bytes;
};

bool isNumeric(const Variant& value) {
  switch (value.type()) {
    case VarType::kInteger:
    case VarType::kLong:
    case VarType::kSingle:
    case VarType::kDouble:
    case VarType::kCurrency:
    case VarType::kByte:
      return true;
    case VarType::kString:
      return platform::parseNumber(value.string()).has_value();
    default:
      return false;
  }
}

// The registry type is decided before anything is opened.
StoredForm storedFormOf(const Variant& value) {
  if (isNumeric(value)) {
    try {
      auto number = static_cast<uint32_t>(platform::toInt32(value));
      std::string bytes;
      for (int i = 0; i < 4; ++i)
        bytes.push_back(static_cast<char>(number >> (8 * i)));
      return StoredForm{REG_DWORD, std::move(bytes)};
    } catch (const platform::Error&) {
      // Beyond 32 bits: kept as text, which loses nothing.
    }
  }
  std::string bytes = platform::toAnsi(platform::trimSpaces(platform::toText(value)));
  bytes.push_back('\0');
  return StoredForm{REG_SZ, std::move(bytes)};
}

SettingValue readValue(Registry& registry, HKEY key, const char* name) {
  DWORD type = 0;  // stays 0 for a missing value, which then reads as empty
  DWORD size = 0;
  registry.RegQueryValueExA(key, name, nullptr, &type, nullptr, &size);
  if (type == REG_SZ) {
    std::string buffer(size, '\0');
    if (registry.RegQueryValueExA(key, name, nullptr, nullptr,
                                  reinterpret_cast<BYTE*>(buffer.data()), &size) != ERROR_SUCCESS) {
      return std::u16string();
    }
    if (size_t zero = buffer.find('\0'); zero != std::string::npos) buffer.resize(zero);
    return platform::fromAnsi(buffer);
  }
  if (type == REG_DWORD) {
    BYTE bytes[4] = {};
    DWORD four = sizeof bytes;
    if (registry.RegQueryValueExA(key, name, nullptr, nullptr, bytes, &four) != ERROR_SUCCESS) {
      return std::u16string();
    }
    uint32_t number = 0;
    for (int i = 3; i >= 0; --i)
      number = number << 8 | bytes[i];
    return static_cast<int32_t>(number);
  }
  return std::u16string();
}

}  // namespace

bool regKeyExists(Registry& registry, HKEY root, std::u16string_view keyPath) noexcept {
  try {
    std::string path = platform::toAnsi(keyPath);
    KeyHandle key(registry);
    registry.RegOpenKeyA(root, path.c_str(), key.out());
    return key.get() != nullptr;
  } catch (...) {
    return false;
  }
}

SettingValue regGetValue(Registry& registry, HKEY root, std::u16string_view keyPath,
                         std::u16string_view valueName) noexcept {
  try {
    std::string path = platform::toAnsi(keyPath);
    std::string name = platform::toAnsi(valueName);
    KeyHandle key(registry);
    registry.RegOpenKeyA(root, path.c_str(), key.out());
    if (!key.get()) return std::u16string();
    return readValue(registry, key.get(), name.c_str());
  } catch (...) {
    return std::u16string();
  }
}

void regSetValue(Registry& registry, HKEY root, std::u16string_view keyPath,
                 std::u16string_view valueName, const Variant& value) noexcept {
  try {
    StoredForm stored = storedFormOf(value);
    std::string path = platform::toAnsi(keyPath);
    std::string name = platform::toAnsi(valueName);
    KeyHandle key(registry);
    if (registry.RegCreateKeyA(root, path.c_str(), key.out()) != ERROR_SUCCESS) return;
    registry.RegSetValueExA(key.get(), name.c_str(), 0, stored.type,
                            reinterpret_cast<const BYTE*>(stored.bytes.data()),
                            static_cast<DWORD>(stored.bytes.size()));
  } catch (...) {
    // A failed write leaves nothing stored; the caller is not told.
  }
}

std::u16string settingText(const SettingValue& value) {
  if (const int32_t* number = std::get_if<int32_t>(&value)) return platform::decimal(*number);
  return std::get<std::u16string>(value);
}

}  // namespace juvo
