#include "platform/dictionary/dictionary.h"

#include <gtest/gtest.h>

#include <vector>

#include "error_testing.h"
#include "platform/automation/dispatch_object.h"
#include "platform/automation/object_catalogue.h"
#include "platform/base/error.h"

namespace platform {
namespace {

using juvo::testing::errorNumberOf;
using juvo::testing::numberOf;

// The dictionary as a script reaches it.
class Script {
 public:
  explicit Script(ObjectPtr object = makeDictionary()) : d(std::move(object)) {}

  Variant call(std::u16string_view name, std::vector<Variant> args = {}) {
    return invokeByName(*d, name, kMethod | kPropertyGet, args);
  }
  void put(std::u16string_view name, std::vector<Variant> indexAndValue) {
    invokeByName(*d, name, kPropertyPut, indexAndValue);
  }
  // d(key) and d(key) = value, through the default member.
  Variant operator[](Variant key) {
    Variant args[] = {std::move(key)};
    return d->invoke(kDefaultMember, kPropertyGet, args);
  }
  void set(Variant key, Variant value) {
    Variant args[] = {std::move(key), std::move(value)};
    d->invoke(kDefaultMember, kPropertyPut, args);
  }
  int32_t count() { return call(u"Count").longValue(); }
  std::vector<Variant> keys() { return call(u"Keys").array()->elements; }
  std::vector<Variant> items() { return call(u"Items").array()->elements; }

