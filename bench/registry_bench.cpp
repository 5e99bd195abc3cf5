// The registry hive at sizes far beyond what the program writes itself: a start-up must stay
// linear in the file's size however many values a hand-edited or hostile hive holds.
//
//   build/default/bench/juvo_bench --benchmark_filter=Hive
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "platform/registry/registry.h"
#include "temp_folder.h"

namespace {

// A hive of `values` values, `perKey` to a key, in turn text, number and binary; about 30
// bytes a value, so two million values make some 60 MB.
std::string makeHive(int64_t values, int64_t perKey) {
  std::string text = "REGEDIT4\n\n";
  text.reserve(static_cast<size_t>(values) * 32);
  char line[96];
  for (int64_t i = 0; i < values; ++i) {
    if (i % perKey == 0) {
      std::snprintf(line, sizeof line, "\n[HKEY_CURRENT_USER\\Software\\Bench\\Key%lld]\n",
                    static_cast<long long>(i / perKey));
      text += line;
    }
    const auto n = static_cast<long long>(i);
    switch (i % 3) {
      case 0:
        std::snprintf(line, sizeof line, "\"value%07lld\"=\"text %07lld\"\n", n, n);
        break;
      case 1:
        std::snprintf(line, sizeof line, "\"value%07lld\"=dword:%08llx\n", n, n);
        break;
      default:
        std::snprintf(line, sizeof line, "\"value%07lld\"=hex:%02llx,%02llx,00\n", n, n & 0xFF,
                      (n >> 8) & 0xFF);
        break;
    }
    text += line;
  }
  return text;
}

// Opening the first key reads the whole file: the start-up of a program with this hive.
void BM_HiveLoad(benchmark::State& state) {
  juvo::testing::TempFolder temp;
  const std::string text = makeHive(state.range(0), state.range(1));
  const std::filesystem::path file = temp.write("registry.reg", text);
  for (auto _ : state) {
    auto registry = std::make_unique<platform::Registry>(file);
    HKEY key = nullptr;
    if (registry->RegOpenKeyA(HKEY_CURRENT_USER, "Software\\Bench\\Key0", &key) != ERROR_SUCCESS) {
      state.SkipWithError("the hive did not load");
      break;
    }
    registry->RegCloseKey(key);
    state.PauseTiming();
    registry.reset();
    state.ResumeTiming();
  }
  state.counters["MB"] = static_cast<double>(text.size()) / 1e6;
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_HiveLoad)
    ->ArgNames({"values", "perKey"})
    ->Args({25000, 25000})
    ->Args({50000, 50000})
    ->Args({100000, 100000})
    ->Args({2000000, 2000000})
    ->Args({2000000, 1000})
    ->Unit(benchmark::kMillisecond);

// One changed value in a loaded hive of that size: the whole file is written again.
void BM_HiveSaveAfterChange(benchmark::State& state) {
  juvo::testing::TempFolder temp;
  const std::filesystem::path file =
      temp.write("registry.reg", makeHive(state.range(0), state.range(1)));
  platform::Registry registry(file);
  HKEY key = nullptr;
  if (registry.RegCreateKeyA(HKEY_CURRENT_USER, "Software\\Bench\\Key0", &key) != ERROR_SUCCESS) {
    state.SkipWithError("the hive did not load");
    return;
  }
  DWORD round = 0;
  for (auto _ : state) {
    ++round;
    registry.RegSetValueExA(key, "changed", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&round),
                            sizeof round);
  }
  registry.RegCloseKey(key);
}
BENCHMARK(BM_HiveSaveAfterChange)
    ->ArgNames({"values", "perKey"})
    ->Args({2000000, 1000})
    ->Unit(benchmark::kMillisecond);

}  // namespace
