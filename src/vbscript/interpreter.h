// The interpreter: the state one engine keeps between calls (global names, compiled code,
// the Err object, live class instances) and the machinery every node uses to run (frames,
// calls, member access on objects, the time-out, error handling).
//
// Errors travel as C++ exceptions: platform::Error where they arise, ScriptError once the
// statement they arose in has been found (its line and column), StopUnwind when the host asked
// the script to stop. No On Error Resume Next catches a StopUnwind.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/base/error.h"
#include "platform/locale/locale.h"
#include "platform/script/script_engine.h"
#include "vbscript/class_instance.h"
#include "vbscript/err_object.h"
#include "vbscript/program.h"
#include "vbscript/runtime/builtins.h"
#include "vbscript/value_stack.h"

namespace vbscript {

// A run-time error on its way out of script code, with the statement it arose in.
struct ScriptError {
  platform::Error error;
  int32_t line = 0;
  int32_t column = 0;
  std::shared_ptr<const SourceText> source;
};

// Unwinds script code when the host asks it to stop (time-out, reset).
struct StopUnwind {};

// A member looked up once per call site: for the class or the host object it was last
// looked up on.
struct MemberCache {
  const ClassInfo* cls = nullptr;
  const ClassInfo::Member* member = nullptr;
  std::weak_ptr<platform::AutomationObject> object;
  platform::MemberId id = 0;
  bool found = false;
};

class Interpreter {
 public:
  Interpreter(platform::ScriptSite& site, const platform::ScriptServices& services);
  ~Interpreter();
  Interpreter(const Interpreter&) = delete;
  Interpreter& operator=(const Interpreter&) = delete;

  platform::ScriptSite& site() { return site_; }
  BuiltinContext& builtinContext() { return builtinContext_; }
  // The locale under which texts and numbers meet.
  const platform::Locale& locale() const { return services_.locale; }
  const std::shared_ptr<InterpreterLink>& link() const { return link_; }
  ValueStack& stack() { return stack_; }

  // --- Calls from the host -----------------------------------------------------------------

  // Marks a call from the host for as long as it lives: the outermost one sets the native
  // stack's limit and clears an earlier stop.
  class Entry {
   public:
    explicit Entry(Interpreter& vm);
    ~Entry();
    Entry(const Entry&) = delete;
    Entry& operator=(const Entry&) = delete;

   private:
    Interpreter& vm_;
  };
  // Whether script code is running (a call from the host is in progress).
  bool running() const { return entries_ > 0; }
  // In a catch block around a call from the host: the ScriptFailure that reports the current
  // exception to the host (a stop, or an error with its place in the source). A CompileError
  // is reported against `compiling`.
  platform::ScriptFailure failure(const SourceText* compiling);

  // --- Time-out and native stack -----------------------------------------------------------

  // Counts work done; now and then asks the host whether to stop (and looks at the heap: a
  // script that grows it by more than half a gigabyte gets 7 Out of memory). `cost` grows with
  // the work of one step (a long text, a host call).
  void tick(int cost = 1) {
    budget_ -= cost;
    if (budget_ <= 0) poll();
  }
  [[noreturn]] void stop();
  // The work of handling `length` code units of text, for tick().
  static int costOf(size_t length) { return 1 + static_cast<int>(length >> 12); }
  uintptr_t stackLimit() const { return stackLimit_; }
  // Whether script code may run now: not during a stop or a teardown.
  bool mayRunScript() const { return !stopping_ && !tearingDown_; }

  // --- Globals and compiled code -----------------------------------------------------------

  // The index of global `name` (any case), made undeclared when new.
  uint32_t globalIndex(std::u16string_view name);
  std::optional<uint32_t> findGlobal(std::u16string_view name) const;
  Global& global(uint32_t index) { return globals_[index]; }
  size_t globalCount() const { return globals_.size(); }

  Procedure* adopt(std::unique_ptr<Procedure> procedure);
  // Classes stay as long as the interpreter, so that no two ever share an address.
  void adoptClass(std::shared_ptr<ClassInfo> cls) { classes_.push_back(std::move(cls)); }

  // --- Running code ------------------------------------------------------------------------

  // Runs `procedure` in a frame whose parameters the caller has bound in `slots`; returns its
  // result. Counts as a call for the time-out and the native stack.
  Value execute(const Procedure& procedure, ObjectRep* me, Value* slots, Frame* outer = nullptr);
  // Calls `procedure` with values: by-reference parameters write back into `args`.
  Value call(const Procedure& procedure, ObjectRep* me, std::span<Value> args);
  // Calls `procedure` with arguments evaluated in `caller`, by reference where the procedure
  // takes them so and they are variables or array elements.
  Value call(Frame& caller, const Procedure& procedure, ObjectRep* me,
             std::span<const ExprPtr> args);
  // The same with one more argument, last, already evaluated: the value of a Property Let.
  Value call(Frame& caller, const Procedure& procedure, ObjectRep* me,
             std::span<const ExprPtr> args, Value last);

