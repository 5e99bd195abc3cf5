#include "error_report.h"

#include <gtest/gtest.h>

namespace juvo::tool {
namespace {

platform::ScriptErrorInfo error(int32_t line, int32_t column, std::u16string description,
                                std::u16string source = u"Microsoft JScript runtime error") {
  platform::ScriptErrorInfo info;
  info.line = line;
  info.column = column;
  info.description = std::move(description);
  info.source = std::move(source);
  return info;
}

TEST(ErrorReport, TheHostsLinesBecomeTheFilesOnesWhateverTheLineEnds) {
  // As the host is given a file: a line break before every line; a lone LF or CR inside a
  // line still breaks it for the script language.
  const auto lines = sourceLines(u"\r\nfirst\r\nsecond\nthird\rfourth");
  EXPECT_EQ(lines, (std::vector<std::u16string>{u"", u"first", u"second", u"third", u"fourth"}));
  EXPECT_EQ(fileLineOf(2), 1);
  EXPECT_EQ(fileLineOf(1), 0);
  EXPECT_EQ(fileLineOf(0), 0);
}

TEST(ErrorReport, ReportsAsCompilersDoWithACaretOrTheLineMarked) {
  const auto lines = sourceLines(u"\r\nfunction run() {\r\n\tvar x = y + 1;\r\n}");
  const struct {
    platform::ScriptErrorInfo error;
    Columns columns;
    std::string report;
  } cases[] = {
      // VBScript counts columns from 0; people, from 1.
      {error(3, 9, u"Variable is undefined: 'y'", u"Microsoft VBScript runtime error"),
       Columns::kFromZero,
       "w:2:10: Variable is undefined: 'y' (Microsoft VBScript runtime error)\n"
       "    \tvar x = y + 1;\n"
       "    \t        ^\n"},
      {error(3, 0, u"Type mismatch", u""), Columns::kFromZero,
       "w:2:1: Type mismatch\n"
       "    \tvar x = y + 1;\n"
       "    ^\n"},
      // JScript gives no column: the line's code is marked, not its indentation.
      {error(3, 0, u"'y' is undefined"), Columns::kUnknown,
       "w:2: 'y' is undefined (Microsoft JScript runtime error)\n"
       "    \tvar x = y + 1;\n"
       "    \t^~~~~~~~~~~~~~\n"},
      // A column past the end marks the end.
      {error(2, 98, u"Expected end of statement", u""), Columns::kFromZero,
       "w:1:99: Expected end of statement\n"
       "    function run() {\n"
       "                    ^\n"},
      // A line the file does not hold, or none at all: the report alone.
      {error(9, 1, u"end of input"), Columns::kUnknown,
       "w: end of input (Microsoft JScript runtime error)\n"},
      {error(1, 0, u"odd", u""), Columns::kFromZero, "w: odd\n"},
      {error(0, 0, u"stopped", u""), Columns::kUnknown, "w: stopped\n"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(formatScriptError("w", c.error, lines, c.columns), c.report);
  }
}

TEST(ErrorReport, LongLinesShowAWindowAroundTheColumn) {
  const std::u16string longLine = std::u16string(300, u'a') + u"BAD" + std::u16string(300, u'b');
  const auto lines = sourceLines(u"\r\n" + longLine);
  const std::string report =
      formatScriptError("min.vbs", error(2, 300, u"bad"), lines, Columns::kFromZero);
  const std::string expectedText =
      "    ... " + std::string(50, 'a') + "BAD" + std::string(47, 'b') + " ...\n";
  const std::string expectedMark = "    " + std::string(4 + 50, ' ') + "^\n";
  EXPECT_EQ(report,
            "min.vbs:1:301: bad (Microsoft JScript runtime error)\n" + expectedText + expectedMark);
}

TEST(ErrorReport, FindsWhereAProcedureIsDeclared) {
  const auto lines = sourceLines(
      u"\r\n// run() is called by the chat\r\nvar runs = 0;\r\nfunction  Run() {}\r\n"
      u"Sub info\r\nfunction helper() { info(); }");
  EXPECT_EQ(declarationLine(lines, u"Run", false), 3);
  EXPECT_EQ(declarationLine(lines, u"run", false), 1);  // only the comment uses the word
  EXPECT_EQ(declarationLine(lines, u"INFO", true), 4);
  EXPECT_EQ(declarationLine(lines, u"absent", false), 1);
}

}  // namespace
}  // namespace juvo::tool
