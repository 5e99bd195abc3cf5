#include "platform/tidy/tidy_document.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/base/error.h"
#include "platform/base/text.h"

namespace platform {
namespace {

class TidyDocumentTest : public ::testing::Test {
 protected:
  TidyDocumentTest() {
    tidy.onMessage = [this](const TidyMessage& message) { messages.push_back(message); };
  }
  std::vector<TidyMessage> at(int32_t level) const {
    std::vector<TidyMessage> found;
    for (const TidyMessage& m : messages) {
      if (m.level == level) found.push_back(m);
    }
    return found;
  }

  TidyDocument tidy;
  std::vector<TidyMessage> messages;
};

TEST_F(TidyDocumentTest, ReportsMessagesWithTheClassicLevelsAndTheirPlace) {
  EXPECT_EQ(tidy.parseString(u"<html>\n<body>\n<p>one\n  <blink2>x</blink2>\n</body></html>"), 2);
  const std::vector<TidyMessage> errors = at(kTidyErrorLevel);
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0].line, 4);
  EXPECT_EQ(errors[0].column, 3);
  EXPECT_EQ(errors[0].text, u"<blink2> is not recognized!");
  // The missing title and the dropped element are warnings.
  EXPECT_GE(at(1).size(), 2u);
  for (const TidyMessage& m : messages)
    EXPECT_LT(m.level, 7) << toUtf8(m.text);
}

TEST_F(TidyDocumentTest, ErrorsAreReportedUpToShowErrors) {
  std::u16string page = u"<title>t</title>\n";
  for (int i = 0; i < 10; ++i)
    page += u"<p><wrong" + decimal(i) + u">x</wrong" + decimal(i) + u"></p>\n";
  tidy.parseString(page);
  ASSERT_EQ(at(kTidyErrorLevel).size(), 6u);
  EXPECT_EQ(at(kTidyErrorLevel).back().line, 7);

  TidyDocument fewer;
  int errors = 0;
  fewer.onMessage = [&](const TidyMessage& m) { errors += m.level == kTidyErrorLevel; };
  fewer.setOption("show-errors", "2");
  fewer.parseString(page);
  EXPECT_EQ(errors, 2);
}

TEST_F(TidyDocumentTest, OptionsGoByTheirNamesAndOnlyTheirValues) {
  tidy.setOption("output-xml", "yes");
  tidy.setOption("Doctype", "omit");
  tidy.setOption("wrap", "0");
  const struct {
    const char* name;
    const char* value;
  } refused[] = {{"no-such-option", "yes"},
                 {"doctype", "sideways"},
                 {"wrap", "far"},
                 {"char-encoding", "latin1"},
                 {"output-encoding", "ascii"}};
  for (const auto& option : refused) {
    try {
      tidy.setOption(option.name, option.value);
      ADD_FAILURE() << "took " << option.name << "=" << option.value;
    } catch (const Error& error) {
      EXPECT_EQ(error.number(), static_cast<int32_t>(ErrorCode::kInvalidArg)) << option.name;
    }
  }
  tidy.parseString(u"<!DOCTYPE html><title>t</title><p>x");
  tidy.cleanAndRepair();
  const std::u16string xml = tidy.saveString();
  EXPECT_EQ(xml.find(u"<!DOCTYPE"), std::u16string::npos) << toUtf8(xml);
  EXPECT_NE(xml.find(u"<p>x</p>"), std::u16string::npos) << toUtf8(xml);
}

TEST_F(TidyDocumentTest, APageWithErrorsIsWrittenOnlyWhenForced) {
  const std::u16string broken = u"<title>t</title><p>x<nosuch>y</nosuch>";
  tidy.parseString(broken);
  tidy.cleanAndRepair();
  EXPECT_EQ(tidy.saveString(), u"");

  TidyDocument forced;
  forced.setOption("force-output", "yes");
  forced.parseString(broken);
  forced.cleanAndRepair();
  EXPECT_NE(forced.saveString().find(u"<p>xy</p>"), std::u16string::npos);
}

TEST_F(TidyDocumentTest, TextKeepsEveryCharacter) {
  tidy.setOption("tidy-mark", "no");
  tidy.parseString(u"<title>caf\u00e9 \u20ac \U0001F600</title><p>\u65e5\u672c</p>");
  tidy.cleanAndRepair();
  const std::u16string html = tidy.saveString();
  EXPECT_NE(html.find(u"<title>caf\u00e9 \u20ac \U0001F600</title>"), std::u16string::npos)
      << toUtf8(html);
  EXPECT_NE(html.find(u"\u65e5\u672c"), std::u16string::npos);
}

TEST_F(TidyDocumentTest, AFailingMessageHandlerEndsTheOperationAfterLibtidyReturns) {
  int calls = 0;
  tidy.onMessage = [&](const TidyMessage&) {
    ++calls;
    raise(ErrorCode::kAborted, u"no more");
  };
  try {
    tidy.parseString(u"<p><nosuch>a</nosuch><other>b</other>");
    ADD_FAILURE() << "the handler's failure was lost";
  } catch (const Error& error) {
    EXPECT_EQ(error.description(), u"no more");
  }
  EXPECT_EQ(calls, 1);
  // The document is still whole and usable.
  tidy.onMessage = nullptr;
  tidy.setOption("force-output", "yes");
  EXPECT_GE(tidy.cleanAndRepair(), 0);
  EXPECT_NE(tidy.saveString().find(u"a"), std::u16string::npos);
}

}  // namespace
}  // namespace platform
