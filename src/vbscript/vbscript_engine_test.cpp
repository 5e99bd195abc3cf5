// The VBScript engine in the script host: what the golden programs cannot show from inside a
// script. The Error object's fields, Run, the life of class instances across Reset and stops,
// and the limits that keep a hostile script from hurting the host.
#include "vbscript/vbscript_engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "platform/automation/variant_convert.h"
#include "platform/base/error.h"
#include "platform/base/text.h"
#include "platform/script/script_control.h"
#include "platform/script/script_test_support.h"

namespace vbscript {
namespace {

using namespace std::chrono_literals;
using platform::ErrorCode;
using platform::Variant;
using platform::testing::errorNumberOf;
using platform::testing::numberOf;
using platform::testing::TestHost;

class VBScriptEngineTest : public ::testing::Test {
 protected:
  explicit VBScriptEngineTest(std::chrono::milliseconds timeout = 2s)
      : control(timeout, platform::testing::testServices()) {
    control.registerEngine(u"VBScript", makeVBScriptEngine);
    control.onError = [this] { ++errors; };
    control.onTimeout = [this] { ++timeouts; };
  }

  void load(std::u16string_view code) {
    control.AddCode(code);
    control.AddObject(u"engine", host);
  }
  int32_t failure(std::u16string_view procedure, std::vector<Variant> args = {}) {
    return errorNumberOf([&] { control.Run(procedure, args); });
  }

