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
#include "shared/maker.h"
#include "temp_folder.h"

namespace {

using juvo::testing::TempFolder;
using platform::Bstr;

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
    path = folder.path() / "plugins" / "juvo.so";
    std::filesystem::copy_file(kBuiltModule, path);
    handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  }
  template <class F>
  F function(const char* name) const {
    return handle ? reinterpret_cast<F>(dlsym(handle, name)) : nullptr;
  }

  TempFolder folder;
  std::filesystem::path path;
  void* handle = nullptr;
};

const Module& module() {
  static Module loaded;
  return loaded;
}

// The names of the functions and data a shared library exports (its defined dynamic symbols).
std::set<std::string> exportedSymbols(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  auto read = [&](auto& value, size_t offset) {
    if (offset + sizeof value > bytes.size()) throw std::runtime_error("truncated ELF file");
    std::memcpy(&value, bytes.data() + offset, sizeof value);
  };
  Elf64_Ehdr header;
  read(header, 0);
  if (std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0 || header.e_ident[EI_CLASS] != ELFCLASS64) {
    throw std::runtime_error("not a 64-bit ELF file");
  }
  std::set<std::string> names;
  for (size_t i = 0; i < header.e_shnum; ++i) {
    Elf64_Shdr section;
    read(section, header.e_shoff + i * sizeof section);
    if (section.sh_type != SHT_DYNSYM) continue;
    Elf64_Shdr strings;
    read(strings, header.e_shoff + section.sh_link * sizeof strings);
    for (size_t s = 0; s < section.sh_size / sizeof(Elf64_Sym); ++s) {
      Elf64_Sym symbol;
      read(symbol, section.sh_offset + s * sizeof symbol);
      const int binding = ELF64_ST_BIND(symbol.st_info);
      if (symbol.st_shndx == SHN_UNDEF || symbol.st_name == 0 ||
          (binding != STB_GLOBAL && binding != STB_WEAK)) {
        continue;
      }
      names.insert(bytes.c_str() + strings.sh_offset + symbol.st_name);
    }
  }
  return names;
}

std::string clsidKey() {
  return "CLSID\\" + platform::formatGuid(juvo::CLSID_juvo_main);
}

class JuvoModule : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(kConfigHomeSet);
    ASSERT_NE(module().handle, nullptr) << dlerror();
    registerServer = module().function<platform::DllServerFunction>("DllRegisterServer");
    unregisterServer = module().function<platform::DllServerFunction>("DllUnregisterServer");
    canUnloadNow = module().function<platform::DllServerFunction>("DllCanUnloadNow");
    getClassObject = module().function<platform::DllGetClassObjectFunction>("DllGetClassObject");
    findResource = module().function<juvo::JuvoFindResourceFunction>("JuvoFindResource");
    ASSERT_TRUE(registerServer && unregisterServer && canUnloadNow && getClassObject &&
                findResource);
  }

  std::optional<std::u16string> classesText(const std::string& key, const char* name = "") {
    return platform::readRegistryText(registry, HKEY_CLASSES_ROOT, key, name);
  }

  // Registers the module and creates juvo.juvo_main by its ProgID.
  platform::ComPtr<IDispatch> create() {
    EXPECT_EQ(registerServer(), S_OK);
    platform::ComPtr<IDispatch> object;
    EXPECT_EQ(platform::CoCreateInstanceByProgId(registry, juvo::kProgId, IID_IDispatch,
                                                 object.putVoid()),
              S_OK);
    return object;
  }

  std::span<const uint8_t> resource(const char* type, int id = 1) {
    const void* data = nullptr;
    uint32_t size = 0;
    EXPECT_EQ(findResource(type, id, &data, &size), S_OK) << type;
    return {static_cast<const uint8_t*>(data), size};
  }
  std::string textResource(const char* type) {
    std::span<const uint8_t> bytes = resource(type);
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
  }

  platform::Registry& registry = platform::Registry::user();
  platform::DllServerFunction registerServer = nullptr;
  platform::DllServerFunction unregisterServer = nullptr;
  platform::DllServerFunction canUnloadNow = nullptr;
  platform::DllGetClassObjectFunction getClassObject = nullptr;
  juvo::JuvoFindResourceFunction findResource = nullptr;
};

TEST(JuvoModuleFile, ExportsTheServerFunctionsAndNothingElse) {
  EXPECT_EQ(exportedSymbols(kBuiltModule),
            (std::set<std::string>{"DllCanUnloadNow", "DllGetClassObject", "DllRegisterServer",
                                   "DllUnregisterServer", "JuvoFindResource"}));
}

