// The JScript engine's bridge between script values and host values, through the script host.
#include "platform/script/jscript_engine.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <memory>
#include <optional>
#include <vector>

#include "platform/automation/dispatch_object.h"
#include "platform/automation/object_catalogue.h"
#include "platform/automation/variant_convert.h"
#include "platform/base/error.h"
#include "platform/base/text.h"
#include "platform/script/script_control.h"
#include "platform/script/script_test_support.h"

namespace platform {
namespace {

using namespace std::chrono_literals;
using testing::errorNumberOf;
using testing::numberOf;
using testing::TestHost;

// A collection as automation has them: Item(index) is the default member and takes the index;
// `length`, enumeration, and a property whose read fails for its own reason.
class TestList : public DispatchObject {
 public:
  TestList() : DispatchObject(members()) {}
  std::u16string typeName() const override { return u"TestList"; }
  std::vector<Variant> items{Variant(u"a"), Variant(u"b"), Variant(u"c")};

  std::unique_ptr<Enumerator> enumerate() override {
    struct Items : Enumerator {
      std::vector<Variant> items;
      size_t next_ = 0;
      std::optional<Variant> next() override {
        if (next_ == items.size()) return std::nullopt;
        return items[next_++];
      }
    };
    auto cursor = std::make_unique<Items>();
    cursor->items = items;
    return cursor;
  }

 private:
  static const MemberTable& members() {
    static const auto table =
        Members<TestList>()
            .indexedProperty(
                u"item", 1,
                [](TestList& l, std::span<Variant> index) {
                  const int32_t i = toInt32(index[0]);
                  if (i < 0 || static_cast<size_t>(i) >= l.items.size()) return Variant::nothing();
                  return l.items[static_cast<size_t>(i)];
                },
                [](TestList& l, std::span<Variant> index, const Variant& value) {
                  l.items.at(static_cast<size_t>(toInt32(index[0]))) = value;
                })
            .defaultMember(u"item")
            .property(u"length",
                      [](TestList& l) { return Variant(static_cast<int32_t>(l.items.size())); })
            // Fails with the very number that once meant "needs arguments".
            .property(u"broken", [](TestList&) -> Variant {
              raise(ErrorCode::kBadParamCount, u"broken on purpose");
            });
    return table;
  }
};

class JScriptBridgeTest : public ::testing::Test {
 protected:
  JScriptBridgeTest() : control(2s, testing::testServices()) {
    control.setLanguage(u"JScript");
    control.AddCode(
        u"function describe(x) {\r\n"
        u"  if (!(x instanceof Date)) return typeof x + ' ' + String(x);\r\n"
        u"  return 'date ' + [x.getFullYear(), x.getMonth() + 1, x.getDate()].join('-') + ' ' +\r\n"
        u"      x.getHours() + ':' + x.getMinutes();\r\n"
        u"}\r\n"
        u"function run(code) { return eval(code); }");
    control.AddObject(u"engine", host);
    control.AddObject(u"list", list);
  }

  Variant eval(std::u16string code) {
    std::vector<Variant> args{Variant(std::move(code))};
    return control.Run(u"run", args);
  }
  // What the host receives when the script hands it the value of `expression`.
  Variant received(std::u16string expression) {
    eval(u"engine.echo(" + expression + u")");
    return host->echoed;
  }
  // How the script sees `value` coming from the host.
  std::u16string described(Variant value) {
    std::vector<Variant> args{std::move(value)};
    return toText(control.Run(u"describe", args));
  }

