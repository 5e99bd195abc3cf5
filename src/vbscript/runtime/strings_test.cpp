#include <gtest/gtest.h>

#include <memory>

#include "vbscript/runtime/builtin_testing.h"

namespace vbscript {
namespace {

using platform::Variant;
using testing::i16;
using testing::i32;

class Strings : public testing::BuiltinTest {};

const Variant kNull = Variant::null();
const Variant kText = Variant(u"Hello World");

Variant list(std::vector<Variant> elements) {
  auto array = std::make_shared<platform::VariantArray>();
  array->bounds.push_back({0, static_cast<int32_t>(elements.size())});
  array->elements = std::move(elements);
  return Variant(array);
}

Variant texts(std::initializer_list<std::u16string_view> items) {
  std::vector<Variant> elements;
  for (std::u16string_view item : items)
    elements.emplace_back(item);
  return list(std::move(elements));
}

TEST_F(Strings, CharactersAndTheirCodes) {
  checkAll({
      {u"Asc", {Variant(u"A")}, i16(65)},
      {u"Asc", {Variant(u"abc")}, i16(97)},
      {u"Asc", {Variant(u"\u20ac")}, i16(128)},
      {u"Asc", {Variant(u"\u00e9")}, i16(233)},
      {u"Asc", {Variant(u"\u4e00")}, i16(63)},
      {u"Asc", {i16(7)}, i16(55)},
      {u"Asc", {Variant(u"")}, {}, 5},
      {u"Asc", {kNull}, {}, 94},
      {u"AscW", {Variant(u"\u20ac")}, i16(0x20ac)},
      {u"AscW", {Variant(u"\uffff")}, i16(-1)},
      {u"AscB", {Variant(u"\u20ac")}, i16(0xac)},
      {u"AscW", {Variant(u"")}, {}, 5},
      {u"Chr", {i16(65)}, Variant(u"A")},
      {u"Chr", {i16(128)}, Variant(u"\u20ac")},
      {u"Chr", {i16(233)}, Variant(u"\u00e9")},
      {u"Chr", {Variant(65.5)}, Variant(u"B")},
      {u"Chr", {i16(256)}, {}, 5},
      {u"Chr", {i16(-1)}, {}, 5},
      {u"Chr", {kNull}, {}, 94},
      {u"ChrW", {i32(0x4e00)}, Variant(u"\u4e00")},
      {u"ChrW", {i16(-1)}, Variant(u"\uffff")},
      {u"ChrW", {i32(65536)}, {}, 5},
      {u"ChrB", {i16(200)}, Variant(u"\u00c8")},
  });
  check({u"Chr", {i16(0)}, Variant(std::u16string(1, u'\0'))});
}

TEST_F(Strings, InStrFindsFromAStartWithEitherComparison) {
  checkAll({
      {u"InStr", {kText, Variant(u"o")}, i32(5)},
      {u"InStr", {i16(6), kText, Variant(u"o")}, i32(8)},
      {u"InStr", {i16(9), kText, Variant(u"o")}, i32(0)},
      {u"InStr", {kText, Variant(u"WORLD")}, i32(0)},
      {u"InStr", {i16(1), kText, Variant(u"WORLD"), i16(1)}, i32(7)},
      {u"InStr", {i16(1), kText, Variant(u"WORLD"), i16(0)}, i32(0)},
      {u"InStr", {kText, Variant(u"")}, i32(1)},
      {u"InStr", {i16(4), kText, Variant(u"")}, i32(4)},
      {u"InStr", {i16(50), kText, Variant(u"")}, i32(0)},
      {u"InStr", {Variant(u""), Variant(u"a")}, i32(0)},
      {u"InStr", {Variant(u""), Variant(u"")}, i32(0)},
      {u"InStr", {i16(50), kText, Variant(u"o")}, i32(0)},
      {u"InStr", {kNull, Variant(u"a")}, kNull},
      {u"InStr", {kText, kNull}, kNull},
      {u"InStr", {i16(0), kText, Variant(u"o")}, {}, 5},
      {u"InStr", {i16(-1), kText, Variant(u"o")}, {}, 5},
      {u"InStr", {kNull, kText, Variant(u"o")}, {}, 94},
      {u"InStr", {i16(1), kText, Variant(u"o"), i16(2)}, {}, 5},
      {u"InStr", {i16(123), i16(2)}, i32(2)},
      {u"InStrRev", {kText, Variant(u"o")}, i32(8)},
      {u"InStrRev", {kText, Variant(u"o"), i16(7)}, i32(5)},
      {u"InStrRev", {kText, Variant(u"o"), i16(5)}, i32(5)},
      {u"InStrRev", {kText, Variant(u"o"), i16(4)}, i32(0)},
      {u"InStrRev", {kText, Variant(u"O"), i16(-1), i16(1)}, i32(8)},
      {u"InStrRev", {kText, Variant(u"")}, i32(11)},
      {u"InStrRev", {kText, Variant(u""), i16(3)}, i32(3)},
      {u"InStrRev", {kText, Variant(u""), i16(12)}, i32(0)},
      {u"InStrRev", {kText, Variant(u"o"), i16(12)}, i32(0)},
      {u"InStrRev", {Variant(u""), Variant(u"a")}, i32(0)},
      {u"InStrRev", {kNull, Variant(u"a")}, kNull},
      {u"InStrRev", {kText, Variant(u"o"), i16(0)}, {}, 5},
      {u"InStrRev", {kText, Variant(u"o"), i16(-2)}, {}, 5},
  });
}

TEST_F(Strings, CuttingWithPositionsAndLengths) {
  checkAll({
      {u"Left", {kText, i16(5)}, Variant(u"Hello")},
      {u"Left", {kText, i16(0)}, Variant(u"")},
      {u"Left", {kText, i16(99)}, kText},
      {u"Left", {kText, i16(-1)}, {}, 5},
      {u"Left", {kNull, i16(2)}, kNull},
      {u"Left", {kText, kNull}, {}, 94},
      {u"Left", {i32(12345), Variant(2.5)}, Variant(u"12")},
      {u"Right", {kText, i16(5)}, Variant(u"World")},
      {u"Right", {kText, i16(99)}, kText},
      {u"Right", {kText, i16(-1)}, {}, 5},
      {u"Right", {kNull, i16(1)}, kNull},
      {u"Mid", {kText, i16(7)}, Variant(u"World")},
      {u"Mid", {kText, i16(7), i16(3)}, Variant(u"Wor")},
      {u"Mid", {kText, i16(11), i16(5)}, Variant(u"d")},
      {u"Mid", {kText, i16(12)}, Variant(u"")},
      {u"Mid", {kText, i16(1), i16(0)}, Variant(u"")},
      {u"Mid", {kText, i16(0)}, {}, 5},
      {u"Mid", {kText, i16(1), i16(-1)}, {}, 5},
      {u"Mid", {kNull, i16(1)}, kNull},
      {u"Mid", {kText, kNull}, {}, 94},
      {u"Mid", {Variant(), i16(1)}, Variant(u"")},
      {u"Len", {kText}, i32(11)},
      {u"LCase", {kText}, Variant(u"hello world")},
      {u"UCase", {Variant(u"stra\u00dfe \u00e9")}, Variant(u"STRA\u00dfE \u00c9")},
      {u"LCase", {kNull}, kNull},
      {u"UCase", {Variant(true)}, Variant(u"TRUE")},
      {u"Trim", {Variant(u"  a b  ")}, Variant(u"a b")},
      {u"LTrim", {Variant(u"  a b  ")}, Variant(u"a b  ")},
      {u"RTrim", {Variant(u"  a b  ")}, Variant(u"  a b")},
      {u"Trim", {Variant(u"\ta\t")}, Variant(u"\ta\t")},
      {u"Trim", {kNull}, kNull},
      {u"Space", {i16(3)}, Variant(u"   ")},
      {u"Space", {i16(0)}, Variant(u"")},
      {u"Space", {i16(-1)}, {}, 5},
      {u"Space", {kNull}, {}, 94},
      {u"Space", {i32(2000000000)}, {}, 7},
      {u"String", {i16(3), Variant(u"xyz")}, Variant(u"xxx")},
      {u"String", {i16(3), i16(65)}, Variant(u"AAA")},
      {u"String", {i16(2), i32(321)}, Variant(u"AA")},
      {u"String", {i16(3), Variant(u"")}, {}, 5},
      {u"String", {i16(3), kNull}, kNull},
      {u"String", {i16(-1), Variant(u"a")}, {}, 5},
      {u"StrReverse", {Variant(u"abc")}, Variant(u"cba")},
      {u"StrReverse", {Variant(u"")}, Variant(u"")},
      {u"StrReverse", {kNull}, {}, 94},
  });
}

TEST_F(Strings, StrCompOrdersWithEitherComparison) {
  checkAll({
      {u"StrComp", {Variant(u"abc"), Variant(u"abc")}, i16(0)},
      {u"StrComp", {Variant(u"abc"), Variant(u"ABC")}, i16(1)},
      {u"StrComp", {Variant(u"abc"), Variant(u"ABC"), i16(1)}, i16(0)},
      {u"StrComp", {Variant(u"a"), Variant(u"B"), i16(0)}, i16(1)},
      {u"StrComp", {Variant(u"a"), Variant(u"B"), i16(1)}, i16(-1)},
      {u"StrComp", {Variant(u"ab"), Variant(u"abc")}, i16(-1)},
      {u"StrComp", {Variant(u""), Variant()}, i16(0)},
      {u"StrComp", {kNull, Variant(u"a")}, kNull},
      {u"StrComp", {Variant(u"a"), Variant(u"a"), i16(3)}, {}, 5},
  });
}

TEST_F(Strings, ReplaceBeginsAtItsStartAndCounts) {
  checkAll({
      {u"Replace", {Variant(u"a-b-c"), Variant(u"-"), Variant(u"+")}, Variant(u"a+b+c")},
      {u"Replace", {Variant(u"aXbxc"), Variant(u"x"), Variant(u"")}, Variant(u"aXbc")},
      {u"Replace",
       {Variant(u"aXbxc"), Variant(u"x"), Variant(u"."), i16(1), i16(-1), i16(1)},
       Variant(u"a.b.c")},
      {u"Replace", {Variant(u"abcabc"), Variant(u"a"), Variant(u"x"), i16(3)}, Variant(u"cxbc")},
      {u"Replace",
       {Variant(u"aaa"), Variant(u"a"), Variant(u"b"), i16(1), i16(2)},
       Variant(u"bba")},
      {u"Replace",
       {Variant(u"aaa"), Variant(u"a"), Variant(u"b"), i16(1), i16(0)},
       Variant(u"aaa")},
      {u"Replace", {Variant(u"abc"), Variant(u""), Variant(u"x")}, Variant(u"abc")},
      {u"Replace", {Variant(u"abc"), Variant(u""), Variant(u"x"), i16(2)}, Variant(u"bc")},
      {u"Replace", {Variant(u"abc"), Variant(u"b"), Variant(u"x"), i16(4)}, Variant(u"")},
      {u"Replace", {Variant(u""), Variant(u"a"), Variant(u"b")}, Variant(u"")},
      {u"Replace", {Variant(u"aaaa"), Variant(u"aa"), Variant(u"a")}, Variant(u"aa")},
      {u"Replace", {Variant(u"abc"), Variant(u"b"), Variant(u"x"), i16(0)}, {}, 5},
      {u"Replace", {Variant(u"abc"), Variant(u"b"), Variant(u"x"), i16(1), i16(-2)}, {}, 5},
      {u"Replace", {kNull, Variant(u"a"), Variant(u"b")}, {}, 94},
      {u"Replace", {i32(1001), i16(0), i16(9)}, Variant(u"1991")},
  });
}

TEST_F(Strings, SplitJoinAndFilterWorkOnLists) {
  checkAll({
      {u"UBound", {call(u"Split", {Variant(u"a,b,,c"), Variant(u",")})}, i32(3)},
      {u"UBound", {call(u"Split", {Variant(u"")})}, i32(-1)},
      {u"UBound", {call(u"Split", {Variant(u"abc"), Variant(u"")})}, i32(0)},
      {u"UBound", {call(u"Split", {Variant(u"a b c"), Variant(u" "), i16(0)})}, i32(-1)},
      {u"Join", {call(u"Split", {Variant(u"a b  c")}), Variant(u"|")}, Variant(u"a|b||c")},
      {u"Join",
       {call(u"Split", {Variant(u"a,b,c,d"), Variant(u","), i16(2)}), Variant(u"|")},
       Variant(u"a|b,c,d")},
      {u"Join",
       {call(u"Split", {Variant(u"aXbxc"), Variant(u"x"), i16(-1), i16(1)}), Variant(u"|")},
       Variant(u"a|b|c")},
      {u"Join",
       {call(u"Split", {Variant(u"aXbxc"), Variant(u"x")}), Variant(u"|")},
       Variant(u"aXb|c")},
      {u"Split", {Variant(u"a"), Variant(u","), i16(-2)}, {}, 5},
      {u"Split", {kNull}, {}, 94},
      {u"Join", {texts({u"a", u"b"})}, Variant(u"a b")},
      {u"Join", {texts({u"a", u"b"}), Variant(u"")}, Variant(u"ab")},
      {u"Join", {list({i16(1), Variant(true), Variant()}), Variant(u",")}, Variant(u"1,True,")},
      {u"Join", {texts({})}, Variant(u"")},
      {u"Join", {Variant(u"a,b")}, {}, 13},
      {u"Join", {list({kNull})}, {}, 94},
      {u"Join",
       {call(u"Filter", {texts({u"apple", u"Banana", u"cherry"}), Variant(u"an")}), Variant(u",")},
       Variant(u"Banana")},
      {u"Join",
       {call(u"Filter",
             {texts({u"apple", u"Banana", u"cherry"}), Variant(u"A"), Variant(true), i16(1)}),
        Variant(u",")},
       Variant(u"apple,Banana")},
      {u"Join",
       {call(u"Filter", {texts({u"apple", u"Banana", u"cherry"}), Variant(u"an"), Variant(false)}),
        Variant(u",")},
       Variant(u"apple,cherry")},
      {u"UBound", {call(u"Filter", {texts({u"a"}), Variant(u"z")})}, i32(-1)},
      {u"Filter", {Variant(u"abc"), Variant(u"a")}, {}, 13},
      {u"Filter", {texts({u"a"}), kNull}, {}, 94},
  });
  const Variant parts = call(u"Split", {Variant(u"x y")});
  ASSERT_TRUE(parts.isArray());
  EXPECT_EQ(parts.array()->bounds[0].lower, 0);
  EXPECT_EQ(parts.array()->elements[1], Variant(u"y"));
}

TEST_F(Strings, EscapeAndUnescapeAsJScriptDoes) {
  checkAll({
      {u"Escape", {Variant(u"a b&c/d.e@f*g_h+i-j")}, Variant(u"a%20b%26c/d.e@f*g_h+i-j")},
      {u"Escape", {Variant(u"\u00e9\u20ac")}, Variant(u"%E9%u20AC")},
      {u"Escape", {kNull}, kNull},
      {u"Unescape", {Variant(u"a%20b%E9%u20AC")}, Variant(u"a b\u00e9\u20ac")},
      {u"Unescape", {Variant(u"100%")}, Variant(u"100%")},
      {u"Unescape", {Variant(u"%zz%u12")}, Variant(u"%zz%u12")},
      {u"Unescape", {Variant(u"%u12%41")}, Variant(u"%u12A")},
      {u"Unescape", {kNull}, kNull},
  });
}

TEST_F(Strings, NumbersBecomeTextInTheEnginesLocale) {
  ASSERT_TRUE(useLocale("nl_NL.UTF-8"));
  checkAll({
      {u"Len", {Variant(2.5)}, i32(3)},
      {u"Left", {Variant(2.5), i16(2)}, Variant(u"2,")},
      {u"InStr", {Variant(12.25), Variant(u",")}, i32(3)},
      {u"Replace", {Variant(1.5), Variant(u","), Variant(u".")}, Variant(u"1.5")},
  });
}

}  // namespace
}  // namespace vbscript
