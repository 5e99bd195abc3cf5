#include "plugin/module/juvo_main_com.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "platform/base/error.h"
#include "platform/ui/form.h"
#include "plugin/module/class_factory.h"
#include "plugin/module/juvo_ids.h"
#include "plugin/module/juvo_main_type.h"
#include "plugin/module/module_usage.h"
#include "shared/maker.h"
#include "test_platform.h"

namespace {

using juvo::_juvo_main;
using platform::Bstr;

// The vtable slot of a virtual member, read from its member pointer (Itanium C++ ABI: the
// slot's byte offset plus one).
template <class Member>
size_t slotOf(Member member) {
  uintptr_t words[2];
  static_assert(sizeof(member) == sizeof(words));
  std::memcpy(words, &member, sizeof words);
  return (words[0] - 1) / sizeof(void*);
}

class JuvoMainCom : public ::testing::Test {
 protected:
  JuvoMainCom()
      : object(platform::ComPtr<_juvo_main>::adopt(juvo::juvo_main_com::create(test.shared))) {}

  // A VARIANT with something in it, to see that a result replaces it.
  static VARIANT stale() {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = 99;
    return v;
  }

  juvo::testing::TestPlatform test;
  platform::ComPtr<_juvo_main> object;
};

TEST(JuvoMainInterface, MembersFollowIDispatchInTheOrderOfTheTable) {
  const std::vector<std::pair<std::u16string_view, size_t>> slots = {
      {u"Initialize", slotOf(&_juvo_main::Initialize)},
      {u"Uninitialize", slotOf(&_juvo_main::Uninitialize)},
      {u"Configure", slotOf(&_juvo_main::Configure)},
      {u"GetPublishInfo", slotOf(&_juvo_main::GetPublishInfo)},
      {u"GetPublishCommandInfo", slotOf(&_juvo_main::GetPublishCommandInfo)},
      {u"GetPublishTagInfo", slotOf(&_juvo_main::GetPublishTagInfo)},
      {u"ParseCommand", slotOf(&_juvo_main::ParseCommand)},
      {u"ParseTag", slotOf(&_juvo_main::ParseTag)},
      {u"ReceiveNotify", slotOf(&_juvo_main::ReceiveNotify)},
  };
  EXPECT_EQ(slotOf(&IDispatch::Invoke), 6u);
  const auto& members = juvo::juvoMainInterface().members;
  ASSERT_EQ(members.size(), slots.size());
  for (size_t i = 0; i < slots.size(); ++i) {
    EXPECT_EQ(slots[i].second, 7 + i);
    EXPECT_EQ(members[i].name, slots[i].first);
  }
}

TEST_F(JuvoMainCom, AnswersForItsThreeInterfacesOnly) {
  void* unknown = nullptr;
  void* dispatch = nullptr;
  void* own = nullptr;
  ASSERT_EQ(object->QueryInterface(IID_IUnknown, &unknown), S_OK);
  ASSERT_EQ(object->QueryInterface(IID_IDispatch, &dispatch), S_OK);
  ASSERT_EQ(object->QueryInterface(juvo::IID__juvo_main, &own), S_OK);
  EXPECT_EQ(unknown, object.get());
  EXPECT_EQ(dispatch, object.get());
  EXPECT_EQ(own, object.get());
  EXPECT_EQ(object->Release(), 3u);
  EXPECT_EQ(object->Release(), 2u);
  EXPECT_EQ(object->Release(), 1u);
  void* factory = reinterpret_cast<void*>(1);
  EXPECT_EQ(object->QueryInterface(IID_IClassFactory, &factory), E_NOINTERFACE);
  EXPECT_EQ(factory, nullptr);
  UINT count = 5;
  EXPECT_EQ(object->GetTypeInfoCount(&count), S_OK);
  EXPECT_EQ(count, 0u);
}

TEST_F(JuvoMainCom, PublishesNameAndCounts) {
  Bstr name(u"host's");
  LONG commands = -1;
  LONG tags = -1;
  VARIANT_BOOL result = VARIANT_FALSE;
  ASSERT_EQ(object->GetPublishInfo(name.address(), &commands, &tags, &result), S_OK);
  EXPECT_EQ(name.view(), u"Juvo");
  EXPECT_EQ(commands, 4);
  EXPECT_EQ(tags, 0);
  EXPECT_EQ(result, VARIANT_TRUE);
}

TEST_F(JuvoMainCom, StringsTheCallLeavesAloneAreTheCallersOwnBstrs) {
  Bstr name(u"n"), value(u"v"), help(u"h");
  const BSTR helpBefore = help.get();
  VARIANT result = stale();
  ASSERT_EQ(
      object->GetPublishCommandInfo(3, name.address(), value.address(), help.address(), &result),
      S_OK);
  EXPECT_EQ(result.vt, VT_EMPTY);
  EXPECT_EQ(value.view(), u"xjuvoshare");
  EXPECT_EQ(help.get(), helpBefore);

  for (LONG index : {0, 5, -1}) {
    const BSTR before[] = {name.get(), value.get(), help.get()};
    ASSERT_EQ(object->GetPublishCommandInfo(index, name.address(), value.address(), help.address(),
                                            &result),
              S_OK);
    EXPECT_EQ(name.get(), before[0]) << index;
    EXPECT_EQ(value.get(), before[1]) << index;
    EXPECT_EQ(help.get(), before[2]) << index;
  }
  const BSTR before[] = {name.get(), value.get()};
  result = stale();
  ASSERT_EQ(object->GetPublishTagInfo(1, name.address(), value.address(), &result), S_OK);
  EXPECT_EQ(result.vt, VT_EMPTY);
  EXPECT_EQ(name.get(), before[0]);
  EXPECT_EQ(value.get(), before[1]);
}

TEST_F(JuvoMainCom, CommandsNotOursLeaveTheResultAsItCame) {
  Bstr command(u"/hello"), argument(u"there"), sent(u"as typed");
  const BSTR before = sent.get();
  VARIANT_BOOL result = VARIANT_TRUE;
  ASSERT_EQ(object->ParseCommand(command.get(), argument.get(), nullptr, sent.address(), &result),
            S_OK);
  EXPECT_EQ(result, VARIANT_FALSE);
  EXPECT_EQ(sent.get(), before);

  Bstr share(u"/XJUVOSHARE");
  Bstr empty;  // a null BSTR is the empty string
  ASSERT_EQ(object->ParseCommand(share.get(), nullptr, nullptr, empty.address(), &result), S_OK);
  EXPECT_EQ(result, VARIANT_TRUE);
  EXPECT_NE(empty.view().find(juvo::maker::kDownloadPage.view()), std::u16string_view::npos);

  ASSERT_EQ(object->ParseTag(command.get(), nullptr, sent.address(), &result), S_OK);
  EXPECT_EQ(result, VARIANT_FALSE);
  ASSERT_EQ(
      object->ReceiveNotify(command.get(), nullptr, nullptr, nullptr, sent.address(), &result),
      S_OK);
  EXPECT_EQ(result, VARIANT_FALSE);
  EXPECT_EQ(sent.get(), before);
}

TEST_F(JuvoMainCom, InitializeAndUninitializeWhateverTheyAreGiven) {
  VARIANT_BOOL result = VARIANT_FALSE;
  ASSERT_EQ(object->Initialize(0, nullptr, nullptr, &result), S_OK);
  EXPECT_EQ(result, VARIANT_TRUE);
  VARIANT nothing = stale();
  ASSERT_EQ(object->Uninitialize(&nothing), S_OK);
  EXPECT_EQ(nothing.vt, VT_EMPTY);
  Bstr name;
  LONG commands = 0, tags = 0;
  ASSERT_EQ(object->GetPublishInfo(name.address(), &commands, &tags, &result), S_OK);
  EXPECT_EQ(name.view(), u"Juvo");
}

TEST_F(JuvoMainCom, MissingPointersAreRefused) {
  Bstr text(u"x");
  LONG number = 0;
  VARIANT_BOOL flag;
  VARIANT result;
  EXPECT_EQ(object->GetPublishInfo(nullptr, &number, &number, &flag), E_POINTER);
  EXPECT_EQ(object->GetPublishInfo(text.address(), nullptr, &number, &flag), E_POINTER);
  EXPECT_EQ(object->GetPublishInfo(text.address(), &number, &number, nullptr), E_POINTER);
  EXPECT_EQ(object->GetPublishCommandInfo(1, text.address(), nullptr, text.address(), &result),
            E_POINTER);
  EXPECT_EQ(object->ParseCommand(text.get(), text.get(), nullptr, nullptr, &flag), E_POINTER);
  EXPECT_EQ(object->Initialize(1, nullptr, nullptr, nullptr), E_POINTER);
  EXPECT_EQ(object->Configure(nullptr), E_POINTER);
}

TEST_F(JuvoMainCom, AFailureOfThePlugInComesBackAsAnHresult) {
  // Configure hands any failure to its caller: here the window itself fails while shown.
  // Once for the direct call, once for Invoke.
  test.ui.onForm([](platform::Form&) {
    platform::raise(platform::ErrorCode::kPermissionDenied, u"No windows today");
  });
  test.ui.onForm([](platform::Form&) {
    platform::raise(platform::ErrorCode::kPermissionDenied, u"No windows today");
  });
  VARIANT result;
  HRESULT direct = object->Configure(&result);
  EXPECT_TRUE(FAILED(direct));

  EXCEPINFO info{};
  DISPPARAMS none{};
  EXPECT_EQ(object->Invoke(juvo::kDispidConfigure, IID_NULL, 0, DISPATCH_METHOD, &none, &result,
                           &info, nullptr),
            DISP_E_EXCEPTION);
  EXPECT_EQ(info.scode, direct);
  EXPECT_FALSE(platform::bstrView(info.bstrDescription).empty());
  if (!test.ui.shown().empty()) {  // the window got as far as being shown
    EXPECT_EQ(direct, static_cast<HRESULT>(platform::ErrorCode::kPermissionDenied));
    EXPECT_EQ(platform::bstrView(info.bstrDescription), u"No windows today");
  }
  platform::clearExcepInfo(info);
}

TEST_F(JuvoMainCom, DispatchFollowsTheTable) {
  std::u16string member = u"parsecommand", param = u"SRESULT";
  LPOLESTR names[] = {member.data(), param.data()};
  DISPID ids[2];
  ASSERT_EQ(object->GetIDsOfNames(IID_NULL, names, 2, 0, ids), S_OK);
  EXPECT_EQ(ids[0], 0x60030008);
  EXPECT_EQ(ids[1], 3);
  EXPECT_EQ(object->GetIDsOfNames(IID_IDispatch, names, 1, 0, ids), DISP_E_UNKNOWNINTERFACE);
  DISPPARAMS none{};
  EXPECT_EQ(
      object->Invoke(0x60030007, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr),
      DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(object->Invoke(juvo::kDispidGetPublishInfo, IID_NULL, 0, DISPATCH_METHOD, &none,
                           nullptr, nullptr, nullptr),
            DISP_E_BADPARAMCOUNT);

  // Initialize(nVersion, sUserEmail, oMessenger) with the number as text and no object.
  Bstr version(u"7"), email(u"me@example.org");
  VARIANT args[3];
  for (VARIANT& v : args)
    VariantInit(&v);
  args[1].vt = VT_BSTR;
  args[1].bstrVal = email.get();
  args[2].vt = VT_BSTR;
  args[2].bstrVal = version.get();
  DISPPARAMS params{args, nullptr, 3, 0};
  VARIANT result;
  VariantInit(&result);
  ASSERT_EQ(object->Invoke(juvo::kDispidInitialize, IID_NULL, 0, DISPATCH_METHOD, &params, &result,
                           nullptr, nullptr),
            S_OK);
  EXPECT_EQ(result.vt, VT_BOOL);
  EXPECT_EQ(result.boolVal, VARIANT_TRUE);
}

class Factory : public ::testing::Test {
 protected:
  juvo::testing::TestPlatform test;
  juvo::ClassFactory factory{[this]() -> juvo::SharedObjects& { return test.shared; }};
};

TEST_F(Factory, CreatesObjectsOverItsSharedObjects) {
  ASSERT_TRUE(juvo::module_usage::idle());
  platform::ComPtr<IDispatch> created;
  ASSERT_EQ(factory.CreateInstance(nullptr, IID_IDispatch, created.putVoid()), S_OK);
  ASSERT_TRUE(created);
  EXPECT_FALSE(juvo::module_usage::idle());
  // The plug-in's creation steps ran over the test's module folder and hive.
  EXPECT_TRUE(std::filesystem::is_directory(test.moduleFolder.path() / "JUVO" / "Parsers"));
  EXPECT_NE(test.shared.lang, nullptr);
  created = {};
  EXPECT_TRUE(juvo::module_usage::idle());
}

TEST_F(Factory, RefusesAggregationAndUnknownInterfaces) {
  void* object = reinterpret_cast<void*>(1);
  IUnknown* outer = reinterpret_cast<IUnknown*>(&factory);
  EXPECT_EQ(factory.CreateInstance(outer, IID_IUnknown, &object), CLASS_E_NOAGGREGATION);
  EXPECT_EQ(object, nullptr);
  EXPECT_EQ(factory.CreateInstance(nullptr, IID_IClassFactory, &object), E_NOINTERFACE);
  EXPECT_EQ(object, nullptr);
  EXPECT_TRUE(juvo::module_usage::idle());  // the refused object is gone again
  EXPECT_EQ(factory.CreateInstance(nullptr, IID_IUnknown, nullptr), E_POINTER);
}

TEST_F(Factory, LocksKeepTheModuleInUse) {
  ASSERT_TRUE(juvo::module_usage::idle());
  factory.LockServer(1);
  EXPECT_FALSE(juvo::module_usage::idle());
  factory.LockServer(0);
  EXPECT_TRUE(juvo::module_usage::idle());
  void* held = nullptr;
  ASSERT_EQ(factory.QueryInterface(IID_IClassFactory, &held), S_OK);
  EXPECT_FALSE(juvo::module_usage::idle());
  static_cast<IClassFactory*>(held)->Release();
  EXPECT_TRUE(juvo::module_usage::idle());
}

}  // namespace
