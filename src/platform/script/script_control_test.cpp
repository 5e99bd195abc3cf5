#include "platform/script/script_control.h"

#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <string>
#include <vector>

#include "platform/automation/variant_convert.h"
#include "platform/base/error.h"
#include "platform/base/text.h"
#include "platform/script/script_test_support.h"

namespace platform {
namespace {

using namespace std::chrono_literals;
using testing::errorNumberOf;
using testing::number;
using testing::TestHost;

constexpr int32_t kSyntaxError = static_cast<int32_t>(0x800A03EA);
constexpr int32_t kUndefinedName = static_cast<int32_t>(0x800A1391);
constexpr int32_t kRangeError = static_cast<int32_t>(0x800A001C);
constexpr int32_t kUncaught = static_cast<int32_t>(0x800A139E);

class ScriptControlTest : public ::testing::Test {
 protected:
  explicit ScriptControlTest(std::chrono::milliseconds timeout = 200ms) : control(timeout) {
    control.setLanguage(u"JScript");
    control.onError = [this] {
      events.push_back("error " + std::to_string(control.Error().Number()));
    };
    control.onTimeout = [this] { events.push_back("timeout"); };
  }

  // Adds `code`, then the test host as "engine", as a parser run does.
  void load(std::u16string_view code) {
    control.AddCode(code);
    control.AddObject(u"engine", host);
  }

  std::u16string runText(std::u16string_view procedure) { return toText(control.Run(procedure)); }

