#include "engine/tidy_step.h"

#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/base/text.h"
#include "platform/ui/scripted_ui.h"

namespace juvo {
namespace {

using platform::TidyMessage;
using platform::toUtf8;

// The whole text content of `xml` as libxml2 reads it, or nullopt when it is not well formed.
std::optional<std::string> xmlText(const std::u16string& xml) {
  const std::string bytes = toUtf8(xml);
  std::unique_ptr<xmlDoc, void (*)(xmlDocPtr)> doc(
      xmlReadMemory(bytes.data(), static_cast<int>(bytes.size()), nullptr, "UTF-8",
                    XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING),
      xmlFreeDoc);
  if (!doc) return std::nullopt;
  xmlChar* content = xmlNodeGetContent(xmlDocGetRootElement(doc.get()));
  std::string text = content ? reinterpret_cast<const char*>(content) : "";
  xmlFree(content);
  return text;
}

class TidyStepTest : public ::testing::Test {
 protected:
  std::u16string tidy(std::u16string_view page) {
    return tidyStep(otidy, page, [this](const TidyMessage& m) { messages.push_back(m); });
  }

  std::shared_ptr<platform::TidyDocument> otidy;
  std::vector<TidyMessage> messages;
};

TEST_F(TidyStepTest, EveryPageBecomesXmlWithADeclarationAndNoDocumentType) {
  const struct {
    const char* what;
    std::u16string page;
    std::string text;  // found in the parsed document's text
  } pages[] = {
      {"named entities",
       u"<!DOCTYPE html PUBLIC \"-//W3C//DTD HTML 4.01//EN\">\n"
       u"<html><head><title>A&nbsp;&copy;&eacute;&amp;</title></head><body>x</body></html>",
       "A\u00a0\u00a9\u00e9&"},
      {"scripts with markup characters",
       u"<html><head><script>if (a < b && c) { d = '</p>'; }</script></head><body></body></html>",
       "if (a < b && c)"},
      {"sloppy tags and attributes",
       u"<HTML><BODY BGCOLOR=red><P>one<P>two<BR><IMG SRC=x.gif><TABLE><TR><TD>cell</TABLE>",
       "cell"},
      {"unknown elements (an error)", u"<p>before<nosuch>inside</nosuch>after</p>",
       "beforeinsideafter"},
      {"stray ampersands and brackets", u"<p>Fish & chips < 5 > 3 &bogus;</p>",
       "Fish & chips < 5 > 3 &bogus;"},
      {"text beyond ASCII", u"<p>caf\u00e9 \u20ac \U0001F600</p>", "caf\u00e9 \u20ac \U0001F600"},
      {"long lines stay whole",
       u"<p>" + std::u16string(200, u'a') + u" " + std::u16string(200, u'b') + u"</p>",
       std::string(200, 'a') + " " + std::string(200, 'b')},
      {"nothing at all", u"", ""},
  };
  for (const auto& page : pages) {
    const std::u16string xml = tidy(page.page);
    EXPECT_TRUE(xml.starts_with(u"<?xml version=\"1.0\"?>")) << page.what << "\n" << toUtf8(xml);
    EXPECT_EQ(xml.find(u"<!DOCTYPE"), std::u16string::npos) << page.what;
    EXPECT_EQ(xml.find(u"generator"), std::u16string::npos) << page.what;
    const std::optional<std::string> text = xmlText(xml);
    ASSERT_TRUE(text) << page.what << " is not well formed:\n" << toUtf8(xml);
    EXPECT_NE(text->find(page.text), std::string::npos) << page.what << "\n" << *text;
  }
}

TEST_F(TidyStepTest, APageWithErrorsReportsThemAndStillGivesItsOutput) {
  const std::u16string xml = tidy(
      u"<html>\n<head><title>t</title></head>\n<body>\n"
      u"<p>first</p>\n<wrong>x</wrong>\n<p>second<worse>y</worse></p>\n"
      u"</body>\n</html>\n");
  std::vector<int32_t> errorLines;
  for (const TidyMessage& m : messages) {
    if (m.level == platform::kTidyErrorLevel) errorLines.push_back(m.line);
  }
  EXPECT_EQ(errorLines, (std::vector<int32_t>{5, 6}));
  const std::optional<std::string> text = xmlText(xml);
  ASSERT_TRUE(text) << toUtf8(xml);
  EXPECT_NE(text->find("second"), std::string::npos);
}

TEST_F(TidyStepTest, TheTidyObjectIsReplacedAtEachCallAndKeepsTheLastDocument) {
  tidy(u"<p>one</p>");
  const platform::TidyDocument* first = otidy.get();
  const std::u16string second = tidy(u"<p>two</p>");
  ASSERT_NE(otidy, nullptr);
  EXPECT_NE(otidy.get(), first);
  EXPECT_EQ(otidy->saveString(), second);
}

TEST_F(TidyStepTest, AMessageHandlerThatTidiesAgainLeavesTheRunningStepWhole) {
  bool nested = false;
  const std::u16string outer =
      tidyStep(otidy, u"<p>outer<wrong>x</wrong></p>", [&](const TidyMessage& m) {
        if (m.level != platform::kTidyErrorLevel || nested) return;
        nested = true;
        tidy(u"<p>inner</p>");
      });
  EXPECT_TRUE(nested);
  EXPECT_NE(outer.find(u"<p>outerx</p>"), std::u16string::npos) << toUtf8(outer);
  EXPECT_NE(otidy->saveString().find(u"<p>inner</p>"), std::u16string::npos);
}

TEST(OtidyMessageBox, ShowsErrorsOnlyTitledWithTheirLine) {
  platform::ScriptedUi ui;
  for (int32_t level : {0, 1, 2, 3, 5, 6, 7, 10})
    otidyMessageBox(ui, level, 3, u"not shown");
  otidyMessageBox(ui, 4, 12, u"<wrong> is not recognized!");
  ASSERT_EQ(ui.shown().size(), 1u);
  const platform::ScriptedUi::Shown& box = ui.shown()[0];
  EXPECT_EQ(box.text, u"<wrong> is not recognized!");
  EXPECT_EQ(box.title, u"12");
  EXPECT_EQ(box.buttons, platform::Buttons::kOk);
  EXPECT_EQ(box.icon, platform::Icon::kNone);
}

}  // namespace
}  // namespace juvo
