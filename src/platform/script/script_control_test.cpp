#include "platform/script/script_control.h"

#include <gtest/gtest.h>

#include <algorithm>
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
using testing::numberOf;
using testing::TestHost;
using Events = std::vector<std::string>;

constexpr int32_t kSyntaxError = static_cast<int32_t>(0x800A03EA);
constexpr int32_t kUndefinedName = static_cast<int32_t>(0x800A1391);
constexpr int32_t kTypeError = static_cast<int32_t>(0x800A01B6);
constexpr int32_t kRangeError = static_cast<int32_t>(0x800A001C);
constexpr int32_t kUncaught = static_cast<int32_t>(0x800A139E);

std::string errorEvent(int32_t number) {
  return "error " + std::to_string(number);
}

class ScriptControlTest : public ::testing::Test {
 protected:
  explicit ScriptControlTest(std::chrono::milliseconds timeout = 200ms)
      : control(timeout, testing::testServices()) {
    control.setLanguage(u"JScript");
    control.onError = [this] { events.push_back(errorEvent(control.Error().Number())); };
    control.onTimeout = [this] { events.push_back("timeout"); };
  }

  // Adds `code`, then the test host as "engine", as a parser run does.
  void load(std::u16string_view code) {
    control.AddCode(code);
    control.AddObject(u"engine", host);
  }
  Variant run(std::u16string_view procedure, std::vector<Variant> args = {}) {
    return control.Run(procedure, args);
  }
  int32_t failure(std::u16string_view procedure, std::vector<Variant> args = {}) {
    return errorNumberOf([&] { control.Run(procedure, args); });
  }

  ScriptControl control;
  std::shared_ptr<TestHost> host = std::make_shared<TestHost>(&control);
  Events events;
};

TEST_F(ScriptControlTest, CodeAndObjectsLastUntilReset) {
  load(u"var greeting = 'hello';\r\nfunction run(a, b) { return greeting + ' ' + (a + b); }");
  EXPECT_EQ(run(u"run", {Variant(int32_t{2}), Variant(int32_t{3})}), Variant(u"hello 5"));
  control.AddCode(u"function second() { return greeting.toUpperCase(); }\r\nvar notAFunction;");
  EXPECT_EQ(run(u"second"), Variant(u"HELLO"));
  // Unknown procedures fail without an event and leave the Error object alone.
  EXPECT_EQ(failure(u"missing"), numberOf(ErrorCode::kUnknownName));
  EXPECT_EQ(failure(u"notAFunction"), numberOf(ErrorCode::kUnknownName));
  EXPECT_EQ(control.Error().Number(), 0);

  control.Reset();
  EXPECT_EQ(failure(u"run"), numberOf(ErrorCode::kUnknownName));
  control.AddCode(u"function probe() { return typeof greeting + ',' + typeof engine; }");
  EXPECT_EQ(run(u"probe"), Variant(u"undefined,undefined"));
  EXPECT_TRUE(events.empty());
}

TEST(ScriptControlLanguage, VBScriptNeedsAnEngineAndAChangeOfLanguageDropsTheCode) {
  ScriptControl control(1s, testing::testServices());
  EXPECT_EQ(control.language(), u"VBScript");
  try {
    control.AddCode(u"x = 1");
    ADD_FAILURE() << "VBScript code was accepted";
  } catch (const Error& error) {
    EXPECT_EQ(error.number(), numberOf(ErrorCode::kCannotCreateObject));
    EXPECT_EQ(error.description(), u"VBScript engine not available");
  }
  EXPECT_EQ(errorNumberOf([&] { control.setLanguage(u"Perl"); }), numberOf(ErrorCode::kInvalidArg));

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
  control.registerEngine(u"vbscript", [](ScriptSite&, const ScriptServices&) {
    return std::make_unique<EchoEngine>();
  });
  control.setLanguage(u"VBScript");
  control.AddCode(u"vb code");
  EXPECT_EQ(toText(control.Run(u"anything")), u"vb code");
  control.setLanguage(u"javascript");
  EXPECT_EQ(errorNumberOf([&] { control.Run(u"f"); }), numberOf(ErrorCode::kUnknownName));
}

