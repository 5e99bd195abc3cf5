#include "platform/com/type_description.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/base/error.h"
#include "platform/com/counted_objects.h"

namespace {

using platform::Bstr;
using platform::longArgument;
using platform::ParamDirection;
using platform::ParamType;
using platform::referenceArgument;
using platform::textArgument;

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
          {u"Fail", 0x60030005, {}, ParamType::kVariant},
      }};
  return description;
}

VARIANT raw(VARTYPE vt) {
  VARIANT v;
  VariantInit(&v);
  v.vt = vt;
  return v;
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
              break;
            case 0x60030005:
              fail();
              break;
          }
        });
  }
  // Positional arguments, last parameter first.
  HRESULT call(DISPID id, std::span<VARIANT> args, VARIANT* result = nullptr,
               UINT* argErr = nullptr) {
    DISPPARAMS params{args.data(), nullptr, static_cast<UINT>(args.size()), 0};
    return invoke(id, &params, result, nullptr, argErr);
  }
};

TEST(TypeDescription, NamesMapToIdsWithoutRegardToCaseAndUnknownsAreMarked) {
  std::u16string member = u"jOIN", param = u"SOUT", wrong = u"sNope";
  LPOLESTR names[] = {member.data(), param.data(), wrong.data()};
  DISPID ids[3];
  ASSERT_EQ(platform::getIDsOfNames(sample(), names, 2, ids), S_OK);
  EXPECT_EQ(ids[0], 0x60030001);
  EXPECT_EQ(ids[1], 2);  // parameters by position
  EXPECT_EQ(platform::getIDsOfNames(sample(), names, 3, ids), DISP_E_UNKNOWNNAME);
  EXPECT_EQ(ids[1], 2);
  EXPECT_EQ(ids[2], DISPID_UNKNOWN);
  std::u16string missing = u"Configure";
  names[0] = missing.data();
  EXPECT_EQ(platform::getIDsOfNames(sample(), names, 2, ids), DISP_E_UNKNOWNNAME);
  EXPECT_EQ(ids[0], DISPID_UNKNOWN);
  EXPECT_EQ(ids[1], DISPID_UNKNOWN);  // parameters of no member
}

TEST(TypeDescription, InvokeTakesArgumentsInReverseCoercesThemAndWritesInOutBack) {
  Sample object;
  Bstr text(u"abc"), out(u"old");
  VARIANT args[] = {referenceArgument(VT_BSTR, out.address()), longArgument(7),
                    textArgument(text.get())};
  VARIANT result = raw(VT_EMPTY);
  ASSERT_EQ(object.call(0x60030001, args, &result), S_OK);
  EXPECT_EQ(object.text, u"abc");
  EXPECT_EQ(object.count, 7);
  EXPECT_EQ(out.view(), u"abc#old");
  EXPECT_EQ(result.vt, VT_BOOL);
  EXPECT_EQ(result.boolVal, VARIANT_TRUE);
  EXPECT_EQ(args[2].bstrVal, text.get());  // by-value arguments stay the caller's
  EXPECT_EQ(text.view(), u"abc");

  // Visual Basic's rules: text to number, number (by reference) to text.
  Bstr number(u" 12 ");
  LONG five = 5;
  out.reset();
  VARIANT coerced[] = {referenceArgument(VT_BSTR, out.address()), textArgument(number.get()),
                       referenceArgument(VT_I4, &five)};
  ASSERT_EQ(object.call(0x60030001, coerced), S_OK);  // no result wanted
  EXPECT_EQ(object.text, u"5");
  EXPECT_EQ(object.count, 12);
  EXPECT_EQ(out.view(), u"5#");

  // A Variant reference that holds the type serves an in/out parameter.
  VARIANT held = raw(VT_BSTR);
  held.bstrVal = SysAllocString(u"mine");
  coerced[0] = referenceArgument(VT_VARIANT, &held);
  ASSERT_EQ(object.call(0x60030001, coerced), S_OK);
  EXPECT_EQ(held.vt, VT_BSTR);
  EXPECT_EQ(platform::bstrView(held.bstrVal), u"5#mine");
  VariantClear(&held);  // holds no text: no reference to a BSTR can be made of it
  EXPECT_EQ(object.call(0x60030001, coerced), DISP_E_TYPEMISMATCH);
}

