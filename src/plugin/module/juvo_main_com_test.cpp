#include "plugin/module/juvo_main_com.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/base/error.h"
#include "platform/ui/form.h"
#include "plugin/module/juvo_ids.h"
#include "plugin/module/juvo_main_type.h"
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
  juvo::testing::TestPlatform test;
  platform::ComPtr<_juvo_main> object =
      platform::ComPtr<_juvo_main>::adopt(juvo::juvo_main_com::create(test.shared));
  VARIANT result = stale();
  VARIANT_BOOL flag = VARIANT_FALSE;

  // A VARIANT with something in it, to see that a result replaces it.
  static VARIANT stale() {
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = 99;
    return v;
  }
};

TEST(JuvoMainInterface, MembersFollowIDispatchInTheOrderOfTheTable) {
  const struct {
    size_t slot;
    std::u16string_view name;
    DISPID id;
  } expected[] = {
      {slotOf(&_juvo_main::Initialize), u"Initialize", 0x60030001},
      {slotOf(&_juvo_main::Uninitialize), u"Uninitialize", 0x60030002},
      {slotOf(&_juvo_main::Configure), u"Configure", 0x60030003},
      {slotOf(&_juvo_main::GetPublishInfo), u"GetPublishInfo", 0x60030004},
      {slotOf(&_juvo_main::GetPublishCommandInfo), u"GetPublishCommandInfo", 0x60030005},
      {slotOf(&_juvo_main::GetPublishTagInfo), u"GetPublishTagInfo", 0x60030006},
      {slotOf(&_juvo_main::ParseCommand), u"ParseCommand", 0x60030008},
      {slotOf(&_juvo_main::ParseTag), u"ParseTag", 0x60030009},
      {slotOf(&_juvo_main::ReceiveNotify), u"ReceiveNotify", 0x6003000A},
  };
  EXPECT_EQ(slotOf(&IDispatch::Invoke), 6u);
  const auto& members = juvo::juvoMainInterface().members;
  ASSERT_EQ(members.size(), 9u);
  for (size_t i = 0; i < 9; ++i) {
    EXPECT_EQ(expected[i].slot, 7 + i);
    EXPECT_EQ(members[i].name, expected[i].name);
    EXPECT_EQ(members[i].id, expected[i].id);
  }
}

TEST_F(JuvoMainCom, AnswersForItsThreeInterfacesOnly) {
  for (const IID* iid : {&IID_IUnknown, &IID_IDispatch, &juvo::IID__juvo_main}) {
    void* answer = nullptr;
    ASSERT_EQ(object->QueryInterface(*iid, &answer), S_OK);
    EXPECT_EQ(answer, object.get());
    EXPECT_EQ(object->Release(), 1u);
  }
  void* factory = reinterpret_cast<void*>(1);
  EXPECT_EQ(object->QueryInterface(IID_IClassFactory, &factory), E_NOINTERFACE);
  EXPECT_EQ(factory, nullptr);
}

TEST_F(JuvoMainCom, InitializeWhateverItIsGivenAndKeepWorkingAfterUninitialize) {
  ASSERT_EQ(object->Initialize(0, nullptr, nullptr, &flag), S_OK);
  EXPECT_EQ(flag, VARIANT_TRUE);
  ASSERT_EQ(object->Uninitialize(&result), S_OK);
  EXPECT_EQ(result.vt, VT_EMPTY);
  Bstr name(u"host's");
  LONG commands = -1, tags = -1;
  flag = VARIANT_FALSE;
  ASSERT_EQ(object->GetPublishInfo(name.address(), &commands, &tags, &flag), S_OK);
  EXPECT_EQ(name.view(), u"Juvo");
  EXPECT_EQ(commands, 4);
  EXPECT_EQ(tags, 0);
  EXPECT_EQ(flag, VARIANT_TRUE);
}

