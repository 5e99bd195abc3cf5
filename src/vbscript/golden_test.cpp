// The golden programs in golden/: one file per area of the language. Each file holds one or
// more programs, separated by a line "'---"; each runs in a fresh script host with two named
// objects: WScript (WScript.Echo a, b writes a line of its arguments' texts, joined by spaces)
// and host (the script host tests' TestHost: properties, methods, a collection, callbacks).
//
// Expectations are comments in the program, in order:
//   ' expect: TEXT          the next line written is TEXT
//   ' expect error: N       the program fails with VBScript error N (its Err.Number)
//   ' expect error: N line L   ... on line L of the program
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/automation/dispatch_object.h"
#include "platform/automation/variant_convert.h"
#include "platform/base/error.h"
#include "platform/base/text.h"
#include "platform/script/script_control.h"
#include "platform/script/script_test_support.h"
#include "vbscript/err_object.h"
#include "vbscript/vbscript_engine.h"

namespace vbscript {
namespace {

using platform::Variant;

class Echo final : public platform::DispatchObject {
 public:
  Echo() : DispatchObject(members()) {}
  std::u16string typeName() const override { return u"WScript"; }
  std::vector<std::string> lines;

 private:
  static std::u16string textOf(const Variant& value) {
    if (value.isNull()) return u"Null";
    if (value.isObject() && !value.object()) return u"Nothing";
    return platform::toText(value);
  }
  static const platform::MemberTable& members() {
    static const auto table =
        platform::Members<Echo>().method(u"Echo", 0, 16, [](Echo& echo, std::span<Variant> args) {
          std::u16string line;
          for (size_t i = 0; i < args.size() && !args[i].isMissing(); ++i) {
            if (i > 0) line += u' ';
            line += textOf(args[i]);
          }
          echo.lines.push_back(platform::toUtf8(line));
          return Variant();
        });
    return table;
  }
};

struct Program {
  std::string file;
  int firstLine = 1;  // in the file
  std::string source;
  std::vector<std::string> expectedLines;
  int32_t expectedError = 0;
  int32_t expectedErrorLine = 0;
};

void PrintTo(const Program& program, std::ostream* out) {
  *out << program.file << ", program from line " << program.firstLine;
}

std::string trimmed(std::string text) {
  while (!text.empty() && (text.back() == ' ' || text.back() == '\r'))
    text.pop_back();
  size_t start = 0;
  while (start < text.size() && text[start] == ' ')
    ++start;
  return text.substr(start);
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
  platform::ScriptControl control(std::chrono::seconds(10), platform::testing::testServices());
  control.registerEngine(u"VBScript", makeVBScriptEngine);
  auto echo = std::make_shared<Echo>();
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
