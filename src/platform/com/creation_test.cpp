#include "platform/com/creation.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include "platform/com/interfaces.h"
#include "platform/com/registration.h"
#include "platform/com/registry_text.h"
#include "platform/com/server_exports.h"
#include "temp_folder.h"

namespace {

using juvo::testing::TempFolder;

// The server built beside these tests (creation_test_server.cpp).
const std::filesystem::path kServer = COM_TEST_SERVER;
constexpr CLSID kAdder = {
    0x3EAF9154, 0x4051, 0x4263, {0xB4, 0xC5, 0xD6, 0xE7, 0xF8, 0x09, 0x1A, 0x2B}};

class Creation : public ::testing::Test {
 protected:
  Creation() : registry(folder.path() / "registry.reg") {}

  // Registers class `clsid` as "tests.adder", served by `module`.
  void registerAdder(const std::filesystem::path& module, const CLSID& clsid = kAdder) {
    platform::ServerRegistration server{};
    server.clsid = clsid;
    server.className = u"adder";
    server.progId = u"tests.adder";
    server.interfaceName = u"_adder";
    server.modulePath = module;
    platform::registerServer(registry, server);
  }

  HRESULT create(const char16_t* progId, IDispatch** object) {
    return platform::CoCreateInstanceByProgId(registry, progId, IID_IDispatch,
                                              reinterpret_cast<void**>(object));
  }

  template <class F>
  F serverFunction(const char* name) {
    void* module = dlopen(kServer.c_str(), RTLD_NOW | RTLD_NOLOAD);
    EXPECT_NE(module, nullptr) << "the server is not loaded";
    return module ? reinterpret_cast<F>(dlsym(module, name)) : nullptr;
  }

  TempFolder folder;
  platform::Registry registry;
};

TEST_F(Creation, CreatesARegisteredClassByItsProgId) {
  registerAdder(kServer);
  IDispatch* adder = nullptr;
  ASSERT_EQ(create(u"tests.adder", &adder), S_OK);
  ASSERT_NE(adder, nullptr);

  auto canUnload = serverFunction<platform::DllServerFunction>("DllCanUnloadNow");
  ASSERT_NE(canUnload, nullptr);
  EXPECT_EQ(canUnload(), S_FALSE);  // our object is alive

  VARIANT args[2];
  VariantInit(&args[0]);
  VariantInit(&args[1]);
  args[0].vt = args[1].vt = VT_I4;
  args[0].lVal = 2;
  args[1].lVal = 40;
  DISPPARAMS params{args, nullptr, 2, 0};
  VARIANT result;
  VariantInit(&result);
  ASSERT_EQ(adder->Invoke(1, IID_NULL, 0, DISPATCH_METHOD, &params, &result, nullptr, nullptr),
            S_OK);
  EXPECT_EQ(result.lVal, 42);
  EXPECT_EQ(adder->Release(), 0u);
  EXPECT_EQ(canUnload(), S_OK);
}

TEST_F(Creation, ClsidComesFromTheProgIdKey) {
  registerAdder(kServer);
  CLSID clsid{};
  EXPECT_EQ(platform::clsidFromProgId(registry, u"TESTS.ADDER", &clsid), S_OK);
  EXPECT_EQ(clsid, kAdder);
  EXPECT_EQ(platform::clsidFromProgId(registry, u"tests.none", &clsid), CO_E_CLASSSTRING);
  EXPECT_EQ(clsid, IID_NULL);
}

TEST_F(Creation, UnknownOrMalformedIdentifiersAreClassStringErrors) {
  IDispatch* object = reinterpret_cast<IDispatch*>(0x1);
  EXPECT_EQ(create(u"tests.adder", &object), CO_E_CLASSSTRING);
  EXPECT_EQ(object, nullptr);
  EXPECT_EQ(create(u"", &object), CO_E_CLASSSTRING);
  EXPECT_EQ(create(nullptr, &object), CO_E_CLASSSTRING);
  platform::writeRegistryText(registry, HKEY_CLASSES_ROOT, "tests.broken\\CLSID", "", u"{not-a}");
  EXPECT_EQ(create(u"tests.broken", &object), CO_E_CLASSSTRING);
  EXPECT_EQ(platform::CoCreateInstanceByProgId(registry, u"tests.adder", IID_IDispatch, nullptr),
            E_POINTER);
}

TEST_F(Creation, AClassWithoutItsServerKeyIsNotRegistered) {
  registerAdder(kServer);
  registry.RegDeleteTreeA(HKEY_CLASSES_ROOT,
                          "CLSID\\{3EAF9154-4051-4263-B4C5-D6E7F8091A2B}\\InprocServer32");
  IDispatch* object = nullptr;
  EXPECT_EQ(create(u"tests.adder", &object), REGDB_E_CLASSNOTREG);
}

TEST_F(Creation, ModulesThatCannotServeSayWhy) {
  IDispatch* object = nullptr;
  registerAdder(folder.path() / "missing.so");
  EXPECT_EQ(create(u"tests.adder", &object), static_cast<HRESULT>(0x8007007E));

  registerAdder(folder.write("text.so", "no library at all"));
  EXPECT_EQ(create(u"tests.adder", &object), HRESULT_FROM_WIN32(ERROR_BAD_EXE_FORMAT));

  registerAdder("libc.so.6");  // loads, but serves no classes
  EXPECT_EQ(create(u"tests.adder", &object), CO_E_ERRORINDLL);

  CLSID other = kAdder;
  other.Data2 = 0;
  registerAdder(kServer, other);  // a class the module does not serve
  EXPECT_EQ(create(u"tests.adder", &object), CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(object, nullptr);
}

TEST_F(Creation, InterfacesTheClassLacksAreRefused) {
  registerAdder(kServer);
  IClassFactory* wrong = nullptr;
  EXPECT_EQ(platform::CoCreateInstanceByProgId(registry, u"tests.adder", IID_IClassFactory,
                                               reinterpret_cast<void**>(&wrong)),
            E_NOINTERFACE);
  EXPECT_EQ(wrong, nullptr);
}

TEST(ModuleRegistration, CallsTheModulesOwnRegistrationExports) {
  EXPECT_EQ(platform::registerModule(kServer), S_OK);
  using Count = int (*)();
  auto count = reinterpret_cast<Count>(
      dlsym(dlopen(kServer.c_str(), RTLD_NOW | RTLD_NOLOAD), "ComTestServerRegistrations"));
  ASSERT_NE(count, nullptr);
  EXPECT_EQ(count(), 1);
  // The server has no DllUnregisterServer.
  EXPECT_EQ(platform::unregisterModule(kServer), HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND));
  EXPECT_EQ(platform::registerModule("/nowhere/module.so"),
            HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND));
}

}  // namespace
