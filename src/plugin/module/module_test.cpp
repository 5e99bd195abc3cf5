// The built module juvo.so as the host meets it: loaded with dlopen from a folder of its own,
// registered into the user's registry (a hive of these tests), created by its ProgID and
// called through IDispatch.
#include <dlfcn.h>
#include <elf.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <span>

#include "platform/base/text.h"
#include "platform/com/creation.h"
#include "platform/com/interfaces.h"
#include "platform/com/registry_text.h"
#include "platform/registry/registry.h"
#include "plugin/module/juvo_exports.h"
#include "plugin/module/juvo_ids.h"
#include "temp_folder.h"

namespace {

using juvo::testing::TempFolder;
using platform::Bstr;
using platform::referenceArgument;

const std::filesystem::path kBuiltModule = JUVO_MODULE_FILE;

// The module reaches the user's registry, under $XDG_CONFIG_HOME: it must point at a folder
// of ours before anything in the process opens that registry.
TempFolder& configHome() {
  static TempFolder folder;
  return folder;
}
const bool kConfigHomeSet = [] {
  return ::setenv("XDG_CONFIG_HOME", configHome().path().c_str(), 1) == 0;
}();

// A copy of the module in a folder of its own, loaded once for all tests; its JUVO folder
// appears beside it.
struct Module {
  Module() {
    std::filesystem::create_directories(folder.path() / "plugins");
    std::filesystem::copy_file(kBuiltModule, path);
    handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  }
  TempFolder folder;
  std::filesystem::path path = folder.path() / "plugins" / "juvo.so";
  void* handle = nullptr;
};

const Module& module() {
  static Module loaded;
  return loaded;
}

// The names of the functions and data a 64-bit ELF shared library defines and exports.
std::set<std::string> exportedSymbols(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  auto read = [&](auto& value, size_t offset) {
    if (offset + sizeof value > bytes.size()) throw std::runtime_error("truncated ELF file");
    std::memcpy(&value, bytes.data() + offset, sizeof value);
  };
  Elf64_Ehdr header;
  read(header, 0);
  std::set<std::string> names;
  for (size_t i = 0; i < header.e_shnum; ++i) {
    Elf64_Shdr section, strings;
    read(section, header.e_shoff + i * sizeof section);
    if (section.sh_type != SHT_DYNSYM) continue;
    read(strings, header.e_shoff + section.sh_link * sizeof strings);
    for (size_t s = 0; s < section.sh_size / sizeof(Elf64_Sym); ++s) {
      Elf64_Sym symbol;
      read(symbol, section.sh_offset + s * sizeof symbol);
      const int binding = ELF64_ST_BIND(symbol.st_info);
      if (symbol.st_shndx != SHN_UNDEF && symbol.st_name != 0 &&
          (binding == STB_GLOBAL || binding == STB_WEAK)) {
        names.insert(bytes.c_str() + strings.sh_offset + symbol.st_name);
      }
    }
  }
  return names;
}

class JuvoModule : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(kConfigHomeSet);
    ASSERT_NE(module().handle, nullptr) << dlerror();
  }

  template <class F>
  F function(const char* name) {
    auto f = reinterpret_cast<F>(dlsym(module().handle, name));
    EXPECT_NE(f, nullptr) << name;
    return f;
  }
  HRESULT canUnloadNow() { return function<platform::DllServerFunction>("DllCanUnloadNow")(); }

  // Registers the module and creates juvo.juvo_main by its ProgID.
  platform::ComPtr<IDispatch> create() {
    EXPECT_EQ(function<platform::DllServerFunction>("DllRegisterServer")(), S_OK);
    platform::ComPtr<IDispatch> object;
    EXPECT_EQ(platform::CoCreateInstanceByProgId(registry, juvo::kProgId, IID_IDispatch,
                                                 object.putVoid()),
              S_OK);
    return object;
  }

  HRESULT invoke(IDispatch* object, DISPID id, std::span<VARIANT> args, VARIANT* result) {
    DISPPARAMS params{args.data(), nullptr, static_cast<UINT>(args.size()), 0};
    return object->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, result, nullptr, nullptr);
  }

  std::string resource(const char* type, int id = 1) {
    const void* data = nullptr;
    uint32_t size = 0;
    EXPECT_EQ(function<juvo::JuvoFindResourceFunction>("JuvoFindResource")(type, id, &data, &size),
              S_OK)
        << type;
    return {static_cast<const char*>(data), size};
  }

  std::optional<std::u16string> classesText(const std::string& key, const char* name = "") {
    return platform::readRegistryText(registry, HKEY_CLASSES_ROOT, key, name);
  }

  platform::Registry& registry = platform::Registry::user();
};

