#include "platform/com/type_library.h"

#include <cctype>
#include <cstdio>

#include "platform/base/text.h"

namespace platform {

namespace {

std::string hex(uint32_t value, int digits) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%0*X", digits, value);
  return text;
}

// The GUID as IDL writes it: no braces, lower case.
std::string uuid(const GUID& guid) {
  std::string text = formatGuid(guid).substr(1, 36);
  for (char& c : text)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::string idlType(ParamType type) {
  switch (type) {
    case ParamType::kLong:
      return "long";
    case ParamType::kString:
      return "BSTR";
    case ParamType::kBoolean:
      return "VARIANT_BOOL";
    case ParamType::kObject:
      return "IDispatch*";
    case ParamType::kVariant:
      return "VARIANT";
  }
  return "VARIANT";
}

std::string member(const MemberDescription& m) {
  std::string text = "        [id(" + hex(static_cast<uint32_t>(m.id), 8) + ")]\n";
  text += "        HRESULT " + toUtf8(m.name) + "(";
  const std::string indent = "\n                        ";
  for (const ParamDescription& p : m.params) {
    bool inOut = p.direction == ParamDirection::kInOut;
    text += indent + (inOut ? "[in, out] " : "[in] ") + idlType(p.type) + (inOut ? "* " : " ") +
            toUtf8(p.name) + ",";
  }
  text += indent + "[out, retval] " + idlType(m.result) + "* pRetVal);\n";
  return text;
}

}  // namespace

std::string typeLibraryIdl(const TypeLibraryDescription& library) {
  const InterfaceDescription& iface = *library.interface;
  const std::string version =
      std::to_string(library.majorVersion) + "." + std::to_string(library.minorVersion);
  const std::string ifaceName = toUtf8(iface.name);
  std::string text;
  text += "[\n";
  text += "  uuid(" + uuid(library.libid) + "),\n";
  text += "  version(" + version + "),\n";
  text += "  lcid(" + hex(library.lcid, 4) + "),\n";
  text += "  helpstring(\"" + toUtf8(library.helpString) + "\")\n";
  text += "]\n";
  text += "library " + toUtf8(library.name) + "\n{\n";
  text += "    importlib(\"stdole2.tlb\");\n\n";
  text += "    interface " + ifaceName + ";\n\n";
  text += "    [\n";
  text += "      odl,\n";
  text += "      uuid(" + uuid(iface.iid) + "),\n";
  text += "      version(" + version + "),\n";
  text += "      hidden,\n";
  text += "      dual,\n";
  text += "      nonextensible,\n";
  text += "      oleautomation\n";
  text += "    ]\n";
  text += "    interface " + ifaceName + " : IDispatch {\n";
  for (const MemberDescription& m : iface.members)
    text += member(m);
  text += "    };\n\n";
  text += "    [\n";
  text += "      uuid(" + uuid(library.clsid) + "),\n";
  text += "      version(" + version + ")\n";
  text += "    ]\n";
  text += "    coclass " + toUtf8(library.className) + " {\n";
  text += "        [default] interface " + ifaceName + ";\n";
  text += "    };\n";
  text += "};\n";
  return text;
}

}  // namespace platform
