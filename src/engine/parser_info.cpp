#include "engine/parser_info.h"

#include <memory>
#include <optional>

#include "engine/cengine.h"
#include "engine/chunks.h"
#include "engine/run_script.h"
#include "language/c_language.h"
#include "platform/base/error.h"
#include "platform/base/text.h"
#include "platform/platform.h"
#include "platform/ui/ui.h"
#include "shared/shared_objects.h"

namespace juvo {

namespace {

std::u16string selectedEntry(platform::Form& form) {
  return form.control("scripts").text();
}

std::u16string parserPath(const SharedObjects& shared, std::u16string_view entry) {
  return shared.parsersFolder() + u"/" + std::u16string(entry);
}

// Once the code is read, a failure is reported by number unless the host's Error object still
// holds one; the host is reset either way.
void reportInfoFailure(platform::ScriptControl& script, SharedObjects& shared,
                       const platform::Error& failure) {
  platform::skipOnFailure([&] {
    if (script.Error().Number() != 0) return;
    shared.platform.ui.messageBox(
        platform::decimal(failure.number()) + u" " + failure.description(), platform::Buttons::kOk,
        platform::Icon::kNone, kApplicationTitle);
  });
  platform::skipOnFailure([&] { script.Reset(); });
}

// The last part of a path: "/a/b/my.parser.vbs" gives "my.parser.vbs".
std::u16string_view fileNameOf(std::u16string_view path) {
  const std::size_t slash = path.rfind(u'/');
  return slash == std::u16string_view::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::u16string parserNameOf(std::u16string_view entry) {
  const std::size_t dot = entry.rfind(u'.');
  if (dot == std::u16string_view::npos) {
    platform::raise(platform::ErrorCode::kInvalidProcedureCall);
  }
  return std::u16string(entry.substr(0, dot));
}

void showParserInfo(platform::ScriptControl& script, SharedObjects& shared, EngineHost& host,
                    platform::Form& form) {
  std::u16string entry;
  try {
    entry = selectedEntry(form);
  } catch (...) {
    return;
  }
  if (!entry.empty()) showParserInfoOf(script, shared, host, form, parserPath(shared, entry));
}

bool showParserInfoOf(platform::ScriptControl& script, SharedObjects& shared, EngineHost& host,
                      platform::Form& form, std::u16string_view path) {
  std::u16string name;
  std::u16string source;
  try {
    name = parserNameOf(fileNameOf(path));
    // No Reset before the language: the display resets the host once it is done.
    script.setLanguage(scriptLanguageFor(path));
    source = readParserSource(path);
  } catch (...) {
    // The file is gone or unreadable: the boxes keep what they show.
    return false;
  }

  try {
    script.AddCode(source);
    auto engine = std::make_shared<cengine>(shared, host);
    script.AddObject(u"engine", engine);
    script.Run(u"info");
    form.control("destxt").setText(engine->description());
    form.control("helptxt").setText(engine->help());
    form.control("syntxt").setText(u"/xjuvo " + name + u" " + engine->syntax());
    script.Reset();
    return true;
  } catch (...) {
    reportInfoFailure(script, shared, platform::currentError());
    return false;
  }
}

void tryParser(platform::ScriptControl& script, SharedObjects& shared, EngineHost& host,
               platform::Form& form) {
  try {
    script.Reset();
    const std::u16string entry = selectedEntry(form);
    const std::u16string name = parserNameOf(entry);

    const std::u16string prompt =
        platform::replaceAll(shared.language().str(u"msgTryCommandInput") + u"\r\n\r\n" +
                                 shared.language().str(u"msgTryCommandNote"),
                             u"%parser%", name);
    platform::Ui& ui = shared.platform.ui;
    const std::optional<std::u16string> answer =
        ui.inputBox(prompt, form.control("cmdTryCommand").text(), u"");
    const std::u16string argument = answer.value_or(u"");

    const std::u16string result =
        runScript(script, shared, host, parserPath(shared, entry), argument);
    for (const std::u16string& piece : splitChunks(result)) {
      ui.messageBox(piece, platform::Buttons::kOk, platform::Icon::kNone,
                    shared.language().str(u"msgTryCommandResult"));
    }
  } catch (...) {
    // The user has seen the host's own boxes, if any; the trial run just ends.
  }
}

}  // namespace juvo