TEST_F(JuvoModule, RegistersItselfAndUnregistersCleanly) {
  ASSERT_EQ(registerServer(), S_OK);
  EXPECT_EQ(classesText(clsidKey()), u"juvo_main");
  EXPECT_EQ(classesText(clsidKey() + "\\InprocServer32"),
            platform::fromUtf8(module().path.string()));
  EXPECT_EQ(classesText(clsidKey() + "\\InprocServer32", "ThreadingModel"), u"Apartment");
  EXPECT_EQ(classesText(clsidKey() + "\\ProgID"), u"juvo.juvo_main");
  EXPECT_EQ(classesText("juvo.juvo_main\\CLSID"),
            platform::fromUtf8(platform::formatGuid(juvo::CLSID_juvo_main)));
  const std::string libKey = "TypeLib\\" + platform::formatGuid(juvo::LIBID_juvo) + "\\1.0";
  EXPECT_EQ(classesText(libKey), u"Juvo plugin for Messenger Plus");
  EXPECT_EQ(classesText(libKey + "\\0\\win32"), platform::fromUtf8(module().path.string()));

  ASSERT_EQ(unregisterServer(), S_OK);
  EXPECT_FALSE(classesText(clsidKey()));
  EXPECT_FALSE(classesText("juvo.juvo_main\\CLSID"));
  EXPECT_FALSE(classesText(libKey));
  IDispatch* none = nullptr;
  EXPECT_EQ(platform::CoCreateInstanceByProgId(registry, juvo::kProgId, IID_IDispatch,
                                               reinterpret_cast<void**>(&none)),
            CO_E_CLASSSTRING);
}

TEST_F(JuvoModule, CreationSetsUpTheUserAndTheModuleFolder) {
  platform::ComPtr<IDispatch> object = create();
  ASSERT_TRUE(object);
  // The plug-in's folders appear beside the module it was loaded from.
  EXPECT_TRUE(std::filesystem::is_directory(module().folder.path() / "plugins/JUVO/Parsers"));
  // The first run for this user saved the language.
  EXPECT_EQ(
      platform::readRegistryText(registry, HKEY_CURRENT_USER, "Software\\Korvel\\JUVO", "language"),
      u"English");
  void* own = nullptr;
  ASSERT_EQ(object->QueryInterface(juvo::IID__juvo_main, &own), S_OK);
  static_cast<IUnknown*>(own)->Release();
}

TEST_F(JuvoModule, StaysInUseWhileAnObjectLives) {
  platform::ComPtr<IDispatch> object = create();
  ASSERT_TRUE(object);
  EXPECT_EQ(canUnloadNow(), S_FALSE);
  object = {};
  EXPECT_EQ(canUnloadNow(), S_OK);
}

TEST_F(JuvoModule, GetPublishInfoByDispid) {
  platform::ComPtr<IDispatch> object = create();
  ASSERT_TRUE(object);
  Bstr name;
  LONG commands = 0, tags = 7;
  VARIANT args[] = {platform::referenceArgument(VT_I4, &tags),
                    platform::referenceArgument(VT_I4, &commands),
                    platform::referenceArgument(VT_BSTR, name.address())};
  DISPPARAMS params{args, nullptr, 3, 0};
  VARIANT result;
  VariantInit(&result);
  ASSERT_EQ(object->Invoke(0x60030004, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params,
                           &result, nullptr, nullptr),
            S_OK);
  EXPECT_EQ(name.view(), u"Juvo");
  EXPECT_EQ(commands, 4);
  EXPECT_EQ(tags, 0);
  EXPECT_EQ(result.vt, VT_BOOL);
  EXPECT_EQ(result.boolVal, VARIANT_TRUE);
}