TEST(TypeDescription, ObjectsAreHeldForTheCallAndVariantsPassAsThemselves) {
  Sample object;
  platform::testing::CountedDispatch thing;
  Bstr truth(u"True");
  VARIANT args[] = {platform::objectArgument(&thing), raw(VT_NULL), textArgument(truth.get())};
  ASSERT_EQ(object.call(0x60030002, args), S_OK);
  EXPECT_EQ(object.thing, &thing);
  EXPECT_EQ(object.thingReferences, 2u);  // ours during the call
  EXPECT_EQ(thing.references, 1u);        // and given back after it
  EXPECT_EQ(object.flag, VARIANT_TRUE);
  EXPECT_EQ(object.anyType, VT_NULL);

  args[0] = raw(VT_EMPTY);  // no object at all
  ASSERT_EQ(object.call(0x60030002, args), S_OK);
  EXPECT_EQ(object.thing, nullptr);
  args[0] = longArgument(3);
  UINT argErr = 99;
  EXPECT_EQ(object.call(0x60030002, args, nullptr, &argErr), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(argErr, 0u);
}

TEST(TypeDescription, MismatchesNameTheOffendingArgumentAndRunNothing) {
  Sample object;
  Bstr word(u"abc"), out(u"kept");
  VARIANT args[] = {referenceArgument(VT_BSTR, out.address()), textArgument(word.get()),
                    textArgument(word.get())};
  UINT argErr = 99;
  EXPECT_EQ(object.call(0x60030001, args, nullptr, &argErr), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(argErr, 1u);  // nCount, second from the end
  EXPECT_EQ(out.view(), u"kept");
  args[1] = raw(VT_R8);
  args[1].dblVal = 1e20;
  EXPECT_EQ(object.call(0x60030001, args, nullptr, &argErr), DISP_E_OVERFLOW);
  EXPECT_EQ(argErr, 1u);

  // An in/out parameter must come by reference, in its own type.
  args[1] = longArgument(1);
  args[0] = textArgument(out.get());
  EXPECT_EQ(object.call(0x60030001, args, nullptr, &argErr), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(argErr, 0u);
  LONG number = 0;
  args[0] = referenceArgument(VT_I4, &number);
  EXPECT_EQ(object.call(0x60030001, args), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(object.count, 0);  // the member never ran

  args[2] = raw(VT_ARRAY | VT_I4);
  args[0] = referenceArgument(VT_BSTR, out.address());
  EXPECT_EQ(object.call(0x60030001, args, nullptr, &argErr), DISP_E_BADVARTYPE);
  EXPECT_EQ(argErr, 2u);
}

TEST(TypeDescription, CountMemberAndKindAreChecked) {
  Sample object;
  VARIANT two[] = {longArgument(1), longArgument(2)};
  EXPECT_EQ(object.call(0x60030001, two), DISP_E_BADPARAMCOUNT);
  DISPPARAMS none{};
  EXPECT_EQ(object.invoke(0x60030001, &none), DISP_E_BADPARAMCOUNT);
  EXPECT_EQ(object.invoke(0x60030001, nullptr), DISP_E_BADPARAMCOUNT);
  EXPECT_EQ(object.invoke(0x60030004, &none), DISP_E_MEMBERNOTFOUND);  // unassigned id
  EXPECT_EQ(object.invoke(0x60030005, &none, nullptr, nullptr, nullptr, DISPATCH_PROPERTYPUT),
            DISP_E_MEMBERNOTFOUND);
  DISPPARAMS broken{nullptr, nullptr, 2, 0};
  EXPECT_EQ(object.invoke(0x60030002, &broken), E_INVALIDARG);
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

  // An Error whose number is no failure still fails.
  object.fail = [] { throw platform::Error(5, u"five"); };
  EXPECT_EQ(object.invoke(0x60030005, &none, nullptr, &info), DISP_E_EXCEPTION);
  EXPECT_EQ(info.scode, E_FAIL);
  EXPECT_EQ(platform::bstrView(info.bstrDescription), u"five");
  platform::clearExcepInfo(info);
  object.fail = [] { throw std::runtime_error("surprise"); };
  EXPECT_EQ(object.invoke(0x60030005, &none), E_UNEXPECTED);
  object.fail = [] { throw std::bad_alloc(); };
  EXPECT_EQ(object.invoke(0x60030005, &none), E_OUTOFMEMORY);
  // A dispatch error raised inside stays a dispatch error.
  object.fail = [] { platform::raise(platform::ErrorCode::kBadParamCount); };
  EXPECT_EQ(object.invoke(0x60030005, &none, nullptr, &info), DISP_E_BADPARAMCOUNT);
  EXPECT_EQ(info.bstrDescription, nullptr);
}

}  // namespace
