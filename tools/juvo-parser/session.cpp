#include "session.h"

#include "config/frm_config.h"
#include "engine/parser_info.h"
#include "engine/run_script.h"
#include "engine/script_host.h"
#include "error_report.h"
#include "interrupt.h"
#include "language/c_language.h"
#include "platform/automation/object_catalogue.h"
#include "platform/base/clock.h"
#include "platform/base/text.h"
#include "platform/locale/locale.h"
#include "platform/messages/window_messages.h"
#include "platform/platform.h"
#include "platform/registry/registry.h"
#include "platform/shell/shell.h"
#include "shared/maker.h"
#include "shared/shared_objects.h"

namespace juvo::tool {

namespace {

int32_t numberOf(platform::ErrorCode code) {
  return static_cast<int32_t>(code);
}

}  // namespace

Session::Session(std::u16string moduleFolder, std::chrono::milliseconds timeout,
                 platform::WebTransfer& web)
    : web_(web), objects_(std::make_unique<platform::ObjectCatalogue>()) {
  registerParserObjects(*objects_, web_);
  platform_ = std::make_unique<platform::Platform>(platform::Platform{
      .registry = platform::Registry::user(),
      .ui = ui_,
      .shell = platform::systemShell(),
      .messages = platform::WindowMessages::system(),
      .web = web_,
      .clock = platform::systemClock(),
      .objects = *objects_,
      .locale = platform::userLocale(),
      .moduleFolder = std::move(moduleFolder),
      .portalBase = maker::kPortal.text(),
      .scriptTimeout = timeout,
  });
  shared_ = std::make_unique<SharedObjects>(
      *platform_, [](SharedObjects& s) { return std::make_shared<frmConfig>(s); });
  // The string table as the plug-in makes it: English, then the saved language's file.
  shared_->lang = std::make_shared<cLanguage>(*shared_);
  startBoxes_ = ui_.take();
  window_ = std::make_shared<frmConfig>(*shared_);

  platform::ScriptControl& control = window_->script();
  control.onError = [this, &control] {
    platform::ScriptError& error = control.Error();
    scriptErrors_.push_back({error.Number(), error.Description(), error.Text(), error.Line(),
                             error.Column(), error.Source()});
    error.Clear();
  };
  control.resetRequested = [] { return interruptRequested(); };
  window_->tidyListener = [this](const platform::TidyMessage& message) {
    tidyMessages_.push_back(message);
  };
}

Session::~Session() = default;

platform::ScriptControl& Session::script() {
  return window_->script();
}

SharedObjects& Session::shared() {
  return *shared_;
}

EngineHost& Session::engineHost() {
  return *window_;
}

std::vector<platform::ScriptErrorInfo> Session::takeScriptErrors() {
  std::vector<platform::ScriptErrorInfo> taken;
  taken.swap(scriptErrors_);
  return taken;
}

void Session::collect(Happenings& into) {
  into.boxes = ui_.take();
  into.scriptErrors = takeScriptErrors();
  into.fetches = web_.take();
  into.tidyMessages.clear();
  into.tidyMessages.swap(tidyMessages_);
}

RunOutcome Session::run(std::u16string_view path, std::u16string_view argument) {
  RunOutcome outcome;
  Happenings before;
  collect(before);  // what happened before this run is none of its business
  if (interruptRequested()) {
    // A run too short to ask would not notice: it does not begin.
    outcome.ending = Ending::kStopped;
    return outcome;
  }
  outcome.columns = columnsOf(path);
  try {
    outcome.hostLines = sourceLines(readParserSource(path));
  } catch (...) {
    outcome.ending = Ending::kUnreadable;
    outcome.failure = platform::currentError();
    return outcome;
  }

  const auto start = std::chrono::steady_clock::now();
  try {
    outcome.result = window_->runScript(path, argument);
  } catch (...) {
    outcome.failure = platform::currentError();
  }
  outcome.elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now() - start);
  collect(outcome);

  if (outcome.failure) {
    const int32_t number = outcome.failure->number();
    if (interruptRequested() && number == numberOf(platform::ErrorCode::kAborted)) {
      outcome.ending = Ending::kStopped;
    } else if (number == numberOf(platform::ErrorCode::kTimeout)) {
      outcome.ending = Ending::kTimedOut;
    } else if (!outcome.scriptErrors.empty()) {
      outcome.ending = Ending::kScriptError;
    } else if (number == numberOf(platform::ErrorCode::kUnknownName)) {
      // runScript failed at Run "run", leaving the code loaded: look for a near miss.
      outcome.ending = Ending::kNoRun;
      platform::skipOnFailure([&] {
        for (const platform::ScriptProcedure& procedure : window_->script().Procedures()) {
          if (platform::equalsIgnoreCase(procedure.name, u"run")) {
            outcome.otherCaseRuns.push_back(procedure.name);
          }
        }
      });
    } else {
      outcome.ending = Ending::kFailed;
    }
  }
  platform::skipOnFailure([&] { window_->script().Reset(); });
  return outcome;
}

InfoOutcome Session::info(std::u16string_view path) {
  InfoOutcome outcome;
  Happenings before;
  collect(before);
  outcome.columns = columnsOf(path);
  try {
    outcome.hostLines = sourceLines(readParserSource(path));
  } catch (...) {
    outcome.unreadable = platform::currentError();
    return outcome;
  }
  platform::Form& form = window_->form();
  outcome.shown = showParserInfoOf(window_->script(), *shared_, *window_, form, path);
  collect(outcome);
  if (outcome.shown) {
    outcome.description = form.control("destxt").text();
    outcome.syntax = form.control("syntxt").text();
    outcome.help = form.control("helptxt").text();
  }
  return outcome;
}

}  // namespace juvo::tool