TEST_F(JuvoMainCom, StringsTheCallLeavesAloneAreTheCallersOwnBstrs) {
  Bstr name(u"n"), value(u"v"), help(u"h");
  const BSTR helpBefore = help.get();
  ASSERT_EQ(
      object->GetPublishCommandInfo(3, name.address(), value.address(), help.address(), &result),
      S_OK);
  EXPECT_EQ(result.vt, VT_EMPTY);
  EXPECT_EQ(value.view(), u"xjuvoshare");
  EXPECT_EQ(help.get(), helpBefore);

  for (LONG index : {0, 5, -1}) {
    const BSTR before[] = {name.get(), value.get(), help.get()};
    result = stale();
    ASSERT_EQ(object->GetPublishCommandInfo(index, name.address(), value.address(), help.address(),
                                            &result),
              S_OK);
    EXPECT_EQ(result.vt, VT_EMPTY);
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
  Bstr command(u"/hello"), sent(u"as typed");
  const BSTR before = sent.get();
  flag = VARIANT_TRUE;
  ASSERT_EQ(object->ParseCommand(command.get(), nullptr, nullptr, sent.address(), &flag), S_OK);
  EXPECT_EQ(flag, VARIANT_FALSE);
  ASSERT_EQ(object->ParseTag(command.get(), nullptr, sent.address(), &flag), S_OK);
  EXPECT_EQ(flag, VARIANT_FALSE);
  ASSERT_EQ(object->ReceiveNotify(command.get(), nullptr, nullptr, nullptr, sent.address(), &flag),
            S_OK);
  EXPECT_EQ(flag, VARIANT_FALSE);
  EXPECT_EQ(sent.get(), before);

  Bstr share(u"/XJUVOSHARE"), empty;  // a null BSTR is the empty string
  ASSERT_EQ(object->ParseCommand(share.get(), nullptr, nullptr, empty.address(), &flag), S_OK);
  EXPECT_EQ(flag, VARIANT_TRUE);
  EXPECT_NE(empty.view().find(juvo::maker::kDownloadPage.view()), std::u16string_view::npos);
}

TEST_F(JuvoMainCom, MissingPointersAreRefused) {
  Bstr text(u"x");
  LONG number = 0;
  EXPECT_EQ(object->GetPublishInfo(nullptr, &number, &number, &flag), E_POINTER);
  EXPECT_EQ(object->GetPublishInfo(text.address(), &number, &number, nullptr), E_POINTER);
  EXPECT_EQ(object->GetPublishCommandInfo(1, text.address(), nullptr, text.address(), &result),
            E_POINTER);
  EXPECT_EQ(object->ParseCommand(text.get(), text.get(), nullptr, nullptr, &flag), E_POINTER);
  EXPECT_EQ(object->Initialize(1, nullptr, nullptr, nullptr), E_POINTER);
  EXPECT_EQ(object->Configure(nullptr), E_POINTER);
}

TEST_F(JuvoMainCom, AFailureOfConfigureComesBackAsAnHresult) {
  // Here the window itself fails while shown: once for the direct call, once for Invoke.
  for (int i = 0; i < 2; ++i) {
    test.ui.onForm([](platform::Form&) {
      platform::raise(platform::ErrorCode::kPermissionDenied, u"No windows today");
    });
  }
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

TEST_F(JuvoMainCom, InvokeSkipsTheUnassignedIdAndCoercesArguments) {
  DISPPARAMS none{};
  EXPECT_EQ(
      object->Invoke(0x60030007, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr),
      DISP_E_MEMBERNOTFOUND);

  // Initialize(nVersion, sUserEmail, oMessenger) with the number as text and no object.
  Bstr version(u"7"), email(u"me@example.org");
  VARIANT args[] = {platform::objectArgument(nullptr), platform::textArgument(email.get()),
                    platform::textArgument(version.get())};
  DISPPARAMS params{args, nullptr, 3, 0};
  ASSERT_EQ(object->Invoke(juvo::kDispidInitialize, IID_NULL, 0, DISPATCH_METHOD, &params, &result,
                           nullptr, nullptr),
            S_OK);
  EXPECT_EQ(result.vt, VT_BOOL);
  EXPECT_EQ(result.boolVal, VARIANT_TRUE);
}

}  // namespace
