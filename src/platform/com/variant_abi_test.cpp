#include "platform/com/variant_abi.h"

#include <gtest/gtest.h>

#include "platform/com/counted_objects.h"

namespace {

using platform::testing::CountedDispatch;

VARIANT raw(VARTYPE vt, void* pointer = nullptr) {
  VARIANT v;
  VariantInit(&v);
  v.vt = vt;
  v.byref = pointer;
  return v;
}

TEST(VariantAbi, ClearReleasesWhatTheVariantOwnsButNotWhatAReferencePointsAt) {
  VARIANT text = raw(VT_BSTR, platform::allocBstr(u"owned"));
  EXPECT_EQ(VariantClear(&text), S_OK);  // a leak checker would see the BSTR kept
  EXPECT_EQ(text.vt, VT_EMPTY);
  CountedDispatch object;
  object.AddRef();
  VARIANT holder = raw(VT_DISPATCH, static_cast<IDispatch*>(&object));
  EXPECT_EQ(VariantClear(&holder), S_OK);
  EXPECT_EQ(object.references, 1u);
  VARIANT nothing = raw(VT_UNKNOWN);
  EXPECT_EQ(VariantClear(&nothing), S_OK);

  BSTR callers = SysAllocString(u"caller's");
  VARIANT ref = raw(VT_BYREF | VT_BSTR, &callers);
  EXPECT_EQ(VariantClear(&ref), S_OK);
  EXPECT_EQ(ref.vt, VT_EMPTY);
  EXPECT_EQ(platform::bstrView(callers), u"caller's");
  SysFreeString(callers);
  IDispatch* pointer = &object;
  ref = raw(VT_BYREF | VT_DISPATCH, &pointer);
  EXPECT_EQ(VariantClear(&ref), S_OK);
  EXPECT_EQ(object.references, 1u);
}

TEST(VariantAbi, TypesThatDoNotCrossAreRefusedAndLeftAlone) {
  for (VARTYPE vt : {VARTYPE(VT_ARRAY | VT_I4), VT_RECORD, VT_DECIMAL, VARTYPE(0x7F), VT_VARIANT,
                     VARTYPE(VT_BYREF | VT_EMPTY)}) {
    VARIANT v = raw(vt);
    EXPECT_EQ(VariantClear(&v), DISP_E_BADVARTYPE) << vt;
    EXPECT_EQ(v.vt, vt);
    VARIANT copy = raw(VT_EMPTY);
    EXPECT_EQ(VariantCopy(&copy, &v), DISP_E_BADVARTYPE) << vt;
    EXPECT_EQ(copy.vt, VT_EMPTY);
  }
}

TEST(VariantAbi, CopyDuplicatesStringsExactly) {
  VARIANT source = raw(VT_BSTR, SysAllocStringByteLen("a\0b", 3));
  VARIANT copy = raw(VT_EMPTY);
  ASSERT_EQ(VariantCopy(&copy, &source), S_OK);
  EXPECT_NE(copy.bstrVal, source.bstrVal);
  VariantClear(&source);  // each owns its own
  ASSERT_EQ(copy.vt, VT_BSTR);
  EXPECT_EQ(std::string_view(reinterpret_cast<char*>(copy.bstrVal), SysStringByteLen(copy.bstrVal)),
            std::string_view("a\0b", 3));
  VariantClear(&copy);

  VARIANT nullText = raw(VT_BSTR);
  ASSERT_EQ(VariantCopy(&copy, &nullText), S_OK);
  EXPECT_EQ(copy.vt, VT_BSTR);
  EXPECT_EQ(copy.bstrVal, nullptr);
  // Copying onto itself changes nothing.
  VARIANT self = raw(VT_BSTR, platform::allocBstr(u"self"));
  BSTR before = self.bstrVal;
  EXPECT_EQ(VariantCopy(&self, &self), S_OK);
  EXPECT_EQ(self.bstrVal, before);
  VariantClear(&self);
}

TEST(VariantAbi, CopyCountsInterfacesAndSharesReferences) {
  CountedDispatch first, second;
  VARIANT target = raw(VT_EMPTY);
  VARIANT source = raw(VT_DISPATCH, static_cast<IDispatch*>(&first));
  ASSERT_EQ(VariantCopy(&target, &source), S_OK);
  EXPECT_EQ(first.references, 2u);
  VARIANT other = raw(VT_DISPATCH, static_cast<IDispatch*>(&second));
  ASSERT_EQ(VariantCopy(&target, &other), S_OK);  // target held `first`
  EXPECT_EQ(first.references, 1u);
  EXPECT_EQ(second.references, 2u);
  VariantClear(&target);
  EXPECT_EQ(second.references, 1u);

  LONG value = 5;
  VARIANT ref = raw(VT_BYREF | VT_I4, &value);
  ASSERT_EQ(VariantCopy(&target, &ref), S_OK);
  EXPECT_EQ(target.vt, VT_BYREF | VT_I4);
  EXPECT_EQ(target.plVal, &value);
}

}  // namespace
