#include "platform/com/variant_bridge.h"

#include <gtest/gtest.h>

#include <cmath>

#include "platform/automation/dispatch_object.h"
#include "platform/base/error.h"
#include "platform/com/counted_objects.h"
#include "platform/com/dispatch_adapters.h"

namespace {

using platform::ErrorCode;
using platform::Variant;

// Raises platform::Error with `code`, or fails the test.
template <class F>
void expectError(F&& f, ErrorCode code) {
  try {
    f();
    ADD_FAILURE() << "no error raised";
  } catch (const platform::Error& e) {
    EXPECT_EQ(e.number(), static_cast<int32_t>(code));
  }
}

VARIANT raw(VARTYPE vt) {
  VARIANT v;
  VariantInit(&v);
  v.vt = vt;
  return v;
}

// A host object with a by-reference method and one that fails.
class Counter : public platform::DispatchObject {
 public:
  Counter() {
    defineProperty(
        u"Total", [this](auto) { return Variant(total); },
        [this](auto, const Variant& v) { total = v.longValue(); });
    defineMethod(
        u"Bump",
        [this](std::span<Variant> args) {
          total += args[0].longValue();
          args[0] = Variant(std::u16string(u"bumped"));
          return Variant(total);
        },
        1, 1);
    defineMethod(
        u"Break",
        [](auto) -> Variant {
          throw platform::Error(static_cast<int32_t>(0x800A0035), u"File not found", u"Counter");
        },
        0, 0);
  }
  std::u16string typeName() const override { return u"Counter"; }
  int32_t total = 0;
};

TEST(VariantBridge, ValuesComeInAsTheirKinds) {
  VARIANT v = raw(VT_I4);
  v.lVal = -7;
  EXPECT_EQ(platform::fromRaw(v), Variant(int32_t(-7)));
  v = raw(VT_BOOL);
  v.boolVal = VARIANT_TRUE;
  EXPECT_EQ(platform::fromRaw(v), Variant(true));
  v = raw(VT_NULL);
  EXPECT_TRUE(platform::fromRaw(v).isNull());
  EXPECT_TRUE(platform::fromRaw(raw(VT_EMPTY)).isEmpty());
  v = raw(VT_CY);
  v.cyVal.int64 = 12345;
  EXPECT_EQ(platform::fromRaw(v), Variant(platform::Currency{12345}));
  v = raw(VT_ERROR);
  v.scode = DISP_E_PARAMNOTFOUND;
  EXPECT_TRUE(platform::fromRaw(v).isMissing());
  const std::u16string_view embedded(u"a\0b", 3);
  platform::Bstr text(embedded);
  v = raw(VT_BSTR);
  v.bstrVal = text.get();
  EXPECT_EQ(platform::fromRaw(v), Variant(embedded));
  v.bstrVal = nullptr;
  EXPECT_EQ(platform::fromRaw(v), Variant(u""));
}

TEST(VariantBridge, WideIntegersBecomeLongWhenTheyFitElseDouble) {
  VARIANT v = raw(VT_UI4);
  v.ulVal = 0x7FFFFFFF;
  EXPECT_EQ(platform::fromRaw(v), Variant(int32_t(0x7FFFFFFF)));
  v.ulVal = 0x80000000u;
  EXPECT_EQ(platform::fromRaw(v), Variant(2147483648.0));
  v = raw(VT_I8);
  v.llVal = -5;
  EXPECT_EQ(platform::fromRaw(v), Variant(int32_t(-5)));
  v.llVal = -3000000000LL;
  EXPECT_EQ(platform::fromRaw(v), Variant(-3000000000.0));
  v = raw(VT_I1);
  v.cVal = -3;
  EXPECT_EQ(platform::fromRaw(v), Variant(int16_t(-3)));
}

TEST(VariantBridge, ReferencesAreFollowed) {
  LONG number = 42;
  VARIANT ref = raw(VT_BYREF | VT_I4);
  ref.plVal = &number;
  EXPECT_EQ(platform::fromRaw(ref), Variant(int32_t(42)));
  VARIANT inner = raw(VT_R8);
  inner.dblVal = 0.5;
  VARIANT outer = raw(VT_BYREF | VT_VARIANT);
  outer.pvarVal = &inner;
  EXPECT_EQ(platform::fromRaw(outer), Variant(0.5));
  // A reference to a reference is malformed.
  VARIANT twice = raw(VT_BYREF | VT_VARIANT);
  twice.pvarVal = &outer;
  expectError([&] { platform::fromRaw(twice); }, ErrorCode::kBadVarType);
  VARIANT dangling = raw(VT_BYREF | VT_I4);
  dangling.plVal = nullptr;
  expectError([&] { platform::fromRaw(dangling); }, ErrorCode::kPointer);
}

TEST(VariantBridge, WhatCannotCrossIsRefused) {
  expectError([] { platform::fromRaw(raw(VT_ARRAY | VT_VARIANT)); }, ErrorCode::kBadVarType);
  expectError([] { platform::fromRaw(raw(VT_DECIMAL)); }, ErrorCode::kBadVarType);
  platform::testing::CountedUnknown plain;
  VARIANT unknown = raw(VT_UNKNOWN);
  unknown.punkVal = &plain;
  expectError([&] { platform::fromRaw(unknown); }, ErrorCode::kTypeMismatchDisp);
  EXPECT_EQ(plain.references, 1u);
  auto array = std::make_shared<platform::VariantArray>();
  VARIANT out;
  expectError([&] { platform::toRaw(Variant(array), out); }, ErrorCode::kBadVarType);
}

TEST(VariantBridge, ValuesGoOutAsOwnedCopies) {
  VARIANT v;
  platform::toRaw(Variant(u"text"), v);
  ASSERT_EQ(v.vt, VT_BSTR);
  EXPECT_EQ(platform::bstrView(v.bstrVal), u"text");
  VariantClear(&v);
  platform::toRaw(Variant(false), v);
  EXPECT_EQ(v.vt, VT_BOOL);
  EXPECT_EQ(v.boolVal, VARIANT_FALSE);
  platform::toRaw(Variant(true), v);
  EXPECT_EQ(v.boolVal, VARIANT_TRUE);
  platform::toRaw(Variant(int16_t(-2)), v);
  EXPECT_EQ(v.vt, VT_I2);
  EXPECT_EQ(v.iVal, -2);
  platform::toRaw(Variant(platform::Date{2.25}), v);
  EXPECT_EQ(v.vt, VT_DATE);
  EXPECT_EQ(v.date, 2.25);
  platform::toRaw(Variant::nothing(), v);
  EXPECT_EQ(v.vt, VT_DISPATCH);
  EXPECT_EQ(v.pdispVal, nullptr);
  platform::toRaw(Variant::null(), v);
  EXPECT_EQ(v.vt, VT_NULL);
  platform::toRaw(Variant(uint8_t(200)), v);
  EXPECT_EQ(v.vt, VT_UI1);
  EXPECT_EQ(v.bVal, 200);
}

TEST(VariantBridge, StoringThroughAReferenceConvertsToItsType) {
  platform::Bstr text(u"old");
  VARIANT toText = raw(VT_BYREF | VT_BSTR);
  toText.pbstrVal = text.address();
  platform::storeThrough(toText, Variant(int32_t(12)));
  EXPECT_EQ(text.view(), u"12");

  LONG number = 0;
  VARIANT toLong = raw(VT_BYREF | VT_I4);
  toLong.plVal = &number;
  platform::storeThrough(toLong, Variant(u"42"));
  EXPECT_EQ(number, 42);
  expectError([&] { platform::storeThrough(toLong, Variant(u"forty")); }, ErrorCode::kTypeMismatch);
  EXPECT_EQ(number, 42);

  SHORT small = 1;
  VARIANT toShort = raw(VT_BYREF | VT_I2);
  toShort.piVal = &small;
  expectError([&] { platform::storeThrough(toShort, Variant(int32_t(40000))); },
              ErrorCode::kOverflow);
  EXPECT_EQ(small, 1);

  VARIANT_BOOL flag = VARIANT_FALSE;
  VARIANT toBool = raw(VT_BYREF | VT_BOOL);
  toBool.pboolVal = &flag;
  platform::storeThrough(toBool, Variant(int32_t(3)));
  EXPECT_EQ(flag, VARIANT_TRUE);

  CY amount{};
  VARIANT toCurrency = raw(VT_BYREF | VT_CY);
  toCurrency.pcyVal = &amount;
  platform::storeThrough(toCurrency, Variant(1.5));
  EXPECT_EQ(amount.int64, 15000);
  expectError([&] { platform::storeThrough(toCurrency, Variant(1e300)); }, ErrorCode::kOverflow);

  VARIANT held;
  platform::toRaw(Variant(u"replaced"), held);
  VARIANT toVariant = raw(VT_BYREF | VT_VARIANT);
  toVariant.pvarVal = &held;
  platform::storeThrough(toVariant, Variant(2.5));  // the old BSTR is freed
  EXPECT_EQ(held.vt, VT_R8);
  EXPECT_EQ(held.dblVal, 2.5);

  VARIANT byValue = raw(VT_I4);
  expectError([&] { platform::storeThrough(byValue, Variant(int32_t(1))); },
              ErrorCode::kBadVarType);
}

TEST(VariantBridge, ObjectsCrossBackAsThemselves) {
  auto counter = std::make_shared<Counter>();
  VARIANT v;
  platform::toRaw(Variant(platform::ObjectPtr(counter)), v);
  ASSERT_EQ(v.vt, VT_DISPATCH);
  ASSERT_NE(v.pdispVal, nullptr);
  Variant back = platform::fromRaw(v);
  EXPECT_EQ(back.object(), counter);
  VariantClear(&v);

  platform::testing::CountedDispatch foreign;
  VARIANT in = raw(VT_DISPATCH);
  in.pdispVal = &foreign;
  Variant wrapped = platform::fromRaw(in);
  EXPECT_EQ(foreign.references, 2u);  // the adapter holds one
  VARIANT out;
  platform::toRaw(wrapped, out);
  EXPECT_EQ(out.pdispVal, &foreign);  // not wrapped twice
  VariantClear(&out);
  wrapped = Variant();
  EXPECT_EQ(foreign.references, 1u);
}

TEST(DispatchAdapters, ServerAnswersIDispatchCallsForAnAutomationObject) {
  auto counter = std::make_shared<Counter>();
  platform::ComPtr<IDispatch> dispatch =
      platform::ComPtr<IDispatch>::adopt(platform::dispatchFor(counter));
  std::u16string name = u"bump";
  LPOLESTR names[] = {name.data()};
  DISPID id = 0;
  ASSERT_EQ(dispatch->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), S_OK);

