#include "platform/ui/console.h"

#include <unistd.h>

#include <iostream>

#include "platform/base/text.h"

namespace platform {

namespace {

Console* installedConsole = nullptr;

}  // namespace

Console::Console(std::istream& in, std::ostream& out, bool interactive)
    : in_(in), out_(out), interactive_(interactive) {}

Console::~Console() {
  if (installedConsole == this) installedConsole = nullptr;
}

bool Console::fill() {
  if (pending_) return true;
  std::string line;
  if (!std::getline(in_, line)) return false;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  pending_ = fromUtf8(line);
  return true;
}

std::optional<std::u16string> Console::peekLine() {
  if (!fill()) return std::nullopt;
  return pending_;
}

std::optional<std::u16string> Console::takeLine() {
  if (!fill()) return std::nullopt;
  std::optional<std::u16string> line = std::move(pending_);
  pending_.reset();
  return line;
}

void Console::writeLine(std::u16string_view text) {
  out_ << toUtf8(text) << '\n';
  out_.flush();
}

void Console::write(std::u16string_view text) {
  out_ << toUtf8(text);
  out_.flush();
}

Console& Console::current() {
  if (installedConsole) return *installedConsole;
  static Console standard(std::cin, std::cout, isatty(STDIN_FILENO) == 1);
  return standard;
}

void Console::install(Console* console) {
  installedConsole = console;
}

}  // namespace platform
