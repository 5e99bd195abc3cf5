// FileProblem: a file of the tool's own formats (examples, recorded pages) that cannot be used,
// with where and why, printed as compilers print: "FILE:LINE: message".
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

namespace juvo::tool {

class FileProblem : public std::runtime_error {
 public:
  // `line` 0: the file as a whole.
  FileProblem(const std::filesystem::path& file, int line, const std::string& message)
      : std::runtime_error(file.string() + ":" + (line > 0 ? std::to_string(line) + ":" : "") +
                           " " + message) {}
};

// The whole file as bytes. Raises FileProblem when it cannot be read.
std::string readFileBytes(const std::filesystem::path& file);

// `text` without the UTF-8 byte-order mark that editors on Windows put at the start of a file:
// examples and pages written there read as anywhere else.
std::string_view withoutByteOrderMark(std::string_view text);

// Replaces `file` with `bytes` so that a reader finds either the old or the new file whole,
// never a part: a temporary file beside it, flushed to disk, then renamed over it. Raises
// FileProblem when it cannot.
void writeFileAtomically(const std::filesystem::path& file, std::string_view bytes);

}  // namespace juvo::tool
