// Console: the one line reader over the process's standard input, and the transcript writer
// over its standard output. The host and the plug-in's terminal windows read the same
// stream; two readers would each buffer lines the other never sees, so there is exactly one,
// installed by the host (or made on first use over stdin/stdout when none is installed).
// Lines travel as UTF-8 on the streams and as UTF-16 inside.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

class Console {
 public:
  // Reads `in` and writes `out`, which must outlive the console. `interactive`: a person
  // types the input (prompts and help are worth printing).
  Console(std::istream& in, std::ostream& out, bool interactive);
  ~Console();
  Console(const Console&) = delete;
  Console& operator=(const Console&) = delete;

  // The next input line without taking it; nullopt at the end of input. Line ends (LF or
  // CR LF) are not part of the line.
  std::optional<std::u16string> peekLine();
  // Takes the next input line; nullopt at the end of input.
  std::optional<std::u16string> takeLine();
  bool isInteractive() const { return interactive_; }

  // Writes `text` and a line end, flushed at once so a reader of the transcript sees it.
  void writeLine(std::u16string_view text);
  // Writes `text` with no line end (a prompt), flushed.
  void write(std::u16string_view text);

  // The process's console: the installed one, else one over standard input and output
  // (interactive when standard input is a terminal), made on first use.
  static Console& current();
  // Makes `console` the process's console; nullptr goes back to the default one. The caller
  // keeps ownership and uninstalls it before destroying it.
  static void install(Console* console);

 private:
  bool fill();

  std::istream& in_;
  std::ostream& out_;
  bool interactive_;
  std::optional<std::u16string> pending_;
};

}  // namespace platform
