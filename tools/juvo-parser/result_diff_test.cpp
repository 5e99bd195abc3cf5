#include "result_diff.h"

#include <gtest/gtest.h>

namespace juvo::tool {
namespace {

using Lines = std::vector<std::u16string>;

TEST(ResultDiff, OneLineShowsBothWithACaretAtTheFirstDifference) {
  EXPECT_EQ(describeDifference(u"Hello, World", u"Hello World"),
            (Lines{u"expected: Hello, World", u"actual:   Hello World",
                   u"               ^ first difference at character 6"}));
  EXPECT_EQ(describeDifference(u"Hello", u"Hello!"),
            (Lines{u"expected: Hello", u"actual:   Hello!",
                   u"               ^ first difference at character 6"}));
  EXPECT_EQ(describeDifference(u"Hello", u""), (Lines{u"expected: Hello", u"actual:   (nothing)"}));
}

TEST(ResultDiff, SeveralLinesShowALineDiffWithLittleContext) {
  EXPECT_EQ(describeDifference(u"a\nb\nc\nd\ne\nf\ng\nh", u"a\nb\nc\nd\nE\nf\ng\nh\ni"),
            (Lines{u"  ...", u"  c", u"  d", u"- e", u"+ E", u"  f", u"  g", u"  h", u"+ i"}));
  EXPECT_EQ(describeDifference(u"one", u"one\ntwo"), (Lines{u"  one", u"+ two"}));
  EXPECT_EQ(describeDifference(u"x\n...\ny", u"x\n...\nz"),
            (Lines{u"  x", u"  ...", u"- y", u"+ z"}));
}

}  // namespace
}  // namespace juvo::tool
