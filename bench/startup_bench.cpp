// The plug-in's start-up as the host drives it: creating juvo_main, then Initialize.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "plugin/juvo_main.h"
#include "test_platform.h"

namespace {

// Every run after the first: the settings key and the folders are there already.
void BM_CreateAndInitialize(benchmark::State& state) {
  juvo::testing::TestPlatform test;
  { juvo::juvo_main first(test.shared); }
  for (auto _ : state) {
    juvo::juvo_main plugin(test.shared);
    benchmark::DoNotOptimize(plugin.Initialize(0, u""));
  }
}
BENCHMARK(BM_CreateAndInitialize);

// The first run for a user: the key is written (the hive file saved) and both folders made.
void BM_FirstRunCreation(benchmark::State& state) {
  juvo::testing::TestPlatform test;
  for (auto _ : state) {
    state.PauseTiming();
    test.registry.RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Korvel");
    std::filesystem::remove_all(test.moduleFolder.path() / "JUVO");
    state.ResumeTiming();
    juvo::juvo_main plugin(test.shared);
    benchmark::DoNotOptimize(plugin.Initialize(0, u""));
  }
}
BENCHMARK(BM_FirstRunCreation);

}  // namespace