TEST_F(ScriptControlTest, NamedObjectIsReachedByItsNameOnlyAndNotFromTopLevelCode) {
  EXPECT_EQ(errorNumberOf([&] { load(u"engine.output('too early');"); }), kUndefinedName);
  EXPECT_EQ(events, Events{errorEvent(kUndefinedName)});
  load(u"function qualified() { engine.output('a'); }\r\nfunction bare() { output('b'); }");
  run(u"qualified");
  EXPECT_EQ(failure(u"bare"), kUndefinedName);
  EXPECT_EQ(control.Error().Description(), u"'output' is undefined");
  EXPECT_EQ(host->outputs, std::vector<std::u16string>{u"a"});
}

TEST_F(ScriptControlTest, ScriptUsesHostPropertiesAndMethodsAsJScriptWould) {
  host->text = u"in";
  load(
      u"function run() { engine.text = engine.text.length + ':' + engine.text.toUpperCase(); }\r\n"
      u"function sums() { return engine.add(2) + ',' + engine.add(2, 3); }\r\n"
      u"function calls() { engine.next(); engine.next(); return engine.count; }\r\n"
      u"function read() { return engine.next; }\r\n"
      u"function kinds() { return typeof engine.add + ',' + typeof engine.text; }\r\n"
      u"function detached() { var add = engine.add; return add(40, 2); }\r\n"
      u"function evaluate(code) { return eval(code); }");
  run(u"run");
  EXPECT_EQ(host->text, u"2:IN");
  EXPECT_EQ(run(u"sums"), Variant(u"2,5"));
  // A called 0-argument method runs once per call; read without a call, it answers as a property.
  EXPECT_EQ(toInt32(run(u"calls")), 2);
  EXPECT_EQ(toInt32(run(u"read")), 3);
  EXPECT_EQ(run(u"kinds"), Variant(u"function,string"));
  EXPECT_EQ(toInt32(run(u"detached")), 42);

  // Misuse and host failures are script errors: reported when not caught, else catchable.
  // Dispatch failures reach the script as the run-time errors they stand for.
  host->action = [] { throw Error(-2147467259, u"disk on fire", u"Fire department"); };
  const std::vector<std::pair<const char16_t*, int32_t>> failures = {
      {u"engine.count = 5", numberOf(ErrorCode::kNoSuchMember)},
      {u"engine.add()", numberOf(ErrorCode::kWrongArgumentCount)},
      {u"engine.output(1, 2)", numberOf(ErrorCode::kWrongArgumentCount)},
      {u"engine.add('x')", numberOf(ErrorCode::kTypeMismatch)},
      {u"engine.act()", -2147467259}};
  for (const auto& [code, expected] : failures) {
    SCOPED_TRACE(toUtf8(code));
    const std::u16string caught = u"try { " + std::u16string(code) + u" } catch (e) { e.number }";
    EXPECT_EQ(toInt32(run(u"evaluate", {Variant(caught)})), expected);
    EXPECT_EQ(failure(u"evaluate", {Variant(code)}), expected);
  }
  EXPECT_EQ(events.size(), failures.size());
  EXPECT_EQ(events.back(), errorEvent(-2147467259));  // the Error object is filled by then
  EXPECT_EQ(host->count, 3);
  EXPECT_EQ(control.Error().Description(), u"disk on fire");
  EXPECT_EQ(control.Error().Source(), u"Fire department");
  EXPECT_EQ(
      run(u"evaluate", {Variant(u"try { engine.act() } catch (e) { e.description + e.message }")}),
      Variant(u"disk on firedisk on fire"));
}

TEST_F(ScriptControlTest, HostCallsBackIntoTheScriptAndFailuresTravelOutward) {
  load(
      u"function run() {\r\n"
      u"  engine.callback('onChild', engine.child);\r\n"
      u"  return engine.callback('twice', 21);\r\n"
      u"}\r\n"
      u"function onChild(child) { child.text = 'set by callback'; }\r\n"
      u"function twice(n) { return engine.callback('double', n); }\r\n"
      u"function double(n) { return n * 2; }\r\n"
      u"function caught() {\r\n"
      u"  try { engine.callback('broken'); } catch (e) { return e.number; }\r\n"
      u"}\r\n"
      u"function broken() { null.x; }\r\n"
      u"function uncaught() { engine.callback('broken'); }");
  EXPECT_EQ(toInt32(run(u"run")), 42);
  ASSERT_TRUE(host->child);
  EXPECT_EQ(host->child->text, u"set by callback");
  EXPECT_TRUE(events.empty());

  // The failed callback reports, with its own line; its caller may catch the failure or fail
  // with it, and either way reports nothing more.
  EXPECT_EQ(toInt32(run(u"caught")), kTypeError);
  EXPECT_EQ(events, Events{errorEvent(kTypeError)});
  EXPECT_EQ(failure(u"uncaught"), kTypeError);
  EXPECT_EQ(events, Events(2, errorEvent(kTypeError)));
  EXPECT_EQ(control.Error().Line(), 11);
}

