// VBArray over the arrays of a Scripting.Dictionary, from JScript.
#include <gtest/gtest.h>

#include <chrono>

#include "platform/dictionary/dictionary.h"
#include "platform/script/script_control.h"
#include "platform/script/script_test_support.h"

namespace platform {
namespace {

using namespace std::chrono_literals;

class VBArrayTest : public ::testing::Test {
 protected:
  VBArrayTest() : control(2s, testing::testServices()) {
    control.setLanguage(u"JScript");
    control.AddObject(u"d", makeDictionary());
    control.AddCode(
        u"d.Add('a', 1); d.Add('b', 'two'); d.Add(3, null);\r\n"
        u"function run(code) { return String(eval(code)); }\r\n"
        u"function fails(code) {\r\n"
        u"  try { eval(code); } catch (e) { return e.number; }\r\n"
        u"  return 0;\r\n"
        u"}");
  }

  Variant run(std::u16string code) {
    std::vector<Variant> args{Variant(std::move(code))};
    return control.Run(u"run", args);
  }
  int32_t failure(std::u16string code) {
    std::vector<Variant> args{Variant(std::move(code))};
    return toInt32(control.Run(u"fails", args));
  }

  ScriptControl control;
};

TEST_F(VBArrayTest, ReadsTheKeysAndItemsOfADictionary) {
  const struct {
    std::u16string_view code;
    std::u16string_view result;
  } rows[] = {
      {u"new VBArray(d.Keys()).toArray().join(',')", u"a,b,3"},
      {u"new VBArray(d.Items()).toArray()[1]", u"two"},
      {u"new VBArray(d.Keys()).ubound()", u"2"},
      {u"new VBArray(d.Keys()).ubound(1)", u"2"},
      {u"new VBArray(d.Keys()).lbound()", u"0"},
      {u"new VBArray(d.Keys()).getItem(2)", u"3"},
      {u"typeof new VBArray(d.Keys()).getItem(2)", u"number"},
      {u"new VBArray(d.Items()).getItem(2)", u"null"},
      {u"new VBArray(d.Keys()).dimensions()", u"1"},
      {u"VBArray(d.Keys()).toArray().length", u"3"},
      {u"new VBArray(new VBArray(d.Keys())).getItem(0)", u"a"},
      {u"var v = new VBArray(d.Keys()); var a = v.toArray(); a[0] = 'x'; v.getItem(0)", u"a"},
      {u"d.RemoveAll(); new VBArray(d.Keys()).ubound()", u"-1"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(toUtf8(row.code));
    EXPECT_EQ(run(std::u16string(row.code)), Variant(row.result));
  }
}

TEST_F(VBArrayTest, RefusesWhatIsNoArrayAndIndexesOutside) {
  const int32_t typeMismatch = testing::numberOf(ErrorCode::kTypeMismatch);
  const int32_t outOfRange = testing::numberOf(ErrorCode::kSubscriptOutOfRange);
  EXPECT_EQ(failure(u"new VBArray(42)"), typeMismatch);
  EXPECT_EQ(failure(u"new VBArray(d)"), typeMismatch);
  EXPECT_EQ(failure(u"VBArray.prototype.toArray.call({})"), typeMismatch);
  EXPECT_EQ(failure(u"new VBArray(d.Keys()).getItem(3)"), outOfRange);
  EXPECT_EQ(failure(u"new VBArray(d.Keys()).getItem(-1)"), outOfRange);
  EXPECT_EQ(failure(u"new VBArray(d.Keys()).getItem(0.5)"), outOfRange);
  EXPECT_EQ(failure(u"new VBArray(d.Keys()).getItem(0, 0)"), outOfRange);
  EXPECT_EQ(failure(u"new VBArray(d.Keys()).ubound(2)"), outOfRange);
  EXPECT_EQ(failure(u"new VBArray(d.Keys()).getItem(0)"), 0);
}

TEST_F(VBArrayTest, TheDictionaryWorksFromJScript) {
  EXPECT_EQ(run(u"d.Item('b')"), Variant(u"two"));
  EXPECT_EQ(run(u"d.Exists('z')"), Variant(u"false"));
  EXPECT_EQ(run(u"d.Count"), Variant(u"3"));
  EXPECT_EQ(run(u"var s = ''; for (var e = new Enumerator(d); !e.atEnd(); e.moveNext()) "
                u"s += e.item(); s"),
            Variant(u"ab3"));
  EXPECT_EQ(failure(u"d.Add('a', 0)"), testing::numberOf(ErrorCode::kKeyAlreadyAssociated));
  EXPECT_EQ(failure(u"d.Remove('zz')"), testing::numberOf(ErrorCode::kElementNotFound));
}

}  // namespace
}  // namespace platform