  ObjectPtr d;
};

Variant text(std::u16string_view value) {
  return Variant(value);
}

TEST(Dictionary, AddsFindsAndKeepsTheOrderOfAdding) {
  Script s;
  EXPECT_EQ(s.d->typeName(), u"Dictionary");
  s.call(u"Add", {text(u"b"), Variant(int32_t{2})});
  s.call(u"Add", {text(u"a"), text(u"one")});
  s.call(u"Add", {Variant(int16_t{3}), Variant::null()});
  EXPECT_EQ(s.count(), 3);
  EXPECT_EQ(s.call(u"Exists", {text(u"a")}), Variant(true));
  EXPECT_EQ(s.call(u"Exists", {text(u"A")}), Variant(false));
  EXPECT_EQ(s[text(u"a")], text(u"one"));
  EXPECT_EQ(s.call(u"Item", {text(u"b")}), Variant(int32_t{2}));
  EXPECT_EQ(s.keys(), (std::vector<Variant>{text(u"b"), text(u"a"), Variant(int16_t{3})}));
  EXPECT_EQ(s.items(), (std::vector<Variant>{Variant(int32_t{2}), text(u"one"), Variant::null()}));
  const Variant keys = s.call(u"Keys");
  EXPECT_EQ(keys.array()->bounds[0].lower, 0);
  EXPECT_EQ(keys.array()->bounds[0].count, 3);
  EXPECT_EQ(errorNumberOf([&] {
              s.call(u"Add", {text(u"a"), text(u"again")});
            }),
            numberOf(ErrorCode::kKeyAlreadyAssociated));
  EXPECT_EQ(s[text(u"a")], text(u"one"));
}

TEST(Dictionary, NumbersAndTextsAreDifferentKeys) {
  Script s;
  s.call(u"Add", {Variant(int16_t{1}), text(u"number")});
  s.call(u"Add", {text(u"1"), text(u"text")});
  EXPECT_EQ(s[Variant(1.0)], text(u"number"));
  EXPECT_EQ(s[Variant(int32_t{1})], text(u"number"));
  EXPECT_EQ(s[Variant(Date{1})], text(u"number"));
  EXPECT_EQ(s[Variant(Currency{10000})], text(u"number"));
  EXPECT_EQ(s[text(u"1")], text(u"text"));
  EXPECT_EQ(s.call(u"Exists", {Variant(true)}), Variant(false));
  EXPECT_EQ(s.call(u"Exists", {Variant()}), Variant(false));
  EXPECT_EQ(errorNumberOf([&] {
              s.call(u"Add", {Variant(1.0), text(u"x")});
            }),
            numberOf(ErrorCode::kKeyAlreadyAssociated));
  s.call(u"Add", {Variant(0.0), text(u"zero")});
  EXPECT_EQ(s[Variant(-0.0)], text(u"zero"));
  const ObjectPtr other = makeDictionary();
  s.call(u"Add", {Variant(other), text(u"object")});
  EXPECT_EQ(s[Variant(other)], text(u"object"));
  EXPECT_EQ(s.call(u"Exists", {Variant(makeDictionary())}), Variant(false));
  auto array = std::make_shared<VariantArray>();
  EXPECT_EQ(errorNumberOf([&] {
              s.call(u"Add", {Variant(array), text(u"x")});
            }),
            numberOf(ErrorCode::kTypeMismatch));
}

TEST(Dictionary, ReadingAMissingKeyAddsItWithEmpty) {
  Script s;
  EXPECT_TRUE(s[text(u"ghost")].isEmpty());
  EXPECT_EQ(s.count(), 1);
  EXPECT_EQ(s.call(u"Exists", {text(u"ghost")}), Variant(true));
  s.set(text(u"new"), Variant(int32_t{5}));
  s.set(text(u"ghost"), text(u"seen"));
  EXPECT_EQ(s.count(), 2);
  EXPECT_EQ(s.items(), (std::vector<Variant>{text(u"seen"), Variant(int32_t{5})}));
  s.put(u"Item", {text(u"new"), Variant(int32_t{6})});
  EXPECT_EQ(s[text(u"new")], Variant(int32_t{6}));
}

TEST(Dictionary, RemovesKeysAndRenamesThem) {
  Script s;
  for (int32_t i = 0; i < 100; ++i)
    s.call(u"Add", {Variant(i), Variant(i * 10)});
  for (int32_t i = 0; i < 100; i += 2)
    s.call(u"Remove", {Variant(i)});
  EXPECT_EQ(s.count(), 50);
  EXPECT_EQ(s.keys().front(), Variant(int32_t{1}));
  EXPECT_EQ(s.keys().back(), Variant(int32_t{99}));
  EXPECT_EQ(s[Variant(int32_t{51})], Variant(int32_t{510}));
  EXPECT_EQ(errorNumberOf([&] { s.call(u"Remove", {Variant(int32_t{2})}); }),
            numberOf(ErrorCode::kElementNotFound));

  s.put(u"Key", {Variant(int32_t{1}), text(u"first")});
  EXPECT_EQ(s.keys().front(), text(u"first"));
  EXPECT_EQ(s[text(u"first")], Variant(int32_t{10}));
  EXPECT_EQ(s.call(u"Exists", {Variant(int32_t{1})}), Variant(false));
  EXPECT_EQ(errorNumberOf([&] {
              s.put(u"Key", {text(u"nope"), text(u"x")});
            }),
            numberOf(ErrorCode::kElementNotFound));
  EXPECT_EQ(errorNumberOf([&] {
              s.put(u"Key", {text(u"first"), Variant(int32_t{3})});
            }),
            numberOf(ErrorCode::kKeyAlreadyAssociated));

  s.call(u"RemoveAll");
  EXPECT_EQ(s.count(), 0);
  EXPECT_TRUE(s.keys().empty());
  s.call(u"Add", {Variant(int32_t{1}), text(u"back")});
  EXPECT_EQ(s.count(), 1);
}

TEST(Dictionary, TextComparisonIgnoresCaseAndIsSetWhileEmpty) {
  Script s;
  EXPECT_EQ(s.call(u"CompareMode"), Variant(int32_t{0}));
  s.put(u"CompareMode", {Variant(int16_t{1})});
  s.call(u"Add", {text(u"Key"), text(u"value")});
  EXPECT_EQ(s[text(u"KEY")], text(u"value"));
  EXPECT_EQ(s.keys(), (std::vector<Variant>{text(u"Key")}));
  EXPECT_EQ(errorNumberOf([&] {
              s.call(u"Add", {text(u"kEY"), text(u"x")});
            }),
            numberOf(ErrorCode::kKeyAlreadyAssociated));
  EXPECT_EQ(errorNumberOf([&] { s.put(u"CompareMode", {Variant(int16_t{0})}); }),
            numberOf(ErrorCode::kInvalidProcedureCall));
  s.call(u"RemoveAll");
  EXPECT_EQ(errorNumberOf([&] { s.put(u"CompareMode", {Variant(int16_t{3})}); }),
            numberOf(ErrorCode::kInvalidProcedureCall));
  s.put(u"CompareMode", {Variant(int16_t{0})});
  s.call(u"Add", {text(u"Key"), Variant(int16_t{1})});
  s.call(u"Add", {text(u"KEY"), Variant(int16_t{2})});
  EXPECT_EQ(s.count(), 2);
}

TEST(Dictionary, ForEachGoesOverTheKeysAsTheyWereAtTheStart) {
  Script s;
  s.call(u"Add", {text(u"x"), Variant(int16_t{1})});
  s.call(u"Add", {text(u"y"), Variant(int16_t{2})});
  std::vector<Variant> seen;
  auto cursor = s.d->enumerate();
  ASSERT_TRUE(cursor);
  while (auto key = cursor->next()) {
    seen.push_back(*key);
    s.call(u"RemoveAll");
  }
  EXPECT_EQ(seen, (std::vector<Variant>{text(u"x"), text(u"y")}));
}

TEST(Dictionary, TheCatalogueCreatesItByName) {
  ObjectCatalogue catalogue;
  registerDictionary(catalogue);
  ObjectPtr d = catalogue.create(u"scripting.dictionary");
  ASSERT_TRUE(d);
  EXPECT_EQ(d->typeName(), u"Dictionary");
  EXPECT_NE(d, catalogue.create(u"Scripting.Dictionary"));
}

}  // namespace
}  // namespace platform