  // A by-reference argument comes back changed, in the caller's own type.
  counter->total = 1;
  VARIANT held = raw(VT_I4);
  held.lVal = 4;
  VARIANT arg = raw(VT_BYREF | VT_VARIANT);
  arg.pvarVal = &held;
  DISPPARAMS params{&arg, nullptr, 1, 0};
  VARIANT result;
  VariantInit(&result);
  ASSERT_EQ(dispatch->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, &result, nullptr, nullptr),
            S_OK);
  EXPECT_EQ(result.vt, VT_I4);
  EXPECT_EQ(result.lVal, 5);
  EXPECT_EQ(held.vt, VT_BSTR);
  EXPECT_EQ(platform::bstrView(held.bstrVal), u"bumped");
  VariantClear(&held);

  std::u16string breakName = u"Break";
  names[0] = breakName.data();
  ASSERT_EQ(dispatch->GetIDsOfNames(IID_NULL, names, 1, 0, &id), S_OK);
  EXCEPINFO info{};
  DISPPARAMS none{};
  EXPECT_EQ(dispatch->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, &info, nullptr),
            DISP_E_EXCEPTION);
  EXPECT_EQ(info.scode, static_cast<SCODE>(0x800A0035));
  EXPECT_EQ(platform::bstrView(info.bstrDescription), u"File not found");
  EXPECT_EQ(platform::bstrView(info.bstrSource), u"Counter");
  platform::clearExcepInfo(info);

  std::u16string unknown = u"Nope";
  names[0] = unknown.data();
  EXPECT_EQ(dispatch->GetIDsOfNames(IID_NULL, names, 1, 0, &id), DISP_E_UNKNOWNNAME);
  EXPECT_EQ(id, DISPID_UNKNOWN);
  EXPECT_EQ(dispatch->GetIDsOfNames(IID_IDispatch, names, 1, 0, &id), DISP_E_UNKNOWNINTERFACE);
}

