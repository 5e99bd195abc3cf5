#include "plugin/module/module_resources.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>

#include "platform/base/text.h"
#include "platform/com/type_library.h"
#include "plugin/module/juvo_ids.h"
#include "plugin/module/juvo_main_type.h"
#include "shared/maker.h"

namespace juvo {

namespace {

enum class Resource { kTypeLibrary, kInterfaceId, kVersion };

std::optional<Resource> resourceOfType(std::string_view type) {
  std::string name(type);
  for (char& c : name)
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (name == "TYPELIB") return Resource::kTypeLibrary;
  if (name == "_IID_JUVO_MAIN") return Resource::kInterfaceId;
  if (name == "VERSION" || name == "#16") return Resource::kVersion;
  return std::nullopt;
}

// A 32-bit little-endian length, 16, then the IID as it lies in memory.
std::array<uint8_t, 20> interfaceIdRecord() {
  std::array<uint8_t, 20> record{16, 0, 0, 0};
  const std::array<uint8_t, 16> iid = platform::guidBytes(IID__juvo_main);
  std::copy(iid.begin(), iid.end(), record.begin() + 4);
  return record;
}

// The version record in the resource script's own notation: English (United States),
// Unicode (code page 1200).
std::string versionRecord() {
  const std::string company = platform::toUtf8(maker::kName);
  std::string text;
  text += "1 VERSIONINFO\n";
  text += "FILEVERSION 0,1,0,0\n";
  text += "PRODUCTVERSION 0,1,0,0\n";
  text += "BEGIN\n";
  text += "  BLOCK \"StringFileInfo\"\n";
  text += "  BEGIN\n";
  text += "    BLOCK \"040904B0\"\n";
  text += "    BEGIN\n";
  text += "      VALUE \"CompanyName\", \"" + company + "\"\n";
  text += "      VALUE \"FileVersion\", \"0.01\"\n";
  text += "      VALUE \"InternalName\", \"juvo\"\n";
  text += "      VALUE \"OLESelfRegister\", \"\"\n";
  text += "      VALUE \"OriginalFilename\", \"juvo.dll\"\n";
  text += "      VALUE \"ProductName\", \"Juvo\"\n";
  text += "      VALUE \"ProductVersion\", \"0.01\"\n";
  text += "    END\n";
  text += "  END\n";
  text += "  BLOCK \"VarFileInfo\"\n";
  text += "  BEGIN\n";
  text += "    VALUE \"Translation\", 0x0409, 1200\n";
  text += "  END\n";
  text += "END\n";
  return text;
}

std::span<const uint8_t> bytesOf(const std::string& text) {
  return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

}  // namespace

std::optional<std::span<const uint8_t>> findModuleResource(std::string_view type, int id) {
  std::optional<Resource> resource = resourceOfType(type);
  if (!resource || id != 1) return std::nullopt;
  // Made once and kept: callers hold on to the bytes.
  static const std::string typeLibrary = platform::typeLibraryIdl(juvoTypeLibrary());
  static const std::array<uint8_t, 20> interfaceId = interfaceIdRecord();
  static const std::string version = versionRecord();
  switch (*resource) {
    case Resource::kTypeLibrary:
      return bytesOf(typeLibrary);
    case Resource::kInterfaceId:
      return std::span<const uint8_t>(interfaceId);
    case Resource::kVersion:
      return bytesOf(version);
  }
  return std::nullopt;
}

bool hasResourceType(std::string_view type) {
  return resourceOfType(type).has_value();
}

}  // namespace juvo
