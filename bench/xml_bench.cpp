// Speed of the XML DOM on a page of the size parsers fetch (about 200 KB of tidied XHTML):
// parsing it next to libxml2 alone, and scripts walking it the ways parsers do.
#include <benchmark/benchmark.h>
#include <libxml/parser.h>

#include <chrono>
#include <memory>
#include <string>

#include "platform/automation/object_catalogue.h"
#include "platform/base/clock.h"
#include "platform/base/error.h"
#include "platform/base/text.h"
#include "platform/inet/web_transfer.h"
#include "platform/locale/locale.h"
#include "platform/script/script_control.h"
#include "platform/ui/scripted_ui.h"
#include "platform/xml/xml_document.h"

namespace platform {
namespace {

class NoWeb final : public WebTransfer {
 public:
  WebDocument openUrl(std::u16string_view, const StopCheck&) override {
    raise(ErrorCode::kFail, u"no web");
  }
};

// A tidied page: head, navigation, and a table of rows with links and text, indented as tidy
// writes it.
std::u16string page() {
  std::u16string text =
      u"<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
      u"<html xmlns=\"http://www.w3.org/1999/xhtml\">\n<head>\n<title>Weather</title>\n"
      u"</head>\n<body>\n<div id=\"nav\">\n<ul>\n";
  for (int i = 0; i < 40; ++i)
    text += u"<li><a href=\"/p" + decimal(i) + u"\">Page " + decimal(i) + u"</a></li>\n";
  text += u"</ul>\n</div>\n<table class=\"forecast\">\n";
  for (int row = 0; row < 1400; ++row) {
    text += u"<tr class=\"row\">\n<td class=\"city\"><a href=\"/city/" + decimal(row) +
            u"\">City " + decimal(row) + u"</a></td>\n<td class=\"temp\">" + decimal(row % 35) +
            u"&#176;C</td>\n<td>Cloudy &amp; mild, wind " + decimal(row % 9) +
            u" Bft</td>\n</tr>\n";
  }
  return text + u"</table>\n</body>\n</html>\n";
}

const std::u16string& thePage() {
  static const std::u16string text = page();
  return text;
}

void BM_LibXml2ParseAlone(benchmark::State& state) {
  const std::string utf8 = toUtf8(thePage());
  for (auto _ : state) {
    xmlDocPtr doc = xmlReadMemory(utf8.data(), static_cast<int>(utf8.size()), nullptr, "UTF-8",
                                  XML_PARSE_NONET | XML_PARSE_NOENT);
    benchmark::DoNotOptimize(doc);
    xmlFreeDoc(doc);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(utf8.size()));
}
BENCHMARK(BM_LibXml2ParseAlone)->Unit(benchmark::kMillisecond);

// loadXML: the text to UTF-8, the parse, whitespace dropped, the declaration node.
void BM_LoadXml(benchmark::State& state) {
  NoWeb web;
  for (auto _ : state) {
    auto doc = xml::makeDocument(web);
    benchmark::DoNotOptimize(doc->loadXML(thePage()));
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(thePage().size() * 2));
}
BENCHMARK(BM_LoadXml)->Unit(benchmark::kMillisecond);

// A parser's callback on the loaded page, in JScript.
class ScriptWalk {
 public:
  explicit ScriptWalk(std::u16string_view code) {
    control.setLanguage(u"JScript");
    control.AddCode(code);
    doc->loadXML(thePage());
  }
  Variant run() {
    std::vector<Variant> args{Variant(ObjectPtr(doc))};
    return control.Run(u"walk", args);
  }

 private:
  NoWeb web;
  ObjectCatalogue objects;
  ScriptedUi ui;
  Locale locale = Locale::english();
  ScriptControl control{std::chrono::seconds(20),
                        ScriptServices{objects, ui, systemClock(), locale}};
  std::shared_ptr<xml::XmlDocument> doc = xml::makeDocument(web);
};

// The common road: every cell by name, its text.
void BM_ScriptReadsEveryCell(benchmark::State& state) {
  ScriptWalk walk(
      u"function walk(doc) { var cells = doc.getElementsByTagName('td'), n = 0;"
      u" for (var i = 0; i < cells.length; i++) n += cells(i).text.length; return n; }");
  for (auto _ : state)
    benchmark::DoNotOptimize(walk.run());
  state.SetItemsProcessed(state.iterations() * 4200);
}
BENCHMARK(BM_ScriptReadsEveryCell)->Unit(benchmark::kMillisecond);

// Every node of the page through childNodes, as a recursive walk does.
void BM_ScriptWalksEveryNode(benchmark::State& state) {
  ScriptWalk walk(
      u"function visit(node) { var n = 1, children = node.childNodes;"
      u" for (var i = 0; i < children.length; i++) n += visit(children(i)); return n; }"
      u" function walk(doc) { return visit(doc.documentElement); }");
  for (auto _ : state)
    benchmark::DoNotOptimize(walk.run());
}
BENCHMARK(BM_ScriptWalksEveryNode)->Unit(benchmark::kMillisecond);

// XPath: the rows of one class and a cell of each.
void BM_ScriptSelectsWithXPath(benchmark::State& state) {
  ScriptWalk walk(
      u"function walk(doc) { doc.setProperty('SelectionNamespaces',"
      u" \"xmlns:h='http://www.w3.org/1999/xhtml'\");"
      u" var rows = doc.selectNodes(\"//h:tr[@class='row']\"), n = 0;"
      u" for (var e = new Enumerator(rows); !e.atEnd(); e.moveNext())"
      u" n += e.item().selectSingleNode(\"h:td[@class='temp']\").text.length; return n; }");
  for (auto _ : state)
    benchmark::DoNotOptimize(walk.run());
}
BENCHMARK(BM_ScriptSelectsWithXPath)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace platform
