// The seam between the script host and one language's engine. The host keeps the time-out,
// the nesting of calls, the Error object and the events; an engine compiles and runs code and
// bridges its values to automation objects.
#pragma once

#include <exception>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/automation/automation_object.h"
#include "platform/base/error.h"
#include "platform/script/script_error.h"

namespace platform {

class Clock;
class ObjectCatalogue;
class Ui;
struct Locale;

// The services every engine may use besides its host: the catalogue of creatable objects
// (CreateObject, new ActiveXObject), the user interface (MsgBox, InputBox), the time of day
// and the user's locale. They outlive every engine.
struct ScriptServices {
  ObjectCatalogue& objects;
  Ui& ui;
  Clock& clock;
  const Locale& locale;
};

// Thrown by an engine when a call into the script failed: an error the script did not
// handle, or a stop that the host asked for through ScriptSite::shouldStop(). The host turns
// it into its Error event and a platform::Error; it never leaves the host.
struct ScriptFailure : std::exception {
  enum class Kind { kError, kStopped };
  Kind kind = Kind::kError;
  ScriptErrorInfo info;  // for kError

  const char* what() const noexcept override { return "script failure"; }
};

// A global procedure of the code added so far, as the Script Control's Procedures collection
// describes it.
struct ScriptProcedure {
  std::u16string name;  // as the script spells it
  int32_t numArgs = 0;  // the parameters it declares
};

// What an engine needs from the host that owns it.
class ScriptSite {
 public:
  virtual ~ScriptSite() = default;

  // Polled while script code runs. True once the time-out has passed during a call into the
  // script, or the host was reset during one; stays true until the engine has unwound to the
  // host. A stop is no script error: no script code may catch it. An engine that catches an
  // error on behalf of the script (try/catch, On Error Resume Next) asks here first and
  // unwinds instead while this is true.
  virtual bool shouldStop() = 0;

  // Makes `call` a call into the script under the host's rules (time-out, nesting, Error
  // event), as AddCode and Run are. For calls that do not come through the host, such as a
  // host object calling a script function it was handed.
  virtual Variant enter(const std::function<Variant()>& call) = 0;
};

class ScriptEngine {
 public:
  virtual ~ScriptEngine() = default;

  // Compiles `source` and runs its top-level statements. Called inside ScriptSite::enter.
  // Throws ScriptFailure for a compile or run-time error.
  virtual void addCode(std::u16string_view source) = 0;

  // Makes `object` reachable from the script as the global `name`; its members stay
  // behind that name. Called inside ScriptSite::enter.
  virtual void addObject(std::u16string_view name, ObjectPtr object) = 0;

  // Calls the global procedure `name`. Called inside ScriptSite::enter. Throws ScriptFailure
  // when it fails, platform::Error kUnknownName when there is no such procedure.
  virtual Variant run(std::u16string_view name, std::span<Variant> args) = 0;

  // The global procedures of the code added so far, in no particular order: those `run` can
  // call. Runs no script code, so it needs no ScriptSite::enter. An engine that cannot tell
  // raises kNotImplemented.
  virtual std::vector<ScriptProcedure> procedures() {
    raise(ErrorCode::kNotImplemented, u"This script engine cannot list its procedures");
  }
};

// Makes an engine for one script host; the engine keeps the site for its whole life.
using ScriptEngineFactory =
    std::function<std::unique_ptr<ScriptEngine>(ScriptSite& site, const ScriptServices& services)>;

}  // namespace platform
