#include "parser_check.h"

#include <algorithm>
#include <optional>

#include "engine/cengine.h"
#include "engine/run_script.h"
#include "error_report.h"
#include "file_problem.h"
#include "language/c_language.h"
#include "platform/base/error.h"
#include "platform/base/text.h"
#include "platform/files/files.h"
#include "platform/script/script_control.h"
#include "session.h"
#include "shared/shared_objects.h"

namespace juvo::tool {

namespace {

namespace fs = std::filesystem;
using platform::ErrorCode;

bool is(const platform::Error& error, ErrorCode code) {
  return error.number() == static_cast<int32_t>(code);
}

std::u16string pathText(const fs::path& path) {
  return platform::fromUtf8(path.string());
}

bool isBlank(std::u16string_view text) {
  return std::all_of(text.begin(), text.end(), [](char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
  });
}

template <typename View>
size_t occurrences(View text, View what) {
  size_t count = 0;
  for (size_t at = text.find(what); at != View::npos; at = text.find(what, at + what.size()))
    ++count;
  return count;
}

class FileCheck {
 public:
  FileCheck(Session& session, const fs::path& file, const std::string& shownName)
      : session_(session),
        file_(file),
        shownName_(shownName),
        path_(pathText(file)),
        vbscript_(scriptLanguageFor(path_) == u"VBScript") {}

  std::vector<Finding> run() {
    checkName();
    std::u16string source;
    try {
      source = readParserSource(path_);
    } catch (...) {
      add(1, "cannot be read: " + platform::toUtf8(platform::currentError().description()));
      return std::move(findings_);
    }
    if (isBlank(source)) {
      add(1, "the file is empty: the chat runs nothing and shows nothing");
      return std::move(findings_);
    }
    checkEncoding();
    hostLines_ = sourceLines(source);
    platform::ScriptControl& script = session_.script();
    if (load(source)) {
      checkRun();
      checkInfo();
    }
    platform::skipOnFailure([&] { script.Reset(); });
    session_.ui().take();
    session_.takeScriptErrors();
    return std::move(findings_);
  }

 private:
  void add(int line, std::string message) {
    findings_.push_back({shownName_, std::max(line, 1), std::move(message)});
  }

  void checkName() {
    for (std::string& problem : nameProblems(file_))
      add(1, std::move(problem));
  }

  // The chat reads a parser in the locale's character set, as Windows reads it in the ANSI code
  // page. Where that is UTF-8, a file saved in a Windows code page loses every character beyond
  // ASCII to U+FFFD, and nothing says so.
  void checkEncoding() {
    if (!platform::equalsIgnoreCase(platform::fromUtf8(platform::ansiCodePageName()), u"UTF-8")) {
      return;
    }
    std::string bytes;
    try {
      bytes = readFileBytes(file_);
    } catch (const FileProblem&) {
      return;  // the read above succeeded; a second one that fails tells nothing new
    }
    constexpr std::u16string_view kReplacement = u"\uFFFD";
    int line = 1;
    size_t at = 0;
    while (at <= bytes.size()) {
      size_t end = bytes.find('\n', at);
      if (end == std::string::npos) end = bytes.size();
      const std::string_view raw = std::string_view(bytes).substr(at, end - at);
      // A replacement character the file holds itself is no loss.
      if (occurrences<std::u16string_view>(platform::fromUtf8(raw), kReplacement) >
          occurrences<std::string_view>(raw, "\xEF\xBF\xBD")) {
        add(line,
            "holds bytes that are not UTF-8, the character set of this locale, in which the chat "
            "reads parsers: each becomes \xEF\xBF\xBD; save the file as UTF-8");
        return;
      }
      at = end + 1;
      ++line;
    }
  }

