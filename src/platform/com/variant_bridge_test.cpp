#include "platform/com/variant_bridge.h"

#include <gtest/gtest.h>

#include "platform/automation/dispatch_object.h"
#include "platform/base/error.h"
#include "platform/com/counted_objects.h"
#include "platform/com/dispatch_adapters.h"

namespace {

using platform::ErrorCode;
using platform::Variant;

// The number `f` raised as platform::Error, or 0 when it raised nothing.
template <class F>
int32_t errorOf(F&& f) {
  try {
    f();
  } catch (const platform::Error& e) {
    return e.number();
  }
  return 0;
}
int32_t number(ErrorCode code) {
  return static_cast<int32_t>(code);
}

VARIANT raw(VARTYPE vt, void* pointer = nullptr) {
  VARIANT v;
  VariantInit(&v);
  v.vt = vt;
  v.byref = pointer;
  return v;
}

// A host object with a by-reference method and one that fails.
class Counter : public platform::DispatchObject {
 public:
  Counter() : DispatchObject(members()) {}
  std::u16string typeName() const override { return u"Counter"; }
  int32_t total = 0;

 private:
  static const platform::MemberTable& members() {
    static const auto table = platform::Members<Counter>()
                                  .property(
                                      u"Total", [](Counter& c) { return Variant(c.total); },
                                      [](Counter& c, const Variant& v) { c.total = v.longValue(); })
                                  .method(u"Bump", 1, 1,
                                          [](Counter& c, std::span<Variant> args) {
                                            c.total += args[0].longValue();
                                            args[0] = Variant(u"bumped");
                                            return Variant(c.total);
                                          })
                                  .method(u"Break", 0, 0, [](Counter&, auto) -> Variant {
                                    throw platform::Error(static_cast<int32_t>(0x800A0035),
                                                          u"File not found", u"Counter");
                                  });
    return table;
  }
};

TEST(VariantBridge, ValuesComeInAsTheirNearestKind) {
  const struct {
    VARTYPE vt;
    int64_t bits;  // read through the member `vt` selects
    Variant expected;
  } rows[] = {
      {VT_I4, -7, Variant(int32_t(-7))},
      {VT_BOOL, -1, Variant(true)},
      {VT_NULL, 0, Variant::null()},
      {VT_EMPTY, 0, Variant()},
      {VT_CY, 12345, Variant(platform::Currency{12345})},
      {VT_ERROR, DISP_E_PARAMNOTFOUND, Variant::missing()},
      {VT_UI4, 0x7FFFFFFF, Variant(int32_t(0x7FFFFFFF))},
      {VT_UI4, 0x80000000, Variant(2147483648.0)},
      {VT_I8, -5, Variant(int32_t(-5))},
      {VT_I8, -3000000000LL, Variant(-3000000000.0)},
      {VT_I1, -3, Variant(int16_t(-3))},
  };
  for (const auto& row : rows) {
    VARIANT v = raw(row.vt);
    v.llVal = row.bits;
    EXPECT_EQ(platform::fromRaw(v), row.expected) << row.vt << " " << row.bits;
  }
  const std::u16string_view embedded(u"a\0b", 3);
  platform::Bstr text(embedded);
  EXPECT_EQ(platform::fromRaw(raw(VT_BSTR, text.get())), Variant(embedded));
  EXPECT_EQ(platform::fromRaw(raw(VT_BSTR)), Variant(u""));
}

TEST(VariantBridge, ReferencesAreFollowedOnceAndWhatCannotCrossIsRefused) {
  LONG value = 42;
  EXPECT_EQ(platform::fromRaw(raw(VT_BYREF | VT_I4, &value)), Variant(int32_t(42)));
  VARIANT inner = raw(VT_R8);
  inner.dblVal = 0.5;
  VARIANT outer = raw(VT_BYREF | VT_VARIANT, &inner);
  EXPECT_EQ(platform::fromRaw(outer), Variant(0.5));
  platform::testing::CountedUnknown plain;
  const std::pair<VARIANT, ErrorCode> refused[] = {
      {raw(VT_BYREF | VT_VARIANT, &outer), ErrorCode::kBadVarType},  // a reference to one
      {raw(VT_BYREF | VT_I4), ErrorCode::kPointer},
      {raw(VT_ARRAY | VT_VARIANT), ErrorCode::kBadVarType},
      {raw(VT_DECIMAL), ErrorCode::kBadVarType},
      {raw(VT_UNKNOWN, static_cast<IUnknown*>(&plain)), ErrorCode::kTypeMismatchDisp},
  };
  for (const auto& row : refused) {
    EXPECT_EQ(errorOf([&] { platform::fromRaw(row.first); }), number(row.second)) << row.first.vt;
  }
  EXPECT_EQ(plain.references, 1u);
  VARIANT out;
  EXPECT_EQ(
      errorOf([&] { platform::toRaw(Variant(std::make_shared<platform::VariantArray>()), out); }),
      number(ErrorCode::kBadVarType));
}

TEST(VariantBridge, ValuesGoOutAsOwnedCopiesThatComeBackTheSame) {
  const std::pair<Variant, VARTYPE> rows[] = {
      {Variant(u"text"), VT_BSTR},
      {Variant(true), VT_BOOL},
      {Variant(false), VT_BOOL},
      {Variant(int16_t(-2)), VT_I2},
      {Variant(platform::Date{2.25}), VT_DATE},
      {Variant::nothing(), VT_DISPATCH},
      {Variant::null(), VT_NULL},
      {Variant(uint8_t(200)), VT_UI1},
  };
  for (const auto& [value, vt] : rows) {
    VARIANT v;
    platform::toRaw(value, v);
    EXPECT_EQ(v.vt, vt);
    EXPECT_EQ(platform::fromRaw(v), value) << vt;
    VariantClear(&v);
  }
  VARIANT truth;
  platform::toRaw(Variant(true), truth);
  EXPECT_EQ(truth.boolVal, VARIANT_TRUE);
}

TEST(VariantBridge, StoringThroughAReferenceConvertsToItsTypeOrLeavesItAlone) {
  platform::Bstr text(u"old");
  platform::storeThrough(raw(VT_BYREF | VT_BSTR, text.address()), Variant(int32_t(12)));
  EXPECT_EQ(text.view(), u"12");
  VARIANT_BOOL flag = VARIANT_FALSE;
  platform::storeThrough(raw(VT_BYREF | VT_BOOL, &flag), Variant(int32_t(3)));
  EXPECT_EQ(flag, VARIANT_TRUE);
  LONG value = 42;
  EXPECT_EQ(errorOf([&] { platform::storeThrough(raw(VT_BYREF | VT_I4, &value), Variant(u"x")); }),
            number(ErrorCode::kTypeMismatch));
  EXPECT_EQ(value, 42);
  EXPECT_EQ(errorOf([&] { platform::storeThrough(raw(VT_I4), Variant(int32_t(1))); }),
            number(ErrorCode::kBadVarType));
}

TEST(VariantBridge, ObjectsCrossBackAsThemselves) {
  auto counter = std::make_shared<Counter>();
  VARIANT v;
  platform::toRaw(Variant(platform::ObjectPtr(counter)), v);
  ASSERT_EQ(v.vt, VT_DISPATCH);
  EXPECT_EQ(platform::fromRaw(v).object(), counter);
  VariantClear(&v);

  platform::testing::CountedDispatch foreign;
  Variant wrapped = platform::fromRaw(raw(VT_DISPATCH, static_cast<IDispatch*>(&foreign)));
  EXPECT_EQ(foreign.references, 2u);  // the adapter holds one
  platform::toRaw(wrapped, v);
  EXPECT_EQ(v.pdispVal, &foreign);  // not wrapped twice
  VariantClear(&v);
  wrapped = Variant();
  EXPECT_EQ(foreign.references, 1u);
}

TEST(DispatchAdapters, AClientOverTheServerReachesTheObjectWithReferencesAndErrors) {
  auto counter = std::make_shared<Counter>();
  auto dispatch = platform::ComPtr<IDispatch>::adopt(platform::dispatchFor(counter));
  platform::ObjectPtr client = platform::automationObjectFor(dispatch.get());
  ASSERT_NE(client, counter);  // every call crosses IDispatch

  std::vector<Variant> args = {Variant(int32_t(10))};
  client->invoke(*client->memberId(u"TOTAL"), platform::kPropertyPut, args);
  EXPECT_EQ(counter->total, 10);
  args = {Variant(int32_t(3))};
  EXPECT_EQ(client->invoke(*client->memberId(u"bump"), platform::kMethod, args),
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
  EXPECT_EQ(errorOf([&] { client->invoke(*client->memberId(u"Bump"), platform::kMethod, none); }),
            DISP_E_BADPARAMCOUNT);
}

}  // namespace