TEST_F(JuvoModule, GetPublishCommandInfoByName) {
  platform::ComPtr<IDispatch> object = create();
  ASSERT_TRUE(object);
  std::u16string member = u"getpublishcommandinfo";
  LPOLESTR names[] = {member.data()};
  DISPID id = 0;
  ASSERT_EQ(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), S_OK);
  EXPECT_EQ(id, 0x60030005);

  Bstr name, value, help;
  VARIANT args[] = {platform::referenceArgument(VT_BSTR, help.address()),
                    platform::referenceArgument(VT_BSTR, value.address()),
                    platform::referenceArgument(VT_BSTR, name.address()),
                    platform::longArgument(LONG(1))};
  DISPPARAMS params{args, nullptr, 4, 0};
  VARIANT result;
  VariantInit(&result);
  ASSERT_EQ(object->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, &result, nullptr, nullptr),
            S_OK);
  EXPECT_EQ(name.view(), u"Use parser");
  EXPECT_EQ(value.view(), u"xjuvo");
  EXPECT_EQ(help.view(), u"parser name> <argument(s)");
  EXPECT_EQ(result.vt, VT_EMPTY);

  // Command 4 has no help: the host's text stays, the very same BSTR.
  help = Bstr(u"host's help");
  const BSTR helpBefore = help.get();
  args[0] = platform::referenceArgument(VT_BSTR, help.address());
  args[3] = platform::longArgument(LONG(4));
  ASSERT_EQ(object->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, &result, nullptr, nullptr),
            S_OK);
  EXPECT_EQ(value.view(), u"xjuvoconfig");
  EXPECT_EQ(help.get(), helpBefore);
  EXPECT_EQ(help.view(), u"host's help");

  DISPPARAMS tooFew{args, nullptr, 3, 0};
  EXPECT_EQ(object->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &tooFew, &result, nullptr, nullptr),
            DISP_E_BADPARAMCOUNT);
}

TEST_F(JuvoModule, ParseCommandAnswersOnlyItsOwnCommands) {
  platform::ComPtr<IDispatch> object = create();
  ASSERT_TRUE(object);
  std::u16string member = u"ParseCommand";
  LPOLESTR names[] = {member.data()};
  DISPID id = 0;
  ASSERT_EQ(object->GetIDsOfNames(IID_NULL, names, 1, 0, &id), S_OK);

  Bstr command(u"/xjuvoshare"), argument, sent(u"typed");
  VARIANT window;
  VariantInit(&window);
  window.vt = VT_DISPATCH;
  window.pdispVal = nullptr;
  VARIANT args[] = {platform::referenceArgument(VT_BSTR, sent.address()), window,
                    platform::textArgument(argument.get()), platform::textArgument(command.get())};
  DISPPARAMS params{args, nullptr, 4, 0};
  VARIANT result;
  VariantInit(&result);
  ASSERT_EQ(object->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, &result, nullptr, nullptr),
            S_OK);
  EXPECT_EQ(result.boolVal, VARIANT_TRUE);
  EXPECT_NE(sent.view().find(juvo::maker::kDownloadPage.view()), std::u16string_view::npos);

  Bstr other(u"/nothing");
  sent = Bstr(u"typed");
  const BSTR before = sent.get();
  args[0] = platform::referenceArgument(VT_BSTR, sent.address());
  args[3] = platform::textArgument(other.get());
  ASSERT_EQ(object->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, &result, nullptr, nullptr),
            S_OK);
  EXPECT_EQ(result.boolVal, VARIANT_FALSE);
  EXPECT_EQ(sent.get(), before);
  EXPECT_EQ(sent.view(), u"typed");

  std::u16string unknown = u"ParseCommands";
  names[0] = unknown.data();
  EXPECT_EQ(object->GetIDsOfNames(IID_NULL, names, 1, 0, &id), DISP_E_UNKNOWNNAME);
}

