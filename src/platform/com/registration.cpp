#include "platform/com/registration.h"

#include <string>

#include "platform/base/text.h"
#include "platform/com/registry_text.h"

namespace platform {

namespace {

// PSOAInterface: the marshaler of OLE automation, which serves every dual interface.
constexpr char kAutomationMarshaler[] = "{00020424-0000-0000-C000-000000000046}";

std::u16string pathText(const std::filesystem::path& path) {
  return fromUtf8(path.string());
}

std::u16string guidText(const GUID& guid) {
  return fromUtf8(formatGuid(guid));
}

}  // namespace

void registerServer(Registry& registry, const ServerRegistration& server) {
  const HKEY root = HKEY_CLASSES_ROOT;
  const std::string clsidKey = "CLSID\\" + formatGuid(server.clsid);
  const std::string progId = toAnsi(server.progId);
  const std::u16string modulePath = pathText(server.modulePath);
  writeRegistryText(registry, root, clsidKey, "", server.className);
  writeRegistryText(registry, root, clsidKey + "\\InprocServer32", "", modulePath);
  writeRegistryText(registry, root, clsidKey + "\\InprocServer32", "ThreadingModel",
                    server.threadingModel);
  writeRegistryText(registry, root, clsidKey + "\\ProgID", "", server.progId);
  writeRegistryText(registry, root, clsidKey + "\\TypeLib", "", guidText(server.libid));
  writeRegistryText(registry, root, clsidKey + "\\VERSION", "", server.libraryVersion);

  writeRegistryText(registry, root, progId, "", server.progId);
  writeRegistryText(registry, root, progId + "\\CLSID", "", guidText(server.clsid));

  const std::string libKey =
      "TypeLib\\" + formatGuid(server.libid) + "\\" + toAnsi(server.libraryVersion);
  writeRegistryText(registry, root, libKey, "", server.helpString);
  writeRegistryText(registry, root, libKey + "\\0\\win32", "", modulePath);
  writeRegistryText(registry, root, libKey + "\\FLAGS", "", u"0");
  writeRegistryText(registry, root, libKey + "\\HELPDIR", "",
                    pathText(server.modulePath.parent_path()));

  const std::string interfaceKey = "Interface\\" + formatGuid(server.iid);
  writeRegistryText(registry, root, interfaceKey, "", server.interfaceName);
  writeRegistryText(registry, root, interfaceKey + "\\ProxyStubClsid", "",
                    fromUtf8(kAutomationMarshaler));
  writeRegistryText(registry, root, interfaceKey + "\\ProxyStubClsid32", "",
                    fromUtf8(kAutomationMarshaler));
  writeRegistryText(registry, root, interfaceKey + "\\TypeLib", "", guidText(server.libid));
  writeRegistryText(registry, root, interfaceKey + "\\TypeLib", "Version", server.libraryVersion);
}

void unregisterServer(Registry& registry, const ServerRegistration& server) {
  const HKEY root = HKEY_CLASSES_ROOT;
  const std::string progId = toAnsi(server.progId);
  // Another server may have taken the identifier over since: leave it to that one.
  std::optional<std::u16string> named = readRegistryText(registry, root, progId + "\\CLSID", "");
  if (!progId.empty() && (!named || parseGuid(toUtf8(*named)) == server.clsid)) {
    deleteRegistryTree(registry, root, progId);
  }
  deleteRegistryTree(registry, root, "CLSID\\" + formatGuid(server.clsid));
  deleteRegistryTree(registry, root, "TypeLib\\" + formatGuid(server.libid));
  deleteRegistryTree(registry, root, "Interface\\" + formatGuid(server.iid));
}

}  // namespace platform