TEST_F(ScriptControlTest, OneErrorRaisesOneEventHoweverDeepAndNoneWhenTheScriptCatchesIt) {
  load(
      u"function throwing() { return { toString: function () { throw 1; } }; }\r\n"
      u"function caughtConversion() {\r\n"
      u"  try { engine.output(throwing()); } catch (e) { engine.output('handled'); }\r\n"
      u"}\r\n"
      u"var self = { toString: function () { engine.output(self); return 'x'; } };\r\n"
      u"function selfOutput() { engine.output(self); }\r\n"
      u"function manyCaught() {\r\n"
      u"  for (var i = 0; i < 100; i++) { try { engine.output(throwing()); } catch (e) {} }\r\n"
      u"  return i;\r\n"
      u"}\r\n"
      u"function broken() { null.x; }\r\n"
      u"function rethrown() {\r\n"
      u"  try { engine.callback('broken'); } catch (e) { throw e; }\r\n"
      u"}\r\n"
      u"function replaced() {\r\n"
      u"  try { engine.callback('broken'); } catch (e) { throw new Error('new'); }\r\n"
      u"}\r\n"
      u"function uncaughtConversion() { engine.output(throwing()); }");
  struct Case {
    const char16_t* procedure;
    int32_t failure;  // 0: it completes
    Events events;
    int32_t line;  // the Error object's, after the last event
  };
  const Case cases[] = {
      // A script function the bridge calls is no host call: its error is the caller's.
      {u"caughtConversion", 0, {}, 0},
      {u"manyCaught", 0, {}, 0},
      {u"uncaughtConversion", kUncaught, {errorEvent(kUncaught)}, 18},
      // Nested through the bridge until calls nest too deep: still one error.
      {u"selfOutput",
       numberOf(ErrorCode::kOutOfStackSpace),
       {errorEvent(numberOf(ErrorCode::kOutOfStackSpace))},
       6},
      // Caught and thrown again it is the same error; a new one is reported in its turn.
      {u"rethrown", kTypeError, {errorEvent(kTypeError)}, 11},
      {u"replaced", kUncaught, {errorEvent(kTypeError), errorEvent(kUncaught)}, 16},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(toUtf8(c.procedure));
    events.clear();
    control.Error().Clear();
    EXPECT_EQ(failure(c.procedure), c.failure);
    EXPECT_EQ(events, c.events);
    EXPECT_EQ(control.Error().Line(), c.line);
  }
  EXPECT_EQ(host->outputs, std::vector<std::u16string>{u"handled"});
  EXPECT_EQ(control.Error().Text(),
            u"  try { engine.callback('broken'); } catch (e) { throw new Error('new'); }");
}

TEST_F(ScriptControlTest, TheErrorObjectHoldsNoMoreThanABoxCanShow) {
  const std::u16string smiles = [] {
    std::u16string text;
    for (int i = 0; i < 1000; ++i)
      text += u"\U0001F600";
    return text;
  }();
  // The cut falls after a whole pair, or would fall inside one.
  const std::u16string lines[] = {
      u"var s = '" + std::u16string(200000, u'x') + u"' +;",
      u"var s = '" + smiles + u"' +;",
      u"var s = '_" + smiles + u"' +;",
  };
  for (const std::u16string& line : lines) {
    events.clear();
    EXPECT_EQ(errorNumberOf([&] { control.AddCode(u"var before;\r\n" + line); }), kSyntaxError);
    ASSERT_EQ(events.size(), 1u);
    const std::u16string& text = control.Error().Text();
    ASSERT_GE(text.size(), kLongestErrorText - 1);
    EXPECT_LE(text.size(), kLongestErrorText);
    EXPECT_EQ(text.back(), u'\u2026');
    const std::u16string_view kept = std::u16string_view(text).substr(0, text.size() - 1);
    EXPECT_EQ(line.substr(0, kept.size()), kept);
    EXPECT_FALSE(kept.back() >= 0xD800 && kept.back() <= 0xDBFF);
    EXPECT_EQ(control.Error().Line(), 2);
  }
  load(u"function run() { throw new Array(1000).join('d'); }");
  EXPECT_EQ(failure(u"run"), kUncaught);
  EXPECT_EQ(control.Error().Description(), std::u16string(kLongestErrorText - 1, u'd') + u"\u2026");
  EXPECT_EQ(errorNumberOf([&] { control.AddCode(u"var s = 'short' +;"); }), kSyntaxError);
  EXPECT_EQ(control.Error().Text(), u"var s = 'short' +;");
}

