// Speed of the script host with the JScript engine: loading and running a small parser, and
// the traffic between script and host objects.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

#include "platform/script/script_control.h"
#include "platform/script/script_test_support.h"

namespace platform {
namespace {

using testing::TestHost;

constexpr char16_t kParser[] =
    u"\r\nfunction info() {\r\n"
    u"  engine.text = 'Greets whoever you name.';\r\n"
    u"}\r\n"
    u"function run() {\r\n"
    u"  var parts = engine.text.split(' ');\r\n"
    u"  engine.output('Hello, ' + parts.reverse().join(' '));\r\n"
    u"}";

// What a chat command costs in the script host: a fresh engine, the code, the object, run.
void BM_AddCodeAndRun(benchmark::State& state) {
  ScriptControl control(std::chrono::seconds(20), testing::testServices());
  auto host = std::make_shared<TestHost>(&control);
  host->text = u"brave new world";
  for (auto _ : state) {
    control.Reset();
    control.setLanguage(u"javascript");
    control.AddCode(kParser);
    control.AddObject(u"engine", host);
    control.Run(u"run");
    host->outputs.clear();
  }
}
BENCHMARK(BM_AddCodeAndRun);

// Property reads through the host object's Proxy.
void BM_HostPropertyGets(benchmark::State& state) {
  ScriptControl control(std::chrono::seconds(20), testing::testServices());
  control.setLanguage(u"JScript");
  auto host = std::make_shared<TestHost>(&control);
  host->text = u"some text";
  control.AddCode(
      u"function run() { var n = 0; for (var i = 0; i < 100000; i++) n += engine.text.length; "
      u"return n; }");
  control.AddObject(u"engine", host);
  for (auto _ : state)
    benchmark::DoNotOptimize(control.Run(u"run"));
  state.SetItemsProcessed(state.iterations() * 100000);
}
BENCHMARK(BM_HostPropertyGets)->Unit(benchmark::kMillisecond);

// Method calls with arguments through the host object's Proxy.
void BM_HostMethodCalls(benchmark::State& state) {
  ScriptControl control(std::chrono::seconds(20), testing::testServices());
  control.setLanguage(u"JScript");
  auto host = std::make_shared<TestHost>(&control);
  control.AddCode(
      u"function run() { var n = 0; for (var i = 0; i < 100000; i++) n += engine.add(i, 1); "
      u"return n; }");
  control.AddObject(u"engine", host);
  for (auto _ : state)
    benchmark::DoNotOptimize(control.Run(u"run"));
  state.SetItemsProcessed(state.iterations() * 100000);
}
BENCHMARK(BM_HostMethodCalls)->Unit(benchmark::kMillisecond);

// A host calling back into the script, as getXML does with the parser's procedure.
void BM_Callbacks(benchmark::State& state) {
  ScriptControl control(std::chrono::seconds(20), testing::testServices());
  control.setLanguage(u"JScript");
  auto host = std::make_shared<TestHost>(&control);
  control.AddCode(
      u"function run() { for (var i = 0; i < 1000; i++) engine.callback('cb', i); }\r\n"
      u"function cb(i) { return i + 1; }");
  control.AddObject(u"engine", host);
  for (auto _ : state)
    control.Run(u"run");
  state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_Callbacks)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace platform
