#include "platform/com/bstr.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/base/error.h"

namespace {

TEST(Bstr, LengthPrefixHoldsTheByteCountAndAZeroFollows) {
  BSTR b = SysAllocString(u"Juvo");
  ASSERT_NE(b, nullptr);
  uint32_t prefix;
  std::memcpy(&prefix, reinterpret_cast<char*>(b) - 4, 4);
  EXPECT_EQ(prefix, 8u);
  EXPECT_EQ(SysStringLen(b), 4u);
  EXPECT_EQ(SysStringByteLen(b), 8u);
  EXPECT_EQ(b[4], u'\0');
  EXPECT_EQ(platform::bstrView(b), u"Juvo");
  SysFreeString(b);
}

TEST(Bstr, EmbeddedZerosCountAndSurviveCopies) {
  const char16_t text[] = {u'a', 0, u'b', 0, u'c'};
  BSTR b = SysAllocStringLen(text, 5);
  EXPECT_EQ(SysStringLen(b), 5u);
  EXPECT_EQ(platform::bstrView(b), std::u16string_view(text, 5));
  // The zero-terminated view of a BSTR stops at the first zero; SysAllocString copies that.
  BSTR prefix = SysAllocString(b);
  EXPECT_EQ(SysStringLen(prefix), 1u);
  SysFreeString(prefix);
  SysFreeString(b);
}

TEST(Bstr, NullIsTheEmptyString) {
  EXPECT_EQ(SysStringLen(nullptr), 0u);
  EXPECT_EQ(SysStringByteLen(nullptr), 0u);
  EXPECT_TRUE(platform::bstrView(nullptr).empty());
  EXPECT_EQ(SysAllocString(nullptr), nullptr);
  SysFreeString(nullptr);  // harmless
}

TEST(Bstr, LengthOnlyAllocationsAreZeroed) {
  BSTR chars = SysAllocStringLen(nullptr, 3);
  EXPECT_EQ(platform::bstrView(chars), std::u16string_view(u"\0\0\0", 3));
  SysFreeString(chars);
  BSTR empty = SysAllocStringLen(u"ignored", 0);
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(SysStringLen(empty), 0u);
  EXPECT_EQ(empty[0], u'\0');
  SysFreeString(empty);
}

TEST(Bstr, OddByteLengthsKeepEveryByte) {
  BSTR b = SysAllocStringByteLen("abc", 3);
  EXPECT_EQ(SysStringByteLen(b), 3u);
  EXPECT_EQ(SysStringLen(b), 1u);
  EXPECT_EQ(std::memcmp(b, "abc", 3), 0);
  // Terminated after the odd byte too, so no read runs off its end.
  EXPECT_EQ(reinterpret_cast<char*>(b)[3], '\0');
  EXPECT_EQ(reinterpret_cast<char*>(b)[4], '\0');
  SysFreeString(b);
}

TEST(Bstr, ReallocationReplacesAndMayCopyFromItself) {
  BSTR b = SysAllocString(u"Messenger Plus");
  ASSERT_EQ(SysReAllocString(&b, b + 10), 1);  // "Plus", from inside the old string
  EXPECT_EQ(platform::bstrView(b), u"Plus");
  ASSERT_EQ(SysReAllocString(&b, nullptr), 1);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(SysStringLen(b), 0u);
  ASSERT_EQ(SysReAllocStringLen(&b, u"abcdef", 2), 1);
  EXPECT_EQ(platform::bstrView(b), u"ab");
  EXPECT_EQ(SysReAllocString(nullptr, u"x"), 0);
  SysFreeString(b);
}

TEST(Bstr, OwnerFreesAndHandsOver) {
  platform::Bstr owner(u"one");
  EXPECT_EQ(owner.view(), u"one");
  // As an in/out parameter: the callee replaces what the owner holds.
  BSTR* slot = owner.address();
  ASSERT_EQ(SysReAllocString(slot, u"two"), 1);
  EXPECT_EQ(owner.view(), u"two");
  platform::Bstr moved = std::move(owner);
  EXPECT_EQ(owner.get(), nullptr);
  EXPECT_EQ(moved.view(), u"two");
  BSTR taken = moved.release();
  EXPECT_EQ(moved.get(), nullptr);
  platform::Bstr adopted = platform::Bstr::adopt(taken);
  EXPECT_EQ(adopted.view(), u"two");
  EXPECT_EQ(platform::Bstr(u"").view(), u"");
  EXPECT_NE(platform::Bstr(u"").get(), nullptr);
}

}  // namespace
