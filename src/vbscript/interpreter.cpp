#include "vbscript/interpreter.h"

#include <malloc.h>

#include <new>
#include <stdexcept>

#include "platform/base/text.h"
#include "platform/script/dispatch_errors.h"
#include "vbscript/diagnostics.h"
#include "vbscript/native_stack.h"

namespace vbscript {

namespace {

using platform::ErrorCode;

// How much work passes between two questions to the host whether to stop: small enough that
// a stop takes effect within a few milliseconds, large enough that asking costs nothing.
constexpr int kPollInterval = 256;
// The native stack the script's calls may use, all nesting included.
constexpr size_t kStackBudget = size_t{3} << 20;
// How much the process's heap may grow while a script runs before it gets 7 Out of memory;
// looked at every few polls.
constexpr size_t kHeapBudget = size_t{512} << 20;
constexpr int kPollsPerHeapCheck = 8;
// More procedures or global names than any script honestly makes (Execute in a loop could
// make them without end).
constexpr size_t kMaxProcedures = size_t{1} << 16;
constexpr size_t kMaxGlobals = size_t{1} << 20;

// The bytes the process's heap holds now; 0 where the allocator does not say (sanitizers).
size_t heapInUse() {
  const struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;
}

platform::Error errorOf(ErrorCode code) {
  return platform::Error(static_cast<int32_t>(code), std::u16string(platform::describe(code)));
}

// Frees a class instance when its last reference goes: through the interpreter, which runs
// its Class_Terminate first, while there is one.
struct InstanceDeleter {
  std::shared_ptr<InterpreterLink> link;
  bool terminated;
  void operator()(ClassInstance* instance) const {
    if (Interpreter* vm = link->interpreter) {
      vm->retire(instance, terminated);
    } else {
      delete instance;
    }
  }
};

}  // namespace

Interpreter::Interpreter(platform::ScriptSite& site, const platform::ScriptServices& services)
    : site_(site),
      locale_(services.locale),
      services_{services.objects, services.ui, services.clock, locale_},
      builtinContext_{services_, random_, locale_},
      link_(std::make_shared<InterpreterLink>()),
      err_(std::make_shared<ErrObject>()) {
  link_->interpreter = this;
  errValue_ = Value::object(platform::ObjectPtr(err_));
}

Interpreter::~Interpreter() {
  tearDown();
}

void Interpreter::tearDown() {
  tearingDown_ = true;
  for (Global& global : globals_)
    global.value = Value();
  errValue_ = Value();
  // Instances that refer to each other keep each other alive: empty them all, then free what
  // nothing outside holds. None of their Class_Terminate runs.
  std::vector<std::vector<Value>> emptied;
  for (ClassInstance* instance = instances_; instance != nullptr; instance = instance->next)
    emptied.push_back(std::move(instance->fields));
  emptied.clear();
  drainRetired();
  link_->interpreter = nullptr;
}

// --- Calls from the host -------------------------------------------------------------------

Interpreter::Entry::Entry(Interpreter& vm) : vm_(vm) {
  if (vm.entries_++ == 0) {
    vm.stackLimit_ = stackLimitBelowHere(kStackBudget);
    vm.stopping_ = false;
    vm.budget_ = kPollInterval;
    vm.heapAtEntry_ = heapInUse();
  }
}

Interpreter::Entry::~Entry() {
  --vm_.entries_;
}

platform::ScriptFailure Interpreter::failure(const SourceText* compiling) {
  platform::ScriptFailure failure;
  platform::ScriptErrorInfo& info = failure.info;
  info.source = kRuntimeErrorSource;
  try {
    throw;
  } catch (const StopUnwind&) {
    failure.kind = platform::ScriptFailure::Kind::kStopped;
  } catch (const CompileError& error) {
    info.number = static_cast<int32_t>(error.code);
    info.description = platform::describe(error.code);
    info.line = error.line;
    info.column = error.column;
    info.source = kCompilationErrorSource;
    if (compiling != nullptr) info.text = compiling->line(error.line);
  } catch (const ScriptError& error) {
    info.number = error.error.number();
    info.description = error.error.description();
    info.line = error.line;
    info.column = error.column;
    if (!error.error.source().empty()) info.source = error.error.source();
    if (error.source) info.text = error.source->line(error.line);
    failure.reported = error.error.reported();
  } catch (const platform::Error& error) {
    const platform::Error mapped = platform::asScriptError(error);
    failure.reported = error.reported();
    info.number = mapped.number();
    info.description = mapped.description();
    if (!mapped.source().empty()) info.source = mapped.source();
  } catch (const std::bad_alloc&) {
    info.number = static_cast<int32_t>(ErrorCode::kOutOfMemoryVb);
    info.description = platform::describe(ErrorCode::kOutOfMemoryVb);
  } catch (const std::length_error&) {
    info.number = static_cast<int32_t>(ErrorCode::kOutOfMemoryVb);
    info.description = platform::describe(ErrorCode::kOutOfMemoryVb);
  } catch (const std::exception& error) {
    info.number = static_cast<int32_t>(ErrorCode::kInternalError);
    info.description = platform::fromUtf8(error.what());
  }
  if (failure.kind == platform::ScriptFailure::Kind::kError && site_.shouldStop())
    failure.kind = platform::ScriptFailure::Kind::kStopped;
  if (failure.kind == platform::ScriptFailure::Kind::kStopped) stopping_ = true;
  // What the failure left behind goes without its Class_Terminate.
  const bool wasStopping = stopping_;
  stopping_ = true;
  drainRetired();
  stopping_ = wasStopping;
  return failure;
}

// --- Time-out ------------------------------------------------------------------------------

void Interpreter::poll() {
  budget_ = kPollInterval;
  if (site_.shouldStop()) stop();
  if (++polls_ % kPollsPerHeapCheck == 0 && heapInUse() > heapAtEntry_ + kHeapBudget)
    platform::raise(ErrorCode::kOutOfMemoryVb);
}

void Interpreter::stop() {
  stopping_ = true;
  throw StopUnwind{};
}

// --- Globals -------------------------------------------------------------------------------

uint32_t Interpreter::globalIndex(std::u16string_view name) {
  std::u16string key = platform::toLower(name);
  auto it = globalIndex_.find(key);
  if (it != globalIndex_.end()) return it->second;
  if (globals_.size() >= kMaxGlobals) platform::raise(ErrorCode::kOutOfMemoryVb);
  const auto index = static_cast<uint32_t>(globals_.size());
  globals_.emplace_back();
  globals_.back().name = std::u16string(name);
  globalIndex_.emplace(std::move(key), index);
  return index;
}

std::optional<uint32_t> Interpreter::findGlobal(std::u16string_view name) const {
  auto it = globalIndex_.find(platform::toLower(name));
  if (it == globalIndex_.end()) return std::nullopt;
  return it->second;
}

Procedure* Interpreter::adopt(std::unique_ptr<Procedure> procedure) {
  if (procedures_.size() >= kMaxProcedures) platform::raise(ErrorCode::kOutOfMemoryVb);
  procedures_.push_back(std::move(procedure));
  return procedures_.back().get();
}

// --- Errors --------------------------------------------------------------------------------

void Interpreter::statementFailed(Frame& frame, const StmtNode& statement) {
  const auto located = [&](platform::Error error) {
    return ScriptError{std::move(error), statement.line, statement.column, frame.procedure->source};
  };
  ScriptError error = [&] {
    try {
      throw;
    } catch (const ScriptError& error) {
      return error;
    } catch (const platform::Error& error) {
      return located(platform::asScriptError(error));
    } catch (const std::bad_alloc&) {
      return located(errorOf(ErrorCode::kOutOfMemoryVb));
    } catch (const std::length_error&) {
      return located(errorOf(ErrorCode::kOutOfMemoryVb));
    } catch (const CompileError& error) {
      return located(errorOf(error.code));
    }
  }();
  if (!frame.resumeNext) throw error;
  // A stop is no error the script could handle, whatever it looks like on its way here.
  if (site_.shouldStop()) stop();
  err_->assign(error.error);
}

// --- Class instances -----------------------------------------------------------------------

void Interpreter::adoptInstance(ClassInstance* instance) {
  instance->next = instances_;
  if (instances_ != nullptr) instances_->previous = instance;
  instances_ = instance;
}

void Interpreter::forgetInstance(ClassInstance* instance) {
  if (instance->previous != nullptr) instance->previous->next = instance->next;
  if (instance->next != nullptr) instance->next->previous = instance->previous;
  if (instances_ == instance) instances_ = instance->next;
  instance->previous = instance->next = nullptr;
}

void Interpreter::retire(ClassInstance* instance, bool terminated) {
  retired_.push_back({instance, terminated});
}

void Interpreter::drainRetired() {
  // Freeing one instance may retire others (its fields); the loop takes them too, so a long
  // chain of instances is freed without deep recursion.
  while (!retired_.empty()) {
    const Retired retired = retired_.back();
    retired_.pop_back();
    const Procedure* terminate = retired.instance->cls().terminate;
    if (retired.terminated || terminate == nullptr || !mayRunScript() || !running()) {
      delete retired.instance;
      continue;
    }
    // Alive again while Class_Terminate runs, then freed for good.
    auto* rep = new ObjectRep;
    rep->object = std::shared_ptr<ClassInstance>(retired.instance, InstanceDeleter{link_, true});
    rep->instance = retired.instance;
    const Value self = Value::object(rep);
    call(*terminate, rep, {});
  }
}

Value Interpreter::newInstance(const std::shared_ptr<ClassInfo>& cls) {
  std::shared_ptr<ClassInstance> instance(new ClassInstance(link_, cls),
                                          InstanceDeleter{link_, false});
  instance->fields.resize(cls->fields.size());
  for (size_t i = 0; i < cls->fields.size(); ++i) {
    const ClassInfo::Field& field = cls->fields[i];
    if (field.isArray) {
      std::vector<platform::VariantArray::Bound> bounds;
      for (int32_t upper : field.upperBounds)
        bounds.push_back({0, upper + 1});
      instance->fields[i] = makeArray(std::move(bounds));
    }
  }
  auto* rep = new ObjectRep;
  rep->instance = instance.get();
  rep->object = std::move(instance);
  Value value = Value::object(rep);
  if (cls->initialize != nullptr) call(*cls->initialize, rep, {});
  return value;
}

}  // namespace vbscript