  ScriptControl control;
  std::shared_ptr<TestHost> host = std::make_shared<TestHost>(&control);
  std::shared_ptr<TestList> list = std::make_shared<TestList>();
};

TEST_F(JScriptBridgeTest, ScriptValuesReachTheHostAsVariants) {
  EXPECT_EQ(received(u"-2147483648"), Variant(int32_t{-2147483647 - 1}));
  EXPECT_EQ(received(u"2147483648"), Variant(2147483648.0));
  EXPECT_EQ(received(u"1.5"), Variant(1.5));
  const Variant negativeZero = received(u"-0");
  EXPECT_TRUE(negativeZero.type() == VarType::kDouble && std::signbit(negativeZero.dbl()));
  EXPECT_EQ(received(u"true"), Variant(true));
  EXPECT_EQ(received(u"null"), Variant::null());
  EXPECT_EQ(received(u"undefined"), Variant());
  EXPECT_EQ(received(u"'caf\\u00e9\\ud83d\\ude00'"), Variant(u"caf\u00e9\U0001F600"));
  EXPECT_EQ(received(u"'a\\ud800b'"), Variant(std::u16string{u'a', 0xD800, u'b'}));
  EXPECT_EQ(received(u"'nul\\u0000inside'").string().size(), 10u);
  // Dates as local automation dates, before 1899-12-30 too; an invalid one is null.
  EXPECT_NEAR(received(u"new Date(2024, 0, 15, 12, 30)").date().days, 45306 + 12.5 / 24, 1e-9);
  EXPECT_NEAR(received(u"new Date(1899, 11, 29, 6, 0)").date().days, -1.25, 1e-9);
  EXPECT_EQ(received(u"new Date(NaN)"), Variant::null());
}

TEST_F(JScriptBridgeTest, HostValuesReachTheScriptAsScriptValues) {
  EXPECT_EQ(described(Variant()), u"undefined undefined");
  EXPECT_EQ(described(Variant::missing()), u"undefined undefined");
  EXPECT_EQ(described(Variant::null()), u"object null");
  EXPECT_EQ(described(Variant::nothing()), u"object null");
  EXPECT_EQ(described(Variant(int16_t{-3})), u"number -3");
  EXPECT_EQ(described(Variant(false)), u"boolean false");
  EXPECT_EQ(described(Variant(u"\U0001F600")), u"string \U0001F600");
  EXPECT_EQ(described(Variant(Date{45306 + 12.5 / 24})), u"date 2024-1-15 12:30");
  EXPECT_EQ(described(Variant(Date{-1.25})), u"date 1899-12-29 6:0");
}

TEST_F(JScriptBridgeTest, ObjectsKeepTheirIdentityAndMembers) {
  eval(u"engine.held = engine.child");
  EXPECT_EQ(host->held, host->child);
  // One host object is one script value, however it is reached, also after the script let
  // go of it and the collector ran.
  EXPECT_EQ(eval(u"var c = engine.child; (c === engine.held) + ',' + (engine === c)"),
            Variant(u"true,false"));
  EXPECT_EQ(eval(u"c = null; Duktape.gc(); Duktape.gc(); engine.child === engine.held"),
            Variant(true));
  // A method taken from an object keeps it usable after the object's value is gone.
  EXPECT_EQ(eval(u"var add = engine.child.add; Duktape.gc(); add(1, 2) + (engine.child === "
                 u"engine.held ? 10 : 0)"),
            Variant(int32_t{13}));
  EXPECT_EQ(eval(u"'' + engine + '|' + String(engine.child)"), Variant(u"value|value"));
  // A name the object lacks is an error to read or write, as on Windows; `in` asks safely.
  EXPECT_EQ(eval(u"('text' in engine) + ',' + ('nothing' in engine)"), Variant(u"true,false"));
  EXPECT_EQ(errorNumberOf([&] { eval(u"engine.nothing"); }), numberOf(ErrorCode::kNoSuchMember));
  EXPECT_EQ(errorNumberOf([&] { eval(u"engine.nothing = 1"); }),
            numberOf(ErrorCode::kNoSuchMember));
  EXPECT_EQ(eval(u"try { engine.txt } catch (e) { e.description }"),
            Variant(u"Object doesn't support this property or method"));
  // What the language asks of any object still works: text, JSON, a thrown host object.
  EXPECT_EQ(eval(u"JSON.stringify({ e: engine.child })"), Variant(u"{\"e\":{}}"));
  EXPECT_EQ(eval(u"typeof engine.child.valueOf()"), Variant(u"string"));
  EXPECT_EQ(eval(u"try { throw engine } catch (e) { '' + e }"), Variant(u"value"));
  EXPECT_EQ(eval(u"Object.keys(engine).length"), Variant(int32_t{0}));

  // Script objects come back as themselves.
  eval(u"o = { x: 1 }; engine.held = o; engine.held.x = 2");
  EXPECT_EQ(eval(u"(engine.held === o) + ',' + o.x"), Variant(u"true,2"));
}

TEST_F(JScriptBridgeTest, ErrorObjectsCarryNumberAndDescription) {
  EXPECT_EQ(eval(u"var e = new Error('m'); e.description + ',' + e.number"),
            Variant(u"m," + decimal(static_cast<int32_t>(0x800A139E))));
  EXPECT_EQ(
      eval(u"var e = new Error('m'); e.number = 7; e.description = 'd'; e.number + e.message"),
      Variant(u"7d"));
}

TEST_F(JScriptBridgeTest, ErrorsAndTheEngineAreNamedAsJScriptNamesThem) {
  // The script's own e.message says what the error box says.
  EXPECT_EQ(eval(u"try { missing + 1 } catch (e) { e.message + '|' + e.description }"),
            Variant(u"'missing' is undefined|'missing' is undefined"));
  EXPECT_EQ(eval(u"new ReferenceError('kept as written').message"), Variant(u"kept as written"));
  EXPECT_EQ(eval(u"ScriptEngine() + ' ' + ScriptEngineMajorVersion() + '.' + "
                 u"ScriptEngineMinorVersion() + '.' + ScriptEngineBuildVersion()"),
            Variant(u"JScript 5.8.16384"));
}

TEST_F(JScriptBridgeTest, EnumeratorWalksHostCollectionsOnly) {
  host->outputs = {u"a", u"b", u"c"};
  EXPECT_EQ(eval(u"var s = ''; for (var e = new Enumerator(engine); !e.atEnd(); e.moveNext()) "
                 u"s += e.item(); e.moveFirst(); s + e.item()"),
            Variant(u"abca"));
  host->outputs.clear();
  EXPECT_EQ(eval(u"var e = new Enumerator(engine); e.atEnd() + ',' + e.item()"),
            Variant(u"true,undefined"));
  EXPECT_EQ(errorNumberOf([&] { eval(u"new Enumerator([1, 2])"); }),
            numberOf(ErrorCode::kNoSuchMember));
  EXPECT_EQ(errorNumberOf([&] { eval(u"new Enumerator(engine.text)"); }),
            numberOf(ErrorCode::kNoSuchMember));
}

TEST_F(JScriptBridgeTest, CollectionsAreReachedInEveryForm) {
  const struct {
    std::u16string_view expression;
    Variant expected;
  } cases[] = {
      {u"list(1)", Variant(u"b")},
      {u"list.item(1)", Variant(u"b")},
      {u"list.Item(1)", Variant(u"b")},
      {u"list[1]", Variant(u"b")},
      {u"list['2']", Variant(u"c")},
      {u"list(7) === null && list[7] === null", Variant(true)},
      {u"list.length", Variant(int32_t{3})},
      {u"var n = 0; for (var i = 0; i < list.length; i++) n += list(i).length; n",
       Variant(int32_t{3})},
      {u"typeof list + ',' + typeof engine", Variant(u"function,object")},
      {u"var s = ''; for (var e = new Enumerator(list); !e.atEnd(); e.moveNext()) s += e.item(); s",
       Variant(u"abc")},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(eval(std::u16string(c.expression)), c.expected) << toUtf8(c.expression);
  }
  eval(u"list[0] = 'z'");
  EXPECT_EQ(list->items[0], Variant(u"z"));
  // Keys that are no index are no member either, and an object without a default member that
  // takes an index has no numbered items.
  for (const char16_t* read : {u"list['01']", u"list[-1]", u"list[1.5]", u"engine[0]"}) {
    EXPECT_EQ(errorNumberOf([&] { eval(read); }), numberOf(ErrorCode::kNoSuchMember))
        << toUtf8(read);
  }
  EXPECT_EQ(errorNumberOf([&] { eval(u"engine()"); }), numberOf(ErrorCode::kNoSuchMember));
  EXPECT_EQ(errorNumberOf([&] { eval(u"engine[0] = 1"); }), numberOf(ErrorCode::kNoSuchMember));
}

TEST_F(JScriptBridgeTest, AFailingPropertyReadIsAnErrorNotAFunction) {
  // A dispatch failure reaches the script as the run-time error it stands for.
  EXPECT_EQ(errorNumberOf([&] { eval(u"list.broken"); }), numberOf(ErrorCode::kWrongArgumentCount));
  EXPECT_EQ(eval(u"try { list.broken; 'read' } catch (e) { e.description }"),
            Variant(u"broken on purpose"));
  // A member that takes arguments still reads as something to call.
  EXPECT_EQ(eval(u"var f = list.item; typeof f + f(2)"), Variant(u"functionc"));
}

TEST_F(JScriptBridgeTest, ActiveXObjectCreatesFromTheCatalogueOnly) {
  testing::testServices().objects.add(
      u"Test.List", [](const StopCheck&) { return std::make_shared<TestList>(); });
  EXPECT_EQ(eval(u"var l = new ActiveXObject('test.list'); l.length + l(0)"), Variant(u"3a"));
  EXPECT_EQ(eval(u"ActiveXObject('Test.List')[2]"), Variant(u"c"));
  for (std::u16string_view code :
       {u"new ActiveXObject('Scripting.FileSystemObject')", u"new ActiveXObject('WScript.Shell')",
        u"new ActiveXObject()", u"new ActiveXObject(42)"}) {
    EXPECT_EQ(errorNumberOf([&] { eval(std::u16string(code)); }),
              numberOf(ErrorCode::kCannotCreateObject))
        << toUtf8(code);
  }
  EXPECT_EQ(eval(u"try { new ActiveXObject('Nope.Nope') } catch (e) { e.message }"),
            Variant(u"ActiveX component can't create object"));
}

TEST_F(JScriptBridgeTest, HostObjectsAreReleasedAsTheScriptDropsThemAndNoThreadsAreOffered) {
  std::weak_ptr<TestHost> child = host->child = std::make_shared<TestHost>(&control);
  eval(u"for (var i = 0; i < 10000; i++) engine.child.next();");
  EXPECT_EQ(host->child->count, 10000);
  host->child.reset();
  eval(u"Duktape.gc(); Duktape.gc();");
  EXPECT_TRUE(child.expired());
  EXPECT_EQ(eval(u"typeof Duktape.Thread"), Variant(u"undefined"));
}

}  // namespace
}  // namespace platform
