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
    "function run() {\r\n  engine.output('Hello, ' + engine.argument);\r\n}\r\n";

class RunScriptTest : public testing::EngineTest {
 protected:
  explicit RunScriptTest(std::chrono::milliseconds timeout = testing::kRoomyTimeout)
      : EngineTest(timeout) {}

  std::u16string run(std::string_view fileName, std::string_view code,
                     std::u16string_view argument = u"") {
    return runScript(script, test.shared, *this, parser(fileName, code), argument);
  }
  // Runs a parser that must fail; returns the failure's number.
  int32_t failure(std::string_view fileName, std::string_view code) {
    const std::u16string path = parser(fileName, code);
    return errorNumberOf([&] { runScript(script, test.shared, *this, path, u""); });
  }
  std::vector<std::u16string> parserErrors() const { return boxTexts(u"Parser error."); }
  // True when the last "Parser error." box gives `line` as its line.
  bool lastErrorOnLine(int line) const {
    const auto texts = parserErrors();
    return !texts.empty() && texts.back().find(u"\r\nLine: " + platform::decimal(line) + u"\r\n") !=
                                 std::u16string::npos;
  }
};

TEST_F(RunScriptTest, HandsTheArgumentInAndTheLastOutputBackCut) {
  EXPECT_EQ(run("hello.js", kHello, u" two  spaces "), u"Hello,  two  spaces ");
  EXPECT_EQ(run("silent.js", "function run() { var x = 1; }"), u"");
  EXPECT_EQ(run("twice.js", "function run() { engine.output('one'); engine.output('two'); }"),
            u"two");
  EXPECT_EQ(run("long.js", "function run() { engine.output(new Array(2501).join('b')); }"),
            chunkResult(std::u16string(2500, u'b')));
  EXPECT_TRUE(shown().empty());
}

TEST_F(RunScriptTest, ScriptErrorsShowTheParserErrorBoxWithTheHostsLineNumber) {
  EXPECT_NE(failure("broken.js", "function run( {\r\n}\r\n"), 0);
  ASSERT_EQ(shown().size(), 1u);
  EXPECT_EQ(shown()[0].icon, platform::Icon::kCritical);
  EXPECT_EQ(shown()[0].buttons, platform::Buttons::kOk);
  EXPECT_TRUE(lastErrorOnLine(2)) << utf8(shown()[0].text);
  EXPECT_EQ(script.Error().Number(), 0);  // cleared once the user has seen it

  EXPECT_NE(failure("throws.js", "\r\nfunction run() {\r\n  undefinedThing();\r\n}\r\n"), 0);
  EXPECT_TRUE(lastErrorOnLine(4));
  // Lone line feeds end lines as well.
  EXPECT_NE(failure("lferror.js", "function run() {\n\n  nothing.here();\n}\n"), 0);
  EXPECT_TRUE(lastErrorOnLine(4));
  // The engine does not exist yet while the code is added.
  EXPECT_NE(failure("early.js", "engine.output('too soon');\nfunction run() {}\n"), 0);
  EXPECT_TRUE(lastErrorOnLine(2));
  EXPECT_EQ(parserErrors().size(), 4u);
}

