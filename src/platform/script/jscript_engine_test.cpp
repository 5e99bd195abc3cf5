// The JScript engine's bridge between script values and host values, through the script host.
#include "platform/script/jscript_engine.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>

#include "platform/automation/variant_convert.h"
#include "platform/base/error.h"
#include "platform/base/text.h"
#include "platform/script/script_control.h"
#include "platform/script/script_test_support.h"

namespace platform {
namespace {

using namespace std::chrono_literals;
using testing::errorNumberOf;
using testing::number;
using testing::TestHost;

class JScriptBridgeTest : public ::testing::Test {
 protected:
  JScriptBridgeTest() : control(2s) {
    control.setLanguage(u"JScript");
    control.AddCode(
        u"function echo(x) { engine.echo(x); }\r\n"
        u"function describe(x) {\r\n"
        u"  if (x instanceof Date) return 'date ' + x.getFullYear() + '-' + (x.getMonth() + 1) "
        u"+\r\n"
        u"      '-' + x.getDate() + ' ' + x.getHours() + ':' + x.getMinutes();\r\n"
        u"  if (x instanceof Array) return 'array ' + x.length + ' ' + JSON.stringify(x);\r\n"
        u"  return typeof x + ' ' + String(x);\r\n"
        u"}\r\n"
        u"function run(code) { return eval(code); }");
    control.AddObject(u"engine", host);
  }

  // What the host receives when the script hands it the value of `expression`.
  Variant received(std::u16string expression) {
    std::vector<Variant> args{Variant(u"engine.echo(" + expression + u")")};
    control.Run(u"run", args);
    return host->echoed;
  }

  // How the script sees `value` coming from the host.
  std::u16string described(Variant value) {
    std::vector<Variant> args{std::move(value)};
    return toText(control.Run(u"describe", args));
  }

  Variant eval(std::u16string code) {
    std::vector<Variant> args{Variant(std::move(code))};
    return control.Run(u"run", args);
  }

