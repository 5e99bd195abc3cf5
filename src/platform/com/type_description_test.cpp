#include "platform/com/type_description.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/base/error.h"
#include "platform/com/counted_objects.h"
#include "platform/com/hresult_of.h"

namespace {

using platform::ParamDirection;
using platform::ParamType;

const platform::InterfaceDescription& sample() {
  static const platform::InterfaceDescription description{
      u"_sample",
      IID_NULL,
      {
          {u"Join",
           0x60030001,
           {{u"sText", ParamType::kString},
            {u"nCount", ParamType::kLong},
            {u"sOut", ParamType::kString, ParamDirection::kInOut}},
           ParamType::kBoolean},
          {u"Look",
           0x60030002,
           {{u"bFlag", ParamType::kBoolean},
            {u"vAny", ParamType::kVariant},
            {u"oThing", ParamType::kObject}},
           ParamType::kVariant},
          {u"Tally",
           0x60030004,
           {{u"nTotal", ParamType::kLong, ParamDirection::kInOut},
            {u"vSeen", ParamType::kVariant, ParamDirection::kInOut}},
           ParamType::kVariant},
          {u"Fail", 0x60030005, {}, ParamType::kVariant},
      }};
  return description;
}

// Records what the members saw and acts like a small object.
struct Sample {
  std::u16string text;
  LONG count = 0;
  VARIANT_BOOL flag = VARIANT_FALSE;
  VARTYPE anyType = VT_EMPTY;
  IDispatch* thing = nullptr;
  ULONG thingReferences = 0;
  std::function<void()> fail = [] {
    throw platform::Error(static_cast<int32_t>(0x800A0035), u"File not found", u"Sample");
  };

