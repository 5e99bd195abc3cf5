#include "vbscript/runtime/builtins.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "platform/base/text.h"
#include "vbscript/runtime/builtin_testing.h"

namespace vbscript {
namespace {

using platform::Variant;
using testing::i16;
using testing::i32;

TEST(BuiltinTable, FindsFunctionsWithoutRegardToCase) {
  for (std::u16string_view name : {u"len", u"LEN", u"Len", u"lEn"}) {
    const Builtin* builtin = findBuiltin(name);
    ASSERT_NE(builtin, nullptr);
    EXPECT_EQ(builtin->name, u"Len");
  }
  EXPECT_EQ(findBuiltin(u"InStrRev") == nullptr, findBuiltin(u"instrrev") == nullptr);
  EXPECT_EQ(findBuiltin(u"NoSuchFunction"), nullptr);
  EXPECT_EQ(findBuiltin(u""), nullptr);
  EXPECT_EQ(findBuiltin(u"L\u00c9N"), nullptr);
}

TEST(BuiltinTable, NamesAreUniqueAndArgumentCountsSound) {
  std::set<std::u16string> seen;
  for (const Builtin& builtin : builtins()) {
    SCOPED_TRACE(platform::toUtf8(builtin.name));
    EXPECT_TRUE(seen.insert(platform::toLower(builtin.name)).second) << "listed twice";
    EXPECT_LE(builtin.minArgs, builtin.maxArgs);
    EXPECT_NE(builtin.body, nullptr);
    EXPECT_EQ(findBuiltin(builtin.name), &builtin);
  }
}

TEST(BuiltinTable, TheInterpretersOwnFunctionsAreNotHere) {
  for (std::u16string_view name : {u"Eval", u"Execute", u"GetRef", u"CreateObject", u"Err"})
    EXPECT_EQ(findBuiltin(name), nullptr) << platform::toUtf8(name);
}

TEST(BuiltinConstants, HaveTheirDocumentedValuesAndKinds) {
  const struct {
    std::u16string_view name;
    Variant value;
  } rows[] = {
      {u"vbCrLf", Variant(u"\r\n")},
      {u"VBCRLF", Variant(u"\r\n")},
      {u"vbNewLine", Variant(u"\r\n")},
      {u"vbNullChar", Variant(std::u16string(1, u'\0'))},
      {u"vbNullString", Variant(u"")},
      {u"vbTab", Variant(u"\t")},
      {u"vbTextCompare", i16(1)},
      {u"vbSaturday", i16(7)},
      {u"vbFirstFourDays", i16(2)},
      {u"vbShortTime", i16(4)},
      {u"vbUseDefault", i16(-2)},
      {u"vbYesNoCancel", i16(3)},
      {u"vbExclamation", i16(48)},
      {u"vbDefaultButton3", i16(512)},
      {u"vbNo", i16(7)},
      {u"vbArray", i16(8192)},
      {u"vbByte", i16(17)},
      {u"vbWhite", i32(0xFFFFFF)},
      {u"vbRed", i32(0xFF)},
      {u"vbObjectError", i32(static_cast<int32_t>(0x80040000))},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(platform::toUtf8(row.name));
    const Variant* value = findBuiltinConstant(row.name);
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(*value, row.value);
  }
  EXPECT_EQ(findBuiltinConstant(u"vbNothing"), nullptr);
  EXPECT_EQ(findBuiltinConstant(u"Len"), nullptr);
}

}  // namespace
}  // namespace vbscript
