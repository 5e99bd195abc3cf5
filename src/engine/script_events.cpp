#include "engine/script_events.h"

#include "language/c_language.h"
#include "platform/base/text.h"
#include "platform/platform.h"
#include "platform/ui/ui.h"
#include "shared/shared_objects.h"

namespace juvo {

namespace {

constexpr std::u16string_view kParserErrorTitle = u"Parser error.";
constexpr std::u16string_view kLineBreak = u"\r\n";

void onScriptError(platform::ScriptControl& script, SharedObjects& shared) {
  platform::ScriptError& error = script.Error();
  shared.platform.ui.messageBox(parserErrorMessage(error), platform::Buttons::kOk,
                                platform::Icon::kCritical, kParserErrorTitle);
  error.Clear();
}

void onScriptTimeout(platform::ScriptControl& script, SharedObjects& shared) {
  script.Reset();
  shared.platform.ui.messageBox(shared.language().str(u"msgTimeout"), platform::Buttons::kOk,
                                platform::Icon::kNone, kApplicationTitle);
}

}  // namespace

std::u16string parserErrorMessage(const platform::ScriptError& error) {
  // Read in the order the host's Error object has always been asked.
  const std::u16string& description = error.Description();
  const std::u16string& text = error.Text();
  const int32_t number = error.Number();
  const int32_t line = error.Line();
  const int32_t column = error.Column();
  const std::u16string& source = error.Source();

  std::u16string message = u"Error from parser: ";
  message += kLineBreak;
  message += kLineBreak;
  message += u"Description: " + description;
  message += kLineBreak;
  message += u"Text: " + text;
  message += kLineBreak;
  message += u"Number: " + platform::decimal(number);
  message += kLineBreak;
  message += u"Line: " + platform::decimal(line);
  message += kLineBreak;
  message += u"Column: " + platform::decimal(column);
  message += kLineBreak;
  message += u"Source: " + source;
  return message;
}

void wireScriptEvents(platform::ScriptControl& script, SharedObjects& shared) {
  script.onError = [&script, &shared] { onScriptError(script, shared); };
  script.onTimeout = [&script, &shared] { onScriptTimeout(script, shared); };
}

}  // namespace juvo
