// The golden programs in golden/: one file per area of the language. Each file holds one or
// more programs, separated by a line "'---"; each runs in a fresh script host with two named
// objects: WScript (WScript.Echo a, b writes a line of its arguments' texts, joined by spaces)
// and host (the script host tests' TestHost: properties, methods, a collection, callbacks).
//
// New RegExp and CreateObject reach the RegExp and "Scripting.Dictionary"; message and input
// boxes are written as lines too, between the echoed ones:
//   [box TITLE] TEXT (BUTTONS ICON)     a message box (buttons and icon by VBScript's names)
//   [input TITLE] PROMPT (DEFAULT)      an input box
//
// Expectations are comments in the program, in order:
//   ' expect: TEXT          the next line written is TEXT
//   ' expect error: N       the program fails with VBScript error N (its Err.Number)
//   ' expect error: N line L   ... on line L of the program
// and directives, anywhere in the program:
//   ' locale: NAME          runs under the POSIX locale NAME (nl_NL.UTF-8); skipped where the
//                           machine does not have it. US English otherwise.
//   ' clock: YYYY-MM-DD HH:MM:SS   Now, Date, Time and Timer give that local time
//   ' answer: N             the next message box is answered with button N (vbYes 6, ...);
//                           unanswered boxes take their first button
//   ' input: TEXT           the next input box is answered with TEXT; unanswered ones are
//                           cancelled
#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/automation/dispatch_object.h"
#include "platform/automation/object_catalogue.h"
#include "platform/automation/variant_convert.h"
#include "platform/base/clock.h"
#include "platform/base/error.h"
#include "platform/base/text.h"
#include "platform/dictionary/dictionary.h"
#include "platform/locale/locale.h"
#include "platform/regexp/regexp.h"
#include "platform/script/script_control.h"
#include "platform/script/script_test_support.h"
#include "platform/ui/ui.h"
#include "vbscript/err_object.h"
#include "vbscript/vbscript_engine.h"

namespace vbscript {
namespace {

using platform::Variant;

// Writes its arguments under the program's locale, as WScript.Echo writes them under the
// user's.
class Echo final : public platform::DispatchObject {
 public:
  explicit Echo(const platform::Locale& locale) : DispatchObject(members()), locale_(locale) {}
  std::u16string typeName() const override { return u"WScript"; }
  std::vector<std::string> lines;

 private:
  std::u16string textOf(const Variant& value) const {
    if (value.isNull()) return u"Null";
    if (value.isObject() && !value.object()) return u"Nothing";
    return platform::toText(value, locale_);
  }
  static const platform::MemberTable& members() {
    static const auto table =
        platform::Members<Echo>().method(u"Echo", 0, 16, [](Echo& echo, std::span<Variant> args) {
          std::u16string line;
          for (size_t i = 0; i < args.size() && !args[i].isMissing(); ++i) {
            if (i > 0) line += u' ';
            line += echo.textOf(args[i]);
          }
          echo.lines.push_back(platform::toUtf8(line));
          return Variant();
        });
    return table;
  }

  const platform::Locale& locale_;
};

std::string trimmed(std::string text) {
  while (!text.empty() && (text.back() == ' ' || text.back() == '\r'))
    text.pop_back();
  size_t start = 0;
  while (start < text.size() && text[start] == ' ')
    ++start;
  return text.substr(start);
}

// Writes every box shown as a line among the echoed ones and answers from the program's
// directives.
class GoldenUi final : public platform::Ui {
 public:
  GoldenUi(std::vector<std::string>& lines, std::deque<int> answers, std::deque<std::string> inputs)
      : lines_(lines), answers_(std::move(answers)), inputs_(std::move(inputs)) {}

  platform::Answer messageBox(std::u16string_view text, platform::Buttons buttons,
                              platform::Icon icon, std::u16string_view title) override {
    static constexpr const char* kButtons[] = {"vbOKOnly",      "vbOKCancel", "vbAbortRetryIgnore",
                                               "vbYesNoCancel", "vbYesNo",    "vbRetryCancel"};
    static constexpr const char* kIcons[] = {"", " vbCritical", " vbQuestion", " vbExclamation",
                                             " vbInformation"};
    static constexpr platform::Answer kFirst[] = {
        platform::Answer::kOk,  platform::Answer::kOk,  platform::Answer::kAbort,
        platform::Answer::kYes, platform::Answer::kYes, platform::Answer::kRetry};
    const auto b = static_cast<size_t>(buttons);
    lines_.push_back("[box " + platform::toUtf8(title) + "] " + platform::toUtf8(text) + " (" +
                     kButtons[b] + kIcons[static_cast<size_t>(icon)] + ")");
    if (answers_.empty()) return kFirst[b];
    const int answer = answers_.front();
    answers_.pop_front();
    return static_cast<platform::Answer>(answer);
  }

  std::optional<std::u16string> inputBox(std::u16string_view prompt, std::u16string_view title,
                                         std::u16string_view defaultText) override {
    lines_.push_back("[input " + platform::toUtf8(title) + "] " + platform::toUtf8(prompt) + " (" +
                     platform::toUtf8(defaultText) + ")");
    if (inputs_.empty()) return std::nullopt;
    std::u16string typed = platform::fromUtf8(inputs_.front());
    inputs_.pop_front();
    return typed;
  }

  void showModal(platform::Form&, platform::Form*) override {}

