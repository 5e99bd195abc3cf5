#include "engine/cengine.h"

#include <gtest/gtest.h>

#include <vector>

#include "engine/engine_test_fixture.h"
#include "platform/automation/dispatch_object.h"

namespace juvo {
namespace {

using platform::ErrorCode;
using platform::Variant;
using testing::errorNumberOf;
using testing::numberOf;

class CengineTest : public testing::EngineTest {
 protected:
  Variant invoke(std::u16string_view name, uint16_t kind, std::vector<Variant> args = {}) {
    return platform::invokeByName(engine, name, kind, args);
  }
  Variant get(std::u16string_view name) { return invoke(name, platform::kPropertyGet); }

  cengine engine{test.shared, *this};
};

TEST_F(CengineTest, StartsWithTheStringTablesDefaultsAndNeedsOne) {
  EXPECT_EQ(get(u"help"), Variant(u"No help found"));
  EXPECT_EQ(get(u"description"), Variant(u"No description found"));
  EXPECT_EQ(get(u"syntax"), Variant(u"No syntax found"));
  EXPECT_EQ(get(u"argument"), Variant(u""));
  EXPECT_EQ(get(u"document"), Variant(u""));
  EXPECT_EQ(get(u"ret"), Variant(u""));
  EXPECT_EQ(get(u"globals"), Variant::nothing());
  test.shared.lang.reset();
  EXPECT_EQ(errorNumberOf([&] { cengine orphan(test.shared, *this); }),
            numberOf(ErrorCode::kObjectVariableNotSet));
}

TEST_F(CengineTest, TextsRefuseNullAndTheResultIsReadOnly) {
  EXPECT_EQ(errorNumberOf([&] { invoke(u"help", platform::kPropertyPut, {Variant::null()}); }),
            numberOf(ErrorCode::kInvalidUseOfNull));
  EXPECT_NE(errorNumberOf([&] { invoke(u"ret", platform::kPropertyPut, {Variant(u"forged")}); }),
            0);
  EXPECT_EQ(engine.help(), u"No help found");
  EXPECT_EQ(engine.ret(), u"");
}

TEST_F(CengineTest, AlertShowsAPlainBoxOfItsOwn) {
  invoke(u"alert", platform::kMethod, {Variant(u"hello")});
  ASSERT_EQ(shown().size(), 1u);
  testing::expectOkBox(shown()[0], u"hello", u"Parser script message");
}

}  // namespace
}  // namespace juvo