  platform::ScriptControl control;
  std::shared_ptr<TestHost> host = std::make_shared<TestHost>(&control);
  int errors = 0;
  int timeouts = 0;
};

TEST_F(VBScriptEngineTest, ProceduresAreTheSubsAndFunctionsAsDeclared) {
  EXPECT_TRUE(control.Procedures().empty());
  load(
      u"Dim count\r\nConst Limit = 3\r\n"
      u"Sub Run\r\nEnd Sub\r\n"
      u"Function format(a, ByRef b)\r\nEnd Function\r\n"
      u"Class Helper\r\n  Sub Inner\r\n  End Sub\r\nEnd Class\r\n"
      u"total = 1\r\n");
  std::vector<std::pair<std::u16string, int32_t>> listed;
  for (const platform::ScriptProcedure& procedure : control.Procedures())
    listed.emplace_back(procedure.name, procedure.numArgs);
  std::sort(listed.begin(), listed.end());
  // Variables, constants, classes, their methods and the named object are no procedures.
  EXPECT_EQ(listed, (std::vector<std::pair<std::u16string, int32_t>>{{u"Run", 0}, {u"format", 2}}));
  EXPECT_EQ(host->count, 0);
}

TEST_F(VBScriptEngineTest, TheErrorObjectDescribesCompileAndRunTimeErrors) {
  struct Case {
    const char16_t* source;
    int32_t number;
    const char16_t* description;
    const char16_t* text;
    int32_t line;
    int32_t column;
    const char16_t* origin;
  };
  const Case cases[] = {
      {u"\r\nx = 1\r\nIf x Then y = 2 Else\r\n", numberOf(ErrorCode::kExpectedStatement),
       u"Expected statement", u"If x Then y = 2 Else", 3, 20,
       u"Microsoft VBScript compilation error"},
      {u"\r\nx = (1 + 2\r\n", numberOf(ErrorCode::kExpectedRightParen), u"Expected ')'",
       u"x = (1 + 2", 2, 10, u"Microsoft VBScript compilation error"},
      {u"\r\nSub s\r\n  x = 1\r\n", numberOf(ErrorCode::kExpectedEnd), u"Expected 'End'", u"", 4, 0,
       u"Microsoft VBScript compilation error"},
      {u"\r\nDim a(1)\r\n  a(2) = 0\r\n", numberOf(ErrorCode::kSubscriptOutOfRange),
       u"Subscript out of range", u"  a(2) = 0", 3, 2, u"Microsoft VBScript runtime error"},
      {u"x = 1\nnope 1, 2\n", numberOf(ErrorCode::kTypeMismatch), u"Type mismatch: 'nope'",
       u"nope 1, 2", 2, 0, u"Microsoft VBScript runtime error"},
      {u"Err.Raise 1000, \"My source\", \"My text\"", static_cast<int32_t>(0x800A03E8), u"My text",
       u"Err.Raise 1000, \"My source\", \"My text\"", 1, 0, u"My source"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(platform::toUtf8(c.source));
    control.Reset();
    EXPECT_EQ(errorNumberOf([&] { control.AddCode(c.source); }), c.number);
    const platform::ScriptError& error = control.Error();
    EXPECT_EQ(error.Number(), c.number);
    EXPECT_EQ(platform::toUtf8(error.Description()), platform::toUtf8(c.description));
    EXPECT_EQ(platform::toUtf8(error.Text()), platform::toUtf8(c.text));
    EXPECT_EQ(error.Line(), c.line);
    EXPECT_EQ(error.Column(), c.column);
    EXPECT_EQ(platform::toUtf8(error.Source()), platform::toUtf8(c.origin));
  }
  EXPECT_EQ(errors, static_cast<int>(std::size(cases)));
}

TEST_F(VBScriptEngineTest, RunCallsProceduresByNameInAnyCase) {
  load(
      u"Sub Run : engine.output \"ran\" : End Sub\r\n"
      u"Function Sum(a, b) : Sum = a + b : a = \"changed\" : End Function\r\n"
      u"Function Child : Set Child = engine.child : End Function\r\n"
      u"Dim notAProcedure");
  control.Run(u"run");
  control.Run(u"RUN");
  EXPECT_EQ(host->outputs, (std::vector<std::u16string>{u"ran", u"ran"}));
  std::vector<Variant> args{Variant(int32_t{40}), Variant(int16_t{2})};
  EXPECT_EQ(platform::toInt32(control.Run(u"sum", args)), 42);
  EXPECT_EQ(args[0], Variant(u"changed"));  // Run's arguments are by reference too
  EXPECT_EQ(control.Run(u"child").object(), host->child);
  // No such procedure: no event, no change to the Error object.
  EXPECT_EQ(failure(u"missing"), numberOf(ErrorCode::kUnknownName));
  EXPECT_EQ(failure(u"notAProcedure"), numberOf(ErrorCode::kUnknownName));
  EXPECT_EQ(failure(u"sum"), numberOf(ErrorCode::kWrongArgumentCount));
  EXPECT_EQ(errors, 1);
}

TEST_F(VBScriptEngineTest, ResetDiscardsEverythingAndTwoRunsShareNothing) {
  load(u"Dim kept : kept = \"first run\"\r\nClass Thing : End Class\r\nSub run : End Sub");
  control.Reset();
  load(
      u"Function probe : probe = TypeName(kept) & \",\" & IsObject(engine) : End Function\r\n"
      u"Function make\r\n On Error Resume Next\r\n Set x = New Thing\r\n make = Err.Number\r\n"
      u"End Function");
  EXPECT_EQ(control.Run(u"probe"), Variant(u"Empty,True"));
  EXPECT_EQ(platform::toInt32(control.Run(u"make")), 506);
  EXPECT_EQ(failure(u"run"), numberOf(ErrorCode::kUnknownName));
}

TEST_F(VBScriptEngineTest, InstancesThatReferToEachOtherAreFreedByResetWithoutTerminate) {
  load(
      u"Class Pair\r\n"
      u"  Public Other, Resource\r\n"
      u"  Private Sub Class_Terminate : engine.output \"terminated\" : End Sub\r\n"
      u"End Class\r\n"
      u"Dim a\r\n"
      u"Sub run\r\n"
      u"  Set a = New Pair : Set b = New Pair\r\n"
      u"  Set a.Other = b : Set b.Other = a\r\n"
      u"  Set a.Resource = engine.child : Set b.Resource = engine.child\r\n"
      u"  Set engine.held = a\r\n"
      u"End Sub\r\n"
      u"Sub spin : Do : Loop : End Sub");
  control.Run(u"run");
  std::weak_ptr<TestHost> resource = host->child;
  host->child.reset();
  EXPECT_FALSE(resource.expired());
  control.Reset();
  EXPECT_TRUE(resource.expired());  // the cycle is broken
  EXPECT_TRUE(host->outputs.empty());
  // The host still holds one of them: it answers, but only that its script is gone.
  ASSERT_TRUE(host->held);
  EXPECT_EQ(host->held->typeName(), u"Pair");
  EXPECT_EQ(errorNumberOf([&] {
              host->held->invoke(*host->held->memberId(u"Other"), platform::kPropertyGet, {});
            }),
            numberOf(ErrorCode::kObjectRequired));
  host->held.reset();
}

TEST_F(VBScriptEngineTest, ClassTerminateRunsWhenTheLastReferenceGoesButNotDuringAStop) {
  load(
      u"Class Noisy\r\n"
      u"  Private Sub Class_Terminate : engine.output \"terminated\" : End Sub\r\n"
      u"End Class\r\n"
      u"Sub scoped : Dim n : Set n = New Noisy : End Sub\r\n"
      u"Sub stopped : Dim n : Set n = New Noisy : Do : Loop : End Sub\r\n"
      u"Sub failing : Dim n : Set n = New Noisy : n = 1 / 0 : End Sub");
  control.Run(u"scoped");
  EXPECT_EQ(host->outputs, std::vector<std::u16string>{u"terminated"});
  host->outputs.clear();
  platform::ScriptControl quick(100ms, platform::testing::testServices());
  quick.registerEngine(u"VBScript", makeVBScriptEngine);
  auto quickHost = std::make_shared<TestHost>(&quick);
  quick.AddCode(
      u"Class Noisy\r\n"
      u"  Private Sub Class_Terminate : engine.output \"terminated\" : End Sub\r\n"
      u"End Class\r\n"
      u"Sub stopped : Dim n : Set n = New Noisy : Do : Loop : End Sub");
  quick.AddObject(u"engine", quickHost);
  EXPECT_EQ(errorNumberOf([&] { quick.Run(u"stopped"); }), numberOf(ErrorCode::kTimeout));
  EXPECT_TRUE(quickHost->outputs.empty());
  EXPECT_EQ(failure(u"failing"), numberOf(ErrorCode::kDivisionByZero));
  EXPECT_TRUE(host->outputs.empty());
}

TEST_F(VBScriptEngineTest, AClassInstanceHandedToTheHostAnswersItsCalls) {
  load(
      u"Class Greeter\r\n"
      u"  Public Name\r\n"
      u"  Public Function Greet(greeting) : Greet = greeting & \", \" & Name : End Function\r\n"
      u"  Public Default Property Get Value : Value = \"default \" & Name : End Property\r\n"
      u"  Private Sub Hidden : End Sub\r\n"
      u"End Class\r\n"
      u"Sub run : Set g = New Greeter : g.Name = \"World\" : Set engine.held = g : End Sub\r\n"
      u"Function failing : failing = 1 / 0 : End Function\r\n"
      u"Sub callsBack : engine.act : End Sub");
  control.Run(u"run");
  platform::AutomationObject& greeter = *host->held;
  const std::optional<platform::MemberId> greet = greeter.memberId(u"GREET");
  ASSERT_TRUE(greet);
  std::vector<Variant> args{Variant(u"Hello")};
  EXPECT_EQ(greeter.invoke(*greet, platform::kMethod, args), Variant(u"Hello, World"));
  EXPECT_EQ(platform::toText(Variant(host->held)), u"default World");
  std::vector<Variant> name{Variant(u"Moon")};
  greeter.invoke(*greeter.memberId(u"name"), platform::kPropertyPut, name);
  EXPECT_EQ(greeter.invoke(*greet, platform::kMethod, args), Variant(u"Hello, Moon"));
  EXPECT_FALSE(greeter.memberId(u"Hidden"));
  // Called while the script runs (from the host object it called), and a failure from there.
  host->action = [&] {
    EXPECT_EQ(greeter.invoke(*greet, platform::kMethod, args), Variant(u"Hello, Moon"));
  };
  control.Run(u"callsBack");
  EXPECT_EQ(errors, 0);
}

class VBScriptLimitsTest : public VBScriptEngineTest {
 protected:
  VBScriptLimitsTest() : VBScriptEngineTest(10s) {}
};

TEST_F(VBScriptLimitsTest, HostileScriptsFailCleanly) {
  load(
      u"Function down(n) : down = down(n + 1) + 1 : End Function\r\n"
      u"Function viaHost(n) : viaHost = engine.callback(\"viaHost\", n + 1) : End Function\r\n"
      u"Function hog\r\n"
      u"  s = \"x\"\r\n"
      u"  Do : s = s & s : Loop\r\n"
      u"End Function\r\n"
      u"Function wide : ReDim a(100000000) : End Function\r\n"
      u"Function nested\r\n"
      u"  a = Empty\r\n"
      u"  For i = 1 To 200000 : ReDim b(0) : b(0) = a : a = b : Next\r\n"
      u"  nested = i\r\n"
      u"End Function\r\n"
      u"Function chain\r\n"
      u"  Set first = Nothing\r\n"
      u"  For i = 1 To 200000\r\n"
      u"    Set node = New Link : Set node.NextLink = first : Set first = node\r\n"
      u"  Next\r\n"
      u"  chain = 1\r\n"
      u"End Function\r\n"
      u"Class Link : Public NextLink : End Class");
  EXPECT_EQ(failure(u"down", {Variant(int32_t{0})}), numberOf(ErrorCode::kOutOfStackSpace));
  EXPECT_EQ(failure(u"viaHost", {Variant(int32_t{0})}), numberOf(ErrorCode::kOutOfStackSpace));
  EXPECT_EQ(failure(u"hog"), numberOf(ErrorCode::kOutOfMemoryVb));
  EXPECT_EQ(failure(u"wide"), numberOf(ErrorCode::kOutOfMemoryVb));
  // Deep nesting and long chains are freed without deep recursion.
  EXPECT_EQ(platform::toInt32(control.Run(u"nested")), 200001);
  EXPECT_EQ(platform::toInt32(control.Run(u"chain")), 1);
  control.Reset();
  EXPECT_NE(errorNumberOf([&] { control.AddCode(std::u16string(200000, u'(')); }), 0);
  EXPECT_NE(errorNumberOf([&] { control.AddCode(u"x = " + std::u16string(100000, u'-') + u"1"); }),
            0);
  std::u16string binary;
  for (int i = 0; i < (1 << 16); ++i)
    binary.push_back(static_cast<char16_t>((i * 7919) & 0xFFFF));
  EXPECT_NE(errorNumberOf([&] { control.AddCode(binary); }), 0);
}

}  // namespace
}  // namespace vbscript
