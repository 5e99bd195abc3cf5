// Our VBScript interpreter against Duktape's JScript on the same programs: an integer loop,
// string building, procedure calls, array work and member calls on a host object. Each
// benchmark runs one procedure of the program in the script host; compare the pairs:
//   build/default/bench/juvo_bench --benchmark_filter=Language
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

#include "engine/script_host.h"
#include "platform/script/script_control.h"
#include "platform/script/script_test_support.h"

namespace platform {
namespace {

using testing::TestHost;

constexpr char16_t kVBScript[] =
    u"Function integerLoop\r\n"
    u"  s = 0\r\n"
    u"  For i = 1 To 1000000\r\n"
    u"    s = s + i\r\n"
    u"    If s > 1000000 Then s = s - 1000000\r\n"
    u"  Next\r\n"
    u"  integerLoop = s\r\n"
    u"End Function\r\n"
    u"Function stringBuilding\r\n"
    u"  s = \"\"\r\n"
    u"  For i = 1 To 100000\r\n"
    u"    s = s & \"ab\" & i\r\n"
    u"  Next\r\n"
    u"  stringBuilding = Len(s)\r\n"
    u"End Function\r\n"
    u"Function add(a, b)\r\n"
    u"  add = a + b\r\n"
    u"End Function\r\n"
    u"Function procedureCalls\r\n"
    u"  s = 0\r\n"
    u"  For i = 1 To 300000\r\n"
    u"    s = add(s, 1)\r\n"
    u"  Next\r\n"
    u"  procedureCalls = s\r\n"
    u"End Function\r\n"
    u"Function arrayWork\r\n"
    u"  ReDim a(99999)\r\n"
    u"  For i = 0 To 99999\r\n"
    u"    a(i) = i * 2\r\n"
    u"  Next\r\n"
    u"  s = 0\r\n"
    u"  For i = 0 To 99999\r\n"
    u"    s = s + a(i) - a(99999 - i)\r\n"
    u"  Next\r\n"
    u"  arrayWork = s\r\n"
    u"End Function\r\n"
    u"Function memberCalls\r\n"
    u"  s = 0\r\n"
    u"  For i = 1 To 100000\r\n"
    u"    s = s + engine.add(i, 1) - i\r\n"
    u"  Next\r\n"
    u"  memberCalls = s\r\n"
    u"End Function\r\n";

constexpr char16_t kJScript[] =
    u"function integerLoop() {\r\n"
    u"  var s = 0;\r\n"
    u"  for (var i = 1; i <= 1000000; i++) {\r\n"
    u"    s = s + i;\r\n"
    u"    if (s > 1000000) s = s - 1000000;\r\n"
    u"  }\r\n"
    u"  return s;\r\n"
    u"}\r\n"
    u"function stringBuilding() {\r\n"
    u"  var s = '';\r\n"
    u"  for (var i = 1; i <= 100000; i++) s = s + 'ab' + i;\r\n"
    u"  return s.length;\r\n"
    u"}\r\n"
    u"function add(a, b) { return a + b; }\r\n"
    u"function procedureCalls() {\r\n"
    u"  var s = 0;\r\n"
    u"  for (var i = 1; i <= 300000; i++) s = add(s, 1);\r\n"
    u"  return s;\r\n"
    u"}\r\n"
    u"function arrayWork() {\r\n"
    u"  var a = new Array(100000);\r\n"
    u"  for (var i = 0; i <= 99999; i++) a[i] = i * 2;\r\n"
    u"  var s = 0;\r\n"
    u"  for (var i = 0; i <= 99999; i++) s = s + a[i] - a[99999 - i];\r\n"
    u"  return s;\r\n"
    u"}\r\n"
    u"function memberCalls() {\r\n"
    u"  var s = 0;\r\n"
    u"  for (var i = 1; i <= 100000; i++) s = s + engine.add(i, 1) - i;\r\n"
    u"  return s;\r\n"
    u"}\r\n";

// Runs procedure `name` of the language's program once per iteration.
void runProgram(benchmark::State& state, const char16_t* language, const char16_t* program,
                const char16_t* name) {
  ScriptControl control(std::chrono::seconds(60), testing::testServices());
  juvo::registerScriptEngines(control);
  control.setLanguage(language);
  control.AddCode(program);
  control.AddObject(u"engine", std::make_shared<TestHost>(&control));
  for (auto _ : state)
    benchmark::DoNotOptimize(control.Run(name));
}

void BM_Language(benchmark::State& state, const char16_t* language, const char16_t* procedure) {
  const bool vb = language[0] == u'V';
  runProgram(state, language, vb ? kVBScript : kJScript, procedure);
}

BENCHMARK_CAPTURE(BM_Language, VBScript_integerLoop, u"VBScript", u"integerLoop")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Language, JScript_integerLoop, u"JScript", u"integerLoop")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Language, VBScript_stringBuilding, u"VBScript", u"stringBuilding")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Language, JScript_stringBuilding, u"JScript", u"stringBuilding")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Language, VBScript_procedureCalls, u"VBScript", u"procedureCalls")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Language, JScript_procedureCalls, u"JScript", u"procedureCalls")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Language, VBScript_arrayWork, u"VBScript", u"arrayWork")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Language, JScript_arrayWork, u"JScript", u"arrayWork")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Language, VBScript_memberCalls, u"VBScript", u"memberCalls")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Language, JScript_memberCalls, u"JScript", u"memberCalls")
    ->Unit(benchmark::kMillisecond);

// What compiling costs: a parser-sized program added to a fresh engine.
void BM_VBScriptAddCode(benchmark::State& state) {
  ScriptControl control(std::chrono::seconds(20), testing::testServices());
  juvo::registerScriptEngines(control);
  for (auto _ : state) {
    control.Reset();
    control.setLanguage(u"VBScript");
    control.AddCode(kVBScript);
  }
}
BENCHMARK(BM_VBScriptAddCode);

}  // namespace
}  // namespace platform