TEST(DispatchAdapters, ClientCallsAnIDispatchAsAnAutomationObject) {
  auto counter = std::make_shared<Counter>();
  platform::ComPtr<IDispatch> dispatch =
      platform::ComPtr<IDispatch>::adopt(platform::dispatchFor(counter));
  platform::ObjectPtr client = platform::automationObjectFor(dispatch.get());
  ASSERT_NE(client, counter);

  std::vector<Variant> put = {Variant(int32_t(10))};
  client->invoke(*client->memberId(u"TOTAL"), platform::kPropertyPut, put);
  EXPECT_EQ(counter->total, 10);

  std::vector<Variant> args = {Variant(int32_t(3))};
  EXPECT_EQ(client->invoke(*client->memberId(u"Bump"), platform::kMethod, args),
            Variant(int32_t(13)));
  EXPECT_EQ(args[0], Variant(u"bumped"));  // by reference, as the member changed it

  EXPECT_FALSE(client->memberId(u"Missing"));
  std::vector<Variant> none;
  try {
    client->invoke(*client->memberId(u"Break"), platform::kMethod, none);
    ADD_FAILURE() << "no error raised";
  } catch (const platform::Error& e) {
    EXPECT_EQ(e.number(), static_cast<int32_t>(0x800A0035));
    EXPECT_EQ(e.description(), u"File not found");
    EXPECT_EQ(e.source(), u"Counter");
  }
  try {
    client->invoke(*client->memberId(u"Bump"), platform::kMethod, none);
    ADD_FAILURE() << "no error raised";
  } catch (const platform::Error& e) {
    EXPECT_EQ(e.number(), DISP_E_BADPARAMCOUNT);
  }
}

}  // namespace
