#include "platform/automation/dispatch_object.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <vector>

#include "error_testing.h"
#include "platform/automation/variant_convert.h"
#include "platform/base/error.h"

namespace platform {
namespace {

using juvo::testing::errorNumberOf;
using juvo::testing::numberOf;

// A keyed list: `Item(key)` is an indexed property and the default member.
class Bag : public DispatchObject {
 public:
  Bag() : DispatchObject(members()) {}
  std::u16string typeName() const override { return u"Bag"; }
  std::map<std::u16string, Variant> items;

 private:
  static const MemberTable& members() {
    static const auto table =
        Members<Bag>()
            .indexedProperty(
                u"Item", 1,
                [](Bag& b, std::span<Variant> index) { return b.items[toText(index[0])]; },
                [](Bag& b, std::span<Variant> index, const Variant& v) {
                  b.items[toText(index[0])] = v;
                })
            .defaultMember(u"Item");
    return table;
  }
};

class Counter : public DispatchObject {
 public:
  Counter() : DispatchObject(members()) {}
  std::u16string typeName() const override { return u"Counter"; }
  int32_t value = 0;
  std::shared_ptr<Bag> bag = std::make_shared<Bag>();

 private:
  static const MemberTable& members() {
    static const auto table =
        Members<Counter>()
            .property(
                u"Value", [](Counter& c) { return Variant(c.value); },
                [](Counter& c, const Variant& v) { c.value = toInt32(v); })
            .property(u"ReadOnly", [](Counter&) { return Variant(u"fixed"); })
            .property(u"Bag", [](Counter& c) { return Variant(ObjectPtr(c.bag)); })
            .method(u"Add", 1, 2,
                    [](Counter& c, std::span<Variant> args) {
                      c.value += toInt32(args[0]) + (args[1].isMissing() ? 0 : toInt32(args[1]));
                      return Variant(c.value);
                    })
            .defaultMember(u"Value");
    return table;
  }
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
  // Every instance shares the one table: ids agree across objects.
  Counter other;
  EXPECT_EQ(other.memberId(u"Add"), c.memberId(u"add"));
  EXPECT_EQ(other.value, 0);
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
  // A property that gives no object cannot take arguments.
  std::vector<Variant> index{Variant(int32_t{0})};
  EXPECT_EQ(errorNumberOf([&] { invokeByName(c, u"ReadOnly", kPropertyGet, index); }),
            numberOf(ErrorCode::kBadParamCount));
}

TEST(DispatchObject, IndexedPropertiesAndTheCollectionShortcut) {
  Counter c;
  Bag& bag = *c.bag;
  std::vector<Variant> keyAndValue{Variant(u"k"), Variant(int32_t{3})};
  invokeByName(bag, u"item", kPropertyPut, keyAndValue);
  EXPECT_EQ(bag.items[u"k"], Variant(int32_t{3}));
  // The index is required: a read without one is a wrong argument count.
  EXPECT_EQ(errorNumberOf([&] { invokeByName(bag, u"Item", kPropertyGet, {}); }),
            numberOf(ErrorCode::kBadParamCount));
  EXPECT_FALSE(bag.readsWithoutArguments(*bag.memberId(u"item")));
  EXPECT_TRUE(c.readsWithoutArguments(*c.memberId(u"bag")));
  EXPECT_FALSE(c.readsWithoutArguments(*c.memberId(u"add")));

  // c.Bag("k") reads the default member of what Bag gives; c.Bag("n") = 9 writes through it.
  std::vector<Variant> key{Variant(u"k")};
  EXPECT_EQ(invokeByName(c, u"Bag", kMethod | kPropertyGet, key), Variant(int32_t{3}));
  std::vector<Variant> put{Variant(u"n"), Variant(int32_t{9})};
  invokeByName(c, u"Bag", kPropertyPut, put);
  EXPECT_EQ(bag.items[u"n"], Variant(int32_t{9}));
}

}  // namespace
}  // namespace platform
