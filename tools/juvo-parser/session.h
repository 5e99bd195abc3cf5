// Session: JUVO as one command of juvo-parser sees it. It is built as the plug-in builds its
// own, for a command line: the user's registry hive and locale, the string table of the
// language the user saved, a user interface that keeps boxes as text (tool_ui.h), and the web
// transfer in use traced fetch by fetch (web_trace.h). Scripts create the objects the plug-in
// offers them, the XML document's fetches going through that same transfer. Parsers run in a
// configuration window made hidden and never loaded, so that no other parser's information runs
// first, through the window's own runScript and information display: the road the chat and the
// window take.
//
// The one difference: the script host's Error event keeps each error, with its line and
// column, for the tool to report as compilers do, instead of showing the "Parser error." box.
#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "error_report.h"
#include "platform/base/error.h"
#include "platform/script/script_error.h"
#include "platform/tidy/tidy_document.h"
#include "tool_ui.h"
#include "web_trace.h"

namespace platform {
class ScriptControl;
struct Platform;
class ObjectCatalogue;
}  // namespace platform

namespace juvo {
class SharedObjects;
class frmConfig;
class EngineHost;
}  // namespace juvo

namespace juvo::tool {

// How a run ended.
enum class Ending {
  kFinished,     // run returned
  kUnreadable,   // the file could not be read
  kScriptError,  // a script error the parser did not handle
  kNoRun,        // the file has no procedure run
  kTimedOut,     // stopped at the time-out
  kStopped,      // stopped by Ctrl-C
  kFailed,       // any other failure
};

// What a parser did, besides its result: kept by every run and information display.
struct Happenings {
  std::vector<ShownBox> boxes;
  std::vector<platform::ScriptErrorInfo> scriptErrors;  // in the host's line numbers
  std::vector<Fetch> fetches;
  std::vector<platform::TidyMessage> tidyMessages;  // every level, in order
  // The source as the script host was given it, line by line, and what its error columns
  // mean (error_report.h).
  std::vector<std::u16string> hostLines;
  Columns columns = Columns::kUnknown;
};

struct RunOutcome : Happenings {
  Ending ending = Ending::kFinished;
  std::u16string result;                   // as the chat receives it, chunks and all
  std::optional<platform::Error> failure;  // what ended a run that did not finish
  // After kNoRun: the procedures whose names differ from "run" in letter case only.
  std::vector<std::u16string> otherCaseRuns;
  std::chrono::milliseconds elapsed{0};
};

struct InfoOutcome : Happenings {
  bool shown = false;
  std::optional<platform::Error> unreadable;  // the file could not be read
  // The three text boxes of the configuration window.
  std::u16string description;
  std::u16string syntax;
  std::u16string help;
};

class Session {
 public:
  // `moduleFolder`: where the plug-in is installed (its JUVO/Languages holds the saved
  // language's file). `timeout`: how long one call into a parser may run. `web`: where
  // fetches go until web().use() says otherwise.
  Session(std::u16string moduleFolder, std::chrono::milliseconds timeout,
          platform::WebTransfer& web);
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // Runs the parser at `path` as "/xjuvo" does, with `argument`. Never fails.
  RunOutcome run(std::u16string_view path, std::u16string_view argument);
  // Shows the parser's information as the configuration window does. Never fails.
  InfoOutcome info(std::u16string_view path);

  // For the checks, which drive the script host themselves.
  platform::ScriptControl& script();
  SharedObjects& shared();
  EngineHost& engineHost();
  ToolUi& ui() { return ui_; }
  WebTrace& web() { return web_; }
  // The boxes the plug-in showed while it was made, as at every start of the chat: a language
  // file that is not well formed, say. No run or check shows them again.
  const std::vector<ShownBox>& startBoxes() const { return startBoxes_; }
  // The script errors kept since the last call.
  std::vector<platform::ScriptErrorInfo> takeScriptErrors();

 private:
  // Gathers what happened since the last call into `into`.
  void collect(Happenings& into);

  ToolUi ui_;
  WebTrace web_;
  std::unique_ptr<platform::ObjectCatalogue> objects_;
  std::unique_ptr<platform::Platform> platform_;
  std::unique_ptr<SharedObjects> shared_;
  std::shared_ptr<frmConfig> window_;
  std::vector<platform::ScriptErrorInfo> scriptErrors_;
  std::vector<platform::TidyMessage> tidyMessages_;
  std::vector<ShownBox> startBoxes_;
};

}  // namespace juvo::tool
