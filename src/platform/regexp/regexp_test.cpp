#include "platform/regexp/regexp.h"

#include <gtest/gtest.h>

#include <vector>

#include "error_testing.h"
#include "platform/automation/dispatch_object.h"
#include "platform/automation/object_catalogue.h"
#include "platform/automation/variant_convert.h"
#include "platform/base/error.h"
#include "platform/base/text.h"

namespace platform {
namespace {

using juvo::testing::errorNumberOf;
using juvo::testing::numberOf;

// Reaches an object as a script does, by member name.
Variant get(const ObjectPtr& object, std::u16string_view name, std::vector<Variant> args = {}) {
  return invokeByName(*object, name, kMethod | kPropertyGet, args);
}

void put(const ObjectPtr& object, std::u16string_view name, Variant value) {
  Variant args[] = {std::move(value)};
  invokeByName(*object, name, kPropertyPut, args);
}

Variant item(const Variant& collection, int32_t index) {
  Variant args[] = {Variant(index)};
  return collection.object()->invoke(kDefaultMember, kMethod | kPropertyGet, args);
}

Variant defaultValue(const Variant& object) {
  return object.object()->invoke(kDefaultMember, kPropertyGet, {});
}

ObjectPtr regExp(std::u16string_view pattern, bool global = false) {
  ObjectPtr re = makeRegExp();
  put(re, u"Pattern", Variant(pattern));
  put(re, u"Global", Variant(global));
  return re;
}

TEST(RegExp, TestsAndKeepsItsSettings) {
  ObjectPtr re = makeRegExp();
  EXPECT_EQ(re->typeName(), u"IRegExp2");
  EXPECT_EQ(get(re, u"Pattern"), Variant(u""));
  EXPECT_EQ(get(re, u"Global"), Variant(false));
  EXPECT_EQ(get(re, u"Test", {Variant(u"anything")}), Variant(true));
  put(re, u"Pattern", Variant(u"^hello"));
  EXPECT_EQ(get(re, u"Test", {Variant(u"Hello world")}), Variant(false));
  put(re, u"IgnoreCase", Variant(int32_t{-1}));
  EXPECT_EQ(get(re, u"IgnoreCase"), Variant(true));
  EXPECT_EQ(get(re, u"Test", {Variant(u"Hello world")}), Variant(true));
  EXPECT_EQ(get(re, u"Test", {Variant(u"say\nhello")}), Variant(false));
  put(re, u"Multiline", Variant(true));
  EXPECT_EQ(get(re, u"Test", {Variant(u"say\nhello")}), Variant(true));
  EXPECT_EQ(get(re, u"test", {Variant(int32_t{12})}), Variant(false));
}

TEST(RegExp, ABadPatternFailsWhereItIsUsed) {
  ObjectPtr re = makeRegExp();
  put(re, u"Pattern", Variant(u"(unclosed"));
  EXPECT_EQ(get(re, u"Pattern"), Variant(u"(unclosed"));
  for (std::u16string_view method : {u"Test", u"Execute"}) {
    EXPECT_EQ(errorNumberOf([&] { get(re, method, {Variant(u"x")}); }),
              numberOf(ErrorCode::kRegExpExpectedParen));
  }
  EXPECT_EQ(errorNumberOf([&] {
              get(re, u"Replace", {Variant(u"x"), Variant(u"y")});
            }),
            numberOf(ErrorCode::kRegExpExpectedParen));
  put(re, u"Pattern", Variant(u"(closed)"));
  EXPECT_EQ(get(re, u"Test", {Variant(u"closed")}), Variant(true));
}

TEST(RegExp, ExecuteGivesMatchesWithPositionsAndSubmatches) {
  const Variant matches =
      get(regExp(u"(\\w)(\\d)?=(\\d+)", true), u"Execute", {Variant(u"a1=10, b=200; c3=")});
  ASSERT_TRUE(matches.isObject());
  EXPECT_EQ(matches.object()->typeName(), u"IMatchCollection2");
  ASSERT_EQ(get(matches.object(), u"Count"), Variant(int32_t{2}));
  const Variant first = item(matches, 0);
  EXPECT_EQ(defaultValue(first), Variant(u"a1=10"));
  EXPECT_EQ(get(first.object(), u"FirstIndex"), Variant(int32_t{0}));
  EXPECT_EQ(get(first.object(), u"Length"), Variant(int32_t{5}));
  const Variant second = get(matches.object(), u"Item", {Variant(int32_t{1})});
  EXPECT_EQ(get(second.object(), u"Value"), Variant(u"b=200"));
  EXPECT_EQ(get(second.object(), u"FirstIndex"), Variant(int32_t{7}));
  const Variant groups = get(second.object(), u"SubMatches");
  EXPECT_EQ(get(groups.object(), u"Count"), Variant(int32_t{3}));
  EXPECT_EQ(item(groups, 0), Variant(u"b"));
  EXPECT_TRUE(item(groups, 1).isEmpty());
  EXPECT_EQ(item(groups, 2), Variant(u"200"));
  std::vector<Variant> enumerated;
  for (auto cursor = groups.object()->enumerate(); auto next = cursor->next();)
    enumerated.push_back(*next);
  EXPECT_EQ(enumerated, (std::vector<Variant>{Variant(u"b"), Variant(), Variant(u"200")}));
  EXPECT_EQ(errorNumberOf([&] { item(matches, 2); }), numberOf(ErrorCode::kInvalidProcedureCall));
  EXPECT_EQ(errorNumberOf([&] { item(groups, -1); }), numberOf(ErrorCode::kInvalidProcedureCall));

  std::vector<std::u16string> values;
  for (auto cursor = matches.object()->enumerate(); auto next = cursor->next();)
    values.push_back(toText(*next));
  EXPECT_EQ(values, (std::vector<std::u16string>{u"a1=10", u"b=200"}));
}

TEST(RegExp, WithoutGlobalExecuteFindsTheFirstMatchOnly) {
  const Variant matches = get(regExp(u"\\d+"), u"Execute", {Variant(u"1 22 333")});
  EXPECT_EQ(get(matches.object(), u"Count"), Variant(int32_t{1}));
  EXPECT_EQ(defaultValue(item(matches, 0)), Variant(u"1"));
  const Variant none = get(regExp(u"z"), u"Execute", {Variant(u"abc")});
  EXPECT_EQ(get(none.object(), u"Count"), Variant(int32_t{0}));
  EXPECT_EQ(none.object()->enumerate()->next(), std::nullopt);
}

TEST(RegExp, ReplaceExpandsDollarForms) {
  const struct {
    std::u16string_view pattern;
    bool global;
    std::u16string_view subject;
    std::u16string_view replacement;
    std::u16string_view result;
  } rows[] = {
      {u"(\\w+) (\\w+)", false, u"hello world", u"$2 $1", u"world hello"},
      {u"o", true, u"foo boo", u"0", u"f00 b00"},
      {u"o", false, u"foo boo", u"0", u"f0o boo"},
      {u"b", false, u"abc", u"[$&]", u"a[b]c"},
      {u"b", false, u"abc", u"[$`]", u"a[a]c"},
      {u"b", false, u"abc", u"[$']", u"a[c]c"},
      {u"b", false, u"abc", u"$$", u"a$c"},
      {u"(b)", false, u"abc", u"$12", u"ab2c"},
      {u"(b)", false, u"abc", u"$0$2$x$", u"a$0$2$x$c"},
      {u"(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)(k)", false, u"abcdefghijk", u"$11$10$1", u"kja"},
      {u"(x)?b", false, u"ab", u"[$1]", u"a[]"},
      {u"x*", true, u"abc", u"-", u"-a-b-c-"},
      {u"z", true, u"abc", u"-", u"abc"},
      {u"", true, u"", u"!", u"!"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(toUtf8(row.pattern) + " / " + toUtf8(row.replacement));
    EXPECT_EQ(get(regExp(row.pattern, row.global), u"Replace",
                  {Variant(row.subject), Variant(row.replacement)}),
              Variant(row.result));
  }
}

// A function handed to Replace, as GetRef gives one: its default member is the call.
class Upper final : public DispatchObject {
 public:
  Upper() : DispatchObject(members()) {}
  std::u16string typeName() const override { return u"Upper"; }
  std::vector<std::vector<Variant>> calls;

 private:
  static const MemberTable& members() {
    static const auto table = Members<Upper>()
                                  .method(u"Call", 0, 4,
                                          [](Upper& u, std::span<Variant> args) {
                                            u.calls.emplace_back(args.begin(), args.end());
                                            return Variant(toUpper(toText(args[0])));
                                          })
                                  .defaultMember(u"Call");
    return table;
  }
};

TEST(RegExp, ReplaceCallsAFunctionForEachMatch) {
  auto upper = std::make_shared<Upper>();
  EXPECT_EQ(get(regExp(u"b(x)?", true), u"Replace", {Variant(u"abcb"), Variant(ObjectPtr(upper))}),
            Variant(u"aBcB"));
  ASSERT_EQ(upper->calls.size(), 2u);
  const std::vector<Variant> expected = {Variant(u"b"), Variant(), Variant(int32_t{3}),
                                         Variant(u"abcb")};
  EXPECT_EQ(upper->calls[1], expected);
}

TEST(RegExp, TheCatalogueCreatesItByName) {
  ObjectCatalogue catalogue;
  registerRegExp(catalogue);
  ObjectPtr first = catalogue.create(u"vbscript.regexp");
  ObjectPtr second = catalogue.create(u"VBScript.RegExp");
  ASSERT_TRUE(first && second);
  EXPECT_NE(first, second);
  EXPECT_EQ(first->typeName(), u"IRegExp2");
}

}  // namespace
}  // namespace platform