  // Adds the code as the chat does, with no `engine` yet. True when it is loaded.
  bool load(std::u16string_view source) {
    platform::ScriptControl& script = session_.script();
    std::optional<platform::Error> failure;
    try {
      script.Reset();
      script.setLanguage(scriptLanguageFor(path_));
      script.AddCode(source);
      return true;
    } catch (...) {
      failure = platform::currentError();
    }
    const std::vector<platform::ScriptErrorInfo> errors = session_.takeScriptErrors();
    if (is(*failure, ErrorCode::kTimeout)) {
      add(1,
          "top-level code does not finish within a second: it runs each time the parser is "
          "run or selected");
      return false;
    }
    if (errors.empty()) {
      add(1, "cannot be checked: " + platform::toUtf8(failure->description()));
      return false;
    }
    const platform::ScriptErrorInfo& first = errors.front();

    // The same code with an engine object: if that changes the outcome, `engine` was the cause.
    std::optional<platform::ScriptErrorInfo> again;
    try {
      script.Reset();
      script.AddObject(u"engine",
                       std::make_shared<cengine>(session_.shared(), session_.engineHost()));
      script.AddCode(source);
    } catch (...) {
      const auto errorsAgain = session_.takeScriptErrors();
      again = errorsAgain.empty() ? platform::ScriptErrorInfo{} : errorsAgain.front();
    }
    // Failing where it failed before, with the same error, it fails whatever `engine` is. (Not
    // the description alone: a thrown date or random number reads differently every time.)
    const bool engineCaused = !again || again->line != first.line || again->number != first.number;
    if (engineCaused) {
      add(fileLineOf(first.line),
          "top-level code uses engine, which exists only while run or info runs (" +
              platform::toUtf8(first.description) + ")");
      return !again;
    }
    const bool compiling = first.source.find(u"compilation") != std::u16string::npos;
    add(fileLineOf(first.line),
        std::string(compiling ? "does not compile: " : "top-level code fails: ") +
            platform::toUtf8(first.description));
    return false;
  }

  // The procedures of the loaded code, or nullopt when the engine cannot list them.
  std::optional<std::vector<std::u16string>> procedureNames() {
    try {
      std::vector<std::u16string> names;
      for (const platform::ScriptProcedure& procedure : session_.script().Procedures())
        names.push_back(procedure.name);
      return names;
    } catch (...) {
      return std::nullopt;
    }
  }

  bool sameName(std::u16string_view a, std::u16string_view b) const {
    return vbscript_ ? platform::equalsIgnoreCase(a, b) : a == b;
  }

  int lineOf(std::u16string_view name) const {
    return declarationLine(hostLines_, name, vbscript_);
  }

  // For a procedure the code lacks: the ones whose names differ only in letter case.
  std::vector<std::u16string> otherCases(std::u16string_view name) {
    std::vector<std::u16string> found;
    if (auto names = procedureNames()) {
      for (const std::u16string& candidate : *names) {
        if (platform::equalsIgnoreCase(candidate, name) && !sameName(candidate, name)) {
          found.push_back(candidate);
        }
      }
    }
    return found;
  }

  void reportMissing(std::u16string_view name, const std::string& consequence) {
    const std::vector<std::u16string> near = otherCases(name);
    if (near.empty()) {
      add(1, "no procedure " + platform::toUtf8(name) + ": " + consequence);
    } else {
      add(lineOf(near.front()),
          "no procedure " + platform::toUtf8(name) + ", only " + platform::toUtf8(near.front()) +
              ": JScript tells names apart by letter case, and " + consequence);
    }
  }

  void checkRun() {
    const auto names = procedureNames();
    if (!names) return;  // this language's engine cannot tell without running it
    const bool hasRun = std::any_of(names->begin(), names->end(),
                                    [&](const std::u16string& n) { return sameName(n, u"run"); });
    if (!hasRun) {
      reportMissing(u"run", "the chat calls run, so it sends nothing and says nothing");
      return;
    }
    // `Sub run(text)` fails at every run in VBScript; `function run(text)` gets undefined in
    // JScript, which reads as a result.
    int32_t parameters = 0;
    platform::skipOnFailure([&] {
      for (const platform::ScriptProcedure& procedure : session_.script().Procedures()) {
        if (sameName(procedure.name, u"run")) parameters = procedure.numArgs;
      }
    });
    if (parameters > 0) {
      add(lineOf(u"run"),
          "run declares parameters, but the chat calls it with none: the argument text is in "
          "engine.argument");
    }
  }

