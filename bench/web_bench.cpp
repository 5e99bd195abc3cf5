// The road of a web page through getXML, for a 200 KB HTML page served on loopback: the whole
// road (fetch, tidy, parse, the parser's callback) next to libtidy and libxml2 alone on the
// same page, and the pieces of the road on their own.
//
//   build/default/bench/juvo_bench --benchmark_filter=Web
//
// The goal: BM_WebWholeRoad within 1.3 times BM_WebLibtidyAlone + BM_WebLibxml2Alone.
#include <benchmark/benchmark.h>
#include <libxml/parser.h>
#include <tidy/tidy.h>
#include <tidy/tidybuffio.h>

#include <chrono>
#include <memory>
#include <string>

#include "config/frm_config.h"
#include "engine/tidy_step.h"
#include "language/c_language.h"
#include "loopback_server.h"
#include "platform/base/text.h"
#include "platform/inet/web_transfer.h"
#include "test_platform.h"

namespace {

// A news site's front page of about `size` bytes: a head with style and script, then articles
// with links, tables, entities and the usual sloppiness (unclosed paragraphs, upper-case tags,
// unquoted attributes).
std::string newsPage(std::size_t size) {
  std::string page =
      "<!DOCTYPE html PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\n"
      "<html><head><title>The Daily &amp; Weekly</title>\n"
      "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">\n"
      "<style>body { font: 12px sans-serif } .hl { color: red }</style>\n"
      "<script>var ads = []; if (ads.length < 3 && window) { ads.push('x'); }</script>\n"
      "</head><body>\n<h1 class=top>Today&nbsp;&ndash; Caf\xC3\xA9 news</h1>\n";
  for (int n = 0; page.size() < size; ++n) {
    const std::string id = std::to_string(n);
    page += "<DIV class=article id=a" + id + "><H2><A HREF=/news/" + id + ">Headline number " + id +
            " &raquo;</A></H2>\n<P>Posted " + id +
            " minutes ago &middot; <B>Weather</B> &copy; agency\n"
            "<P>Temperatures rise to 21&deg;C while the wind stays calm; readers say &quot;fine"
            "&quot; &amp; more.<br>\n<TABLE border=0><TR><TD>Rain<TD>" +
            id + " mm<TR><TD>Sun<TD>" + std::to_string(n % 12) + " h</TABLE>\n</DIV>\n";
  }
  page += "<p>The end</body></html>\n";
  return page;
}

const std::string& page200k() {
  static const std::string page = newsPage(200 * 1024);
  return page;
}

// libtidy with the options of the tidy step, over the page's bytes.
std::string libtidyAlone(const std::string& page) {
  TidyDoc doc = tidyCreate();
  TidyBuffer errors;
  tidyBufInit(&errors);
  tidySetErrorBuffer(doc, &errors);
  for (const char* option : {"output-xml", "add-xml-decl", "force-output", "numeric-entities"})
    tidyOptParseValue(doc, option, "yes");
  tidyOptParseValue(doc, "doctype", "omit");
  tidyOptParseValue(doc, "tidy-mark", "no");
  tidyOptParseValue(doc, "wrap", "0");
  tidyOptParseValue(doc, "char-encoding", "utf8");
  tidyParseString(doc, page.c_str());
  tidyCleanAndRepair(doc);
  TidyBuffer out;
  tidyBufInit(&out);
  tidySaveBuffer(doc, &out);
  std::string xml(reinterpret_cast<const char*>(out.bp), out.size);
  tidyBufFree(&out);
  tidyBufFree(&errors);
  tidyRelease(doc);
  return xml;
}

void BM_WebLibtidyAlone(benchmark::State& state) {
  for (auto _ : state) {
    std::string xml = libtidyAlone(page200k());
    benchmark::DoNotOptimize(xml.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(page200k().size()));
}
BENCHMARK(BM_WebLibtidyAlone)->Unit(benchmark::kMillisecond);

void BM_WebLibxml2Alone(benchmark::State& state) {
  const std::string xml = libtidyAlone(page200k());
  for (auto _ : state) {
    xmlDocPtr doc = xmlReadMemory(xml.data(), static_cast<int>(xml.size()), nullptr, "UTF-8",
                                  XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    if (!doc) state.SkipWithError("the tidied page is not well formed");
    xmlFreeDoc(doc);
  }
}
BENCHMARK(BM_WebLibxml2Alone)->Unit(benchmark::kMillisecond);

// The pieces of the road, each on its own.
void BM_WebFetch(benchmark::State& state) {
  juvo::testing::LoopbackServer server;
  server.serve("/page.html", {.body = page200k()});
  const std::u16string url = platform::fromUtf8(server.url("/page.html"));
  for (auto _ : state) {
    platform::WebDocument page = platform::systemWebTransfer().openUrl(url);
    benchmark::DoNotOptimize(page.text.data());
  }
}
BENCHMARK(BM_WebFetch)->Unit(benchmark::kMillisecond);

void BM_WebTidyStep(benchmark::State& state) {
  const std::u16string page = platform::fromUtf8(page200k());
  std::shared_ptr<platform::TidyDocument> otidy;
  for (auto _ : state) {
    std::u16string xml = juvo::tidyStep(otidy, page, [](const platform::TidyMessage&) {});
    benchmark::DoNotOptimize(xml.data());
  }
}
BENCHMARK(BM_WebTidyStep)->Unit(benchmark::kMillisecond);

// The whole road: a JScript parser asks for the page tidied and outputs the text of the last
// headline from its callback, as a chat command would run it.
void BM_WebWholeRoad(benchmark::State& state) {
  juvo::testing::LoopbackServer server;
  server.serve("/page.html", {.body = page200k()});
  juvo::testing::TestPlatform test;
  test.shared.lang = std::make_unique<juvo::cLanguage>(test.shared);
  juvo::frmConfig window(test.shared);
  test.writeParser("news.js",
                   "function run() { engine.getXML(engine.argument, 'got', true); }\r\n"
                   "function got(doc) {\r\n"
                   "  var heads = doc.getElementsByTagName('h2');\r\n"
                   "  engine.output(heads.item(heads.length - 1).text);\r\n"
                   "}\r\n");
  const std::u16string path = test.modulePath("JUVO/Parsers/news.js");
  const std::u16string url = platform::fromUtf8(server.url("/page.html"));
  if (!window.runScript(path, url).starts_with(u"Headline number ")) {
    state.SkipWithError("the parser found no headline");
  }
  for (auto _ : state) {
    std::u16string result = window.runScript(path, url);
    benchmark::DoNotOptimize(result.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(page200k().size()));
}
BENCHMARK(BM_WebWholeRoad)->Unit(benchmark::kMillisecond);

}  // namespace
