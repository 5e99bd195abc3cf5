// Scraping a 200 KB page as parsers do, in VBScript on our interpreter and in JScript on
// Duktape, each program run through the script host: every cell's text found with InStr and
// Mid (indexOf and substr), the entities replaced, the page split into lines, and every tag
// taken out with one global RegExp replace. Compare the pairs:
//   build/default/bench/juvo_bench --benchmark_filter=Scraping
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "engine/script_host.h"
#include "platform/automation/object_catalogue.h"
#include "platform/base/clock.h"
#include "platform/base/text.h"
#include "platform/locale/locale.h"
#include "platform/regexp/regexp.h"
#include "platform/script/script_control.h"
#include "platform/ui/scripted_ui.h"

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

constexpr char16_t kVBScript[] =
    u"Dim html\r\n"
    u"Sub load(text)\r\n"
    u"  html = text\r\n"
    u"End Sub\r\n"
    u"Function cells()\r\n"
    u"  count = 0\r\n"
    u"  at = InStr(html, \"<td>\")\r\n"
    u"  Do While at > 0\r\n"
    u"    finish = InStr(at, html, \"</td>\")\r\n"
    u"    cell = Mid(html, at + 4, finish - at - 4)\r\n"
    u"    count = count + 1\r\n"
    u"    at = InStr(finish, html, \"<td>\")\r\n"
    u"  Loop\r\n"
    u"  cells = count\r\n"
    u"End Function\r\n"
    u"Function entities()\r\n"
    u"  entities = Len(Replace(html, \"&amp;\", \"&\"))\r\n"
    u"End Function\r\n"
    u"Function lines()\r\n"
    u"  lines = UBound(Split(html, vbLf)) + 1\r\n"
    u"End Function\r\n"
    u"Function tags()\r\n"
    u"  Set re = New RegExp\r\n"
    u"  re.Pattern = \"<[^>]+>\"\r\n"
    u"  re.Global = True\r\n"
    u"  tags = Len(re.Replace(html, \"\"))\r\n"
    u"End Function\r\n";

constexpr char16_t kJScript[] =
    u"var html;\r\n"
    u"function load(text) { html = text; }\r\n"
    u"function cells() {\r\n"
    u"  var count = 0, at = html.indexOf('<td>');\r\n"
    u"  while (at >= 0) {\r\n"
    u"    var finish = html.indexOf('</td>', at);\r\n"
    u"    var cell = html.substr(at + 4, finish - at - 4);\r\n"
    u"    count++;\r\n"
    u"    at = html.indexOf('<td>', finish);\r\n"
    u"  }\r\n"
    u"  return count;\r\n"
    u"}\r\n"
    u"function entities() { return html.replace(/&amp;/g, '&').length; }\r\n"
    u"function lines() { return html.split('\\n').length; }\r\n"
    u"function tags() { return html.replace(/<[^>]+>/g, '').length; }\r\n";

// The services of a parser's script host: the RegExp to create, English.
struct Services {
  platform::ObjectCatalogue objects;
  platform::ScriptedUi ui;
  platform::Locale locale = platform::Locale::english();
  platform::ScriptServices services{objects, ui, platform::systemClock(), locale};
  Services() { platform::registerRegExp(objects); }
};

// Runs procedure `name` of the language's program, the page loaded, once per iteration.
void BM_Scraping(benchmark::State& state, const char16_t* language, const char16_t* name) {
  static Services services;
  platform::ScriptControl control(std::chrono::seconds(60), services.services);
  juvo::registerScriptEngines(control);
  control.setLanguage(language);
  control.AddCode(language[0] == u'V' ? kVBScript : kJScript);
  std::vector<Variant> args{Variant(page())};
  control.Run(u"load", args);
  for (auto _ : state)
    benchmark::DoNotOptimize(control.Run(name));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * page().size() * 2));
}

BENCHMARK_CAPTURE(BM_Scraping, VBScript_InStr_Mid, u"VBScript", u"cells")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Scraping, JScript_InStr_Mid, u"JScript", u"cells")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Scraping, VBScript_Replace, u"VBScript", u"entities")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Scraping, JScript_Replace, u"JScript", u"entities")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Scraping, VBScript_Split, u"VBScript", u"lines")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Scraping, JScript_Split, u"JScript", u"lines")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Scraping, VBScript_RegExpReplace, u"VBScript", u"tags")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Scraping, JScript_RegExpReplace, u"JScript", u"tags")
    ->Unit(benchmark::kMillisecond);

}  // namespace
