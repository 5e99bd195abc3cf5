// Running parsers: one whole "/xjuvo hello" road from the chat command to the text sent, and
// the cut of a large result into chunks.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <string>

#include "config/frm_config.h"
#include "engine/chunks.h"
#include "language/c_language.h"
#include "plugin/juvo_main.h"
#include "test_platform.h"

namespace {

constexpr char kHello[] =
    "function run() {\r\n"
    "  engine.output('Hello, ' + engine.argument);\r\n"
    "}\r\n";

// The configuration window exists after the first command, as it does in a chat.
void BM_ChatCommandRunsHello(benchmark::State& state) {
  juvo::testing::TestPlatform test;
  test.writeParser("hello.js", kHello);
  juvo::juvo_main plugin(test.shared);
  std::u16string sent;
  plugin.ParseCommand(u"/xjuvo", u"hello World", sent);
  if (sent != u"Hello, World") state.SkipWithError("the hello parser gave no greeting");
  for (auto _ : state) {
    plugin.ParseCommand(u"/xjuvo", u"hello World", sent);
    benchmark::DoNotOptimize(sent.data());
  }
}
BENCHMARK(BM_ChatCommandRunsHello)->Unit(benchmark::kMicrosecond);

void BM_ChunkResult(benchmark::State& state) {
  const std::u16string result(static_cast<std::size_t>(state.range(0)), u'r');
  for (auto _ : state) {
    std::u16string chunked = juvo::chunkResult(result);
    benchmark::DoNotOptimize(chunked.data());
  }
  state.SetBytesProcessed(state.iterations() * state.range(0) * 2);
}
BENCHMARK(BM_ChunkResult)->Arg(2500)->Arg(10'000'000)->Unit(benchmark::kMillisecond);

// A parser whose result is 10 M UTF-16 units: the whole run, the chunking included.
void BM_RunScriptWithTenMegabyteResult(benchmark::State& state) {
  juvo::testing::TestPlatform test;
  test.shared.lang = std::make_unique<juvo::cLanguage>(test.shared);
  test.platform.scriptTimeout = std::chrono::seconds(60);
  juvo::frmConfig window(test.shared);
  test.writeParser("big.js",
                   "function run() {\r\n"
                   "  var s = 'x';\r\n"
                   "  while (s.length < 10000000) s += s;\r\n"
                   "  engine.output(s.substring(0, 10000000));\r\n"
                   "}\r\n");
  const std::u16string path = test.modulePath("JUVO/Parsers/big.js");
  for (auto _ : state) {
    std::u16string result = window.runScript(path, u"");
    benchmark::DoNotOptimize(result.data());
  }
}
BENCHMARK(BM_RunScriptWithTenMegabyteResult)->Unit(benchmark::kMillisecond);

}  // namespace
