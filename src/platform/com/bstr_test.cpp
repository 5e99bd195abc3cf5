#include "platform/com/bstr.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(Bstr, LayoutIsAByteCountPrefixAndATrailingZero) {
  BSTR b = SysAllocString(u"Juvo");
  uint32_t prefix;
  std::memcpy(&prefix, reinterpret_cast<char*>(b) - 4, 4);
  EXPECT_EQ(prefix, 8u);
  EXPECT_EQ(SysStringLen(b), 4u);
  EXPECT_EQ(b[4], u'\0');
  SysFreeString(b);

  // Odd byte lengths keep every byte and are still terminated.
  b = SysAllocStringByteLen("abc", 3);
  EXPECT_EQ(SysStringByteLen(b), 3u);
  EXPECT_EQ(SysStringLen(b), 1u);
  EXPECT_EQ(std::memcmp(b, "abc\0\0", 5), 0);
  SysFreeString(b);
}

TEST(Bstr, EmbeddedZerosNullAndLengthOnlyAllocations) {
  const char16_t text[] = {u'a', 0, u'b'};
  BSTR b = SysAllocStringLen(text, 3);
  EXPECT_EQ(platform::bstrView(b), std::u16string_view(text, 3));
  BSTR prefix = SysAllocString(b);  // stops at the first zero
  EXPECT_EQ(SysStringLen(prefix), 1u);
  SysFreeString(prefix);
  SysFreeString(b);

  EXPECT_EQ(SysStringLen(nullptr), 0u);
  EXPECT_TRUE(platform::bstrView(nullptr).empty());
  EXPECT_EQ(SysAllocString(nullptr), nullptr);
  SysFreeString(nullptr);

  b = SysAllocStringLen(nullptr, 3);
  EXPECT_EQ(platform::bstrView(b), std::u16string_view(u"\0\0\0", 3));
  SysFreeString(b);
}

TEST(Bstr, ReallocationMayCopyFromItselfAndOwnersHandOver) {
  platform::Bstr owner(u"Messenger Plus");
  BSTR* slot = owner.address();  // as an in/out parameter
  ASSERT_EQ(SysReAllocString(slot, *slot + 10), 1);
  EXPECT_EQ(owner.view(), u"Plus");
  ASSERT_EQ(SysReAllocStringLen(slot, u"abcdef", 2), 1);
  EXPECT_EQ(owner.view(), u"ab");
  ASSERT_EQ(SysReAllocString(slot, nullptr), 1);
  EXPECT_NE(owner.get(), nullptr);
  EXPECT_EQ(SysReAllocString(nullptr, u"x"), 0);

  platform::Bstr moved = std::move(owner);
  EXPECT_EQ(owner.get(), nullptr);
  platform::Bstr adopted = platform::Bstr::adopt(moved.release());
  EXPECT_EQ(moved.get(), nullptr);
  EXPECT_EQ(adopted.view(), u"");
  EXPECT_NE(platform::Bstr(u"").get(), nullptr);
}

}  // namespace