  void checkInfo() {
    platform::ScriptControl& script = session_.script();
    const cLanguage& strings = session_.shared().language();
    std::shared_ptr<cengine> engine;
    try {
      engine = std::make_shared<cengine>(session_.shared(), session_.engineHost());
      script.AddObject(u"engine", engine);
      script.Run(u"info");
    } catch (...) {
      const platform::Error failure = platform::currentError();
      const auto errors = session_.takeScriptErrors();
      if (is(failure, ErrorCode::kUnknownName) && errors.empty()) {
        reportMissing(u"info",
                      "the configuration window calls info and reports an error each time the "
                      "parser is selected");
      } else if (is(failure, ErrorCode::kTimeout)) {
        add(lineOf(u"info"), "info does not finish within a second");
      } else if (!errors.empty()) {
        add(fileLineOf(errors.front().line),
            "info fails: " + platform::toUtf8(errors.front().description));
      } else {
        add(lineOf(u"info"), "info fails: " + platform::toUtf8(failure.description()));
      }
      return;
    }
    if (engine->description() == strings.str(u"msgNoDescriptionFound") &&
        engine->syntax() == strings.str(u"msgNoSyntaxFound") &&
        engine->help() == strings.str(u"msgNoHelpFound")) {
      add(lineOf(u"info"),
          "info sets none of engine.description, engine.syntax and engine.help: the "
          "configuration window shows \"" +
              platform::toUtf8(engine->description()) + "\"");
    }
  }

  Session& session_;
  const fs::path& file_;
  const std::string& shownName_;
  const std::u16string path_;
  const bool vbscript_;
  std::vector<std::u16string> hostLines_;
  std::vector<Finding> findings_;
};

}  // namespace

std::vector<std::string> nameProblems(const fs::path& file) {
  std::vector<std::string> problems;
  const std::u16string name = platform::fromUtf8(file.filename().string());
  const size_t dot = name.rfind(u'.');
  const std::u16string extension = dot == std::u16string::npos ? u"" : name.substr(dot + 1);
  const std::u16string stem = name.substr(0, dot);
  if (!platform::equalsIgnoreCase(extension, u"vbs") &&
      !platform::equalsIgnoreCase(extension, u"js")) {
    problems.push_back(
        "not a parser file name: the chat and the configuration window take only names ending in "
        ".vbs or .js");
  }
  if (platform::equalsIgnoreCase(extension, u"js") && extension != u"js") {
    problems.push_back("runs as VBScript: only the extension .js, in lower case, means JScript");
  }
  if (name.find(u' ') != std::u16string::npos) {
    problems.push_back(
        "the chat cannot run it: a parser's name holds no space (the chat takes what follows the "
        "first space as the argument)");
  }
  const std::u16string lower = platform::toLower(name);
  if (lower != name) {
    problems.push_back(
        "the chat cannot run it: /xjuvo finds only file names in lower case; call it " +
        platform::toUtf8(lower));
  }
  if (extension == u"js" && lower == name && name.find(u' ') == std::u16string::npos) {
    const std::u16string hiding = stem + u".vbs";
    const std::u16string folder = pathText(file.parent_path().empty() ? "." : file.parent_path());
    for (const std::u16string& found :
         platform::files::find(folder + u"/" + hiding, platform::files::Entries::kOrdinaryFiles)) {
      if (found == hiding) {
        problems.push_back("the chat never runs it: /xjuvo " + platform::toUtf8(stem) + " finds " +
                           platform::toUtf8(hiding) + " first");
      }
    }
  }
  return problems;
}

std::vector<Finding> checkParser(Session& session, const fs::path& file,
                                 const std::string& shownName) {
  return FileCheck(session, file, shownName).run();
}

std::vector<fs::path> parserFilesIn(const fs::path& folder) {
  std::vector<fs::path> files;
  const std::u16string prefix = pathText(folder) + u"/";
  for (std::u16string_view pattern : {u"*.vbs", u"*.js"}) {
    std::vector<std::u16string> names = platform::files::find(
        prefix + std::u16string(pattern), platform::files::Entries::kOrdinaryFiles);
    std::sort(names.begin(), names.end());
    for (const std::u16string& name : names)
      files.push_back(folder / platform::toUtf8(name));
  }
  return files;
}

}  // namespace juvo::tool
