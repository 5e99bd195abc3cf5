// The configuration window's first use: building its model and running its load sequence
// (captions from the string table, the parser list read from the folder).
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "config/frm_config.h"
#include "language/c_language.h"
#include "test_platform.h"

namespace {

// state.range(0) parser files, half VBScript and half JScript.
void BM_CreateAndLoadConfigWindow(benchmark::State& state) {
  juvo::testing::TestPlatform test;
  test.shared.lang = std::make_unique<juvo::cLanguage>(test.shared);
  const int parsers = static_cast<int>(state.range(0));
  for (int i = 0; i < parsers; ++i) {
    test.writeParser("parser" + std::to_string(i) + (i % 2 == 0 ? ".vbs" : ".js"),
                     "Function run()\r\nEnd Function\r\n");
  }
  for (auto _ : state) {
    juvo::frmConfig window(test.shared);
    window.form().load();
    benchmark::DoNotOptimize(window.form().control("scripts").items().data());
  }
  state.SetItemsProcessed(state.iterations() * parsers);
}
BENCHMARK(BM_CreateAndLoadConfigWindow)->Arg(0)->Arg(100);

}  // namespace