TEST_F(JuvoModule, ServesOnlyItsOwnClass) {
  void* factory = reinterpret_cast<void*>(1);
  CLSID other = juvo::CLSID_juvo_main;
  other.Data1 ^= 1;
  EXPECT_EQ(getClassObject(other, IID_IClassFactory, &factory), CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(factory, nullptr);
  ASSERT_EQ(getClassObject(juvo::CLSID_juvo_main, IID_IClassFactory, &factory), S_OK);
  auto* classFactory = static_cast<IClassFactory*>(factory);
  void* object = nullptr;
  EXPECT_EQ(classFactory->CreateInstance(classFactory, IID_IUnknown, &object),
            CLASS_E_NOAGGREGATION);
  EXPECT_EQ(canUnloadNow(), S_FALSE);  // the factory is held
  classFactory->Release();
  EXPECT_EQ(canUnloadNow(), S_OK);
}

TEST_F(JuvoModule, InterfaceIdRecordHoldsTheIidOfJuvoMain) {
  std::span<const uint8_t> record = resource("_IID_JUVO_MAIN");
  ASSERT_EQ(record.size(), 20u);
  EXPECT_EQ(std::vector<uint8_t>(record.begin(), record.begin() + 4),
            (std::vector<uint8_t>{16, 0, 0, 0}));
  const auto iid = platform::guidBytes(juvo::IID__juvo_main);
  EXPECT_TRUE(std::equal(iid.begin(), iid.end(), record.begin() + 4));
  // The first group lies little-endian: D1EBA228 as 28 A2 EB D1.
  EXPECT_EQ(record[4], 0x28);
  EXPECT_EQ(record[7], 0xD1);
  EXPECT_EQ(resource("_iid_juvo_main").data(), record.data());
}

TEST_F(JuvoModule, TypeLibraryListsTheNineMembersInOrder) {
  const std::string idl = textResource("TYPELIB");
  const std::pair<const char*, const char*> members[] = {{"0x60030001", "Initialize"},
                                                         {"0x60030002", "Uninitialize"},
                                                         {"0x60030003", "Configure"},
                                                         {"0x60030004", "GetPublishInfo"},
                                                         {"0x60030005", "GetPublishCommandInfo"},
                                                         {"0x60030006", "GetPublishTagInfo"},
                                                         {"0x60030008", "ParseCommand"},
                                                         {"0x60030009", "ParseTag"},
                                                         {"0x6003000A", "ReceiveNotify"}};
  size_t at = idl.find("interface _juvo_main : IDispatch");
  ASSERT_NE(at, std::string::npos) << idl;
  for (const auto& [id, name] : members) {
    const std::string entry = std::string("[id(") + id + ")]\n        HRESULT " + name + "(";
    const size_t next = idl.find(entry, at);
    ASSERT_NE(next, std::string::npos) << entry << "\n" << idl;
    at = next;
  }
  EXPECT_EQ(idl.find("0x60030007"), std::string::npos);
  EXPECT_NE(idl.find("library juvo\n"), std::string::npos);
  EXPECT_NE(idl.find("helpstring(\"Juvo plugin for Messenger Plus\")"), std::string::npos);
  EXPECT_NE(idl.find("lcid(0x0409)"), std::string::npos);
  EXPECT_NE(idl.find("uuid(4271b10a-6c84-4417-a006-947fda2940c9)"), std::string::npos);
  EXPECT_NE(idl.find("coclass juvo_main"), std::string::npos);
  EXPECT_NE(idl.find("[in, out] BSTR* sResult"), std::string::npos);
}

TEST_F(JuvoModule, VersionRecordNamesTheProduct) {
  const std::string version = textResource("VERSION");
  for (const char* line :
       {"FILEVERSION 0,1,0,0", "PRODUCTVERSION 0,1,0,0", "BLOCK \"040904B0\"",
        "VALUE \"FileVersion\", \"0.01\"", "VALUE \"ProductVersion\", \"0.01\"",
        "VALUE \"ProductName\", \"Juvo\"", "VALUE \"InternalName\", \"juvo\"",
        "VALUE \"OriginalFilename\", \"juvo.dll\"", "VALUE \"CompanyName\", \"Korvel\"",
        "VALUE \"OLESelfRegister\", \"\"", "VALUE \"Translation\", 0x0409, 1200"}) {
    EXPECT_NE(version.find(line), std::string::npos) << line << "\n" << version;
  }
  // Type 16 is the version record too, by number.
  EXPECT_EQ(resource(reinterpret_cast<const char*>(uintptr_t{16})).data(),
            resource("VERSION").data());
}

TEST_F(JuvoModule, OtherResourcesAreNotFound) {
  const void* data = nullptr;
  uint32_t size = 0;
  EXPECT_EQ(findResource("TYPELIB", 2, &data, &size),
            HRESULT_FROM_WIN32(ERROR_RESOURCE_NAME_NOT_FOUND));
  EXPECT_EQ(findResource("ICON", 1, &data, &size),
            HRESULT_FROM_WIN32(ERROR_RESOURCE_TYPE_NOT_FOUND));
  EXPECT_EQ(findResource(reinterpret_cast<const char*>(uintptr_t{3}), 1, &data, &size),
            HRESULT_FROM_WIN32(ERROR_RESOURCE_TYPE_NOT_FOUND));
  EXPECT_EQ(data, nullptr);
  EXPECT_EQ(findResource("TYPELIB", 1, nullptr, &size), E_POINTER);
  EXPECT_EQ(findResource(nullptr, 1, &data, &size), E_POINTER);
}

}  // namespace
