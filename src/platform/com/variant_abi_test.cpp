#include "platform/com/variant_abi.h"

#include <gtest/gtest.h>

#include "platform/com/counted_objects.h"

namespace {

using platform::testing::CountedDispatch;
using platform::testing::CountedUnknown;

VARIANT stringVariant(std::u16string_view text) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_BSTR;
  v.bstrVal = platform::allocBstr(text);
  return v;
}

TEST(VariantAbi, InitMakesEmpty) {
  VARIANT v;
  v.vt = VT_I4;
  v.wReserved1 = 7;
  v.lVal = 12;
  VariantInit(&v);
  EXPECT_EQ(v.vt, VT_EMPTY);
  EXPECT_EQ(v.wReserved1, 0);
  EXPECT_EQ(v.lVal, 0);
}

TEST(VariantAbi, ClearReleasesWhatTheVariantOwns) {
  VARIANT text = stringVariant(u"owned");
  EXPECT_EQ(VariantClear(&text), S_OK);  // the BSTR is freed (a leak checker would say so)
  EXPECT_EQ(text.vt, VT_EMPTY);

  CountedDispatch object;
  object.AddRef();
  VARIANT holder;
  VariantInit(&holder);
  holder.vt = VT_DISPATCH;
  holder.pdispVal = &object;
  EXPECT_EQ(VariantClear(&holder), S_OK);
  EXPECT_EQ(object.references, 1u);

  VARIANT nothing;
  VariantInit(&nothing);
  nothing.vt = VT_UNKNOWN;
  nothing.punkVal = nullptr;
  EXPECT_EQ(VariantClear(&nothing), S_OK);
}

TEST(VariantAbi, ClearLeavesWhatAReferencePointsAt) {
  BSTR text = SysAllocString(u"caller's");
  VARIANT ref;
  VariantInit(&ref);
  ref.vt = VT_BYREF | VT_BSTR;
  ref.pbstrVal = &text;
  EXPECT_EQ(VariantClear(&ref), S_OK);
  EXPECT_EQ(ref.vt, VT_EMPTY);
  EXPECT_EQ(platform::bstrView(text), u"caller's");
  SysFreeString(text);

  CountedDispatch object;
  IDispatch* pointer = &object;
  ref.vt = VT_BYREF | VT_DISPATCH;
  ref.ppdispVal = &pointer;
  EXPECT_EQ(VariantClear(&ref), S_OK);
  EXPECT_EQ(object.references, 1u);
}

TEST(VariantAbi, TypesThatDoNotCrossAreRefusedAndLeftAlone) {
  for (VARTYPE vt : {VARTYPE(VT_ARRAY | VT_I4), VT_RECORD, VT_DECIMAL, VARTYPE(0x7F), VT_VARIANT,
                     VARTYPE(VT_BYREF | VT_EMPTY)}) {
    VARIANT v;
    VariantInit(&v);
    v.vt = vt;
    EXPECT_EQ(VariantClear(&v), DISP_E_BADVARTYPE) << vt;
    EXPECT_EQ(v.vt, vt);
    VARIANT copy;
    VariantInit(&copy);
    EXPECT_EQ(VariantCopy(&copy, &v), DISP_E_BADVARTYPE) << vt;
    EXPECT_EQ(copy.vt, VT_EMPTY);
  }
}

TEST(VariantAbi, CopyDuplicatesStringsExactly) {
  BSTR odd = SysAllocStringByteLen("a\0b", 3);
  VARIANT source;
  VariantInit(&source);
  source.vt = VT_BSTR;
  source.bstrVal = odd;
  VARIANT copy;
  VariantInit(&copy);
  ASSERT_EQ(VariantCopy(&copy, &source), S_OK);
  EXPECT_EQ(copy.vt, VT_BSTR);
  EXPECT_NE(copy.bstrVal, source.bstrVal);
  EXPECT_EQ(SysStringByteLen(copy.bstrVal), 3u);
  EXPECT_EQ(std::string_view(reinterpret_cast<char*>(copy.bstrVal), 3),
            std::string_view("a\0b", 3));
  // Each owns its own: clearing one leaves the other intact.
  VariantClear(&source);
  EXPECT_EQ(SysStringByteLen(copy.bstrVal), 3u);
  VariantClear(&copy);

  VARIANT nullText;
  VariantInit(&nullText);
  nullText.vt = VT_BSTR;
  nullText.bstrVal = nullptr;
  ASSERT_EQ(VariantCopy(&copy, &nullText), S_OK);
  EXPECT_EQ(copy.vt, VT_BSTR);
  EXPECT_EQ(copy.bstrVal, nullptr);
}

TEST(VariantAbi, CopyTakesAReferenceAndReleasesTheOldTarget) {
  CountedDispatch first;
  CountedDispatch second;
  VARIANT source;
  VariantInit(&source);
  source.vt = VT_DISPATCH;
  source.pdispVal = &first;
  VARIANT target;
  VariantInit(&target);
  ASSERT_EQ(VariantCopy(&target, &source), S_OK);
  EXPECT_EQ(first.references, 2u);

  second.AddRef();
  VARIANT other;
  VariantInit(&other);
  other.vt = VT_DISPATCH;
  other.pdispVal = &second;
  ASSERT_EQ(VariantCopy(&target, &other), S_OK);  // target held `first`
  EXPECT_EQ(first.references, 1u);
  EXPECT_EQ(second.references, 3u);
  VariantClear(&target);
  VariantClear(&other);
  EXPECT_EQ(second.references, 1u);

  // Copying onto itself changes nothing.
  VARIANT self = stringVariant(u"self");
  BSTR before = self.bstrVal;
  EXPECT_EQ(VariantCopy(&self, &self), S_OK);
  EXPECT_EQ(self.bstrVal, before);
  VariantClear(&self);
}

TEST(VariantAbi, CopyOfAReferenceSharesThePointer) {
  LONG value = 5;
  VARIANT ref;
  VariantInit(&ref);
  ref.vt = VT_BYREF | VT_I4;
  ref.plVal = &value;
  VARIANT copy;
  VariantInit(&copy);
  ASSERT_EQ(VariantCopy(&copy, &ref), S_OK);
  EXPECT_EQ(copy.vt, VT_BYREF | VT_I4);
  EXPECT_EQ(copy.plVal, &value);
}

TEST(VariantAbi, UnknownInterfacesAreCountedToo) {
  CountedUnknown object;
  VARIANT source;
  VariantInit(&source);
  source.vt = VT_UNKNOWN;
  source.punkVal = &object;
  VARIANT copy;
  VariantInit(&copy);
  ASSERT_EQ(VariantCopy(&copy, &source), S_OK);
  EXPECT_EQ(object.references, 2u);
  VariantClear(&copy);
  EXPECT_EQ(object.references, 1u);
}

TEST(VariantAbi, ExcepInfoClearFreesItsTexts) {
  EXCEPINFO info{};
  info.bstrDescription = SysAllocString(u"description");
  info.bstrSource = SysAllocString(u"source");
  info.scode = E_FAIL;
  platform::clearExcepInfo(info);
  EXPECT_EQ(info.bstrDescription, nullptr);
  EXPECT_EQ(info.bstrSource, nullptr);
  EXPECT_EQ(info.scode, 0);
}

}  // namespace