  ScriptControl control;
  std::shared_ptr<TestHost> host = std::make_shared<TestHost>(&control);
  std::vector<std::string> events;
};

TEST_F(ScriptControlTest, RunsProceduresOfTheAddedCodeUntilReset) {
  load(u"var greeting = 'hello';\r\nfunction run(a, b) { return greeting + ' ' + (a + b); }");
  std::vector<Variant> args{Variant(int32_t{2}), Variant(int32_t{3})};
  EXPECT_EQ(toText(control.Run(u"run", args)), u"hello 5");

  // Code added later sees the earlier code's globals.
  control.AddCode(u"function second() { return greeting.toUpperCase(); }");
  EXPECT_EQ(runText(u"second"), u"HELLO");

  control.Reset();
  EXPECT_EQ(errorNumberOf([&] { control.Run(u"run"); }), number(ErrorCode::kUnknownName));
  control.AddCode(u"function probe() { return typeof greeting; }");
  EXPECT_EQ(runText(u"probe"), u"undefined");
  EXPECT_TRUE(events.empty());
}

TEST_F(ScriptControlTest, UnknownProcedureFailsWithoutEventOrErrorObject) {
  load(u"var notAFunction = 1;");
  EXPECT_EQ(errorNumberOf([&] { control.Run(u"missing"); }), number(ErrorCode::kUnknownName));
  EXPECT_EQ(errorNumberOf([&] { control.Run(u"notAFunction"); }), number(ErrorCode::kUnknownName));
  EXPECT_TRUE(events.empty());
  EXPECT_EQ(control.Error().Number(), 0);
}

TEST(ScriptControlLanguage, StartsAsVBScriptWhichHasNoEngineYet) {
  ScriptControl control(1s);
  EXPECT_EQ(control.language(), u"VBScript");
  try {
    control.AddCode(u"x = 1");
    FAIL() << "VBScript code was accepted";
  } catch (const Error& error) {
    EXPECT_EQ(error.number(), number(ErrorCode::kCannotCreateObject));
    EXPECT_EQ(error.description(), u"VBScript engine not available");
  }
  EXPECT_EQ(errorNumberOf([&] { control.setLanguage(u"Perl"); }), number(ErrorCode::kInvalidArg));
  EXPECT_EQ(control.language(), u"VBScript");
}

TEST(ScriptControlLanguage, KeepsCodeForTheSameLanguageAndDropsItOnAChange) {
  ScriptControl control(1s);
  control.setLanguage(u"javascript");
  control.AddCode(u"function f() { return 7; }");
  control.setLanguage(u"JSCRIPT");  // the same language by another name
  EXPECT_EQ(control.language(), u"JSCRIPT");
  EXPECT_EQ(toInt32(control.Run(u"f")), 7);

  struct EchoEngine : ScriptEngine {
    std::u16string code;
    void addCode(std::u16string_view source) override { code = source; }
    void addObject(std::u16string_view, ObjectPtr) override {}
    Variant run(std::u16string_view, std::span<Variant>) override { return Variant(code); }
  };
  control.registerEngine(u"vbscript", [](ScriptSite&) { return std::make_unique<EchoEngine>(); });
  control.setLanguage(u"VBScript");
  control.AddCode(u"vb code");
  EXPECT_EQ(toText(control.Run(u"anything")), u"vb code");

  control.setLanguage(u"javascript");
  EXPECT_EQ(errorNumberOf([&] { control.Run(u"f"); }), number(ErrorCode::kUnknownName));
}

TEST_F(ScriptControlTest, NamedObjectMembersAreNotGlobal) {
  load(
      u"function qualified() { engine.output('a'); }\r\n"
      u"function bare() { output('b'); }");
  control.Run(u"qualified");
  EXPECT_EQ(host->outputs, std::vector<std::u16string>{u"a"});
  EXPECT_EQ(errorNumberOf([&] { control.Run(u"bare"); }), kUndefinedName);
  EXPECT_EQ(control.Error().Description(), u"'output' is undefined");
  EXPECT_EQ(host->outputs.size(), 1u);
}

TEST_F(ScriptControlTest, TopLevelCodeCannotUseAnObjectAddedAfterIt) {
  EXPECT_EQ(errorNumberOf([&] { load(u"engine.output('too early');"); }), kUndefinedName);
  EXPECT_EQ(events, std::vector<std::string>{"error " + std::to_string(kUndefinedName)});
}

TEST_F(ScriptControlTest, ScriptReadsAndWritesHostProperties) {
  host->text = u"in";
  load(
      u"function run() {\r\n"
      u"  var before = engine.text;\r\n"
      u"  engine.text = before.length + ':' + before.toUpperCase();\r\n"
      u"  return engine.count + 1;\r\n"
      u"}\r\n"
      u"function writeReadOnly() { engine.count = 5; }");
  EXPECT_EQ(control.Run(u"run"), Variant(int32_t{1}));
  EXPECT_EQ(host->text, u"2:IN");
  EXPECT_EQ(errorNumberOf([&] { control.Run(u"writeReadOnly"); }),
            number(ErrorCode::kMemberNotFound));
  EXPECT_EQ(host->count, 0);
}

TEST_F(ScriptControlTest, CallsMethodsWithOptionalArgumentsAndTellsCallsFromReads) {
  load(
      u"function sums() { return engine.add(2) + ',' + engine.add(2, 3); }\r\n"
      u"function calls() { engine.next(); engine.next(); return engine.count; }\r\n"
      u"function read() { return engine.next; }\r\n"
      u"function kinds() { return typeof engine.add + ',' + typeof engine.text; }\r\n"
      u"function detached() { var add = engine.add; return add(40, 2); }");
  EXPECT_EQ(runText(u"sums"), u"2,5");
  // A called 0-argument method runs once per call, not once more for the lookup.
  EXPECT_EQ(toInt32(control.Run(u"calls")), 2);
  // Read without a call, it answers as a property, as in JScript.
  EXPECT_EQ(toInt32(control.Run(u"read")), 3);
  EXPECT_EQ(runText(u"kinds"), u"function,string");
  EXPECT_EQ(toInt32(control.Run(u"detached")), 42);
}

TEST_F(ScriptControlTest, WrongArgumentsToHostMembersAreScriptErrors) {
  load(
      u"function none() { engine.add(); }\r\n"
      u"function tooMany() { engine.output(1, 2); }\r\n"
      u"function notANumber() { engine.add('x'); }\r\n"
      u"function caught() { try { engine.add(); } catch (e) { return e.number; } }");
  EXPECT_EQ(errorNumberOf([&] { control.Run(u"none"); }), number(ErrorCode::kBadParamCount));
  EXPECT_EQ(errorNumberOf([&] { control.Run(u"tooMany"); }), number(ErrorCode::kBadParamCount));
  EXPECT_EQ(errorNumberOf([&] { control.Run(u"notANumber"); }), number(ErrorCode::kTypeMismatch));
  EXPECT_EQ(toInt32(control.Run(u"caught")), number(ErrorCode::kBadParamCount));
  EXPECT_EQ(events.size(), 3u);
}

TEST_F(ScriptControlTest, HostCallsBackIntoTheScriptWithObjects) {
  load(
      u"function run() {\r\n"
      u"  engine.callback('onChild', engine.child);\r\n"
      u"  return engine.callback('twice', 21);\r\n"
      u"}\r\n"
      u"function onChild(child) { child.text = 'set by callback'; engine.output(child.text); }\r\n"
      u"function twice(n) { return engine.callback('double', n); }\r\n"
      u"function double(n) { return n * 2; }");
  EXPECT_EQ(toInt32(control.Run(u"run")), 42);
  ASSERT_TRUE(host->child);
  EXPECT_EQ(host->child->text, u"set by callback");
  EXPECT_EQ(host->outputs, std::vector<std::u16string>{u"set by callback"});
}

TEST_F(ScriptControlTest, AFailedCallbackReportsAndTheCallerMayCatchIt) {
  load(
      u"function run() {\r\n"
      u"  try { engine.callback('broken'); } catch (e) { return 'caught ' + e.number; }\r\n"
      u"  return 'not caught';\r\n"
      u"}\r\n"
      u"function broken() { null.x; }\r\n"
      u"function uncaught() { engine.callback('broken'); }");
  const std::string typeError = std::to_string(static_cast<int32_t>(0x800A01B6));
  EXPECT_EQ(toText(control.Run(u"run")), u"caught " + fromUtf8(typeError));
  EXPECT_EQ(events, std::vector<std::string>{"error " + typeError});

  // Not caught, the error reaches the outer call, which reports it in its turn.
  events.clear();
  EXPECT_EQ(errorNumberOf([&] { control.Run(u"uncaught"); }), std::stoi(typeError));
  EXPECT_EQ(events, (std::vector<std::string>{"error " + typeError, "error " + typeError}));
  EXPECT_EQ(control.Error().Line(), 6);
}

TEST_F(ScriptControlTest, HostErrorsAreCatchableAndReportedWhenNot) {
  load(
      u"function caught() {\r\n"
      u"  try { engine.fail(-2147467259, 'disk on fire'); }\r\n"
      u"  catch (e) { return e.number + '|' + e.description + '|' + e.message; }\r\n"
      u"}\r\n"
      u"function uncaught() {\r\n"
      u"  engine.fail(-2147467259, 'disk on fire', 'Fire department');\r\n"
      u"}");
  EXPECT_EQ(runText(u"caught"), u"-2147467259|disk on fire|disk on fire");
  EXPECT_TRUE(events.empty());

  std::vector<std::string> order;
  control.onError = [&] {
    order.push_back("event");
    EXPECT_EQ(control.Error().Number(), -2147467259);
    EXPECT_EQ(control.Error().Description(), u"disk on fire");
    EXPECT_EQ(control.Error().Source(), u"Fire department");
    EXPECT_EQ(control.Error().Line(), 6);
    EXPECT_EQ(control.Error().Text(),
              u"  engine.fail(-2147467259, 'disk on fire', 'Fire department');");
  };
  try {
    control.Run(u"uncaught");
    order.push_back("returned");
  } catch (const Error& error) {
    order.push_back("failed");
    EXPECT_EQ(error.number(), -2147467259);
    EXPECT_EQ(error.description(), u"disk on fire");
  }
  EXPECT_EQ(order, (std::vector<std::string>{"event", "failed"}));
}

TEST_F(ScriptControlTest, SyntaxErrorIsReportedOnTheLineOfTheSourceAsAdded) {
  // As parser files are read: a line break before every line, so the file's first line is 2.
  std::vector<std::string> order;
  control.onError = [&] { order.push_back("event"); };
  try {
    control.AddCode(u"\r\nfunction run( {\r\n  return 1;\r\n}");
  } catch (const Error& error) {
    order.push_back("failed");
    EXPECT_EQ(error.number(), kSyntaxError);
  }
  EXPECT_EQ(order, (std::vector<std::string>{"event", "failed"}));
  const ScriptError& error = control.Error();
  EXPECT_EQ(error.Number(), kSyntaxError);
  EXPECT_EQ(error.Line(), 2);
  EXPECT_EQ(error.Text(), u"function run( {");
  EXPECT_EQ(error.Column(), 0);
  EXPECT_EQ(error.Source(), u"Microsoft JScript compilation error");
  EXPECT_FALSE(error.Description().empty());
  EXPECT_EQ(error.Description().find(u"(line"), std::u16string::npos);

  control.Error().Clear();
  EXPECT_EQ(error.Number(), 0);
  EXPECT_EQ(error.Line(), 0);
  EXPECT_TRUE(error.Description().empty());
  EXPECT_TRUE(error.Text().empty());
  EXPECT_TRUE(error.Source().empty());
}

TEST_F(ScriptControlTest, RuntimeErrorCarriesLineAndText) {
  // Lone line feeds count as line breaks too.
  load(u"\nfunction run() {\n  var x = 1;\r\n  undefinedThing(x);\r\n}");
  EXPECT_EQ(errorNumberOf([&] { control.Run(u"run"); }), kUndefinedName);
  const ScriptError& error = control.Error();
  EXPECT_EQ(error.Line(), 4);
  EXPECT_EQ(error.Text(), u"  undefinedThing(x);");
  EXPECT_EQ(error.Description(), u"'undefinedThing' is undefined");
  EXPECT_EQ(error.Source(), u"Microsoft JScript runtime error");
}

TEST_F(ScriptControlTest, ThrownValuesThatAreNoErrorsAreReported) {
  load(
      u"function run(kind) {\r\n"
      u"  if (kind == 1) throw 'plain text';\r\n"
      u"  if (kind == 2) throw 42;\r\n"
      u"  if (kind == 3) throw { a: 1 };\r\n"
      u"  if (kind == 4) throw null;\r\n"
      u"  if (kind == 5) throw undefined;\r\n"
      u"  if (kind == 6) throw { toString: function () { throw 'again'; } };\r\n"
      u"  if (kind == 7) throw { number: 0x800A0005, description: 'custom' };\r\n"
      u"  throw new Error('made');\r\n"
      u"}");
  struct Case {
    int32_t kind;
    int32_t number;
    std::u16string description;
    int32_t line;
  };
  const std::vector<Case> cases = {
      {1, kUncaught, u"plain text", 2},
      {2, kUncaught, u"42", 3},
      {3, kUncaught, u"[object Object]", 4},
      {4, kUncaught, u"null", 5},
      {5, kUncaught, u"undefined", 6},
      {6, kUncaught, u"again", 7},
      {7, number(ErrorCode::kInvalidProcedureCall), u"[object Object]", 8},
      {8, kUncaught, u"made", 9}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    std::vector<Variant> args{Variant(c.kind)};
    EXPECT_EQ(errorNumberOf([&] { control.Run(u"run", args); }), c.number);
    EXPECT_EQ(control.Error().Description(), c.description);
    EXPECT_EQ(control.Error().Line(), c.line);
  }
  EXPECT_EQ(events.size(), cases.size());
}

TEST_F(ScriptControlTest, InfiniteRecursionIsAScriptError) {
  load(
      u"function down(n) { return down(n + 1) + 1; }\r\n"
      u"function throughNative(n) { return [n].map(throughNative); }\r\n"
      u"function throughHost(n) { return engine.callback('throughHost', n + 1); }\r\n"
      u"function ok() { return 'still fine'; }");
  EXPECT_EQ(errorNumberOf([&] { control.Run(u"down", {}); }), kRangeError);
  std::vector<Variant> zero{Variant(int32_t{0})};
  EXPECT_EQ(errorNumberOf([&] { control.Run(u"throughNative", zero); }), kRangeError);
  EXPECT_EQ(errorNumberOf([&] { control.Run(u"throughHost", zero); }),
            number(ErrorCode::kOutOfStackSpace));
  EXPECT_EQ(runText(u"ok"), u"still fine");
}

TEST_F(ScriptControlTest, TimeOutStopsEndlessLoopsAndRaisesOnlyTheTimeoutEvent) {
  load(
      u"function spin() { while (true) {} }\r\n"
      u"function swallow() {\r\n"
      u"  for (;;) { try { while (true) {} } catch (e) {} finally { engine.next(); } }\r\n"
      u"}\r\n"
      u"function nested() { engine.callback('spin'); }\r\n"
      u"function hostBound() { for (;;) { try { engine.count; } catch (e) {} } }\r\n"
      u"function quick() { return 'quick'; }");
  for (const char16_t* procedure : {u"spin", u"swallow", u"nested", u"hostBound"}) {
    SCOPED_TRACE(toUtf8(procedure));
    events.clear();
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(errorNumberOf([&] { control.Run(procedure); }), number(ErrorCode::kTimeout));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
    EXPECT_EQ(events, std::vector<std::string>{"timeout"});
    // The next call gets a fresh deadline.
    EXPECT_EQ(runText(u"quick"), u"quick");
  }
}

TEST_F(ScriptControlTest, TimeoutHandlerMayResetAndTheControlWorksAtOnce) {
  control.onTimeout = [this] {
    events.push_back("timeout");
    control.Reset();
  };
  load(u"var leftover = 1; function run() { for (;;) {} }");
  EXPECT_EQ(errorNumberOf([&] { control.Run(u"run"); }), number(ErrorCode::kTimeout));
  EXPECT_EQ(events, std::vector<std::string>{"timeout"});
  load(u"function run() { return typeof leftover; }");
  EXPECT_EQ(runText(u"run"), u"undefined");
}

TEST_F(ScriptControlTest, TimeOutCoversTopLevelCode) {
  EXPECT_EQ(errorNumberOf([&] { control.AddCode(u"while (true) {}"); }),
            number(ErrorCode::kTimeout));
  EXPECT_EQ(events, std::vector<std::string>{"timeout"});
}

TEST_F(ScriptControlTest, ResetDuringACallStopsTheScriptOnceItUnwinds) {
  host->action = [this] { control.Reset(); };
  load(
      u"var marker = 'kept';\r\n"
      u"function run() {\r\n"
      u"  engine.act();\r\n"
      u"  try { engine.next(); } catch (e) { engine.output('after reset: ' + e.number); }\r\n"
      u"  for (;;) {}\r\n"
      u"}");
  EXPECT_EQ(errorNumberOf([&] { control.Run(u"run"); }), number(ErrorCode::kAborted));
  EXPECT_TRUE(events.empty());
  EXPECT_EQ(host->count, 0);
  // The code is gone; the control works.
  EXPECT_EQ(errorNumberOf([&] { control.Run(u"run"); }), number(ErrorCode::kUnknownName));
  host->action = nullptr;
  load(u"function probe() { return typeof marker; }");
  EXPECT_EQ(runText(u"probe"), u"undefined");
}

TEST_F(ScriptControlTest, ScriptObjectsHeldByTheHostDieWithTheirScript) {
  load(
      u"function run() {\r\n"
      u"  engine.held = { name: 'box', twice: function (n) { return 2 * n; } };\r\n"
      u"}");
  control.Run(u"run");
  ASSERT_TRUE(host->held);
  EXPECT_EQ(host->held->typeName(), u"JScriptTypeInfo");
  std::vector<Variant> args{Variant(int32_t{21})};
  EXPECT_EQ(toInt32(invokeByName(*host->held, u"twice", kMethod, args)), 42);
  EXPECT_EQ(toText(invokeByName(*host->held, u"name", kPropertyGet, {})), u"box");

  control.Reset();
  EXPECT_EQ(errorNumberOf([&] { invokeByName(*host->held, u"twice", kMethod, args); }),
            number(ErrorCode::kObjectRequired));
  host->held.reset();  // letting go after the reset is harmless too
}

TEST_F(ScriptControlTest, HostCallingAScriptFunctionOnItsOwnGetsTheSameRules) {
  load(
      u"function run() {\r\n"
      u"  engine.held = function (n) { if (n < 0) throw 'negative'; while (n > 0) {} return 'ok'; "
      u"};\r\n"
      u"}");
  control.Run(u"run");
  ASSERT_TRUE(host->held);
  std::vector<Variant> zero{Variant(int32_t{0})};
  EXPECT_EQ(toText(host->held->invoke(kDefaultMember, kMethod, zero)), u"ok");
  std::vector<Variant> negative{Variant(int32_t{-1})};
  EXPECT_EQ(errorNumberOf([&] { host->held->invoke(kDefaultMember, kMethod, negative); }),
            kUncaught);
  std::vector<Variant> forever{Variant(int32_t{1})};
  EXPECT_EQ(errorNumberOf([&] { host->held->invoke(kDefaultMember, kMethod, forever); }),
            number(ErrorCode::kTimeout));
  EXPECT_EQ(events, (std::vector<std::string>{"error " + std::to_string(kUncaught), "timeout"}));
}

class LongTimeoutTest : public ScriptControlTest {
 protected:
  LongTimeoutTest() : ScriptControlTest(20s) {}
};

TEST_F(LongTimeoutTest, HugeOrBinarySourcesFailCleanly) {
  std::u16string huge = u"var s = '";
  huge.append(10u << 20, u'a');
  huge += u"';\r\nfunction run() { return s.length; }";
  load(huge);
  EXPECT_EQ(toInt32(control.Run(u"run")), 10 << 20);

  std::mt19937 random(7);
  std::u16string binary;
  for (int i = 0; i < (1 << 20); ++i)
    binary.push_back(static_cast<char16_t>(random() & 0xFF));
  control.Reset();
  EXPECT_NE(errorNumberOf([&] { control.AddCode(binary); }), 0);

  std::u16string nested(200000, u'(');
  EXPECT_NE(errorNumberOf([&] { control.AddCode(nested); }), 0);
  control.AddCode(u"function fine() { return 1; }");
  EXPECT_EQ(toInt32(control.Run(u"fine")), 1);
}

TEST_F(LongTimeoutTest, RunawayMemoryUseIsAScriptError) {
  load(
      u"function run() {\r\n"
      u"  var block = 'x';\r\n"
      u"  while (block.length < 65536) block += block;\r\n"
      u"  var parts = [];\r\n"
      u"  for (;;) parts.push(block + parts.length);\r\n"
      u"}\r\n"
      u"function fine() { return 'fine'; }");
  EXPECT_EQ(errorNumberOf([&] { control.Run(u"run"); }), number(ErrorCode::kOutOfMemoryVb));
  EXPECT_EQ(control.Error().Description(), u"Out of memory");
  EXPECT_EQ(runText(u"fine"), u"fine");
}

TEST_F(ScriptControlTest, TimeOutStopsSlowBuiltInsToo) {
  load(
      u"function joins() { for (;;) new Array(1 << 16).join('x'); }\r\n"
      u"function backtracks() {\r\n"
      u"  return /(a|aa)+$/.test(new Array(60).join('a') + 'b');\r\n"
      u"}");
  for (const char16_t* procedure : {u"joins", u"backtracks"}) {
    SCOPED_TRACE(toUtf8(procedure));
    events.clear();
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(errorNumberOf([&] { control.Run(procedure); }), number(ErrorCode::kTimeout));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 3s);
    EXPECT_EQ(events, std::vector<std::string>{"timeout"});
  }
}

TEST_F(LongTimeoutTest, ArrayWalksAreBoundedUpFront) {
  load(
      u"function sparse() { var a = []; a[1 << 23] = 1; return a.join(''); }\r\n"
      u"function plainSort() { return new Array(1 << 18).sort().length; }\r\n"
      u"function comparedSort() {\r\n"
      u"  var a = []; for (var i = 0; i < 140000; i++) a.push(-i);\r\n"
      u"  return a.sort(function (x, y) { return x - y; })[0];\r\n"
      u"}\r\n"
      u"function ordinary() { return [3, 1, 2].sort().reverse().join('-'); }");
  EXPECT_EQ(errorNumberOf([&] { control.Run(u"sparse"); }), kRangeError);
  EXPECT_EQ(errorNumberOf([&] { control.Run(u"plainSort"); }), kRangeError);
  EXPECT_EQ(toInt32(control.Run(u"comparedSort")), -139999);
  EXPECT_EQ(runText(u"ordinary"), u"3-2-1");
}

}  // namespace
}  // namespace platform
