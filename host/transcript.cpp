#include "transcript.h"

#include "platform/base/text.h"

namespace host {

namespace {

std::u16string plainLineBreaks(std::u16string_view text) {
  return platform::replaceAll(text, u"\r\n", u"\n");
}

}  // namespace

std::u16string sentLine(std::u16string_view text) {
  return u"[sent] " + plainLineBreaks(text);
}

std::u16string toastLine(const Toast& toast) {
  return u"[toast " + toast.heading + u"] " + plainLineBreaks(toast.message);
}

std::u16string commandLine(std::u16string_view word, std::u16string_view name,
                           std::u16string_view help) {
  std::u16string line = u"[command /" + std::u16string(word) + u"] " + std::u16string(name);
  if (!help.empty()) line += u" \u2014 " + std::u16string(help);
  return line;
}

}  // namespace host