TEST_F(ScriptControlTest, ErrorsGiveLineAndTextOfTheSourceAsAdded) {
  // As parser files are read: a line break before every line, so the file's first line is 2.
  try {
    control.AddCode(u"\r\nfunction run( {\r\n  return 1;\r\n}");
  } catch (const Error& error) {
    events.push_back("failed " + std::to_string(error.number()));
  }
  EXPECT_EQ(events, (Events{errorEvent(kSyntaxError), "failed " + std::to_string(kSyntaxError)}));
  ScriptError& error = control.Error();
  EXPECT_EQ(error.Line(), 2);
  EXPECT_EQ(error.Text(), u"function run( {");
  EXPECT_EQ(error.Column(), 0);
  EXPECT_EQ(error.Source(), u"Microsoft JScript compilation error");
  EXPECT_FALSE(error.Description().empty());
  EXPECT_EQ(error.Description().find(u"(line"), std::u16string::npos);
  error.Clear();
  EXPECT_TRUE(error.Number() == 0 && error.Line() == 0 && error.Description().empty() &&
              error.Text().empty() && error.Source().empty());

  // Lone line feeds count as line breaks too.
  load(u"\nfunction run() {\n  var x = 1;\r\n  undefinedThing(x);\r\n}");
  EXPECT_EQ(failure(u"run"), kUndefinedName);
  EXPECT_EQ(error.Line(), 4);
  EXPECT_EQ(error.Text(), u"  undefinedThing(x);");
  EXPECT_EQ(error.Description(), u"'undefinedThing' is undefined");
  EXPECT_EQ(error.Source(), u"Microsoft JScript runtime error");
}

TEST_F(ScriptControlTest, ThrownValuesOfAnyKindAndEndlessRecursionAreScriptErrors) {
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
      u"}\r\n"
      u"function down(n) { return down(n + 1) + 1; }\r\n"
      u"function throughNative(n) { return [n].map(throughNative); }\r\n"
      u"function throughHost(n) { return engine.callback('throughHost', n + 1); }");
  const std::vector<std::pair<int32_t, std::u16string>> expected = {
      {kUncaught, u"plain text"},
      {kUncaught, u"42"},
      {kUncaught, u"[object Object]"},
      {kUncaught, u"null"},
      {kUncaught, u"undefined"},
      {kUncaught, u"again"},
      {numberOf(ErrorCode::kInvalidProcedureCall), u"[object Object]"},
      {kUncaught, u"made"}};
  for (int32_t kind = 1; kind <= 8; ++kind) {
    SCOPED_TRACE(kind);
    EXPECT_EQ(failure(u"run", {Variant(kind)}), expected[kind - 1].first);
    EXPECT_EQ(control.Error().Description(), expected[kind - 1].second);
    EXPECT_EQ(control.Error().Line(), kind + 1);
  }
  EXPECT_EQ(events.size(), expected.size());
  EXPECT_EQ(failure(u"down"), kRangeError);
  EXPECT_EQ(failure(u"throughNative", {Variant(int32_t{0})}), kRangeError);
  EXPECT_EQ(failure(u"throughHost", {Variant(int32_t{0})}), numberOf(ErrorCode::kOutOfStackSpace));
  EXPECT_EQ(failure(u"run", {Variant(int32_t{8})}), kUncaught);  // and the host still works
}

