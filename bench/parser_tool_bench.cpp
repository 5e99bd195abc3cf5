// juvo-parser test as an author meets it on every save: the whole program, started afresh,
// over a parser with 100 examples whose pages are recorded.
#include <benchmark/benchmark.h>

#include <string>

#include "host_runner.h"
#include "temp_folder.h"

namespace {

constexpr int kExamples = 100;

// A parser that fetches a recorded page for its argument and sends a line of it.
constexpr char kParser[] =
    "function info() { engine.description = 'City news'; }\r\n"
    "function run() {\r\n"
    "  engine.getXML('http://news.example/' + engine.argument, 'show');\r\n"
    "}\r\n"
    "function show(doc) {\r\n"
    "  var items = doc.getElementsByTagName('title');\r\n"
    "  engine.output(engine.argument + ': ' + items.item(0).text);\r\n"
    "}\r\n";

std::string page(int i) {
  const std::string url = "http://news.example/city" + std::to_string(i);
  return "url: " + url + "\nstatus: 200\ncharset: utf-8\nbytes: 120\n\n" +
         "<?xml version=\"1.0\"?><rss><channel><item><title>Headline " + std::to_string(i) +
         "</title></item></channel></rss>";
}

void BM_TestHundredRecordedExamples(benchmark::State& state) {
  juvo::testing::TempFolder folder;
  folder.write("news.js", kParser);
  std::string examples;
  for (int i = 0; i < kExamples; ++i) {
    examples += "> city" + std::to_string(i) + "\ncity" + std::to_string(i) + ": Headline " +
                std::to_string(i) + "\n\n";
    folder.write("news.pages/city" + std::to_string(i) + ".page", page(i));
  }
  folder.write("news.examples", examples);

  juvo::testing::HostOptions options;
  options.arguments = {"test", (folder.path() / "news.js").string()};
  options.environment = {{"XDG_CONFIG_HOME", (folder.path() / "home").string()}};
  for (auto _ : state) {
    const juvo::testing::HostRun run = juvo::testing::runProgram(JUVO_PARSER_PATH, options);
    if (run.exitCode != 0) {
      state.SkipWithError(("juvo-parser test failed:\n" + run.out + run.err).c_str());
      break;
    }
  }
  state.counters["examples"] = kExamples;
}
BENCHMARK(BM_TestHundredRecordedExamples)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
