// VBScript's string functions and RegExp at scraping work on a 200 KB page, beside the same
// work in JScript on Duktape. The VBScript side calls the built-ins and the RegExp object as
// the interpreter does, without the interpreter's own cost; the JScript side runs as a parser
// would.
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <vector>

#include "platform/automation/automation_object.h"
#include "platform/automation/variant_convert.h"
#include "platform/regexp/regexp.h"
#include "platform/script/script_control.h"
#include "platform/script/script_test_support.h"
#include "vbscript/runtime/builtins.h"

namespace {

using platform::Variant;

// A page of about 200 KB: table rows of the kind parsers scrape.
const std::u16string& page() {
  static const std::u16string text = [] {
    std::u16string html = u"<html><body><table>\n";
    for (int row = 0; html.size() < 200 * 1024; ++row) {
      const std::u16string n = platform::decimal(row);
      html += u"<tr class=\"r\"><td>Item " + n + u"</td><td>" + n + u".50 &amp; more</td>" +
              u"<td><a href=\"/item?id=" + n + u"\">details</a></td></tr>\n";
    }
    return html + u"</table></body></html>\n";
  }();
  return text;
}

// Calls built-ins by name as the interpreter does. The arguments are kept between calls, so a
// page handed in is not copied each time: Variant holds its text by value, and an interpreter
// that copied a 200 KB page into every call would measure the copies, not the functions.
class Builtins {
 public:
  Builtins() : context_{platform::testing::testServices(), random_} {}

  Variant operator()(std::u16string_view name, std::vector<Variant>& args) {
    const vbscript::Builtin* builtin = vbscript::findBuiltin(name);
    args.resize(builtin->maxArgs, Variant::missing());
    return builtin->body(context_, args);
  }

 private:
  vbscript::RandomState random_;
  vbscript::BuiltinContext context_;
};

// Every cell's text by InStr and Mid, the entities replaced, the lines split.
void BM_VBScriptStringScraping(benchmark::State& state) {
  Builtins call;
  const Variant html(page());
  std::vector<Variant> first{html, Variant(u"<td>")};
  std::vector<Variant> from{Variant(), html, Variant(u"<td>")};
  std::vector<Variant> to{Variant(), html, Variant(u"</td>")};
  std::vector<Variant> cut{html, Variant(), Variant()};
  std::vector<Variant> replace{html, Variant(u"&amp;"), Variant(u"&")};
  for (auto _ : state) {
    int32_t cells = 0;
    int32_t at = call(u"InStr", first).longValue();
    while (at > 0) {
      to[0] = Variant(at);
      const int32_t end = call(u"InStr", to).longValue();
      cut[1] = Variant(at + 4);
      cut[2] = Variant(end - at - 4);
      benchmark::DoNotOptimize(call(u"Mid", cut));
      ++cells;
      from[0] = Variant(end);
      at = call(u"InStr", from).longValue();
    }
    std::vector<Variant> split{call(u"Replace", replace), Variant(u"\n")};
    benchmark::DoNotOptimize(call(u"Split", split));
    benchmark::DoNotOptimize(cells);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page().size() * 2));
}
BENCHMARK(BM_VBScriptStringScraping)->Unit(benchmark::kMillisecond);

platform::ScriptControl& jscript() {
  static auto* control = [] {
    auto* c =
        new platform::ScriptControl(std::chrono::seconds(60), platform::testing::testServices());
    c->setLanguage(u"JScript");
    c->AddCode(
        u"var html;\r\n"
        u"function load(text) { html = text; }\r\n"
        u"function strings() {\r\n"
        u"  var cells = 0, at = html.indexOf('<td>');\r\n"
        u"  while (at >= 0) {\r\n"
        u"    var end = html.indexOf('</td>', at);\r\n"
        u"    var cell = html.substr(at + 4, end - at - 4);\r\n"
        u"    cells++;\r\n"
        u"    at = html.indexOf('<td>', end);\r\n"
        u"  }\r\n"
        u"  var lines = html.replace(/&amp;/g, '&').split('\\n');\r\n"
        u"  return cells + lines.length;\r\n"
        u"}\r\n"
        u"function tags() { return html.replace(/<[^>]+>/g, '').length; }\r\n");
    std::vector<Variant> args{Variant(page())};
    c->Run(u"load", args);
    return c;
  }();
  return *control;
}

void BM_JScriptStringScraping(benchmark::State& state) {
  platform::ScriptControl& control = jscript();
  for (auto _ : state)
    benchmark::DoNotOptimize(control.Run(u"strings"));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page().size() * 2));
}
BENCHMARK(BM_JScriptStringScraping)->Unit(benchmark::kMillisecond);

// Every tag taken out with one global replace.
void BM_VBScriptRegExpReplace(benchmark::State& state) {
  platform::ObjectPtr re = platform::makeRegExp();
  Variant pattern[] = {Variant(u"<[^>]+>")};
  platform::invokeByName(*re, u"Pattern", platform::kPropertyPut, pattern);
  Variant global[] = {Variant(true)};
  platform::invokeByName(*re, u"Global", platform::kPropertyPut, global);
  for (auto _ : state) {
    Variant args[] = {Variant(page()), Variant(u"")};
    benchmark::DoNotOptimize(platform::invokeByName(*re, u"Replace", platform::kMethod, args));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page().size() * 2));
}
BENCHMARK(BM_VBScriptRegExpReplace)->Unit(benchmark::kMillisecond);

void BM_JScriptRegExpReplace(benchmark::State& state) {
  platform::ScriptControl& control = jscript();
  for (auto _ : state)
    benchmark::DoNotOptimize(control.Run(u"tags"));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page().size() * 2));
}
BENCHMARK(BM_JScriptRegExpReplace)->Unit(benchmark::kMillisecond);

}  // namespace
