// The vb... constants of the language reference. Values that fit 16 bits are Integers, the
// others Longs, as the literals that would spell them are.
#include <cstdint>
#include <vector>

#include "vbscript/runtime/families.h"

namespace vbscript {

namespace {

using platform::Variant;

Variant integer(int value) {
  return Variant(static_cast<int16_t>(value));
}

Variant longValue(int32_t value) {
  return Variant(value);
}

std::vector<NamedConstant> makeConstants() {
  return {
      // Strings
      {u"vbCr", Variant(u"\r")},
      {u"vbLf", Variant(u"\n")},
      {u"vbCrLf", Variant(u"\r\n")},
      {u"vbNewLine", Variant(u"\r\n")},
      {u"vbTab", Variant(u"\t")},
      {u"vbFormFeed", Variant(u"\f")},
      {u"vbVerticalTab", Variant(u"\v")},
      {u"vbNullChar", Variant(std::u16string(1, u'\0'))},
      {u"vbNullString", Variant(u"")},
      // Comparison
      {u"vbBinaryCompare", integer(0)},
      {u"vbTextCompare", integer(1)},
      {u"vbDatabaseCompare", integer(2)},
      // Days of the week and the first week of the year
      {u"vbUseSystemDayOfWeek", integer(0)},
      {u"vbSunday", integer(1)},
      {u"vbMonday", integer(2)},
      {u"vbTuesday", integer(3)},
      {u"vbWednesday", integer(4)},
      {u"vbThursday", integer(5)},
      {u"vbFriday", integer(6)},
      {u"vbSaturday", integer(7)},
      {u"vbUseSystem", integer(0)},
      {u"vbFirstJan1", integer(1)},
      {u"vbFirstFourDays", integer(2)},
      {u"vbFirstFullWeek", integer(3)},
      // Date formats
      {u"vbGeneralDate", integer(0)},
      {u"vbLongDate", integer(1)},
      {u"vbShortDate", integer(2)},
      {u"vbLongTime", integer(3)},
      {u"vbShortTime", integer(4)},
      // Tristate
      {u"vbUseDefault", integer(-2)},
      {u"vbTrue", integer(-1)},
      {u"vbFalse", integer(0)},
      // Message box buttons, icons, defaults and modality
      {u"vbOKOnly", integer(0)},
      {u"vbOKCancel", integer(1)},
      {u"vbAbortRetryIgnore", integer(2)},
      {u"vbYesNoCancel", integer(3)},
      {u"vbYesNo", integer(4)},
      {u"vbRetryCancel", integer(5)},
      {u"vbCritical", integer(16)},
      {u"vbQuestion", integer(32)},
      {u"vbExclamation", integer(48)},
      {u"vbInformation", integer(64)},
      {u"vbDefaultButton1", integer(0)},
      {u"vbDefaultButton2", integer(256)},
      {u"vbDefaultButton3", integer(512)},
      {u"vbDefaultButton4", integer(768)},
      {u"vbApplicationModal", integer(0)},
      {u"vbSystemModal", integer(4096)},
      // Message box answers
      {u"vbOK", integer(1)},
      {u"vbCancel", integer(2)},
      {u"vbAbort", integer(3)},
      {u"vbRetry", integer(4)},
      {u"vbIgnore", integer(5)},
      {u"vbYes", integer(6)},
      {u"vbNo", integer(7)},
      // VarType
      {u"vbEmpty", integer(0)},
      {u"vbNull", integer(1)},
      {u"vbInteger", integer(2)},
      {u"vbLong", integer(3)},
      {u"vbSingle", integer(4)},
      {u"vbDouble", integer(5)},
      {u"vbCurrency", integer(6)},
      {u"vbDate", integer(7)},
      {u"vbString", integer(8)},
      {u"vbObject", integer(9)},
      {u"vbError", integer(10)},
      {u"vbBoolean", integer(11)},
      {u"vbVariant", integer(12)},
      {u"vbDataObject", integer(13)},
      {u"vbDecimal", integer(14)},
      {u"vbByte", integer(17)},
      {u"vbArray", integer(8192)},
      // Colours
      {u"vbBlack", longValue(0x000000)},
      {u"vbRed", longValue(0x0000FF)},
      {u"vbGreen", longValue(0x00FF00)},
      {u"vbYellow", longValue(0x00FFFF)},
      {u"vbBlue", longValue(0xFF0000)},
      {u"vbMagenta", longValue(0xFF00FF)},
      {u"vbCyan", longValue(0xFFFF00)},
      {u"vbWhite", longValue(0xFFFFFF)},
      // The base of the error numbers objects raise
      {u"vbObjectError", longValue(static_cast<int32_t>(0x80040000))},
  };
}

}  // namespace

std::span<const NamedConstant> builtinConstants() {
  static const std::vector<NamedConstant> constants = makeConstants();
  return constants;
}

}  // namespace vbscript
