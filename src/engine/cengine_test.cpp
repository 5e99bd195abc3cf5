#include "engine/cengine.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "engine/engine_test_fixture.h"
#include "platform/automation/dispatch_object.h"

namespace juvo {
namespace {

using platform::ErrorCode;
using platform::InvokeKind;
using platform::Variant;
using testing::errorNumberOf;
using testing::numberOf;

class CengineTest : public testing::EngineTest {
 protected:
  Variant get(std::u16string_view name) {
    return platform::invokeByName(engine, name, platform::kPropertyGet, {});
  }
  void put(std::u16string_view name, Variant value, uint16_t kind = platform::kPropertyPut) {
    std::vector<Variant> args{std::move(value)};
    platform::invokeByName(engine, name, kind, args);
  }
  Variant call(std::u16string_view name, std::vector<Variant> args) {
    return platform::invokeByName(engine, name, platform::kMethod, args);
  }

  cengine engine{test.shared};
};

TEST_F(CengineTest, StartsWithTheStringTablesDefaults) {
  EXPECT_EQ(get(u"help"), Variant(u"No help found"));
  EXPECT_EQ(get(u"description"), Variant(u"No description found"));
  EXPECT_EQ(get(u"syntax"), Variant(u"No syntax found"));
  EXPECT_EQ(get(u"argument"), Variant(u""));
  EXPECT_EQ(get(u"document"), Variant(u""));
  EXPECT_EQ(get(u"ret"), Variant(u""));
  EXPECT_EQ(get(u"globals"), Variant::nothing());
  EXPECT_EQ(engine.typeName(), u"cengine");
}

TEST_F(CengineTest, NeedsAStringTable) {
  test.shared.lang.reset();
  EXPECT_EQ(errorNumberOf([&] { cengine orphan(test.shared); }),
            numberOf(ErrorCode::kObjectVariableNotSet));
}

TEST_F(CengineTest, TextMembersTakeAnyValueAsText) {
  put(u"HELP", Variant(int32_t{42}));
  put(u"syntax", Variant(true));
  put(u"Description", Variant(2.5));
  put(u"argument", Variant(u"Amsterdam"));
  put(u"document", Variant());
  EXPECT_EQ(engine.help(), u"42");
  EXPECT_EQ(engine.syntax(), u"True");
  EXPECT_EQ(engine.description(), u"2.5");
  EXPECT_EQ(engine.argument(), u"Amsterdam");
  EXPECT_EQ(engine.document(), u"");
}

TEST_F(CengineTest, BadValuesAndArgumentsAreErrorsOfTheCall) {
  EXPECT_EQ(errorNumberOf([&] { put(u"help", Variant::null()); }),
            numberOf(ErrorCode::kInvalidUseOfNull));
  EXPECT_EQ(engine.help(), u"No help found");
  EXPECT_EQ(errorNumberOf([&] { call(u"output", {}); }), numberOf(ErrorCode::kBadParamCount));
  EXPECT_EQ(errorNumberOf([&] {
              call(u"output", {Variant(u"a"), Variant(u"b")});
            }),
            numberOf(ErrorCode::kBadParamCount));
  EXPECT_EQ(errorNumberOf([&] { call(u"alert", {}); }), numberOf(ErrorCode::kBadParamCount));
  EXPECT_EQ(errorNumberOf([&] { call(u"output", {Variant::null()}); }),
            numberOf(ErrorCode::kInvalidUseOfNull));
  std::vector<Variant> index{Variant(int32_t{1})};
  EXPECT_EQ(errorNumberOf(
                [&] { platform::invokeByName(engine, u"help", platform::kPropertyGet, index); }),
            numberOf(ErrorCode::kBadParamCount));
  EXPECT_NE(errorNumberOf([&] { put(u"ret", Variant(u"forged")); }), 0);
  EXPECT_EQ(engine.ret(), u"");
  EXPECT_TRUE(test.ui.shown().empty());
}

TEST_F(CengineTest, OutputReplacesTheResultAndRetReadsIt) {
  call(u"output", {Variant(u"first")});
  call(u"Output", {Variant(int32_t{2})});
  EXPECT_EQ(engine.ret(), u"2");
  EXPECT_EQ(get(u"RET"), Variant(u"2"));
}

TEST_F(CengineTest, AlertShowsAPlainBoxOfItsOwn) {
  call(u"alert", {Variant(u"hello")});
  ASSERT_EQ(shown().size(), 1u);
  EXPECT_EQ(shown()[0].kind, testing::Shown::Kind::kMessageBox);
  EXPECT_EQ(shown()[0].text, u"hello");
  EXPECT_EQ(shown()[0].title, u"Parser script message");
  EXPECT_EQ(shown()[0].buttons, platform::Buttons::kOk);
  EXPECT_EQ(shown()[0].icon, platform::Icon::kNone);
}

TEST_F(CengineTest, GlobalsKeepsAnObjectReferenceOnly) {
  auto other = std::make_shared<cengine>(test.shared);
  put(u"globals", Variant(platform::ObjectPtr(other)), platform::kPropertyPutRef);
  EXPECT_EQ(get(u"globals"), Variant(platform::ObjectPtr(other)));
  put(u"globals", Variant::nothing());
  EXPECT_EQ(get(u"globals"), Variant::nothing());
  EXPECT_EQ(errorNumberOf([&] { put(u"globals", Variant(u"text")); }),
            numberOf(ErrorCode::kTypeMismatch));
  EXPECT_EQ(errorNumberOf([&] { put(u"globals", Variant::null()); }),
            numberOf(ErrorCode::kTypeMismatch));
}

}  // namespace
}  // namespace juvo
