// The script host's contract, held to by both languages: one table of cases, each written in
// JScript and in VBScript, run against the same ScriptControl.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "platform/base/error.h"
#include "platform/base/text.h"
#include "platform/script/script_control.h"
#include "platform/script/script_test_support.h"
#include "vbscript/vbscript_engine.h"

namespace vbscript {
namespace {

using namespace std::chrono_literals;
using platform::ErrorCode;
using platform::Variant;
using platform::testing::errorNumberOf;
using platform::testing::numberOf;
using platform::testing::TestHost;
using Events = std::vector<std::string>;

// One language's side of the table.
struct Language {
  const char* name;
  const char16_t* setting;
  // Procedures the cases call, by name: spin (loops forever), swallow (loops forever, every
  // error handled), nestedSpin (a host callback that loops forever, its failure handled),
  // hostBound (host calls forever, their failures handled), recurse (unbounded recursion
  // under error handling), halt (asks the host to act, then host calls and loops forever),
  // quick (returns "quick"), broken (a run-time error on its line 3), caught (calls broken back
  // through the host and handles its error), uncaught (the same without handling it), bare
  // (calls the named object's member output without its name).
  const char16_t* procedures;
  int32_t undefinedName;   // what a name nothing defines raises when called
  int32_t topLevelEngine;  // what top-level code that uses the named object raises
  int32_t brokenError;
};

const Language kJScript{
    "JScript",
    u"JScript",
    u"function spin() { while (true) {} }\n"
    u"function swallow() { for (;;) { try { null.x; } catch (e) {} } }\n"
    u"function nestedSpin() { try { engine.callback('spin'); } catch (e) {} for (;;) {} }\n"
    u"function hostBound() { for (;;) { try { engine.count; engine.add(); } catch (e) {} } }\n"
    u"function recurse() { try { recurse(); } catch (e) {} recurse(); }\n"
    u"function halt() {\n"
    u"  engine.act();\n"
    u"  try { engine.next(); } catch (e) {}\n"
    u"  for (;;) {}\n"
    u"}\n"
    u"function quick() { return 'quick'; }\n"
    u"function broken() {\n"
    u"  var a = 1;\n"
    u"  null.x;\n"
    u"}\n"
    u"function caught() { try { engine.callback('broken'); } catch (e) { return 'caught'; } }\n"
    u"function uncaught() { engine.callback('broken'); }\n"
    u"function bare() { output('b'); }\n",
    static_cast<int32_t>(0x800A1391),
    static_cast<int32_t>(0x800A1391),
    static_cast<int32_t>(0x800A01B6)};

const Language kVBScript{
    "VBScript",
    u"VBScript",
    u"Sub spin : Do : Loop : End Sub\n"
    u"Sub swallow\n On Error Resume Next\n Do : x = 1 / 0 : Loop\nEnd Sub\n"
    u"Sub nestedSpin\n On Error Resume Next\n engine.callback \"spin\"\n Do : Loop\nEnd Sub\n"
    u"Sub hostBound\n On Error Resume Next\n Do : x = engine.count : engine.add : Loop\nEnd Sub\n"
    u"Sub recurse\n On Error Resume Next\n recurse\n recurse\nEnd Sub\n"
    u"Sub halt\n"
    u"  engine.act\n"
    u"  On Error Resume Next\n"
    u"  engine.next\n"
    u"  Do : Loop\n"
    u"End Sub\n"
    u"Function quick : quick = \"quick\" : End Function\n"
    u"Sub broken\n"
    u"  a = 1\n"
    u"  a = a / 0\n"
    u"End Sub\n"
    u"Function caught\n On Error Resume Next\n engine.callback \"broken\"\n caught = "
    u"\"caught\"\nEnd "
    u"Function\n"
    u"Sub uncaught : engine.callback \"broken\" : End Sub\n"
    u"Sub bare : output \"b\" : End Sub\n",
    numberOf(ErrorCode::kTypeMismatch),
    numberOf(ErrorCode::kObjectRequired),
    numberOf(ErrorCode::kDivisionByZero)};

// The line of `procedure`'s declaration in the language's procedures (1-based).
int lineOf(const Language& language, std::u16string_view procedure) {
  const std::u16string text = language.procedures;
  const std::u16string sub = u"Sub " + std::u16string(procedure) + u"\n";
  const std::u16string function = u"function " + std::u16string(procedure) + u"()";
  size_t at = text.find(sub);
  if (at == std::u16string::npos) at = text.find(function);
  int line = 1;
  for (size_t i = 0; i < at; ++i)
    line += text[i] == u'\n';
  return line;
}

class ScriptContract : public ::testing::TestWithParam<const Language*> {
 protected:
  ScriptContract() : control(150ms, platform::testing::testServices()) {
    control.registerEngine(u"VBScript", makeVBScriptEngine);
    control.setLanguage(language().setting);
    control.onError = [this] {
      events.push_back("error " + std::to_string(control.Error().Number()));
    };
    control.onTimeout = [this] { events.push_back("timeout"); };
  }

