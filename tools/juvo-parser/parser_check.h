// The checks of juvo-parser check: what would make a parser fail, or surprise the people who
// use it, found without running `run` (which may fetch from the web):
//
// - its file name: not .vbs or .js; X.JS, which runs as VBScript; capitals or a space, which
//   the chat cannot reach; a NAME.js that NAME.vbs beside it hides from the chat;
// - bytes the locale's character set (in which the chat reads parsers) cannot read;
// - an empty file, code that does not compile, top-level code that fails, top-level code that
//   touches `engine` (it exists only while run or info runs), top-level code or an `info` that
//   does not finish within the session's time-out (a second);
// - no `run` (or, in JScript, only one spelled in another letter case), or one that declares
//   parameters (the chat passes none); no `info`, an `info` that fails, or one that sets none
//   of the three texts the configuration window shows.
//
// The code is loaded and `info` run in the session's script host, as the configuration window
// does; the session's web transfer should refuse every fetch.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace juvo::tool {

class Session;

struct Finding {
  std::string file;  // as the user named it
  int line = 1;      // in the file; 1 for the file as a whole, 0 for a folder
  std::string message;
};

// What the file's name alone tells: the name problems listed above, as messages.
std::vector<std::string> nameProblems(const std::filesystem::path& file);

// The findings for the parser file `file`, shown as `shownName`.
std::vector<Finding> checkParser(Session& session, const std::filesystem::path& file,
                                 const std::string& shownName);

// The parser files in `folder` as the configuration window lists them: VBScript files, then
// JScript files (extensions in any letter case), each in name order.
std::vector<std::filesystem::path> parserFilesIn(const std::filesystem::path& folder);

}  // namespace juvo::tool
