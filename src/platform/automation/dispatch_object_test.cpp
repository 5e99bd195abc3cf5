#include "platform/automation/dispatch_object.h"

#include <gtest/gtest.h>

#include <vector>

#include "error_testing.h"
#include "platform/automation/variant_convert.h"
#include "platform/base/error.h"

namespace platform {
namespace {

using juvo::testing::errorNumberOf;
using juvo::testing::numberOf;

class Counter : public DispatchObject {
 public:
  Counter() {
    defineProperty(
        u"Value", [this](auto) { return Variant(value); },
        [this](auto, const Variant& v) { value = toInt32(v); });
    defineProperty(u"ReadOnly", [](auto) { return Variant(u"fixed"); });
    defineMethod(
        u"Add",
        [this](std::span<Variant> args) {
          value += toInt32(args[0]) + (args[1].isMissing() ? 0 : toInt32(args[1]));
          return Variant(value);
        },
        1, 2);
    setDefaultMember(u"Value");
  }
  std::u16string typeName() const override { return u"Counter"; }
  int32_t value = 0;
};

TEST(DispatchObject, LooksMembersUpWithoutRegardToCaseAndSplitsGetPutAndCall) {
  Counter c;
  EXPECT_EQ(c.memberId(u"value"), c.memberId(u"VALUE"));
  EXPECT_FALSE(c.memberId(u"missing"));
  std::vector<Variant> put{Variant(int32_t{5})};
  invokeByName(c, u"value", kPropertyPut, put);
  std::vector<Variant> one{Variant(int32_t{2})};
  EXPECT_EQ(invokeByName(c, u"add", kMethod, one), Variant(int32_t{7}));
  EXPECT_EQ(toText(invokeByName(c, u"Value", kPropertyGet, {})), u"7");
  EXPECT_EQ(toText(c.invoke(kDefaultMember, kPropertyGet, {})), u"7");
}

TEST(DispatchObject, RejectsWrongArgumentCountsAndReadOnlyPuts) {
  Counter c;
  EXPECT_EQ(errorNumberOf([&] { invokeByName(c, u"add", kMethod, {}); }),
            numberOf(ErrorCode::kBadParamCount));
  std::vector<Variant> three(3, Variant(int32_t{1}));
  EXPECT_EQ(errorNumberOf([&] { invokeByName(c, u"add", kMethod, three); }),
            numberOf(ErrorCode::kBadParamCount));
  std::vector<Variant> value{Variant(u"x")};
  EXPECT_EQ(errorNumberOf([&] { invokeByName(c, u"ReadOnly", kPropertyPut, value); }),
            numberOf(ErrorCode::kMemberNotFound));
  EXPECT_EQ(errorNumberOf([&] { invokeByName(c, u"nope", kMethod, {}); }),
            numberOf(ErrorCode::kUnknownName));
}

}  // namespace
}  // namespace platform
