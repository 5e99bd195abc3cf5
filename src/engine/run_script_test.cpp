#include "engine/run_script.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "engine/chunks.h"
#include "engine/engine_test_fixture.h"

namespace juvo {
namespace {

using platform::ErrorCode;
using testing::errorNumberOf;
using testing::numberOf;
using testing::utf8;

constexpr char kHello[] =
    "function run() {\r\n"
    "  engine.output(\"Hello, \" + engine.argument);\r\n"
    "}\r\n";

class RunScriptTest : public testing::EngineTest {
 protected:
  explicit RunScriptTest(std::chrono::milliseconds timeout = testing::kRoomyTimeout)
      : EngineTest(timeout) {}

  std::u16string run(std::string_view fileName, std::string_view code,
                     std::u16string_view argument = u"") {
    return runScript(script, test.shared, parser(fileName, code), argument);
  }
  // Runs a parser that must fail; returns the failure's number.
  int32_t failure(std::string_view fileName, std::string_view code) {
    const std::u16string path = parser(fileName, code);
    return errorNumberOf([&] { runScript(script, test.shared, path, u""); });
  }
  // The boxes titled "Parser error." shown so far.
  std::vector<testing::Shown> parserErrors() const {
    std::vector<testing::Shown> boxes;
    for (const testing::Shown& box : shown()) {
      if (box.title == u"Parser error.") boxes.push_back(box);
    }
    return boxes;
  }
};

TEST_F(RunScriptTest, HandsTheArgumentInAndTheLastOutputBack) {
  EXPECT_EQ(run("hello.js", kHello, u"World"), u"Hello, World");
  EXPECT_EQ(run("hello.js", kHello, u" two  spaces "), u"Hello,  two  spaces ");
  EXPECT_EQ(run("silent.js", "function run() { var x = 1; }"), u"");
  EXPECT_EQ(run("twice.js", "function run() { engine.output('one'); engine.output('two'); }"),
            u"two");
  EXPECT_EQ(run("defaults.js",
                "function run() {\n"
                "  engine.output([engine.help, engine.description, engine.syntax,\n"
                "                 engine.argument, engine.document, engine.ret].join('|'));\n"
                "}\n"),
            u"No help found|No description found|No syntax found|||");
  EXPECT_TRUE(shown().empty());
}

TEST_F(RunScriptTest, CutsLongResultsIntoChunks) {
  EXPECT_EQ(run("exact.js", "function run() { engine.output(new Array(1001).join('a')); }"),
            std::u16string(1000, u'a'));
  const std::vector<std::u16string> pieces =
      splitChunks(run("long.js", "function run() { engine.output(new Array(2501).join('b')); }"));
  ASSERT_EQ(pieces.size(), 3u);
  EXPECT_EQ(pieces[0], std::u16string(1000, u'b'));
  EXPECT_EQ(pieces[1], std::u16string(1000, u'b'));
  EXPECT_EQ(pieces[2], std::u16string(500, u'b'));
}

TEST_F(RunScriptTest, ACompileErrorShowsTheParserErrorBoxWithTheHostsLineNumber) {
  const int32_t number = failure("broken.js", "function run( {\r\n}\r\n");
  EXPECT_NE(number, 0);
  const auto boxes = parserErrors();
  ASSERT_EQ(boxes.size(), 1u);
  const std::u16string& text = boxes[0].text;
  EXPECT_TRUE(text.starts_with(u"Error from parser: \r\n\r\nDescription: ")) << utf8(text);
  EXPECT_NE(text.find(u"\r\nNumber: " + platform::decimal(number) + u"\r\nLine: 2\r\nColumn: "),
            std::u16string::npos)
      << utf8(text);
  EXPECT_NE(text.find(u"\r\nSource: "), std::u16string::npos);
  EXPECT_EQ(boxes[0].icon, platform::Icon::kCritical);
  EXPECT_EQ(boxes[0].buttons, platform::Buttons::kOk);
  // The handler clears the Error object once the user has seen it.
  EXPECT_EQ(script.Error().Number(), 0);
}

TEST_F(RunScriptTest, RunTimeErrorsInsideRunAndAtTheTopLevelFail) {
  EXPECT_NE(failure("throws.js", "\r\nfunction run() {\r\n  undefinedThing();\r\n}\r\n"), 0);
  ASSERT_EQ(parserErrors().size(), 1u);
  EXPECT_NE(parserErrors()[0].text.find(u"\r\nLine: 4\r\n"), std::u16string::npos)
      << utf8(parserErrors()[0].text);

  // The engine does not exist yet while the code is added.
  EXPECT_NE(failure("early.js", "engine.output('too soon');\nfunction run() {}\n"), 0);
  ASSERT_EQ(parserErrors().size(), 2u);
  EXPECT_NE(parserErrors()[1].text.find(u"\r\nLine: 2\r\n"), std::u16string::npos);
}

TEST_F(RunScriptTest, AParserWithoutRunFailsWithoutABox) {
  EXPECT_EQ(failure("norun.js", "function info() {}\n"), numberOf(ErrorCode::kUnknownName));
  EXPECT_EQ(failure("empty.js", ""), numberOf(ErrorCode::kUnknownName));
  EXPECT_TRUE(shown().empty());
}

TEST_F(RunScriptTest, TheLanguageFollowsTheExactExtension) {
  EXPECT_EQ(scriptLanguageFor(u"/p/a.js"), u"javascript");
  EXPECT_EQ(scriptLanguageFor(u"/p/a.vbs"), u"VBScript");
  EXPECT_EQ(scriptLanguageFor(u"/p/a.JS"), u"VBScript");
  EXPECT_EQ(scriptLanguageFor(u"/p/a.js.bak"), u"VBScript");
  EXPECT_EQ(scriptLanguageFor(u"/p.js/a"), u"VBScript");

  // The same JScript code runs from x.js but not from X.JS, which is handed to VBScript.
  EXPECT_EQ(run("x.js", kHello, u"js"), u"Hello, js");
  EXPECT_NE(failure("X.JS", kHello), 0);
  EXPECT_EQ(script.language(), u"VBScript");
}

TEST_F(RunScriptTest, ReadsLinesEndedByCrCrLfOrLineFeedsAlone) {
  const std::u16string path = parser("mixed.js", "a\rb\r\nc\n d\r\n");
  EXPECT_EQ(readParserSource(path), u"\r\na\r\nb\r\nc\n d");
  EXPECT_EQ(readParserSource(parser("nothing.js", "")), u"");

  EXPECT_EQ(run("lf.js", "function run() {\n  engine.output('lf');\n}\n"), u"lf");
  EXPECT_NE(failure("lferror.js", "function run() {\n\n  nothing.here();\n}\n"), 0);
  ASSERT_EQ(parserErrors().size(), 1u);
  EXPECT_NE(parserErrors()[0].text.find(u"\r\nLine: 4\r\n"), std::u16string::npos)
      << utf8(parserErrors()[0].text);
}

TEST_F(RunScriptTest, TwoRunsShareNothing) {
  EXPECT_EQ(
      run("first.js", "var kept = 'top';\nfunction run() { leaked = 1; engine.output(kept); }"),
      u"top");
  EXPECT_EQ(run("second.js",
                "function run() {\n"
                "  engine.output(typeof leaked + ' ' + typeof kept + ' ' + typeof info);\n"
                "}\n"),
            u"undefined undefined undefined");
}

TEST_F(RunScriptTest, BadParsersFailWithoutHarm) {
  std::string garbage;
  for (int i = 0; i < 4096; ++i)
    garbage += static_cast<char>((i * 7919) % 256);
  EXPECT_NE(failure("garbage.js", garbage), 0);

  std::filesystem::create_directories(test.moduleFolder.path() / "JUVO/Parsers/folder.js");
  EXPECT_EQ(errorNumberOf([&] { runScript(script, test.shared, parserPath("folder.js"), u""); }),
            numberOf(ErrorCode::kPathFileAccess));
  EXPECT_EQ(errorNumberOf([&] { runScript(script, test.shared, parserPath("gone.js"), u""); }),
            numberOf(ErrorCode::kFileNotFound));

  EXPECT_NE(failure("recursion.js",
                    "function f(n) { return f(n + 1) + 1; }\n"
                    "function run() { f(0); }\n"),
            0);
  for (const char* thrown : {"'x'", "42", "null", "{}", "undefined"}) {
    EXPECT_NE(failure("thrown.js", std::string("function run() { throw ") + thrown + "; }"), 0)
        << thrown;
  }
  EXPECT_EQ(parserErrors().size(), 7u);

  // A 10 MB parser is read and run like any other.
  std::string big;
  big.reserve(10'500'000);
  while (big.size() < 10'000'000)
    big += "// " + std::string(95, 'c') + "\r\n";
  big += "function run() { engine.output('big'); }\r\n";
  EXPECT_EQ(run("big.js", big), u"big");

  // The host is still usable after all of it.
  EXPECT_EQ(run("hello.js", kHello, u"again"), u"Hello, again");
}

TEST_F(RunScriptTest, MisusingTheEngineIsAnErrorTheParserMayCatch) {
  EXPECT_EQ(
      run("catch.js",
          "function run() {\n"
          "  var seen = [];\n"
          "  try { engine.output(); } catch (e) { seen.push('none'); }\n"
          "  try { engine.output('a', 'b'); } catch (e) { seen.push('two'); }\n"
          "  try { engine.output(null); } catch (e) { seen.push('null'); }\n"
          "  try { engine.alert(); } catch (e) { seen.push('alert'); }\n"
          "  try { engine.getXML('http://127.0.0.1:1/', 'f'); } catch (e) { seen.push('xml'); }\n"
          "  engine.output(seen.join(','));\n"
          "}\n"),
      u"none,two,null,alert,xml");
  EXPECT_TRUE(shown().empty());

  EXPECT_NE(failure("uncaught.js", "function run() { engine.output(); }"), 0);
  EXPECT_EQ(parserErrors().size(), 1u);
}

TEST_F(RunScriptTest, AlertBoxesComeWhileTheParserRuns) {
  EXPECT_EQ(run("alert.js", "function run() { engine.alert('hello'); engine.output('after'); }"),
            u"after");
  ASSERT_EQ(shown().size(), 1u);
  EXPECT_EQ(shown()[0].text, u"hello");
  EXPECT_EQ(shown()[0].title, u"Parser script message");
}

TEST(ParserErrorMessage, FramesEveryFieldOnItsOwnLine) {
  platform::ScriptError error;
  error.assign({.number = static_cast<int32_t>(0x800A03EA),
                .description = u"Expected ';'",
                .text = u"x y",
                .line = 2,
                .column = 3,
                .source = u"Microsoft JScript compilation error"});
  EXPECT_EQ(parserErrorMessage(error),
            u"Error from parser: \r\n\r\n"
            u"Description: Expected ';'\r\n"
            u"Text: x y\r\n"
            u"Number: -2146827286\r\n"
            u"Line: 2\r\n"
            u"Column: 3\r\n"
            u"Source: Microsoft JScript compilation error");
}

class RunScriptTimeoutTest : public RunScriptTest {
 protected:
  RunScriptTimeoutTest() : RunScriptTest(testing::kShortTimeout) {}
};

TEST_F(RunScriptTimeoutTest, AParserThatNeverEndsIsStoppedAndTheNextRunWorks) {
  for (const char* loop :
       {"while (true) {}", "while (true) { try { while (true) {} } catch (e) {} }"}) {
    test.ui.clear();
    EXPECT_EQ(failure("forever.js", std::string("function run() { ") + loop + " }"),
              numberOf(ErrorCode::kTimeout))
        << loop;
    ASSERT_EQ(shown().size(), 1u) << loop;
    EXPECT_EQ(shown()[0].text, u"Parser timeout, the parser took to long to execute.");
    EXPECT_EQ(shown()[0].title, u"Juvo");
    EXPECT_EQ(shown()[0].icon, platform::Icon::kNone);
    EXPECT_EQ(shown()[0].buttons, platform::Buttons::kOk);
    EXPECT_EQ(run("hello.js", kHello, u"World"), u"Hello, World");
  }
  // Top-level code gets the same treatment while it is added.
  EXPECT_EQ(failure("toplevel.js", "for (;;) {}\nfunction run() {}"),
            numberOf(ErrorCode::kTimeout));
  EXPECT_TRUE(parserErrors().empty());
}

}  // namespace
}  // namespace juvo