TEST(JuvoModuleFile, ExportsTheServerFunctionsAndNothingElse) {
  EXPECT_EQ(exportedSymbols(kBuiltModule),
            (std::set<std::string>{"DllCanUnloadNow", "DllGetClassObject", "DllRegisterServer",
                                   "DllUnregisterServer", "JuvoFindResource"}));
}

TEST_F(JuvoModule, RegistersItselfAndUnregistersCleanly) {
  const std::string clsidKey = "CLSID\\" + platform::formatGuid(juvo::CLSID_juvo_main);
  const std::string libKey = "TypeLib\\" + platform::formatGuid(juvo::LIBID_juvo) + "\\1.0";
  ASSERT_EQ(function<platform::DllServerFunction>("DllRegisterServer")(), S_OK);
  EXPECT_EQ(classesText(clsidKey), u"juvo_main");
  EXPECT_EQ(classesText(clsidKey + "\\InprocServer32"), platform::fromUtf8(module().path.string()));
  EXPECT_EQ(classesText(clsidKey + "\\InprocServer32", "ThreadingModel"), u"Apartment");
  EXPECT_EQ(classesText(clsidKey + "\\ProgID"), u"juvo.juvo_main");
  EXPECT_EQ(classesText("juvo.juvo_main\\CLSID"),
            platform::fromUtf8(platform::formatGuid(juvo::CLSID_juvo_main)));
  EXPECT_EQ(classesText(libKey), u"Juvo plugin for Messenger Plus");

  ASSERT_EQ(function<platform::DllServerFunction>("DllUnregisterServer")(), S_OK);
  EXPECT_FALSE(classesText(clsidKey));
  EXPECT_FALSE(classesText("juvo.juvo_main\\CLSID"));
  EXPECT_FALSE(classesText(libKey));
}

TEST_F(JuvoModule, CreationSetsUpTheUserAndTheModuleFolderAndKeepsTheModuleInUse) {
  platform::ComPtr<IDispatch> object = create();
  ASSERT_TRUE(object);
  EXPECT_TRUE(std::filesystem::is_directory(module().folder.path() / "plugins/JUVO/Parsers"));
  EXPECT_EQ(
      platform::readRegistryText(registry, HKEY_CURRENT_USER, "Software\\Korvel\\JUVO", "language"),
      u"English");
  void* own = nullptr;
  ASSERT_EQ(object->QueryInterface(juvo::IID__juvo_main, &own), S_OK);
  static_cast<IUnknown*>(own)->Release();
  EXPECT_EQ(canUnloadNow(), S_FALSE);
  object = {};
  EXPECT_EQ(canUnloadNow(), S_OK);
}

TEST_F(JuvoModule, ServesOnlyItsOwnClassAndCountsFactoriesAsUse) {
  auto getClassObject = function<platform::DllGetClassObjectFunction>("DllGetClassObject");
  void* factory = reinterpret_cast<void*>(1);
  CLSID other = juvo::CLSID_juvo_main;
  other.Data1 ^= 1;
  EXPECT_EQ(getClassObject(other, IID_IClassFactory, &factory), CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(factory, nullptr);
  ASSERT_EQ(getClassObject(juvo::CLSID_juvo_main, IID_IClassFactory, &factory), S_OK);
  auto* classFactory = static_cast<IClassFactory*>(factory);
  void* object = reinterpret_cast<void*>(1);
  EXPECT_EQ(classFactory->CreateInstance(classFactory, IID_IUnknown, &object),
            CLASS_E_NOAGGREGATION);
  EXPECT_EQ(classFactory->CreateInstance(nullptr, IID_IClassFactory, &object), E_NOINTERFACE);
  EXPECT_EQ(object, nullptr);
  EXPECT_EQ(classFactory->CreateInstance(nullptr, IID_IUnknown, nullptr), E_POINTER);
  EXPECT_EQ(canUnloadNow(), S_FALSE);  // the factory is held
  classFactory->LockServer(1);
  classFactory->Release();
  EXPECT_EQ(canUnloadNow(), S_FALSE);
  classFactory->LockServer(0);
  EXPECT_EQ(canUnloadNow(), S_OK);
}

TEST_F(JuvoModule, HostCallsByDispidAndByNameWithInOutArguments) {
  platform::ComPtr<IDispatch> object = create();
  ASSERT_TRUE(object);
  Bstr name, value, help;
  LONG commands = 0, tags = 7;
  VARIANT info[] = {referenceArgument(VT_I4, &tags), referenceArgument(VT_I4, &commands),
                    referenceArgument(VT_BSTR, name.address())};
  VARIANT result;
  VariantInit(&result);
  ASSERT_EQ(invoke(object.get(), 0x60030004, info, &result), S_OK);
  EXPECT_EQ(name.view(), u"Juvo");
  EXPECT_EQ(commands, 4);
  EXPECT_EQ(tags, 0);
  EXPECT_EQ(result.vt, VT_BOOL);
  EXPECT_EQ(result.boolVal, VARIANT_TRUE);

  std::u16string member = u"getpublishcommandinfo";
  LPOLESTR names[] = {member.data()};
  DISPID id = 0;
  ASSERT_EQ(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), S_OK);
  EXPECT_EQ(id, 0x60030005);
  VARIANT args[] = {referenceArgument(VT_BSTR, help.address()),
                    referenceArgument(VT_BSTR, value.address()),
                    referenceArgument(VT_BSTR, name.address()), platform::longArgument(1)};
  ASSERT_EQ(invoke(object.get(), id, args, &result), S_OK);
  EXPECT_EQ(name.view(), u"Use parser");
  EXPECT_EQ(value.view(), u"xjuvo");
  EXPECT_EQ(help.view(), u"parser name> <argument(s)");
  EXPECT_EQ(result.vt, VT_EMPTY);
  // Command 4 has no help: the host's text stays, the very same BSTR.
  const BSTR helpBefore = help.get();
  args[3] = platform::longArgument(4);
  ASSERT_EQ(invoke(object.get(), id, args, &result), S_OK);
  EXPECT_EQ(value.view(), u"xjuvoconfig");
  EXPECT_EQ(help.get(), helpBefore);
  EXPECT_EQ(invoke(object.get(), id, std::span(args, 3), &result), DISP_E_BADPARAMCOUNT);
}