TEST_F(RunScriptTest, AnErrorTheParserHandlesShowsNoBoxAndOneErrorShowsOne) {
  EXPECT_EQ(run("handled.js",
                "function run(){try{engine.output({toString:function(){throw 1;}});}"
                "catch(e){engine.output(\"handled\");}}"),
            u"handled");
  EXPECT_TRUE(shown().empty());
  // A toString that outputs its own object nests until the calls nest too deep: one error.
  EXPECT_NE(failure("selfish.js",
                    "var o = {toString: function () { engine.output(o); return 'x'; }};\r\n"
                    "function run() { engine.output(o); }\r\n"),
            0);
  EXPECT_EQ(parserErrors().size(), 1u);
  EXPECT_TRUE(lastErrorOnLine(3));
  // The box of an error on a long line keeps every field, the text cut to what a box shows.
  EXPECT_NE(failure("wide.js", "var s = '" + std::string(1 << 20, 'x') + "' +;\r\n"), 0);
  const std::u16string box = parserErrors().back();
  EXPECT_LT(box.size(), 1000u);
  EXPECT_NE(box.find(u"\r\nText: var s = 'xxx"), std::u16string::npos);
  EXPECT_NE(box.find(u"x\u2026\r\nNumber: "), std::u16string::npos);
  EXPECT_TRUE(lastErrorOnLine(2));
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

TEST_F(RunScriptTest, TheLanguageFollowsTheExactExtension) {
  for (std::u16string_view path : {u"/p/a.vbs", u"/p/a.JS", u"/p/a.js.bak", u"/p.js/a"})
    EXPECT_EQ(scriptLanguageFor(path), u"VBScript") << utf8(path);
  EXPECT_EQ(scriptLanguageFor(u"/p/a.js"), u"javascript");
  // The same JScript code runs from x.js but not from X.JS, which is handed to VBScript.
  EXPECT_EQ(run("x.js", kHello, u"js"), u"Hello, js");
  EXPECT_NE(failure("X.JS", kHello), 0);
  EXPECT_EQ(script.language(), u"VBScript");
}

TEST_F(RunScriptTest, ReadsLinesEndedByCrCrLfOrLineFeedsAlone) {
  EXPECT_EQ(readParserSource(parser("mixed.js", "a\rb\r\nc\n d\r\n")), u"\r\na\r\nb\r\nc\n d");
  EXPECT_EQ(readParserSource(parser("nothing.js", "")), u"");
  EXPECT_EQ(run("lf.js", "function run() {\n  engine.output('lf');\n}\n"), u"lf");
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
  // No run: no box.
  EXPECT_EQ(failure("norun.js", "function info() {}\n"), numberOf(ErrorCode::kUnknownName));
  EXPECT_EQ(failure("empty.js", ""), numberOf(ErrorCode::kUnknownName));
  EXPECT_TRUE(shown().empty());
  std::filesystem::create_directories(test.moduleFolder.path() / "JUVO/Parsers/folder.js");
  EXPECT_EQ(
      errorNumberOf([&] { runScript(script, test.shared, *this, parserPath("folder.js"), u""); }),
      numberOf(ErrorCode::kPathFileAccess));
  EXPECT_EQ(
      errorNumberOf([&] { runScript(script, test.shared, *this, parserPath("gone.js"), u""); }),
      numberOf(ErrorCode::kFileNotFound));

  std::string garbage;
  for (int i = 0; i < 4096; ++i)
    garbage += static_cast<char>((i * 7919) % 256);
  // Recursion and thrown values of every kind are the script host's own tests.
  EXPECT_NE(failure("garbage.js", garbage), 0);
  EXPECT_NE(failure("thrown.js", "function run() { throw null; }"), 0);
  EXPECT_EQ(parserErrors().size(), 2u);

  // A 10 MB parser is read and run like any other.
  std::string big;
  while (big.size() < 10'000'000)
    big += "// " + std::string(95, 'c') + "\r\n";
  EXPECT_EQ(run("big.js", big + kHello, u"big"), u"Hello, big");
  EXPECT_EQ(run("hello.js", kHello, u"again"), u"Hello, again");
}

TEST_F(RunScriptTest, AParserCreatesXmlDocumentsAndNothingElse) {
  EXPECT_EQ(run("xml.js",
                "function run() {\r\n"
                "  var doc = new ActiveXObject('Microsoft.XMLDOM');\r\n"
                "  doc.async = false;\r\n"
                "  doc.loadXML('<r><b>x</b><b>y</b></r>');\r\n"
                "  engine.output(doc.getElementsByTagName('b')(1).text);\r\n"
                "}\r\n"),
            u"y");
  EXPECT_EQ(
      failure("files.js", "function run() { new ActiveXObject('Scripting.FileSystemObject'); }"),
      numberOf(ErrorCode::kCannotCreateObject));
}

class RunScriptTimeoutTest : public RunScriptTest {
 protected:
  RunScriptTimeoutTest() : RunScriptTest(testing::kShortTimeout) {}
};

TEST_F(RunScriptTimeoutTest, AParserThatNeverEndsIsStoppedAndTheNextRunWorks) {
  for (const char* loop :
       {"while (true) {}", "while (true) { try { while (true) {} } catch (e) {} }"}) {
    SCOPED_TRACE(loop);
    test.ui.clear();
    EXPECT_EQ(failure("forever.js", std::string("function run() { ") + loop + " }"),
              numberOf(ErrorCode::kTimeout));
    ASSERT_EQ(shown().size(), 1u);
    testing::expectOkBox(shown()[0], u"Parser timeout, the parser took to long to execute.",
                         u"Juvo");
    EXPECT_EQ(run("hello.js", kHello, u"World"), u"Hello, World");
  }
  // Top-level code gets the same treatment while it is added.
  EXPECT_EQ(failure("toplevel.js", "for (;;) {}\nfunction run() {}"),
            numberOf(ErrorCode::kTimeout));
  EXPECT_TRUE(parserErrors().empty());
}

}  // namespace
}  // namespace juvo