 private:
  std::vector<std::string>& lines_;
  std::deque<int> answers_;
  std::deque<std::string> inputs_;
};

struct Program {
  std::string file;
  int firstLine = 1;  // in the file
  std::string source;
  std::vector<std::string> expectedLines;
  int32_t expectedError = 0;
  int32_t expectedErrorLine = 0;
  std::string locale;
  std::string clock;
  std::deque<int> answers;
  std::deque<std::string> inputs;
};

// The local time `text` ("2024-02-29 13:45:30") names, in the process's time zone.
std::chrono::system_clock::time_point localTime(const std::string& text) {
  std::tm parts{};
  std::istringstream in(text);
  in >> std::get_time(&parts, "%Y-%m-%d %H:%M:%S");
  EXPECT_FALSE(in.fail()) << "not a clock setting: " << text;
  parts.tm_isdst = -1;
  return std::chrono::system_clock::from_time_t(std::mktime(&parts));
}

// The text after `directive` ("' locale:") in `line`, when the line has it.
std::optional<std::string> directiveIn(const std::string& line, const std::string& directive) {
  const size_t at = line.find(directive);
  if (at == std::string::npos) return std::nullopt;
  return trimmed(line.substr(at + directive.size()));
}

void PrintTo(const Program& program, std::ostream* out) {
  *out << program.file << ", program from line " << program.firstLine;
}

std::vector<Program> programsIn(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  std::vector<Program> programs(1);
  programs.back().file = path.filename().string();
  std::istringstream lines(content.str());
  std::string line;
  int number = 0;
  while (std::getline(lines, line)) {
    ++number;
    if (line.rfind("'---", 0) == 0) {
      programs.emplace_back();
      programs.back().file = path.filename().string();
      programs.back().firstLine = number + 1;
      continue;
    }
    Program& program = programs.back();
    program.source += line + "\n";
    if (auto locale = directiveIn(line, "' locale:")) program.locale = *locale;
    if (auto clock = directiveIn(line, "' clock:")) program.clock = *clock;
    if (auto answer = directiveIn(line, "' answer:")) program.answers.push_back(std::stoi(*answer));
    if (auto input = directiveIn(line, "' input:")) program.inputs.push_back(*input);
    const size_t expect = line.find("' expect");
    if (expect == std::string::npos) continue;
    const std::string rest = line.substr(expect + 8);
    if (rest.rfind(" error:", 0) == 0) {
      std::istringstream words(rest.substr(7));
      words >> program.expectedError;
      std::string word;
      if (words >> word && word == "line") words >> program.expectedErrorLine;
    } else if (rest.rfind(":", 0) == 0) {
      program.expectedLines.push_back(trimmed(rest.substr(1)));
    }
  }
  return programs;
}

std::vector<Program> allPrograms() {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(VBSCRIPT_GOLDEN_DIR)) {
    if (entry.path().extension() == ".vbs") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  std::vector<Program> programs;
  for (const auto& file : files) {
    for (Program& program : programsIn(file))
      programs.push_back(std::move(program));
  }
  return programs;
}

class GoldenTest : public ::testing::TestWithParam<Program> {};

TEST_P(GoldenTest, WritesWhatItsCommentsExpect) {
  const Program& program = GetParam();
  platform::Locale locale = platform::Locale::english();
  if (!program.locale.empty()) {
    locale = platform::Locale::named(program.locale.c_str());
    if (locale.name.empty()) GTEST_SKIP() << "the locale " << program.locale << " is not installed";
  }
  platform::FixedClock fixedClock(program.clock.empty() ? std::chrono::system_clock::now()
                                                        : localTime(program.clock));
  platform::Clock& clock = program.clock.empty() ? platform::systemClock() : fixedClock;
  platform::ObjectCatalogue objects;
  platform::registerRegExp(objects);
  platform::registerDictionary(objects);
  auto echo = std::make_shared<Echo>(locale);
  GoldenUi ui(echo->lines, program.answers, program.inputs);
  const platform::ScriptServices services{objects, ui, clock, locale};
  platform::ScriptControl control(std::chrono::seconds(10), services);
  control.registerEngine(u"VBScript", makeVBScriptEngine);
  auto host = std::make_shared<platform::testing::TestHost>(&control);
  control.AddObject(u"WScript", echo);
  control.AddObject(u"host", host);
  int32_t failure = 0;
  try {
    control.AddCode(platform::fromUtf8(program.source));
  } catch (const platform::Error& error) {
    failure = errNumberOf(error.number());
  }
  std::ostringstream where;
  where << program.file << " (program from line " << program.firstLine << ")";
  SCOPED_TRACE(where.str());
  EXPECT_EQ(echo->lines, program.expectedLines);
  EXPECT_EQ(failure, program.expectedError)
      << platform::toUtf8(control.Error().Description()) << " on line " << control.Error().Line();
  if (program.expectedErrorLine != 0) {
    EXPECT_EQ(control.Error().Line(), program.expectedErrorLine);
  }
}

std::string nameOf(const ::testing::TestParamInfo<Program>& info) {
  std::string name = info.param.file.substr(0, info.param.file.find('.')) + "_" +
                     std::to_string(info.param.firstLine);
  for (char& c : name) {
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  }
  return name;
}

INSTANTIATE_TEST_SUITE_P(Programs, GoldenTest, ::testing::ValuesIn(allPrograms()), nameOf);

}  // namespace
}  // namespace vbscript
