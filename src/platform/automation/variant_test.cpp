// Variants share their texts between copies: what that must not change.
#include "platform/automation/variant.h"

#include <gtest/gtest.h>

#include <string>

namespace platform {
namespace {

TEST(Variant, CopiesShareTheirTextAndCompareByContent) {
  const Variant page(std::u16string(100000, u'x'));
  const Variant copy = page;
  EXPECT_EQ(copy.string().data(), page.string().data());
  EXPECT_EQ(page.sharedText().buffer()->refs, 2u);
  EXPECT_EQ(Variant(u"abc"), Variant(std::u16string(u"abc")));
  EXPECT_NE(Variant(u"abc"), Variant(u"abd"));
  EXPECT_NE(Variant(u"1"), Variant(int32_t{1}));
}

TEST(Variant, TheEmptyTextIsATextWithoutABuffer) {
  const Variant empty(u"");
  EXPECT_TRUE(empty.isString());
  EXPECT_EQ(empty.type(), VarType::kString);
  EXPECT_TRUE(empty.string().empty());
  EXPECT_EQ(empty.sharedText().buffer(), nullptr);
  EXPECT_EQ(empty, Variant(std::u16string()));
  EXPECT_NE(empty, Variant());
}

TEST(Variant, ATextLivesAsLongAsItsLastHolder) {
  Variant kept;
  {
    const Variant first(u"long enough to leave the small-string buffer behind");
    kept = first;
    Variant moved = first;
    Variant target(int32_t{5});
    target = std::move(moved);
    EXPECT_EQ(first.sharedText().buffer()->refs, 3u);
  }
  EXPECT_EQ(kept.string(), u"long enough to leave the small-string buffer behind");
  EXPECT_EQ(kept.sharedText().buffer()->refs, 1u);
}

}  // namespace
}  // namespace platform