TEST_F(JuvoModule, InterfaceIdRecordHoldsTheIidOfJuvoMain) {
  const std::string record = resource("_IID_JUVO_MAIN");
  ASSERT_EQ(record.size(), 20u);
  EXPECT_EQ(record.substr(0, 4), std::string("\x10\0\0\0", 4));
  const auto iid = platform::guidBytes(juvo::IID__juvo_main);
  EXPECT_EQ(record.substr(4), std::string(iid.begin(), iid.end()));
  // The first group lies little-endian: D1EBA228 as 28 A2 EB D1.
  EXPECT_EQ(record.substr(4, 4), "\x28\xA2\xEB\xD1");
  EXPECT_EQ(resource("_iid_juvo_main"), record);
}

TEST_F(JuvoModule, TypeLibraryDeclaresTheLibraryTheMembersAndTheClass) {
  const std::string idl = resource("TYPELIB");
  size_t at = 0;
  for (const char* part :
       {"uuid(4271b10a-6c84-4417-a006-947fda2940c9)", "version(1.0)", "lcid(0x0409)",
        "helpstring(\"Juvo plugin for Messenger Plus\")", "library juvo\n",
        "interface _juvo_main : IDispatch", "[id(0x60030001)]\n        HRESULT Initialize(",
        "[in, out] BSTR* sResult", "[id(0x6003000A)]\n        HRESULT ReceiveNotify(",
        "coclass juvo_main"}) {
    at = idl.find(part, at);
    ASSERT_NE(at, std::string::npos) << "missing or out of order: " << part << "\n" << idl;
  }
  EXPECT_EQ(idl.find("0x60030007"), std::string::npos);
}

TEST_F(JuvoModule, VersionRecordNamesTheProduct) {
  const std::string version = resource("VERSION");
  for (const char* line :
       {"FILEVERSION 0,1,0,0", "PRODUCTVERSION 0,1,0,0", "BLOCK \"040904B0\"",
        "VALUE \"FileVersion\", \"0.01\"", "VALUE \"ProductVersion\", \"0.01\"",
        "VALUE \"ProductName\", \"Juvo\"", "VALUE \"InternalName\", \"juvo\"",
        "VALUE \"OriginalFilename\", \"juvo.dll\"", "VALUE \"CompanyName\", \"Korvel\"",
        "VALUE \"OLESelfRegister\", \"\"", "VALUE \"Translation\", 0x0409, 1200"}) {
    EXPECT_NE(version.find(line), std::string::npos) << line << "\n" << version;
  }
  // Type 16 is the version record too, by number.
  EXPECT_EQ(resource(reinterpret_cast<const char*>(uintptr_t{16})), version);
}

TEST_F(JuvoModule, OtherResourcesAreNotFound) {
  auto findResource = function<juvo::JuvoFindResourceFunction>("JuvoFindResource");
  const void* data = nullptr;
  uint32_t size = 0;
  EXPECT_EQ(findResource("TYPELIB", 2, &data, &size),
            HRESULT_FROM_WIN32(ERROR_RESOURCE_NAME_NOT_FOUND));
  EXPECT_EQ(findResource("ICON", 1, &data, &size),
            HRESULT_FROM_WIN32(ERROR_RESOURCE_TYPE_NOT_FOUND));
  EXPECT_EQ(findResource(nullptr, 1, &data, &size), E_POINTER);
}

}  // namespace