  const Language& language() const { return *GetParam(); }
  void load() {
    control.AddCode(language().procedures);
    control.AddObject(u"engine", host);
  }
  int32_t failure(std::u16string_view procedure) {
    return errorNumberOf([&] { control.Run(procedure); });
  }

  platform::ScriptControl control;
  std::shared_ptr<TestHost> host = std::make_shared<TestHost>(&control);
  Events events;
};

TEST_P(ScriptContract, AnEndlessScriptEndsInTheTimeoutEventAloneWhateverItHandles) {
  load();
  for (const char16_t* procedure : {u"spin", u"swallow", u"nestedSpin", u"hostBound"}) {
    SCOPED_TRACE(platform::toUtf8(procedure));
    events.clear();
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(failure(procedure), numberOf(ErrorCode::kTimeout));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
    EXPECT_EQ(events, Events{"timeout"});
    EXPECT_EQ(control.Run(u"quick"), Variant(u"quick"));  // the next call gets a fresh deadline
  }
}

TEST_P(ScriptContract, RecursionWithoutEndIsAnErrorOrTheTimeoutButNeverACrash) {
  load();
  const int32_t number = failure(u"recurse");
  EXPECT_TRUE(number == numberOf(ErrorCode::kTimeout) ||
              number == numberOf(ErrorCode::kOutOfStackSpace) ||
              number == static_cast<int32_t>(0x800A001C))
      << number;
  EXPECT_EQ(control.Run(u"quick"), Variant(u"quick"));
}

TEST_P(ScriptContract, ResetFromInsideAHostCallStopsTheScriptAndDropsItsCode) {
  load();
  host->action = [this] { control.Reset(); };
  EXPECT_EQ(failure(u"halt"), numberOf(ErrorCode::kAborted));
  EXPECT_TRUE(events.empty());
  EXPECT_EQ(host->count, 0);  // no host call after the reset
  EXPECT_EQ(failure(u"quick"), numberOf(ErrorCode::kUnknownName));
}

TEST_P(ScriptContract, AnErrorIsReportedOnceHoweverDeeplyItNests) {
  load();
  EXPECT_EQ(control.Run(u"caught"), Variant(u"caught"));
  EXPECT_EQ(events.size(), 1u);  // the callback's own call reported it
  events.clear();
  EXPECT_EQ(failure(u"uncaught"), language().brokenError);
  EXPECT_EQ(events, Events{"error " + std::to_string(language().brokenError)});
  EXPECT_EQ(control.Error().Line(), lineOf(language(), u"broken") + 2);
}

TEST_P(ScriptContract, LinesAreOneGreaterThanTheFilesWhateverItsLineEnds) {
  // As parser files are read: a line break before every line the reader found; a reader that
  // splits at CR leaves a lone LF inside a line.
  const std::u16string broken = language().setting == std::u16string(u"JScript")
                                    ? u"function run() {\n  var a = 1;\n  undefinedThing(a);\n}"
                                    : u"Sub run\n  a = 1\n  undefinedThing a\nEnd Sub";
  for (const char16_t* lineEnd : {u"\r\n", u"\n", u"\r"}) {
    SCOPED_TRACE(platform::toUtf8(lineEnd));
    control.Reset();
    std::u16string source = u"\r\n" + broken;
    for (size_t at = 2; (at = source.find(u'\n', at)) != std::u16string::npos;)
      source.replace(at, 1, lineEnd), at += std::u16string_view(lineEnd).size();
    control.AddCode(source);
    EXPECT_EQ(failure(u"run"), language().undefinedName);
    EXPECT_EQ(control.Error().Line(), 4);
    EXPECT_EQ(platform::toUtf8(control.Error().Text()),
              language().setting == std::u16string(u"JScript") ? "  undefinedThing(a);"
                                                               : "  undefinedThing a");
  }
}

TEST_P(ScriptContract, NamedObjectsAreReachedByTheirNameOnlyAndNotFromTopLevelCode) {
  const std::u16string early = language().setting == std::u16string(u"JScript")
                                   ? u"engine.output('too early');"
                                   : u"engine.output \"too early\"";
  EXPECT_EQ(errorNumberOf([&] { control.AddCode(early); }), language().topLevelEngine);
  EXPECT_EQ(events.size(), 1u);
  load();
  EXPECT_EQ(failure(u"bare"), language().undefinedName);
  EXPECT_TRUE(host->outputs.empty());
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, ScriptContract, ::testing::Values(&kJScript, &kVBScript),
                         [](const auto& info) { return std::string(info.param->name); });

}  // namespace
}  // namespace vbscript