  HRESULT invoke(DISPID id, DISPPARAMS* params, VARIANT* result = nullptr,
                 EXCEPINFO* info = nullptr, UINT* argErr = nullptr, WORD flags = DISPATCH_METHOD) {
    return platform::invokeMember(
        sample(), id, flags, params, result, info, argErr,
        [this](const platform::MemberDescription& member, std::span<VARIANT> args,
               VARIANT& answer) {
          switch (member.id) {
            case 0x60030001:
              text = platform::bstrView(args[0].bstrVal);
              count = args[1].lVal;
              SysReAllocString(
                  args[2].pbstrVal,
                  (text + u"#" + std::u16string(platform::bstrView(*args[2].pbstrVal))).c_str());
              answer.boolVal = VARIANT_TRUE;
              break;
            case 0x60030002:
              flag = args[0].boolVal;
              anyType = args[1].vt;
              thing = args[2].pdispVal;
              if (thing) {
                thing->AddRef();
                thingReferences = thing->Release();
              }
              VariantCopy(&answer, &args[1]);
              break;
            case 0x60030004:
              *args[0].plVal += 1;
              VariantClear(args[1].pvarVal);
              args[1].pvarVal->vt = VT_BOOL;
              args[1].pvarVal->boolVal = VARIANT_TRUE;
              break;
            case 0x60030005:
              fail();
              break;
          }
        });
  }
};

TEST(TypeDescription, NamesMapToIdsWithoutRegardToCase) {
  std::u16string member = u"jOIN", second = u"SOUT", first = u"stext";
  LPOLESTR names[] = {member.data(), second.data(), first.data()};
  DISPID ids[3];
  ASSERT_EQ(platform::getIDsOfNames(sample(), names, 3, ids), S_OK);
  EXPECT_EQ(ids[0], 0x60030001);
  EXPECT_EQ(ids[1], 2);  // parameters by position
  EXPECT_EQ(ids[2], 0);
}

TEST(TypeDescription, UnknownNamesAreMarkedOneByOne) {
  std::u16string member = u"Join", wrong = u"sNope", right = u"nCount";
  LPOLESTR names[] = {member.data(), wrong.data(), right.data()};
  DISPID ids[3];
  EXPECT_EQ(platform::getIDsOfNames(sample(), names, 3, ids), DISP_E_UNKNOWNNAME);
  EXPECT_EQ(ids[0], 0x60030001);
  EXPECT_EQ(ids[1], DISPID_UNKNOWN);
  EXPECT_EQ(ids[2], 1);

  std::u16string missing = u"Configure";
  names[0] = missing.data();
  EXPECT_EQ(platform::getIDsOfNames(sample(), names, 3, ids), DISP_E_UNKNOWNNAME);
  EXPECT_EQ(ids[0], DISPID_UNKNOWN);
  EXPECT_EQ(ids[2], DISPID_UNKNOWN);  // parameters of no member
}

TEST(TypeDescription, InvokeTakesArgumentsInReverseAndWritesInOutBack) {
  Sample object;
  platform::Bstr text(u"abc");
  platform::Bstr out(u"old");
  VARIANT args[] = {platform::referenceArgument(VT_BSTR, out.address()), platform::longArgument(7),
                    platform::textArgument(text.get())};
  DISPPARAMS params{args, nullptr, 3, 0};
  VARIANT result;
  VariantInit(&result);
  ASSERT_EQ(object.invoke(0x60030001, &params, &result), S_OK);
  EXPECT_EQ(object.text, u"abc");
  EXPECT_EQ(object.count, 7);
  EXPECT_EQ(out.view(), u"abc#old");
  EXPECT_EQ(result.vt, VT_BOOL);
  EXPECT_EQ(result.boolVal, VARIANT_TRUE);
  // The caller's by-value arguments are left as they were.
  EXPECT_EQ(args[2].bstrVal, text.get());
  EXPECT_EQ(text.view(), u"abc");
}

TEST(TypeDescription, InParametersAreCoercedByVisualBasicRules) {
  Sample object;
  platform::Bstr number(u" 12 ");
  LONG five = 5;
  platform::Bstr out;
  VARIANT args[] = {platform::referenceArgument(VT_BSTR, out.address()),
                    platform::textArgument(number.get()),
                    platform::referenceArgument(VT_I4, &five)};
  DISPPARAMS params{args, nullptr, 3, 0};
  ASSERT_EQ(object.invoke(0x60030001, &params), S_OK);  // no result wanted
  EXPECT_EQ(object.text, u"5");
  EXPECT_EQ(object.count, 12);
  EXPECT_EQ(out.view(), u"5#");

  platform::Bstr truth(u"True");
  VARIANT look[] = {VARIANT{}, VARIANT{}, platform::textArgument(truth.get())};
  VariantInit(&look[0]);
  VariantInit(&look[1]);
  look[1].vt = VT_NULL;
  DISPPARAMS lookParams{look, nullptr, 3, 0};
  VARIANT result;
  VariantInit(&result);
  ASSERT_EQ(object.invoke(0x60030002, &lookParams, &result), S_OK);
  EXPECT_EQ(object.flag, VARIANT_TRUE);
  EXPECT_EQ(object.anyType, VT_NULL);
  EXPECT_EQ(object.thing, nullptr);
}

TEST(TypeDescription, ObjectsArePassedWithAReferenceHeldForTheCall) {
  Sample object;
  platform::testing::CountedDispatch thing;
  VARIANT args[3];
  for (VARIANT& v : args)
    VariantInit(&v);
  args[0].vt = VT_DISPATCH;
  args[0].pdispVal = &thing;
  args[2].vt = VT_BOOL;
  args[2].boolVal = VARIANT_FALSE;
  DISPPARAMS params{args, nullptr, 3, 0};
  ASSERT_EQ(object.invoke(0x60030002, &params), S_OK);
  EXPECT_EQ(object.thing, &thing);
  EXPECT_EQ(object.thingReferences, 2u);  // ours during the call
  EXPECT_EQ(thing.references, 1u);        // and given back after it
  EXPECT_EQ(object.anyType, VT_EMPTY);

  args[0].vt = VT_EMPTY;  // no object at all
  ASSERT_EQ(object.invoke(0x60030002, &params), S_OK);
  EXPECT_EQ(object.thing, nullptr);

  args[0] = platform::longArgument(3);
  UINT argErr = 99;
  EXPECT_EQ(object.invoke(0x60030002, &params, nullptr, nullptr, &argErr), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(argErr, 0u);
}

TEST(TypeDescription, MismatchesNameTheOffendingArgument) {
  Sample object;
  platform::Bstr word(u"abc");
  platform::Bstr out(u"kept");
  VARIANT args[] = {platform::referenceArgument(VT_BSTR, out.address()),
                    platform::textArgument(word.get()), platform::textArgument(word.get())};
  DISPPARAMS params{args, nullptr, 3, 0};
  UINT argErr = 99;
  EXPECT_EQ(object.invoke(0x60030001, &params, nullptr, nullptr, &argErr), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(argErr, 1u);  // nCount, second from the end
  EXPECT_EQ(out.view(), u"kept");

  VARIANT huge;
  VariantInit(&huge);
  huge.vt = VT_R8;
  huge.dblVal = 1e20;
  args[1] = huge;
  EXPECT_EQ(object.invoke(0x60030001, &params, nullptr, nullptr, &argErr), DISP_E_OVERFLOW);
  EXPECT_EQ(argErr, 1u);

  // An in/out parameter must come by reference, in its own type.
  args[1] = platform::longArgument(1);
  args[0] = platform::textArgument(out.get());
  EXPECT_EQ(object.invoke(0x60030001, &params, nullptr, nullptr, &argErr), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(argErr, 0u);
  LONG number = 0;
  args[0] = platform::referenceArgument(VT_I4, &number);
  EXPECT_EQ(object.invoke(0x60030001, &params, nullptr, nullptr, &argErr), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(object.count, 0);  // the member never ran

  args[0].vt = VT_ARRAY | VT_I4;
  args[2] = args[0];
  args[0] = platform::referenceArgument(VT_BSTR, out.address());
  EXPECT_EQ(object.invoke(0x60030001, &params, nullptr, nullptr, &argErr), DISP_E_BADVARTYPE);
  EXPECT_EQ(argErr, 2u);
}

TEST(TypeDescription, AVariantReferenceHoldingTheTypeServesAnInOutParameter) {
  Sample object;
  VARIANT held;
  VariantInit(&held);
  held.vt = VT_BSTR;
  held.bstrVal = SysAllocString(u"mine");
  platform::Bstr text(u"x");
  VARIANT args[] = {platform::referenceArgument(VT_VARIANT, &held), platform::longArgument(0),
                    platform::textArgument(text.get())};
  DISPPARAMS params{args, nullptr, 3, 0};
  ASSERT_EQ(object.invoke(0x60030001, &params), S_OK);
  EXPECT_EQ(held.vt, VT_BSTR);
  EXPECT_EQ(platform::bstrView(held.bstrVal), u"x#mine");
  VariantClear(&held);

  held.vt = VT_EMPTY;  // holds no text: no reference to a BSTR can be made of it
  EXPECT_EQ(object.invoke(0x60030001, &params), DISP_E_TYPEMISMATCH);
}

TEST(TypeDescription, InOutLongsAndVariantsChangeTheCallersStorage) {
  Sample object;
  LONG total = 41;
  VARIANT seen;
  VariantInit(&seen);
  seen.vt = VT_BSTR;
  seen.bstrVal = SysAllocString(u"before");
  VARIANT args[] = {platform::referenceArgument(VT_VARIANT, &seen),
                    platform::referenceArgument(VT_I4, &total)};
  DISPPARAMS params{args, nullptr, 2, 0};
  VARIANT result;
  VariantInit(&result);
  ASSERT_EQ(object.invoke(0x60030004, &params, &result), S_OK);
  EXPECT_EQ(total, 42);
  EXPECT_EQ(seen.vt, VT_BOOL);
  EXPECT_EQ(result.vt, VT_EMPTY);  // a Variant result left empty
}

TEST(TypeDescription, CountMemberAndKindAreChecked) {
  Sample object;
  VARIANT args[] = {platform::longArgument(1), platform::longArgument(2)};
  DISPPARAMS two{args, nullptr, 2, 0};
  EXPECT_EQ(object.invoke(0x60030001, &two), DISP_E_BADPARAMCOUNT);
  DISPPARAMS none{};
  EXPECT_EQ(object.invoke(0x60030001, &none), DISP_E_BADPARAMCOUNT);
  EXPECT_EQ(object.invoke(0x60030001, nullptr), DISP_E_BADPARAMCOUNT);
  EXPECT_EQ(object.invoke(0x60030003, &none), DISP_E_MEMBERNOTFOUND);  // unassigned id
  EXPECT_EQ(object.invoke(0x60030005, &none, nullptr, nullptr, nullptr, DISPATCH_PROPERTYPUT),
            DISP_E_MEMBERNOTFOUND);
  DISPPARAMS broken{nullptr, nullptr, 2, 0};
  EXPECT_EQ(object.invoke(0x60030004, &broken), E_INVALIDARG);
}

TEST(TypeDescription, NamedArgumentsGoToTheirParameters) {
  Sample object;
  platform::Bstr text(u"named");
  platform::Bstr out;
  // Join(text, sOut:=..., nCount:=3).
  VARIANT args[] = {platform::referenceArgument(VT_BSTR, out.address()), platform::longArgument(3),
                    platform::textArgument(text.get())};
  DISPID named[] = {2, 1};
  DISPPARAMS params{args, named, 3, 2};
  ASSERT_EQ(object.invoke(0x60030001, &params), S_OK);
  EXPECT_EQ(object.text, u"named");
  EXPECT_EQ(object.count, 3);

  DISPID twice[] = {2, 2};
  DISPPARAMS duplicate{args, twice, 3, 2};
  UINT argErr = 99;
  EXPECT_EQ(object.invoke(0x60030001, &duplicate, nullptr, nullptr, &argErr), DISP_E_PARAMNOTFOUND);
  EXPECT_EQ(argErr, 1u);
  DISPID beyond[] = {2, 7};
  DISPPARAMS outside{args, beyond, 3, 2};
  EXPECT_EQ(object.invoke(0x60030001, &outside), DISP_E_PARAMNOTFOUND);
  DISPID first[] = {0};
  DISPPARAMS clash{args, first, 3, 1};  // sText both named and positional
  EXPECT_EQ(object.invoke(0x60030001, &clash), DISP_E_PARAMNOTFOUND);
}

TEST(TypeDescription, FailuresOfTheBodyBecomeExceptions) {
  Sample object;
  DISPPARAMS none{};
  EXCEPINFO info{};
  EXPECT_EQ(object.invoke(0x60030005, &none, nullptr, &info), DISP_E_EXCEPTION);
  EXPECT_EQ(info.scode, static_cast<SCODE>(0x800A0035));
  EXPECT_EQ(platform::bstrView(info.bstrDescription), u"File not found");
  EXPECT_EQ(platform::bstrView(info.bstrSource), u"Sample");
  platform::clearExcepInfo(info);
  // Without an EXCEPINFO the number itself comes back.
  EXPECT_EQ(object.invoke(0x60030005, &none), static_cast<HRESULT>(0x800A0035));

  object.fail = [] { throw std::runtime_error("surprise"); };
  EXPECT_EQ(object.invoke(0x60030005, &none, nullptr, &info), DISP_E_EXCEPTION);
  EXPECT_EQ(info.scode, E_UNEXPECTED);
  platform::clearExcepInfo(info);
  object.fail = [] { throw std::bad_alloc(); };
  EXPECT_EQ(object.invoke(0x60030005, &none), E_OUTOFMEMORY);
  // A dispatch error raised inside stays a dispatch error.
  object.fail = [] { platform::raise(platform::ErrorCode::kBadParamCount); };
  EXPECT_EQ(object.invoke(0x60030005, &none, nullptr, &info), DISP_E_BADPARAMCOUNT);
  EXPECT_EQ(info.bstrDescription, nullptr);
}

TEST(HresultOf, TurnsEveryFailureIntoANumber) {
  EXPECT_EQ(platform::hresultOf([] {}), S_OK);
  EXPECT_EQ(platform::hresultOf([]() -> HRESULT { return S_FALSE; }), S_FALSE);
  EXPECT_EQ(platform::hresultOf([] { platform::raise(platform::ErrorCode::kPathNotFound); }),
            static_cast<HRESULT>(0x800A004C));
  // An Error whose number is no failure still fails.
  EXPECT_EQ(platform::hresultOf([] { throw platform::Error(5, u"five"); }), E_FAIL);
  EXPECT_EQ(platform::hresultOf([] { throw 42; }), E_UNEXPECTED);
  EXCEPINFO info{};
  EXPECT_EQ(platform::hresultOf([] { throw platform::Error(5, u"five", u"src"); }, &info), E_FAIL);
  EXPECT_EQ(info.scode, E_FAIL);
  EXPECT_EQ(platform::bstrView(info.bstrDescription), u"five");
  EXPECT_EQ(platform::bstrView(info.bstrSource), u"src");
  platform::clearExcepInfo(info);
}

}  // namespace
