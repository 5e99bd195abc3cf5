// Values crossing to Variants and back: every kind keeps its value, and texts are shared, not
// copied, so that a page handed to a built-in or a host object costs nothing per call.
#include "vbscript/value.h"

#include <gtest/gtest.h>

#include <string>

namespace vbscript {
namespace {

TEST(Value, EveryKindCrossesToAVariantAndBack) {
  const Value values[] = {
      Value(),
      Value::null(),
      Value::boolean(true),
      Value::integer(-7),
      Value::longValue(70000),
      Value::single(1.5f),
      Value::dbl(2.25),
      Value::currency(12345),
      Value::date(45351.5),
      Value::byte(200),
      Value::error(5),
      Value::string(std::u16string(u"text")),
      Value::string(std::u16string()),
      Value::nothing(),
  };
  for (const Value& value : values) {
    SCOPED_TRACE(varType(value));
    const platform::Variant variant = toVariant(value);
    EXPECT_EQ(static_cast<uint16_t>(variant.type()), varType(value));
    EXPECT_TRUE(sameValue(fromVariant(variant), value));
  }
}

TEST(Value, TextsCrossWithoutACopy) {
  const Value page = Value::string(std::u16string(200000, u'a'));
  const platform::Variant variant = toVariant(page);
  EXPECT_EQ(variant.string().data(), page.asString().data());
  EXPECT_EQ(toSharedVariant(page).string().data(), page.asString().data());
  const Value back = fromVariant(variant);
  EXPECT_EQ(back.asString().data(), page.asString().data());
  EXPECT_EQ(page.stringRep()->refs, 3u);

  // Appending in place copies first while anyone else holds the text.
  Value appended = back;
  appended.ownString() += u"!";
  EXPECT_EQ(page.asString().size(), 200000u);
  EXPECT_EQ(variant.string().size(), 200000u);
  EXPECT_EQ(appended.asString().size(), 200001u);
  Value alone = Value::string(std::u16string(100, u'b'));
  const StringRep* before = alone.stringRep();
  alone.ownString() += u"c";
  EXPECT_EQ(alone.stringRep(), before);  // the only holder appends in place
}

}  // namespace
}  // namespace vbscript