  ScriptControl control;
  std::shared_ptr<TestHost> host = std::make_shared<TestHost>(&control);
};

TEST_F(JScriptBridgeTest, ScriptValuesReachTheHostAsVariants) {
  EXPECT_EQ(received(u"5"), Variant(int32_t{5}));
  EXPECT_EQ(received(u"-2147483648"), Variant(int32_t{-2147483647 - 1}));
  EXPECT_EQ(received(u"2147483648"), Variant(2147483648.0));
  EXPECT_EQ(received(u"1.5"), Variant(1.5));
  const Variant negativeZero = received(u"-0");
  ASSERT_EQ(negativeZero.type(), VarType::kDouble);
  EXPECT_TRUE(std::signbit(negativeZero.dbl()));
  EXPECT_EQ(received(u"true"), Variant(true));
  EXPECT_EQ(received(u"null"), Variant::null());
  EXPECT_EQ(received(u"undefined"), Variant());
  EXPECT_EQ(received(u"'caf\\u00e9'"), Variant(u"caf\u00e9"));
  EXPECT_EQ(received(u"'\\ud83d\\ude00'"), Variant(u"\U0001F600"));
  const std::u16string lone = {u'a', 0xD800, u'b'};
  EXPECT_EQ(received(u"'a\\ud800b'"), Variant(lone));
  EXPECT_EQ(received(u"'nul\\u0000inside'").string().size(), 10u);
}

TEST_F(JScriptBridgeTest, ScriptDatesAreLocalAutomationDates) {
  const Variant date = received(u"new Date(2024, 0, 15, 12, 30)");
  ASSERT_EQ(date.type(), VarType::kDate);
  EXPECT_NEAR(date.date().days, 45306 + 12.5 / 24, 1e-9);
  const Variant old = received(u"new Date(1899, 11, 29, 6, 0)");
  EXPECT_NEAR(old.date().days, -1.25, 1e-9);
  EXPECT_EQ(received(u"new Date(NaN)"), Variant::null());
  EXPECT_EQ(described(Variant(Date{45306 + 12.5 / 24})), u"date 2024-1-15 12:30");
  EXPECT_EQ(described(Variant(Date{-1.25})), u"date 1899-12-29 6:0");
}

TEST_F(JScriptBridgeTest, HostValuesReachTheScriptAsScriptValues) {
  EXPECT_EQ(described(Variant()), u"undefined undefined");
  EXPECT_EQ(described(Variant::null()), u"object null");
  EXPECT_EQ(described(Variant(int16_t{-3})), u"number -3");
  EXPECT_EQ(described(Variant(uint8_t{200})), u"number 200");
  EXPECT_EQ(described(Variant(2.5f)), u"number 2.5");
  EXPECT_EQ(described(Variant(Currency{12345})), u"number 1.2345");
  EXPECT_EQ(described(Variant(false)), u"boolean false");
  EXPECT_EQ(described(Variant(u"\U0001F600")), u"string \U0001F600");
  EXPECT_EQ(described(Variant::nothing()), u"object null");
  EXPECT_EQ(described(Variant::missing()), u"undefined undefined");

  auto inner = std::make_shared<VariantArray>();
  inner->bounds = {{0, 1}};
  inner->elements = {Variant(int32_t{3})};
  auto array = std::make_shared<VariantArray>();
  array->bounds = {{0, 3}};
  array->elements = {Variant(int32_t{1}), Variant(u"two"), Variant(inner)};
  EXPECT_EQ(described(Variant(array)), u"array 3 [1,\"two\",[3]]");
}

TEST_F(JScriptBridgeTest, HostObjectsKeepTheirIdentityAndMembers) {
  host->text = u"abc";
  EXPECT_EQ(eval(u"engine.text.length + (engine.text === 'abc' ? ' same' : ' differs')"),
            Variant(u"3 same"));
  eval(u"engine.held = engine");
  EXPECT_EQ(host->held, host);
  eval(u"engine.held = engine.child");
  EXPECT_EQ(host->held, host->child);
  EXPECT_EQ(toText(eval(u"'' + engine + '|' + String(engine.child)")),
            u"default value|default value");
  EXPECT_EQ(toText(eval(
                u"('text' in engine) + ',' + ('nothing' in engine) + ',' + typeof engine.nothing")),
            u"true,false,undefined");
  EXPECT_EQ(errorNumberOf([&] { eval(u"engine.nothing = 1"); }), number(ErrorCode::kNoSuchMember));
  EXPECT_EQ(toText(eval(u"Object.keys(engine).length")), u"0");
}

TEST_F(JScriptBridgeTest, ScriptObjectsComeBackAsThemselves) {
  EXPECT_EQ(eval(u"var f = function () { return 1; }; engine.held = f; engine.held === f"),
            Variant(true));
  EXPECT_EQ(eval(u"var o = { x: 1 }; engine.held = o; engine.held.x = 2; o.x"),
            Variant(int32_t{2}));
  // The host reads, writes and calls it; methods see their object as `this`.
  eval(u"engine.held = { count: 1, bump: function (n) { this.count += n; return this.count; } }");
  std::vector<Variant> four{Variant(int32_t{4})};
  EXPECT_EQ(invokeByName(*host->held, u"bump", kMethod, four), Variant(int32_t{5}));
  std::vector<Variant> ten{Variant(int32_t{10})};
  invokeByName(*host->held, u"count", kPropertyPut, ten);
  EXPECT_EQ(invokeByName(*host->held, u"count", kPropertyGet, {}), Variant(int32_t{10}));
  EXPECT_EQ(invokeByName(*host->held, u"absent", kPropertyGet, {}), Variant());
  EXPECT_EQ(errorNumberOf([&] { invokeByName(*host->held, u"count", kMethod, four); }),
            number(ErrorCode::kNoSuchMember));
  EXPECT_EQ(toText(host->held->invoke(kDefaultMember, kPropertyGet, {})), u"[object Object]");
}

TEST_F(JScriptBridgeTest, ErrorsCarryJScriptNumbersAndDescriptions) {
  EXPECT_EQ(eval(u"try { null.x; } catch (e) { e.number; }"),
            Variant(static_cast<int32_t>(0x800A01B6)));
  EXPECT_EQ(eval(u"try { missingName; } catch (e) { e.number; }"),
            Variant(static_cast<int32_t>(0x800A1391)));
  EXPECT_EQ(eval(u"var e = new Error('m'); e.description + ',' + e.number"),
            Variant(u"m," + decimal(static_cast<int32_t>(0x800A139E))));
  EXPECT_EQ(
      eval(u"var e = new Error('m'); e.number = 7; e.description = 'd'; e.number + e.message"),
      Variant(u"7d"));
}

TEST_F(JScriptBridgeTest, EnumeratorWalksHostCollections) {
  host->outputs = {u"a", u"b", u"c"};
  EXPECT_EQ(eval(u"var s = ''; for (var e = new Enumerator(engine); !e.atEnd(); e.moveNext()) "
                 u"s += e.item(); e.moveFirst(); s + e.item()"),
            Variant(u"abca"));
  host->outputs.clear();
  EXPECT_EQ(eval(u"var e = new Enumerator(engine); e.atEnd() + ',' + e.item()"),
            Variant(u"true,undefined"));
  EXPECT_EQ(errorNumberOf([&] { eval(u"new Enumerator([1, 2])"); }),
            number(ErrorCode::kNoSuchMember));
  EXPECT_EQ(errorNumberOf([&] { eval(u"new Enumerator(engine.text)"); }),
            number(ErrorCode::kNoSuchMember));
}

TEST_F(JScriptBridgeTest, CoroutinesAreNotOffered) {
  EXPECT_EQ(eval(u"typeof Duktape.Thread"), Variant(u"undefined"));
}

TEST_F(JScriptBridgeTest, ManyHostObjectsAreReleasedAsTheScriptDropsThem) {
  std::weak_ptr<TestHost> child = host->child = std::make_shared<TestHost>(&control);
  eval(u"for (var i = 0; i < 10000; i++) engine.child.next();");
  EXPECT_EQ(host->child->count, 10000);
  host->child.reset();
  eval(u"Duktape.gc(); Duktape.gc();");
  EXPECT_TRUE(child.expired());
}

}  // namespace
}  // namespace platform