  // A new instance of `cls`, initialized (Class_Initialize has run).
  Value newInstance(const std::shared_ptr<ClassInfo>& cls);

  // The value of an object for Let: its default member's value (91 for Nothing, 438 when it
  // has none); any other value as it is.
  Value letValue(const Value& value);

  // Reads or calls a member of `object` with the arguments (evaluated in `caller`).
  // `asStatement`: called as a statement (a method call, the result unused).
  Value member(Frame& caller, const Value& object, std::u16string_view name, MemberCache& cache,
               std::span<const ExprPtr> args, bool asStatement);
  // Assigns to a member of `object`: obj.name(args) = value.
  void assignMember(Frame& caller, const Value& object, std::u16string_view name,
                    MemberCache& cache, std::span<const ExprPtr> args, Value value, bool isSet);
  // Calls or indexes the default member of `object`: obj(args).
  Value callDefault(Frame& caller, const Value& object, std::span<const ExprPtr> args,
                    bool asStatement);
  void assignDefault(Frame& caller, const Value& object, std::span<const ExprPtr> args, Value value,
                     bool isSet);
  // The same with arguments already evaluated (for host callers of class instances).
  platform::Variant invokeInstance(ObjectRep* rep, platform::MemberId id, uint16_t kind,
                                   std::span<platform::Variant> args);

  // Calls a built-in with arguments evaluated in `caller`.
  Value callBuiltin(Frame& caller, const Builtin& builtin, std::span<const ExprPtr> args);

  // --- Errors ------------------------------------------------------------------------------

  ErrObject& err() { return *err_; }
  Value errValue() const { return errValue_; }
  // Called in the catch block of a failed statement: locates the error at `statement`, then
  // either throws it on (a ScriptError) or, under On Error Resume Next, hands it to Err.
  void statementFailed(Frame& frame, const StmtNode& statement);

  // --- Class instances ---------------------------------------------------------------------

  void adoptInstance(ClassInstance* instance);
  void forgetInstance(ClassInstance* instance);
  // An instance whose last reference went: its Class_Terminate runs at the next statement.
  void retire(ClassInstance* instance, bool terminated);
  bool hasRetired() const { return !retired_.empty(); }
  // Runs Class_Terminate of the retired instances (unless stopping) and frees them.
  void drainRetired();

 private:
  friend class Entry;
  void poll();
  void tearDown();
  Value bind(Frame& caller, const Procedure& procedure, ObjectRep* me,
             std::span<const ExprPtr> args, const Value* last);
  Value instanceMember(Frame& caller, ObjectRep* rep, const ClassInfo::Member& member,
                       std::span<const ExprPtr> args, bool asStatement);
  void assignInstanceMember(Frame& caller, ObjectRep* rep, const ClassInfo::Member& member,
                            std::span<const ExprPtr> args, Value value, bool isSet);
  Value index(Frame& caller, const Value& container, std::span<const ExprPtr> args,
              bool asStatement);
  Value invokeHost(Frame& caller, const platform::ObjectPtr& object, platform::MemberId id,
                   uint16_t kind, std::span<const ExprPtr> args, const Value* put);
  bool ours(const ObjectRep* rep) const {
    return rep->instance != nullptr && rep->instance->interpreter() == this;
  }

  platform::ScriptSite& site_;
  platform::Locale locale_;                  // the host's, until the script calls SetLocale
  const platform::ScriptServices services_;  // the host's, with locale_
  RandomState random_;
  BuiltinContext builtinContext_;
  std::shared_ptr<InterpreterLink> link_;

  std::deque<Global> globals_;
  std::unordered_map<std::u16string, uint32_t> globalIndex_;  // by lower-case name
  std::vector<std::unique_ptr<Procedure>> procedures_;
  std::vector<std::shared_ptr<ClassInfo>> classes_;

  ValueStack stack_;
  int entries_ = 0;
  int budget_ = 0;
  uint32_t polls_ = 0;
  size_t heapAtEntry_ = 0;
  uintptr_t stackLimit_ = 0;
  bool stopping_ = false;
  bool tearingDown_ = false;

  std::shared_ptr<ErrObject> err_;
  Value errValue_;

  ClassInstance* instances_ = nullptr;  // the live instances, linked
  struct Retired {
    ClassInstance* instance;
    bool terminated;
  };
  std::vector<Retired> retired_;
};

}  // namespace vbscript
