#include "platform/com/registration.h"

#include <gtest/gtest.h>

#include "platform/com/registry_text.h"
#include "temp_folder.h"

namespace {

class Registration : public ::testing::Test {
 protected:
  Registration() {
    server.clsid = {0x0B7C6E21, 0x1D2E, 0x4F30, {0x81, 0x92, 0xA3, 0xB4, 0xC5, 0xD6, 0xE7, 0xF8}};
    server.className = u"widget";
    server.progId = u"tests.widget";
    server.iid = {0x1C8D7F32, 0x2E3F, 0x4041, {0x92, 0xA3, 0xB4, 0xC5, 0xD6, 0xE7, 0xF8, 0x09}};
    server.interfaceName = u"_widget";
    server.libid = {0x2D9E8043, 0x3F40, 0x4152, {0xA3, 0xB4, 0xC5, 0xD6, 0xE7, 0xF8, 0x09, 0x1A}};
    server.helpString = u"Widgets for tests";
    server.modulePath = folder.path() / "Modules Ä" / "widget.so";
    platform::registerServer(registry, server);
  }

  std::optional<std::u16string> text(const std::string& key, const char* name = "") {
    return platform::readRegistryText(registry, HKEY_CLASSES_ROOT, key, name);
  }
  bool exists(const std::string& key) {
    HKEY handle = nullptr;
    if (registry.RegOpenKeyA(HKEY_CLASSES_ROOT, key.c_str(), &handle) != ERROR_SUCCESS)
      return false;
    registry.RegCloseKey(handle);
    return true;
  }

  juvo::testing::TempFolder folder;
  platform::Registry registry{folder.path() / "registry.reg"};
  platform::ServerRegistration server;
  const std::string clsidKey = "CLSID\\{0B7C6E21-1D2E-4F30-8192-A3B4C5D6E7F8}";
  const std::string libKey = "TypeLib\\{2D9E8043-3F40-4152-A3B4-C5D6E7F8091A}";
  const std::string interfaceKey = "Interface\\{1C8D7F32-2E3F-4041-92A3-B4C5D6E7F809}";
};

TEST_F(Registration, WritesClassIdentifierModuleTypeLibraryAndInterface) {
  const std::u16string modulePath = folder.text() + u"/Modules Ä/widget.so";
  const std::u16string libid = u"{2D9E8043-3F40-4152-A3B4-C5D6E7F8091A}";
  EXPECT_EQ(text(clsidKey), u"widget");
  EXPECT_EQ(text(clsidKey + "\\InprocServer32"), modulePath);
  EXPECT_EQ(text(clsidKey + "\\InprocServer32", "ThreadingModel"), u"Apartment");
  EXPECT_EQ(text(clsidKey + "\\ProgID"), u"tests.widget");
  EXPECT_EQ(text(clsidKey + "\\TypeLib"), libid);
  // HKEY_CLASSES_ROOT is the user's Software\Classes.
  EXPECT_EQ(platform::readRegistryText(registry, HKEY_CURRENT_USER,
                                       "Software\\Classes\\tests.widget\\CLSID", ""),
            u"{0B7C6E21-1D2E-4F30-8192-A3B4C5D6E7F8}");
  EXPECT_EQ(text(libKey + "\\1.0"), u"Widgets for tests");
  EXPECT_EQ(text(libKey + "\\1.0\\0\\win32"), modulePath);
  EXPECT_EQ(text(libKey + "\\1.0\\HELPDIR"), folder.text() + u"/Modules Ä");
  EXPECT_EQ(text(interfaceKey), u"_widget");
  EXPECT_EQ(text(interfaceKey + "\\TypeLib"), libid);
  EXPECT_EQ(text(interfaceKey + "\\ProxyStubClsid32"), u"{00020424-0000-0000-C000-000000000046}");
}

TEST_F(Registration, UnregisterRemovesItsKeysButNotAnIdentifierTakenOver) {
  platform::unregisterServer(registry, server);
  for (const std::string& key : {clsidKey, libKey, interfaceKey, std::string("tests.widget")}) {
    EXPECT_FALSE(exists(key)) << key;
  }
  EXPECT_TRUE(exists("CLSID"));                                   // the parents stay
  EXPECT_NO_THROW(platform::unregisterServer(registry, server));  // nothing left is no failure

  platform::registerServer(registry, server);
  platform::ServerRegistration other = server;
  other.clsid.Data1 = 0x99;
  platform::registerServer(registry, other);
  platform::unregisterServer(registry, server);
  EXPECT_FALSE(exists(clsidKey));
  EXPECT_EQ(text("tests.widget\\CLSID"), u"{00000099-1D2E-4F30-8192-A3B4C5D6E7F8}");
}

}  // namespace
