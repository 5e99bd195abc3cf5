// juvo-parser as its users meet it: the staged program run with arguments, its output and exit
// status read back.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <string>
#include <vector>

#include <filesystem>
#include <fstream>
#include <regex>

#include "host_runner.h"
#include "loopback_server.h"
#include "temp_folder.h"

namespace juvo::testing {
namespace {

using namespace std::chrono_literals;

class ParserTool : public ::testing::Test {
 protected:
  HostRun tool(std::vector<std::string> arguments, HostOptions options = {}) {
    options.arguments = std::move(arguments);
    options.environment["XDG_CONFIG_HOME"] = config_.path().string();
    return runProgram(JUVO_PARSER_PATH, options);
  }
  // Writes a file into the test's folder; returns its path as the tool will print it.
  std::string write(std::string_view name, std::string_view content) {
    return folder_.write(name, content).string();
  }
  std::string path(std::string_view name) const { return (folder_.path() / name).string(); }

  TempFolder folder_;
  TempFolder config_;
};

// The text of `run` written to standard output, for messages.
std::string shown(const HostRun& run) {
  return "stdout:\n" + run.out + "stderr:\n" + run.err;
}

QJsonObject json(const HostRun& run) {
  return QJsonDocument::fromJson(QByteArray::fromStdString(run.out)).object();
}

TEST_F(ParserTool, RunPrintsEveryBoxEachChunkAndTheTime) {
  const std::string file = write("long.js",
                                 "function run() {\r\n"
                                 "  engine.alert('for ' + engine.argument);\r\n"
                                 "  engine.output(new Array(2501).join('x'));\r\n"
                                 "}\r\n");
  const HostRun run = tool({"run", file, "New", "York"});
  EXPECT_EQ(run.exitCode, 0) << shown(run);
  EXPECT_EQ(run.linesStartingWith("[box"),
            std::vector<std::string>{"[box Parser script message|OK|none] for New York"});
  const std::vector<std::string> sent = run.linesStartingWith("[sent");
  ASSERT_EQ(sent.size(), 3u) << shown(run);
  EXPECT_EQ(sent[0], "[sent 1/3] " + std::string(1000, 'x'));
  EXPECT_EQ(sent[2], "[sent 3/3] " + std::string(500, 'x'));
  EXPECT_EQ(run.linesStartingWith("[time] ").size(), 1u);
  EXPECT_EQ(run.err, "");

  write("quiet.js", "function run() {}");
  const HostRun quiet = tool({"run", path("quiet.js")});
  EXPECT_EQ(quiet.exitCode, 0);
  EXPECT_EQ(quiet.linesStartingWith("[nothing sent]").size(), 1u) << shown(quiet);
}

TEST_F(ParserTool, ScriptErrorsAreReportedAtTheFilesOwnLineWithTheLineMarked) {
  const struct {
    const char* name;
    const char* code;
    std::string report;
  } cases[] = {
      {"runtime.js",
       "// the error is on line 4\r\nfunction run() {\r\n  var x = 1;\r\n\tengine.output(y);\r\n}",
       ":4: 'y' is undefined (Microsoft JScript runtime error)\n"
       "    \tengine.output(y);\n"
       "    \t^" +
           std::string(16, '~') + "\n"},
      // Lines that end in a bare line feed count the same.
      {"unix.js", "function run() {\n\n  throw new Error('broken');\n}\n",
       ":3: broken (Microsoft JScript runtime error)\n"
       "      throw new Error('broken');\n"
       "      ^~~~~~~~~~~~~~~~~~~~~~~~~~\n"},
      {"syntax.js", "function run() {\r\n  engine.output('a' +);\r\n}",
       ":2: empty expression not allowed (Microsoft JScript compilation error)\n"
       "      engine.output('a' +);\n"
       "      ^" +
           std::string(20, '~') + "\n"},
  };
  for (const auto& c : cases) {
    const std::string file = write(c.name, c.code);
    const HostRun run = tool({"run", file});
    EXPECT_EQ(run.exitCode, 1) << c.name;
    EXPECT_EQ(run.err, file + c.report) << c.name;
    // The tool's report takes the place of the chat's "Parser error." box.
    EXPECT_TRUE(run.linesStartingWith("[box").empty()) << shown(run);
    EXPECT_TRUE(run.linesStartingWith("[sent").empty()) << shown(run);
  }
}

TEST_F(ParserTool, VBScriptErrorsComeWithTheirColumnAndACaretUnderIt) {
  const std::string file = write("twice.vbs",
                                 "Sub Info\r\n"
                                 "  engine.description = \"Doubles a number\"\r\n"
                                 "End Sub\r\n"
                                 "\r\n"
                                 "Sub Run\r\n"
                                 "  Dim n\r\n"
                                 "  n = CInt(engine.argument)\r\n"
                                 "  engine.output \"Twice: \" & (n * 2)\r\n"
                                 "End Sub\r\n");
  const HostRun good = tool({"run", file, "21"});
  EXPECT_EQ(good.exitCode, 0) << shown(good);
  EXPECT_EQ(good.linesStartingWith("[sent]"), std::vector<std::string>{"[sent] Twice: 42"});

  const HostRun bad = tool({"run", file, "many"});
  EXPECT_EQ(bad.exitCode, 1);
  EXPECT_EQ(bad.err, file +
                         ":7:3: Type mismatch (Microsoft VBScript runtime error)\n"
                         "      n = CInt(engine.argument)\n"
                         "      ^\n");

  const std::string broken = write("broken.vbs", "Sub Run\r\n  x = (1 +\r\nEnd Sub\r\n");
  const HostRun compile = tool({"run", broken});
  EXPECT_EQ(compile.exitCode, 1);
  EXPECT_EQ(compile.err, broken +
                             ":2:11: Expected expression (Microsoft VBScript compilation "
                             "error)\n"
                             "      x = (1 +\n"
                             "              ^\n");
  const QJsonObject error = json(tool({"run", "--json", broken}))["errors"].toArray()[0].toObject();
  EXPECT_EQ(error["line"].toInt(), 2);
  EXPECT_EQ(error["column"].toInt(), 11);
}

TEST_F(ParserTool, RunSaysWhatTheChatLeavesSilent) {
  const struct {
    const char* name;
    const char* code;
    std::string message;
  } cases[] = {
      {"empty.js", "", ":1: no procedure run: the chat calls run\n"},
      {"capital.js", "// greets\r\nfunction Run() { engine.output('hi'); }",
       ":2: no procedure run, only Run: JScript tells names apart by letter case, and the chat "
       "calls run\n"},
  };
  for (const auto& c : cases) {
    const std::string file = write(c.name, c.code);
    const HostRun run = tool({"run", file});
    EXPECT_EQ(run.exitCode, 1) << c.name;
    EXPECT_EQ(run.err, file + c.message);
  }

  const std::string endless = write("forever.js", "function run() { for (;;) {} }");
  const HostRun timedOut = tool({"run", "--timeout", "0.3", endless});
  EXPECT_EQ(timedOut.exitCode, 1);
  EXPECT_EQ(timedOut.linesStartingWith("[box"),
            std::vector<std::string>{
                "[box Juvo|OK|none] Parser timeout, the parser took to long to execute."});
  EXPECT_EQ(timedOut.err, endless + ": stopped at the time-out: it ran longer than 0.3 s\n");
}

TEST_F(ParserTool, RunAndInfoSayWhatTheNameKeepsFromTheChat) {
  const char kGood[] =
      "function run() { engine.output('hi'); }\r\nfunction info() { engine.description = 'x'; "
      "}";
  const std::string capital = write("Weather.js", kGood);
  for (const char* command : {"run", "info"}) {
    const HostRun run = tool({command, capital});
    EXPECT_EQ(run.exitCode, 0) << command << shown(run);
    EXPECT_EQ(run.err, capital +
                           ":1: the chat cannot run it: /xjuvo finds only file names in lower "
                           "case; call it weather.js\n")
        << command;
  }
  const HostRun asJson = tool({"run", "--json", capital});
  EXPECT_EQ(asJson.err, "");
  EXPECT_EQ(json(asJson)["names"].toArray().size(), 1) << shown(asJson);

  write("hidden.vbs", "Sub run\r\nEnd Sub");
  const HostRun hidden = tool({"run", write("hidden.js", kGood)});
  EXPECT_EQ(hidden.err, path("hidden.js") +
                            ":1: the chat never runs it: /xjuvo hidden finds hidden.vbs first\n");
  EXPECT_EQ(tool({"run", write("plain.js", kGood)}).err, "");

  // An option after the file is argument text, and said to be.
  const HostRun late = tool({"run", path("plain.js"), "--json"});
  EXPECT_EQ(late.linesStartingWith("[sent]"), std::vector<std::string>{"[sent] hi"});
  EXPECT_EQ(late.err,
            "juvo-parser: --json after the parser file is part of the argument text; options go "
            "before the file\n");
}

TEST_F(ParserTool, CtrlCStopsTheRunThroughAResetNotTheTimeOut) {
  const std::string endless = write("forever.js", "function run() { for (;;) {} }");
  HostOptions options;
  options.interruptAfter = 300ms;
  const HostRun run = tool({"run", endless}, options);
  EXPECT_EQ(run.exitCode, 130) << shown(run);
  EXPECT_EQ(run.err, endless + ": stopped by Ctrl-C\n");
  EXPECT_TRUE(run.linesStartingWith("[box").empty()) << shown(run);
}

TEST_F(ParserTool, RunAsJson) {
  const std::string file = write("w.js",
                                 "function run() {\r\n"
                                 "  engine.alert('a');\r\n"
                                 "  engine.output('Hello, ' + engine.argument);\r\n"
                                 "}\r\n");
  const HostRun run = tool({"run", "--json", file, "World"});
  EXPECT_EQ(run.exitCode, 0) << shown(run);
  const QJsonObject result = json(run);
  EXPECT_EQ(result["ending"].toString(), "finished");
  EXPECT_EQ(result["result"].toString(), "Hello, World");
  EXPECT_EQ(result["argument"].toString(), "World");
  EXPECT_EQ(result["chunks"].toArray().size(), 1);
  EXPECT_EQ(result["boxes"].toArray()[0].toObject()["title"].toString(), "Parser script message");
  EXPECT_TRUE(result["failure"].isNull());

  const std::string broken = write("broken.js", "function run() {\r\n  nothing();\r\n}");
  const QJsonObject failed = json(tool({"run", "--json", broken}));
  EXPECT_EQ(failed["ending"].toString(), "script-error");
  const QJsonObject error = failed["errors"].toArray()[0].toObject();
  EXPECT_EQ(error["line"].toInt(), 2);
  EXPECT_EQ(error["description"].toString(), "'nothing' is undefined");
  EXPECT_EQ(failed["failure"].toObject()["number"].toInt(), error["number"].toInt());
}

TEST_F(ParserTool, InfoShowsWhatTheConfigurationWindowShows) {
  const std::string weather = write("my.weather.js",
                                    "function info() {\r\n"
                                    "  engine.description = 'The weather';\r\n"
                                    "  engine.syntax = 'city';\r\n"
                                    "  engine.help = 'Type a city,\\r\\nany city';\r\n"
                                    "}\r\n");
  const HostRun info = tool({"info", weather});
  EXPECT_EQ(info.exitCode, 0) << shown(info);
  EXPECT_EQ(info.out,
            "description: The weather\n"
            "syntax:      /xjuvo my.weather city\n"
            "help:        Type a city,\n"
            "             any city\n");

  const HostRun defaults = tool({"info", write("quiet.js", "function info() {}")});
  EXPECT_EQ(defaults.out,
            "description: No description found\n"
            "syntax:      /xjuvo quiet No syntax found\n"
            "help:        No help found\n");

  const std::string noInfo = write("noinfo.js", "function run() {}");
  const HostRun failed = tool({"info", noInfo});
  EXPECT_EQ(failed.exitCode, 1);
  // The window's own box, then why.
  ASSERT_EQ(failed.linesStartingWith("[box Juvo|OK|none] -2147352570 ").size(), 1u)
      << shown(failed);
  EXPECT_EQ(failed.err, noInfo +
                            ": the configuration window cannot show its information (see the box "
                            "above)\n");
}

TEST_F(ParserTool, InfoShowsTheDefaultsInTheLanguageTheUserSaved) {
  config_.write(
      "juvo/registry.reg",
      "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Korvel\\JUVO]\n\"language\"=\"Dutch\"\n");
  const HostRun info = tool({"info", write("quiet.js", "function info() {}")});
  EXPECT_EQ(info.exitCode, 0) << shown(info);
  EXPECT_EQ(info.out,
            "description: Geen beschrijving gevonden\n"
            "syntax:      /xjuvo quiet Geen syntaxis gevonden\n"
            "help:        Geen hulp gevonden\n");
  // Only read: the hive is as it was.
  EXPECT_EQ(config_.read("juvo/registry.reg"),
            "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Korvel\\JUVO]\n\"language\"=\"Dutch\"\n");
}

TEST_F(ParserTool, CheckFindsWhatWouldFailOrSurpriseEachOnItsLine) {
  using Findings = std::vector<std::string>;
  const struct {
    const char* name;
    const char* code;
    Findings findings;  // each after "FILE:"
  } cases[] = {
      {"empty.js", "  \r\n", {"1: the file is empty: the chat runs nothing and shows nothing"}},
      {"syntax.js",
       "function info() {}\r\nfunction run( {}",
       {"2: does not compile: expected identifier"}},
      {"fails.js",
       "var a = 1;\r\nnull.x();\r\nfunction run() {}\r\nfunction info() {}",
       {"2: top-level code fails: cannot read property 'x' of null"}},
      {"early.js",
       "function info() { engine.description = 'x'; }\r\nengine.output('too early');\r\n"
       "function run() {}",
       {"2: top-level code uses engine, which exists only while run or info runs ('engine' is "
        "undefined)"}},
      {"norun.js",
       "function info() { engine.syntax = 'x'; }",
       {"1: no procedure run: the chat calls run, so it sends nothing and says nothing"}},
      {"capital.js",
       "function info() { engine.help = 'x'; }\r\n\r\nfunction Run() {}",
       {"3: no procedure run, only Run: JScript tells names apart by letter case, and the chat "
        "calls run, so it sends nothing and says nothing"}},
      {"param.js",
       "function info() { engine.help = 'x'; }\r\nfunction run(text) {\r\n"
       "  engine.output('Hello, ' + text);\r\n}",
       {"2: run declares parameters, but the chat calls it with none: the argument text is in "
        "engine.argument"}},
      {"param.vbs",
       "Sub Info\r\n  engine.help = \"h\"\r\nEnd Sub\r\nSub Run(text)\r\nEnd Sub",
       {"4: run declares parameters, but the chat calls it with none: the argument text is in "
        "engine.argument"}},
      {"noinfo.js",
       "function run() {}",
       {"1: no procedure info: the configuration window calls info and reports an error each "
        "time the parser is selected"}},
      {"idle.js",
       "function run() {}\r\n// says nothing\r\nfunction info() {}",
       {"3: info sets none of engine.description, engine.syntax and engine.help: the "
        "configuration window shows \"No description found\""}},
      {"badinfo.js",
       "function run() {}\r\nfunction info() {\r\n  null.x();\r\n}",
       {"3: info fails: cannot read property 'x' of null"}},
      {"slowinfo.js",
       "function run() {}\r\nfunction info() { for (;;) {} }",
       {"2: info does not finish within a second"}},
      {"slowtop.js",
       "while (true) {}\r\nfunction run() {}",
       {"1: top-level code does not finish within a second: it runs each time the parser is run "
        "or selected"}},
      {"my parser.js",
       "function run() {}\r\nfunction info() { engine.help = 'x'; }",
       {"1: the chat cannot run it: a parser's name holds no space (the chat takes what follows "
        "the first space as the argument)"}},
      {"Weather.js",
       "function run() {}\r\nfunction info() { engine.help = 'x'; }",
       {"1: the chat cannot run it: /xjuvo finds only file names in lower case; call it "
        "weather.js"}},
      {"early.vbs",
       "engine.output \"too early\"\r\nSub Run\r\nEnd Sub\r\n"
       "Sub Info\r\n  engine.help = \"h\"\r\nEnd Sub",
       {"1: top-level code uses engine, which exists only while run or info runs (Object "
        "required)"}},
      {"syntax.vbs",
       "Sub Info\r\n  x = (1 +\r\nEnd Sub",
       {"2: does not compile: Expected expression"}},
      {"norun.vbs",
       "Sub Info\r\n  engine.help = \"h\"\r\nEnd Sub",
       {"1: no procedure run: the chat calls run, so it sends nothing and says nothing"}},
      {"notes.txt",
       "",
       {"1: not a parser file name: the chat and the configuration window take only names "
        "ending in .vbs or .js",
        "1: the file is empty: the chat runs nothing and shows nothing"}},
      // Saved in Windows-1252 where parsers are read as UTF-8 (the test's locale).
      {"latin.js",
       "function info() { engine.help = '\xEF\xBF\xBD is fine'; }\r\n"
       "function run() {\r\n  engine.output('caf\xE9');\r\n}\r\n",
       {"3: holds bytes that are not UTF-8, the character set of this locale, in which the chat "
        "reads parsers: each becomes \xEF\xBF\xBD; save the file as UTF-8"}},
      {"X.JS",
       "",
       {"1: runs as VBScript: only the extension .js, in lower case, means JScript",
        "1: the chat cannot run it: /xjuvo finds only file names in lower case; call it x.js",
        "1: the file is empty: the chat runs nothing and shows nothing"}},
  };
  for (const auto& c : cases) {
    const std::string file = write(std::string("one/") + c.name, c.code);
    HostOptions options;
    options.environment["LC_ALL"] = "C.UTF-8";
    const HostRun check = tool({"check", file}, options);
    EXPECT_EQ(check.exitCode, 1) << c.name << "\n" << shown(check);
    Findings expected;
    for (const std::string& finding : c.findings)
      expected.push_back(file + ":" + finding);
    EXPECT_EQ(check.linesStartingWith(file + ":"), expected) << shown(check);
  }
}

TEST_F(ParserTool, CheckOfAFolderListsParsersAsTheWindowDoesAndFindsHiddenOnes) {
  const char kGood[] = "function run() {}\r\nfunction info() { engine.description = 'x'; }";
  write("parsers/hello.js", kGood);
  write("parsers/hidden.js", kGood);
  write("parsers/hidden.vbs", "");
  write("parsers/readme.txt", "not a parser");
  const HostRun check = tool({"check", path("parsers")});
  EXPECT_EQ(check.exitCode, 1);
  const std::string folder = path("parsers") + "/";
  EXPECT_EQ(check.out, folder +
                           "hidden.vbs:1: the file is empty: the chat runs nothing and "
                           "shows nothing\n" +
                           folder +
                           "hidden.js:1: the chat never runs it: /xjuvo hidden finds "
                           "hidden.vbs first\n"
                           "3 parsers checked: 2 findings\n");

  // VBScript names its procedures in any letter case.
  const HostRun vbscript =
      tool({"check", write("loud.vbs",
                           "SUB RUN\r\nEND SUB\r\nSUB INFO\r\n  ENGINE.HELP = \"H\"\r\n"
                           "END SUB\r\n")});
  EXPECT_EQ(vbscript.exitCode, 0) << shown(vbscript);

  // A folder without parsers is most likely the wrong one.
  write("empty/readme.txt", "not a parser");
  const HostRun none = tool({"check", path("empty")});
  EXPECT_EQ(none.exitCode, 1);
  EXPECT_EQ(none.out, path("empty") +
                          ": no parsers here (NAME.vbs or NAME.js)\n"
                          "0 parsers checked: 1 finding\n");

  const HostRun clean = tool({"check", "--json", path("parsers/hello.js")});
  EXPECT_EQ(clean.exitCode, 0) << shown(clean);
  EXPECT_EQ(json(clean)["findings"].toArray().size(), 0);
  EXPECT_EQ(json(clean)["parsers"].toInt(), 1);
}

TEST_F(ParserTool, TestRunsExamplesAndShowsEachDifference) {
  write("greet.js",
        "function run() {\r\n"
        "  if (engine.argument == '') { engine.alert('Whom?'); return; }\r\n"
        "  engine.output('Hello, ' + engine.argument + '\\r\\nBye');\r\n"
        "}\r\n");
  const std::string examples = write("greet.examples",
                                     "# greet\n"
                                     "> World\n"
                                     "Hello, World\n"
                                     "Bye\n"
                                     "\n"
                                     "> Moon\n"
                                     "~ ^Hello, \\w+\\nBye$\n"
                                     ">\n"
                                     "! Whom?\n"
                                     "> Mars\n"
                                     "Hello, Mars!\n"
                                     "Bye\n"
                                     "> Venus\n"
                                     "~ Goodbye\n"
                                     ">\n");
  const HostRun test = tool({"test", path("greet.js")});
  EXPECT_EQ(test.exitCode, 1) << shown(test);
  EXPECT_EQ(test.out, examples + ":2: pass > World\n" + examples + ":6: pass > Moon\n" + examples +
                          ":8: pass > \n" + examples +
                          ":10: FAIL > Mars\n"
                          "    the result differs:\n"
                          "      - Hello, Mars!\n"
                          "      + Hello, Mars\n"
                          "        Bye\n" +
                          examples +
                          ":13: FAIL > Venus\n"
                          "    the result does not match ~ Goodbye\n"
                          "    result:   Hello, Venus\n"
                          "    Bye\n" +
                          examples +
                          ":15: FAIL > \n"
                          "    the run shows boxes where none were expected:\n"
                          "      shown box:    Whom?\n"
                          "6 examples: 3 passed, 3 failed\n");

  const QJsonObject report = json(tool({"test", "--json", examples}));
  EXPECT_EQ(report["passed"].toInt(), 3);
  EXPECT_EQ(report["failed"].toInt(), 3);
}

TEST_F(ParserTool, TestRunsTheParserItIsGiven) {
  write("both.vbs", "Sub run\r\n  engine.output \"vbs\"\r\nEnd Sub\r\n");
  write("both.js", "function run() { engine.output('js'); }");
  const std::string examples = write("both.examples", "> x\njs\n");
  const HostRun named = tool({"test", path("both.js")});
  EXPECT_EQ(named.exitCode, 0) << shown(named);
  EXPECT_EQ(named.err,
            path("both.js") + ":1: the chat never runs it: /xjuvo both finds both.vbs first\n");
  // Through its examples or its folder, the parser the chat runs.
  for (const std::string& operand : {examples, folder_.path().string()}) {
    const HostRun chosen = tool({"test", operand});
    EXPECT_EQ(chosen.exitCode, 1) << shown(chosen);
    EXPECT_NE(chosen.out.find("actual:   vbs"), std::string::npos) << shown(chosen);
  }
}

TEST_F(ParserTool, TestShowsBoxesAsExamplesWriteThem) {
  write("say.js", "function run() { engine.alert('Not XML.\\r\\n'); }");
  const std::string examples = write("say.examples", "> x\n! Not XML.\n");
  const HostRun test = tool({"test", path("say.js")});
  EXPECT_EQ(test.exitCode, 1);
  EXPECT_EQ(test.out, examples +
                          ":1: FAIL > x\n"
                          "    the boxes shown differ:\n"
                          "      expected box: Not XML.\n"
                          "      shown box:    Not XML.\\n\n"
                          "1 example: 0 passed, 1 failed\n");
  write("say.examples", "> x\n! Not XML.\\n\n");
  EXPECT_EQ(tool({"test", path("say.js")}).exitCode, 0);
}

TEST_F(ParserTool, TestPointsOutNoBreakSpacesThatPrintAsSpaces) {
  write("temp.js", "function run() { engine.output('12\\u00A0\\u00B0C'); }");
  const std::string kNote =
      "    (the result holds no-break spaces, U+00A0, as tidy makes of &nbsp;: they print as "
      "spaces; write them as they are, or as \\x{a0} in a pattern)\n";
  write("temp.examples",
        "> x\n~ ^12 \xC2\xB0"
        "C$\n");
  const HostRun pattern = tool({"test", path("temp.js")});
  EXPECT_EQ(pattern.exitCode, 1);
  EXPECT_NE(pattern.out.find(kNote), std::string::npos) << shown(pattern);
  write("temp.examples",
        "> x\n12 \xC2\xB0"
        "C\n");
  const HostRun text = tool({"test", path("temp.js")});
  EXPECT_NE(text.out.find(kNote), std::string::npos) << shown(text);
  write("temp.examples",
        "> x\n~ ^12\\x{a0}\xC2\xB0"
        "C$\n");
  EXPECT_EQ(tool({"test", path("temp.js")}).exitCode, 0);
}

TEST_F(ParserTool, TestNamesWhatCannotBeTested) {
  write("lonely.js", "function run() {}");
  write("orphan.examples", "> x\n");
  write("broken.js", "function run() {}");
  write("broken.examples", "no example begins here\n");
  const HostRun lonely = tool({"test", path("lonely.js")});
  EXPECT_EQ(lonely.exitCode, 1);
  EXPECT_EQ(lonely.out, path("lonely.js") +
                            ": no examples: write lonely.examples beside it\n"
                            "0 examples: 0 passed, 0 failed; 1 file not tested\n");
  const HostRun folder = tool({"test", folder_.path().string()});
  EXPECT_EQ(folder.exitCode, 1);
  EXPECT_NE(
      folder.out.find(path("broken.examples") + ":1: expected '> ARGUMENT' to begin an example\n"),
      std::string::npos)
      << shown(folder);
  EXPECT_NE(
      folder.out.find(path("orphan.examples") + ": no parser orphan.vbs or orphan.js beside it\n"),
      std::string::npos)
      << shown(folder);
  // A parser of the folder without examples is named, though it fails nothing.
  EXPECT_NE(folder.err.find(path("lonely.js") + ": not tested: no lonely.examples beside it\n"),
            std::string::npos)
      << shown(folder);
  EXPECT_EQ(folder.err.find("broken.js: not tested"), std::string::npos) << shown(folder);
}

TEST_F(ParserTool, BadUsageIsExitStatusTwo) {
  for (const std::vector<std::string>& arguments :
       std::vector<std::vector<std::string>>{{},
                                             {"frobnicate"},
                                             {"run"},
                                             {"run", path("none.js")},
                                             {"info", folder_.path().string()}}) {
    const HostRun run = tool(arguments);
    EXPECT_EQ(run.exitCode, 2) << shown(run);
    EXPECT_NE(run.err.find("usage: juvo-parser"), std::string::npos);
  }
  EXPECT_EQ(tool({"help"}).exitCode, 0);
}

std::string rss(const std::string& title) {
  return "<?xml version=\"1.0\" encoding=\"utf-8\"?><rss><channel><item><title>" + title +
         "</title></item></channel></rss>";
}

TEST_F(ParserTool, RunAgainstTheLoopbackServerTracesEachFetchAndTidyMessage) {
  LoopbackServer server;
  server.serve("/feed.xml",
               {.body = rss("Bridge opens"), .contentType = "text/xml; charset=utf-8"});
  server.serve("/page.html", {.body = "<html><body><p>Hi<blink>x</blink></body></html>"});
  const std::string file =
      write("news.js",
            "function run() {\r\n"
            "  engine.getXML(engine.argument + '/feed.xml', 'feed');\r\n"
            "  engine.getXML(engine.argument + '/page.html', 'page', true);\r\n"
            "  engine.getXML(engine.argument + '/missing', 'page');\r\n"
            "}\r\n"
            "function feed(doc) {\r\n"
            "  engine.output(doc.getElementsByTagName('title').item(0).text);\r\n"
            "}\r\n"
            "function page(doc) {}\r\n");
  const HostRun run = tool({"run", file, server.base()});
  EXPECT_EQ(run.exitCode, 1) << shown(run);
  const std::vector<std::string> fetches = run.linesStartingWith("[fetch]");
  ASSERT_EQ(fetches.size(), 3u) << shown(run);
  EXPECT_TRUE(std::regex_match(fetches[0], std::regex("\\[fetch\\] " + server.url("/feed.xml") +
                                                      ": 200, [1-9][0-9]* bytes, [0-9]+ ms, "
                                                      "charset UTF-8")))
      << fetches[0];
  EXPECT_TRUE(std::regex_match(fetches[1], std::regex("\\[fetch\\] " + server.url("/page.html") +
                                                      ": 200, [1-9][0-9]* bytes, .*")))
      << fetches[1];
  EXPECT_EQ(fetches[2].rfind("[fetch] " + server.url("/missing") + ": failed after ", 0), 0u)
      << fetches[2];
  EXPECT_NE(fetches[2].find("404"), std::string::npos) << fetches[2];
  EXPECT_FALSE(run.linesStartingWith("[tidy] line 1, column ").empty()) << shown(run);
  // The failed fetch ended the run: its error, at the file's line 4.
  EXPECT_EQ(run.err.rfind(file + ":4: ", 0), 0u) << run.err;

  const QJsonObject json = juvo::testing::json(tool({"run", "--json", file, server.base()}));
  const QJsonObject first = json["fetches"].toArray()[0].toObject();
  EXPECT_EQ(first["status"].toInt(), 200);
  EXPECT_GT(first["bytes"].toInt(), 0);
  EXPECT_FALSE(json["tidy"].toArray().isEmpty());
}

TEST_F(ParserTool, RecordedPagesLetTheSameExamplesPassOffline) {
  const std::string examples = path("news.examples");
  const std::string pages = path("news.pages");
  std::string base;
  {
    LoopbackServer server;
    base = server.base();
    server.serve("/news/amsterdam", {.body = rss("Bridge opens"), .contentType = "text/xml"});
    server.serve("/news/utrecht", {.body = rss("Tower restored"), .contentType = "text/xml"});
    write("news.js", "var base = '" + base +
                         "';\r\n"
                         "function run() {\r\n"
                         "  try {\r\n"
                         "    engine.getXML(base + '/news/' + engine.argument, 'show');\r\n"
                         "  } catch (e) {\r\n"
                         "    engine.output('No news for ' + engine.argument);\r\n"
                         "  }\r\n"
                         "}\r\n"
                         "function show(doc) {\r\n"
                         "  engine.output(doc.getElementsByTagName('title').item(0).text);\r\n"
                         "}\r\n");
    write("news.examples",
          "> amsterdam\nBridge opens\n\n"
          "> utrecht\nTower restored\n\n"
          "> nowhere\nNo news for nowhere\n");
    const HostRun record = tool({"test", "--record", examples});
    EXPECT_EQ(record.exitCode, 0) << shown(record);
    EXPECT_NE(record.out.find(pages + ": recorded 3 pages\n"), std::string::npos) << shown(record);
  }
  // The server is gone: the pages, the 404 among them, come from the recording.
  const HostRun offline = tool({"test", examples});
  EXPECT_EQ(offline.exitCode, 0) << shown(offline);
  EXPECT_EQ(offline.out, examples + ":1: pass > amsterdam\n" + examples + ":4: pass > utrecht\n" +
                             examples + ":7: pass > nowhere\n3 examples: 3 passed, 0 failed\n");

  // Recording while the server is down says what it could not record, and keeps the pages.
  const HostRun down = tool({"test", "--record", examples});
  EXPECT_EQ(down.exitCode, 1);
  EXPECT_NE(down.out.find(pages + ": not recorded: " + base +
                          "/news/amsterdam: Could not connect to 127.0.0.1: connection refused\n"),
            std::string::npos)
      << shown(down);
  EXPECT_EQ(tool({"test", examples}).exitCode, 0);

  // The site changed its page; and an example asks for a page nobody recorded.
  for (const auto& entry : std::filesystem::directory_iterator(pages)) {
    std::ifstream in(entry.path());
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const size_t at = text.find("Bridge opens");
    if (at == std::string::npos) continue;
    text.replace(at, 12, "Bridge shuts");
    std::ofstream(entry.path()) << text;
  }
  write("news.examples",
        "> amsterdam\nBridge opens\n\n"
        "> rotterdam\nPort busy\n");
  const HostRun changed = tool({"test", examples});
  EXPECT_EQ(changed.exitCode, 1);
  EXPECT_EQ(changed.out, examples +
                             ":1: FAIL > amsterdam\n"
                             "    the result differs:\n"
                             "      expected: Bridge opens\n"
                             "      actual:   Bridge shuts\n"
                             "                       ^ first difference at character 8\n" +
                             examples +
                             ":4: FAIL > rotterdam\n"
                             "    fetched an address that is not recorded: " +
                             base +
                             "/news/rotterdam (juvo-parser test --record records it)\n"
                             "    the result differs:\n"
                             "      expected: Port busy\n"
                             "      actual:   No news for rotterdam\n"
                             "                ^ first difference at character 1\n"
                             "2 examples: 0 passed, 2 failed\n");
}

}  // namespace
}  // namespace juvo::testing
