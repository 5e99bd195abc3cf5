// The DOM test table (dom_test_table.cpp) run in each script language through the script
// host, as parsers reach the DOM. The VBScript engine is our interpreter, from src/vbscript.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "dom_test_table.h"
#include "platform/automation/object_catalogue.h"
#include "platform/automation/variant_convert.h"
#include "platform/base/clock.h"
#include "platform/base/error.h"
#include "platform/base/text.h"
#include "platform/inet/web_transfer.h"
#include "platform/locale/locale.h"
#include "platform/script/script_control.h"
#include "platform/ui/scripted_ui.h"
#include "platform/xml/xml_document.h"
#include "vbscript/vbscript_engine.h"

namespace platform::xml::testing {
namespace {

// A language's column of the table: how its expressions become the procedure test(doc).
struct Language {
  std::u16string_view name;
  std::u16string_view DomCase::*column;
  std::u16string (*procedure)(std::u16string_view expression);
  // JScript has one null for Null and Nothing alike.
  bool nothingIsNull;
};

std::u16string jscriptProcedure(std::u16string_view expression) {
  return u"function test(doc) {\r\n  return (" + std::u16string(expression) + u");\r\n}";
}

// The expression is evaluated once (inside Array), then handed back with Set when it is an
// object. The helpers do what an expression cannot: loops and several statements.
std::u16string vbscriptProcedure(std::u16string_view expression) {
  return u"Function test(doc)\r\n"
         u"  result = Array(" +
         std::u16string(expression) +
         u")\r\n"
         u"  If IsObject(result(0)) Then Set test = result(0) Else test = result(0)\r\n"
         u"End Function\r\n"
         u"Function NamesOf(list)\r\n"
         u"  For Each node In list\r\n"
         u"    If Not IsEmpty(NamesOf) Then NamesOf = NamesOf & \",\"\r\n"
         u"    NamesOf = NamesOf & node.nodeName\r\n"
         u"  Next\r\n"
         u"End Function\r\n"
         u"Function NextNodeTexts(list)\r\n"
         u"  Set node = list.nextNode\r\n"
         u"  Do Until node Is Nothing\r\n"
         u"    NextNodeTexts = NextNodeTexts & node.text\r\n"
         u"    Set node = list.nextNode()\r\n"
         u"  Loop\r\n"
         u"  list.reset\r\n"
         u"  NextNodeTexts = NextNodeTexts & list.nextNode.text\r\n"
         u"End Function\r\n"
         // JScript's spelling of a Boolean, which the shared expected values use.
         u"Function Lowered(b)\r\n"
         u"  If b Then Lowered = \"true\" Else Lowered = \"false\"\r\n"
         u"End Function\r\n"
         u"Function Sequence(first, second) : Sequence = second : End Function\r\n"
         u"Function CreateAndLoad\r\n"
         u"  Set d = CreateObject(\"MSXML2.DOMDocument.3.0\")\r\n"
         u"  d.async = False\r\n"
         u"  loaded = d.loadXML(\"<a><b>1</b></a>\")\r\n"
         u"  CreateAndLoad = Lowered(loaded) & \",\" & d.documentElement.text & "
         u"Lowered(d.async)\r\n"
         u"End Function\r\n"
         u"Function BuildNodes(doc)\r\n"
         u"  Set e = doc.createElement(\"note\")\r\n"
         u"  e.appendChild doc.createTextNode(\"hi & bye\")\r\n"
         u"  doc.documentElement.appendChild e\r\n"
         u"  BuildNodes = doc.documentElement.lastChild.xml\r\n"
         u"End Function\r\n"
         u"Function ReadsNoFile\r\n"
         u"  Set d = CreateObject(\"Microsoft.XMLDOM\")\r\n"
         u"  ReadsNoFile = Lowered(d.load(\"/etc/hostname\")) & \",\" & "
         u"Lowered(d.parseError.errorCode <> 0)\r\n"
         u"End Function\r\n";
}

const Language kLanguages[] = {
    {u"JScript", &DomCase::jscript, jscriptProcedure, true},
    {u"VBScript", &DomCase::vbscript, vbscriptProcedure, false},
};

class NoWeb final : public WebTransfer {
 public:
  WebDocument openUrl(std::u16string_view, const StopCheck&) override {
    raise(ErrorCode::kFail, u"No web in this test");
  }
};

struct Run {
  const Language* language;
  const DomCase* domCase;
};

class DomScriptTest : public ::testing::TestWithParam<Run> {
 protected:
  DomScriptTest() {
    registerDocuments(objects, web);
    control.registerEngine(u"VBScript", vbscript::makeVBScriptEngine);
  }

  NoWeb web;
  ObjectCatalogue objects;
  ScriptedUi ui;
  Locale locale = Locale::english();
  ScriptControl control{std::chrono::seconds(5),
                        ScriptServices{objects, ui, systemClock(), locale}};
};

TEST_P(DomScriptTest, GivesTheExpectedValue) {
  const Language& language = *GetParam().language;
  const DomCase& c = *GetParam().domCase;
  const std::u16string_view expression = c.*language.column;
  SCOPED_TRACE(toUtf8(expression));

  auto doc = makeDocument(web);
  std::vector<Variant> put{Variant(c.document->preserveWhiteSpace)};
  invokeByName(*doc, u"preserveWhiteSpace", kPropertyPut, put);
  doc->loadXML(c.document->text);

  control.setLanguage(language.name);
  control.AddCode(language.procedure(expression));
  std::vector<Variant> args{Variant(ObjectPtr(doc))};
  Variant result;
  std::u16string failure;
  try {
    result = control.Run(u"test", args);
  } catch (const Error& error) {
    failure = error.description();
  }

  switch (c.expected.kind) {
    case Expected::Kind::kFailure:
      EXPECT_NE(failure, u"") << "no error";
      return;
    case Expected::Kind::kNull:
      ASSERT_EQ(failure, u"");
      EXPECT_TRUE(result.isNull()) << toUtf8(toText(result));
      return;
    case Expected::Kind::kNothing:
      ASSERT_EQ(failure, u"");
      if (language.nothingIsNull) {
        EXPECT_TRUE(result.isNull());
      } else {
        EXPECT_TRUE(result.isObject() && !result.object());
      }
      return;
    case Expected::Kind::kText:
      ASSERT_EQ(failure, u"");
      ASSERT_FALSE(result.isNull() || result.isObject()) << "not a value";
      EXPECT_EQ(toText(result), c.expected.text);
      return;
  }
}

std::vector<Run> allRuns() {
  std::vector<Run> runs;
  for (const Language& language : kLanguages) {
    for (const DomCase& c : domCases()) {
      if (!(c.*language.column).empty()) runs.push_back({&language, &c});
    }
  }
  return runs;
}

std::string runName(const ::testing::TestParamInfo<Run>& info) {
  return toUtf8(info.param.language->name) + "_" + std::string(info.param.domCase->name);
}

INSTANTIATE_TEST_SUITE_P(Table, DomScriptTest, ::testing::ValuesIn(allRuns()), runName);

}  // namespace
}  // namespace platform::xml::testing
