#include "platform/com/creation.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include "platform/com/interfaces.h"
#include "platform/com/registration.h"
#include "platform/com/registry_text.h"
#include "platform/com/server_exports.h"
#include "platform/com/variant_abi.h"
#include "temp_folder.h"

namespace {

// The server built beside these tests (creation_test_server.cpp).
const std::filesystem::path kServer = COM_TEST_SERVER;
constexpr CLSID kAdder = {
    0x3EAF9154, 0x4051, 0x4263, {0xB4, 0xC5, 0xD6, 0xE7, 0xF8, 0x09, 0x1A, 0x2B}};

template <class F>
F serverFunction(const char* name) {
  void* module = dlopen(kServer.c_str(), RTLD_NOW | RTLD_NOLOAD);
  return module ? reinterpret_cast<F>(dlsym(module, name)) : nullptr;
}

class Creation : public ::testing::Test {
 protected:
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

  HRESULT create(const char16_t* progId, REFIID iid = IID_IDispatch) {
    object = reinterpret_cast<void*>(1);
    return platform::CoCreateInstanceByProgId(registry, progId, iid, &object);
  }

  juvo::testing::TempFolder folder;
  platform::Registry registry{folder.path() / "registry.reg"};
  void* object = nullptr;
};

TEST_F(Creation, CreatesARegisteredClassByItsProgIdAndCountsItsLife) {
  registerAdder(kServer);
  ASSERT_EQ(create(u"TESTS.ADDER"), S_OK);
  auto* adder = static_cast<IDispatch*>(object);
  auto canUnload = serverFunction<platform::DllServerFunction>("DllCanUnloadNow");
  ASSERT_NE(canUnload, nullptr);
  EXPECT_EQ(canUnload(), S_FALSE);

  VARIANT args[] = {platform::longArgument(2), platform::longArgument(40)};
  DISPPARAMS params{args, nullptr, 2, 0};
  VARIANT result;
  VariantInit(&result);
  ASSERT_EQ(adder->Invoke(1, IID_NULL, 0, DISPATCH_METHOD, &params, &result, nullptr, nullptr),
            S_OK);
  EXPECT_EQ(result.lVal, 42);
  EXPECT_EQ(adder->Release(), 0u);
  EXPECT_EQ(canUnload(), S_OK);
}

TEST_F(Creation, UnknownOrMalformedIdentifiersAreClassStringErrors) {
  CLSID clsid{};
  EXPECT_EQ(platform::clsidFromProgId(registry, u"tests.none", &clsid), CO_E_CLASSSTRING);
  EXPECT_EQ(clsid, IID_NULL);
  EXPECT_EQ(create(u"tests.adder"), CO_E_CLASSSTRING);
  EXPECT_EQ(object, nullptr);
  EXPECT_EQ(create(u""), CO_E_CLASSSTRING);
  EXPECT_EQ(create(nullptr), CO_E_CLASSSTRING);
  platform::writeRegistryText(registry, HKEY_CLASSES_ROOT, "tests.broken\\CLSID", "", u"{not-a}");
  EXPECT_EQ(create(u"tests.broken"), CO_E_CLASSSTRING);
  EXPECT_EQ(platform::CoCreateInstanceByProgId(registry, u"tests.adder", IID_IDispatch, nullptr),
            E_POINTER);
}

TEST_F(Creation, ModulesThatCannotServeSayWhy) {
  registerAdder(folder.path() / "missing.so");
  EXPECT_EQ(create(u"tests.adder"), HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND));
  registerAdder(folder.write("text.so", "no library at all"));
  EXPECT_EQ(create(u"tests.adder"), HRESULT_FROM_WIN32(ERROR_BAD_EXE_FORMAT));
  registerAdder("libc.so.6");  // loads, but serves no classes
  EXPECT_EQ(create(u"tests.adder"), CO_E_ERRORINDLL);

  registerAdder(kServer);
  EXPECT_EQ(create(u"tests.adder", IID_IClassFactory), E_NOINTERFACE);
  EXPECT_EQ(object, nullptr);
  CLSID other = kAdder;
  other.Data2 = 0;
  registerAdder(kServer, other);  // a class the module does not serve
  EXPECT_EQ(create(u"tests.adder"), CLASS_E_CLASSNOTAVAILABLE);
  registry.RegDeleteTreeA(HKEY_CLASSES_ROOT,
                          ("CLSID\\" + platform::formatGuid(other) + "\\InprocServer32").c_str());
  EXPECT_EQ(create(u"tests.adder"), REGDB_E_CLASSNOTREG);
}

TEST(ModuleRegistration, CallsTheModulesOwnRegistrationExports) {
  EXPECT_EQ(platform::registerModule(kServer), S_OK);
  auto count = serverFunction<int (*)()>("ComTestServerRegistrations");
  ASSERT_NE(count, nullptr);
  EXPECT_EQ(count(), 1);
  // The server has no DllUnregisterServer.
  EXPECT_EQ(platform::unregisterModule(kServer), HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND));
  EXPECT_EQ(platform::registerModule("/nowhere/module.so"),
            HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND));
}

}  // namespace
