// Looking texts up in the string table, which every caption and message does.
#include <benchmark/benchmark.h>

#include "language/c_language.h"
#include "test_platform.h"

namespace {

void lookUp(benchmark::State& state, std::u16string_view key) {
  juvo::testing::TestPlatform test;
  juvo::cLanguage lang(test.shared);
  for (auto _ : state)
    benchmark::DoNotOptimize(&lang.str(key));
}

void BM_StrExactCase(benchmark::State& state) {
  lookUp(state, u"msgParserNotFound");
}
BENCHMARK(BM_StrExactCase);

void BM_StrOtherCase(benchmark::State& state) {
  lookUp(state, u"MSGPARSERNOTFOUND");
}
BENCHMARK(BM_StrOtherCase);

}  // namespace