TEST_F(ScriptControlTest, TimeOutStopsEveryEndlessScriptWithOnlyTheTimeoutEvent) {
  load(
      u"function spin() { while (true) {} }\r\n"
      u"function swallow() {\r\n"
      u"  for (;;) { try { while (true) {} } catch (e) {} finally { engine.next(); } }\r\n"
      u"}\r\n"
      u"function nested() { engine.callback('spin'); }\r\n"
      u"function hostBound() { for (;;) { try { engine.count; } catch (e) {} } }\r\n"
      u"function joins() { for (;;) new Array(1 << 16).join('x'); }\r\n"
      u"function backtracks() { return /(a|aa)+$/.test(new Array(60).join('a') + 'b'); }\r\n"
      u"function quick() { return 'quick'; }");
  for (const char16_t* procedure :
       {u"spin", u"swallow", u"nested", u"hostBound", u"joins", u"backtracks"}) {
    SCOPED_TRACE(toUtf8(procedure));
    events.clear();
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(failure(procedure), numberOf(ErrorCode::kTimeout));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
    EXPECT_EQ(events, Events{"timeout"});
    EXPECT_EQ(run(u"quick"), Variant(u"quick"));  // the next call gets a fresh deadline
  }
  events.clear();
  EXPECT_EQ(errorNumberOf([&] { control.AddCode(u"while (true) {}"); }),
            numberOf(ErrorCode::kTimeout));
  EXPECT_EQ(events, Events{"timeout"});
}

TEST_F(ScriptControlTest, ResetFromInsideACallTakesEffectOnceItUnwinds) {
  control.onTimeout = [this] {
    events.push_back("timeout");
    control.Reset();
  };
  load(u"var leftover = 1; function run() { for (;;) {} }");
  EXPECT_EQ(failure(u"run"), numberOf(ErrorCode::kTimeout));
  load(
      u"function run() { return typeof leftover; }\r\n"
      u"function stop() {\r\n"
      u"  engine.act();\r\n"
      u"  try { engine.next(); } catch (e) {}\r\n"
      u"  for (;;) {}\r\n"
      u"}");
  EXPECT_EQ(run(u"run"), Variant(u"undefined"));

  host->action = [this] { control.Reset(); };
  EXPECT_EQ(failure(u"stop"), numberOf(ErrorCode::kAborted));
  EXPECT_EQ(events, Events{"timeout"});
  EXPECT_EQ(host->count, 0);
  EXPECT_EQ(failure(u"run"), numberOf(ErrorCode::kUnknownName));
}

TEST_F(ScriptControlTest, ScriptFunctionsHeldByTheHostFollowTheSameRulesUntilReset) {
  load(
      u"function run() {\r\n"
      u"  engine.held = function (n) { if (n < 0) throw 'no'; while (n > 0) {} return 'ok'; };\r\n"
      u"}");
  run(u"run");
  ASSERT_TRUE(host->held);
  const auto call = [&](int32_t n) {
    std::vector<Variant> args{Variant(n)};
    return host->held->invoke(kDefaultMember, kMethod, args);
  };
  EXPECT_EQ(call(0), Variant(u"ok"));
  // The host's own call of a script function is no AddCode or Run: its error comes back to
  // the host as a failure, without an event.
  EXPECT_EQ(errorNumberOf([&] { call(-1); }), kUncaught);
  EXPECT_EQ(errorNumberOf([&] { call(1); }), numberOf(ErrorCode::kTimeout));
  EXPECT_EQ(events, (Events{"timeout"}));

  control.Reset();
  EXPECT_EQ(errorNumberOf([&] { call(0); }), numberOf(ErrorCode::kObjectRequired));
  host->held.reset();  // letting go after the reset is harmless too
}

TEST_F(ScriptControlTest, ProceduresListTheScriptsOwnFunctionsWithoutRunningAnything) {
  EXPECT_TRUE(control.Procedures().empty());
  load(
      u"function run() {}\r\n"
      u"function Info(a, b) {}\r\n"
      u"var later = function (x) {};\r\n"
      u"var text = 'run';\r\n"
      u"Object.defineProperty(this, 'trap', { enumerable: true,\r\n"
      u"  get: function () { engine.next(); return function () {}; } });");
  std::vector<std::pair<std::u16string, int32_t>> listed;
  for (const ScriptProcedure& procedure : control.Procedures())
    listed.emplace_back(procedure.name, procedure.numArgs);
  std::sort(listed.begin(), listed.end());
  // Built-ins, plain values, the named object and the getter are no procedures of the script.
  EXPECT_EQ(listed, (std::vector<std::pair<std::u16string, int32_t>>{
                        {u"Info", 2}, {u"later", 1}, {u"run", 0}}));
  EXPECT_EQ(host->count, 0);
  control.Reset();
  EXPECT_TRUE(control.Procedures().empty());
}

TEST_F(ScriptControlTest, ResetRequestedStopsTheRunningCallAsAResetWould) {
  int asked = 0;
  bool interrupt = false;
  control.resetRequested = [&] {
    ++asked;
    return interrupt;
  };
  load(u"var kept = 1; function spin() { for (;;) {} }\r\nfunction quick() { return kept; }");
  EXPECT_EQ(toInt32(run(u"quick")), 1);
  const int askedByQuickCalls = asked;
  interrupt = true;
  EXPECT_EQ(asked, askedByQuickCalls);  // nothing asks between calls
  EXPECT_EQ(failure(u"spin"), numberOf(ErrorCode::kAborted));
  EXPECT_GT(asked, askedByQuickCalls);
  EXPECT_TRUE(events.empty());  // neither the Timeout nor the Error event
  interrupt = false;
  EXPECT_EQ(failure(u"quick"), numberOf(ErrorCode::kUnknownName));  // the code is gone
}

class LongTimeoutTest : public ScriptControlTest {
 protected:
  LongTimeoutTest() : ScriptControlTest(20s) {}
};

TEST_F(LongTimeoutTest, HugeBinaryOrGreedyScriptsFailCleanly) {
  control.AddCode(u"var s = '" + std::u16string(10u << 20, u'a') +
                  u"';\r\nfunction size() { return s.length; }");
  EXPECT_EQ(toInt32(run(u"size")), 10 << 20);
  control.Reset();

  std::mt19937 random(7);
  std::u16string binary;
  for (int i = 0; i < (1 << 20); ++i)
    binary.push_back(static_cast<char16_t>(random() & 0xFF));
  EXPECT_NE(errorNumberOf([&] { control.AddCode(binary); }), 0);
  EXPECT_NE(errorNumberOf([&] { control.AddCode(std::u16string(200000, u'(')); }), 0);

  control.AddCode(
      u"function hog() { for (var parts = [];;) parts.push(new ArrayBuffer(1 << 20)); }\r\n"
      u"function sparse() { var a = []; a[1 << 23] = 1; return a.join(''); }\r\n"
      u"function unstored() {\r\n"
      u"  var a = new Array(5000000);\r\n"
      u"  return a.join();\r\n"
      u"}\r\n"
      u"function caughtUnstored() {\r\n"
      u"  try { new Array(5000000).join(); } catch (e) { return e.fileName + ':' + e.lineNumber; "
      u"}\r\n"
      u"}\r\n"
      u"function page() {\r\n"
      u"  var s = 'abcde';\r\n"
      u"  while (s.length < 5000000) s += s;\r\n"
      u"  var parts = s.split('');\r\n"
      u"  return parts.indexOf('y') + ',' + parts.length;\r\n"
      u"}\r\n"
      u"function plainSort() { return new Array(1 << 18).sort().length; }\r\n"
      u"function comparedSort() {\r\n"
      u"  var a = []; for (var i = 0; i < 140000; i++) a.push(-i);\r\n"
      u"  return a.sort(function (x, y) { return x - y; })[0];\r\n"
      u"}\r\n"
      u"function ordinary() { return [3, 1, 2].sort().reverse().join('-'); }");
  EXPECT_EQ(failure(u"hog"), numberOf(ErrorCode::kOutOfMemoryVb));
  EXPECT_EQ(control.Error().Description(), u"Out of memory");
  // Array walks are bounded up front rather than left to the time-out.
  EXPECT_EQ(failure(u"sparse"), kRangeError);
  EXPECT_EQ(failure(u"plainSort"), kRangeError);
  // The script's own line and text; nothing of ours, caught or not.
  EXPECT_EQ(failure(u"unstored"), kRangeError);
  EXPECT_EQ(control.Error().Line(), 5);
  EXPECT_EQ(control.Error().Text(), u"  return a.join();");
  const std::u16string where = toText(run(u"caughtUnstored"));
  EXPECT_EQ(where.substr(where.find(u':')), u":8");
  EXPECT_EQ(where.find(u'/'), std::u16string::npos) << toUtf8(where);
  // Millions of characters of a page, one element each, are no reason to refuse.
  EXPECT_EQ(run(u"page"), Variant(u"-1,5242880"));
  EXPECT_EQ(toInt32(run(u"comparedSort")), -139999);
  EXPECT_EQ(run(u"ordinary"), Variant(u"3-2-1"));
}

}  // namespace
}  // namespace platform
