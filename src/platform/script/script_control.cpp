#include "platform/script/script_control.h"

#include <vector>

#include "platform/base/error.h"
#include "platform/base/text.h"
#include "platform/script/jscript_engine.h"

namespace platform {

namespace {

// Deeper nesting of calls into the script (a callback calling back, and so on) fails as an
// ordinary error well before the native stack could run out.
constexpr int kMaxNesting = 48;

struct Language {
  std::u16string name;
  std::vector<std::u16string> aliases;
  ScriptEngineFactory factory;

  bool answersTo(std::u16string_view text) const {
    if (equalsIgnoreCase(name, text)) return true;
    for (const auto& alias : aliases) {
      if (equalsIgnoreCase(alias, text)) return true;
    }
    return false;
  }
};

}  // namespace

class ScriptControl::Impl final : public ScriptSite {
 public:
  Impl(ScriptControl& owner, std::chrono::milliseconds timeout, ScriptServices services)
      : owner_(owner), timeout_(timeout), services_(services) {
    languages_.push_back({u"VBScript", {}, {}});
    languages_.push_back({u"JScript", {u"javascript"}, makeJScriptEngine});
    current_ = 0;
    languageName_ = u"VBScript";
  }

  ~Impl() override { engine_.reset(); }

  void registerEngine(std::u16string_view name, ScriptEngineFactory factory) {
    if (Language* language = find(name)) {
      language->factory = std::move(factory);
    } else {
      languages_.push_back({std::u16string(name), {}, std::move(factory)});
    }
  }

  void reset() {
    if (depth_ > 0) {
      stopRequested_ = true;
      resetPending_ = true;
      return;
    }
    engine_.reset();
  }

  void setLanguage(std::u16string_view name) {
    Language* language = find(name);
    if (!language)
      raise(ErrorCode::kInvalidArg, u"Unknown script language: " + std::u16string(name));
    const size_t index = static_cast<size_t>(language - languages_.data());
    if (index != current_) {
      if (depth_ > 0)
        raise(ErrorCode::kFail, u"The script language cannot change while a script runs");
      engine_.reset();
      current_ = index;
    }
    languageName_ = std::u16string(name);
  }

  const std::u16string& languageName() const { return languageName_; }

  void addCode(std::u16string_view source) {
    ScriptEngine& engine = ensureEngine();
    call(kHostCall, [&] {
      engine.addCode(source);
      return Variant();
    });
  }

  void addObject(std::u16string_view name, ObjectPtr object) {
    ScriptEngine& engine = ensureEngine();
    call(kHostCall, [&] {
      engine.addObject(name, std::move(object));
      return Variant();
    });
  }

  Variant run(std::u16string_view procedure, std::span<Variant> args) {
    ScriptEngine& engine = ensureEngine();
    return call(kHostCall, [&] { return engine.run(procedure, args); });
  }

  ScriptError& error() { return error_; }
  std::chrono::milliseconds timeout() const { return timeout_; }

  std::vector<ScriptProcedure> procedures() {
    return engine_ ? engine_->procedures() : std::vector<ScriptProcedure>();
  }

  bool shouldStop() override {
    if (depth_ > 0 && !stopRequested_ && owner_.resetRequested && owner_.resetRequested()) {
      reset();
    }
    if (stopRequested_ || timedOut_) return true;
    if (depth_ > 0 && std::chrono::steady_clock::now() >= deadline_) {
      timedOut_ = true;
      return true;
    }
    return false;
  }

  StopCheck stopCheck() override {
    return [weak = std::weak_ptr<Impl*>(self_)] {
      const std::shared_ptr<Impl*> impl = weak.lock();
      return impl && (*impl)->shouldStop();
    };
  }

  Variant enter(const std::function<Variant()>& body) override { return call(kBridgeCall, body); }

 private:
  // AddCode, AddObject and Run raise the Error event; the engine's own calls into the script
  // (ScriptSite::enter) do not.
  enum CallKind { kHostCall, kBridgeCall };

  Variant call(CallKind kind, const std::function<Variant()>& body) {
    failIfStopping();
    if (depth_ >= kMaxNesting) {
      raise(ErrorCode::kOutOfStackSpace,
            u"Out of stack space: calls into the script nest too deep");
    }
    const bool outermost = depth_ == 0;
    if (outermost) {
      deadline_ = std::chrono::steady_clock::now() + timeout_;
      timedOut_ = false;
      stopRequested_ = false;
    }
    Variant result;
    ++depth_;
    try {
      result = body();
    } catch (const ScriptFailure& failure) {
      --depth_;
      fail(failure, kind, outermost);
    } catch (...) {
      --depth_;
      if (outermost) settleStop();
      throw;
    }
    --depth_;
    if (outermost) settleStop();
    return result;
  }

  Language* find(std::u16string_view name) {
    for (auto& language : languages_) {
      if (language.answersTo(name)) return &language;
    }
    return nullptr;
  }

  ScriptEngine& ensureEngine() {
    if (!engine_) {
      const Language& language = languages_[current_];
      if (!language.factory) {
        raise(ErrorCode::kCannotCreateObject, language.name + u" engine not available");
      }
      engine_ = language.factory(*this, services_);
    }
    return *engine_;
  }

  // A nested call made while the script is being stopped fails at once.
  void failIfStopping() const {
    if (depth_ == 0) return;
    if (timedOut_) raise(ErrorCode::kTimeout);
    if (stopRequested_) raise(ErrorCode::kAborted, u"The script was stopped by a reset");
  }

  [[noreturn]] void fail(const ScriptFailure& failure, CallKind kind, bool outermost) {
    if (failure.kind == ScriptFailure::Kind::kStopped || timedOut_ || stopRequested_) {
      if (outermost) {
        settleStop();
      } else {
        failIfStopping();
      }
      raise(ErrorCode::kAborted, u"The script was stopped");
    }
    platform::Error error(failure.info.number, failure.info.description, failure.info.source);
    if (failure.reported) error.markReported();
    if (kind == kHostCall && !error.reported()) {
      ScriptErrorInfo shown = failure.info;
      shown.text = cutForBox(std::move(shown.text));
      shown.description = cutForBox(std::move(shown.description));
      error_.assign(std::move(shown));
      if (owner_.onError) owner_.onError();
      error.markReported();
    }
    throw error;
  }

  // At most kLongestErrorText units, never half a surrogate pair, "…" where it was cut.
  static std::u16string cutForBox(std::u16string text) {
    if (text.size() <= kLongestErrorText) return text;
    size_t keep = kLongestErrorText - 1;
    if (text[keep - 1] >= 0xD800 && text[keep - 1] <= 0xDBFF) --keep;
    text.resize(keep);
    text.push_back(u'\u2026');
    return text;
  }

  // After the outermost call: carries out a reset asked for during it, then reports a
  // time-out. Throws when the call was stopped.
  void settleStop() {
    const bool timedOut = timedOut_;
    const bool resetPending = resetPending_;
    timedOut_ = false;
    stopRequested_ = false;
    resetPending_ = false;
    if (resetPending) engine_.reset();
    if (timedOut) {
      if (owner_.onTimeout) owner_.onTimeout();
      raise(ErrorCode::kTimeout);
    }
    if (resetPending) raise(ErrorCode::kAborted, u"The script was stopped by a reset");
  }

  ScriptControl& owner_;
  std::chrono::milliseconds timeout_;
  ScriptServices services_;
  std::vector<Language> languages_;
  size_t current_ = 0;
  std::u16string languageName_;
  ScriptError error_;
  // Lets stop checks handed out outlive this host safely.
  std::shared_ptr<Impl*> self_ = std::make_shared<Impl*>(this);

  int depth_ = 0;
  std::chrono::steady_clock::time_point deadline_;
  bool timedOut_ = false;
  bool stopRequested_ = false;
  bool resetPending_ = false;

  std::unique_ptr<ScriptEngine> engine_;
};

ScriptControl::ScriptControl(std::chrono::milliseconds timeout, ScriptServices services)
    : impl_(std::make_unique<Impl>(*this, timeout, services)) {}

ScriptControl::~ScriptControl() = default;

void ScriptControl::registerEngine(std::u16string_view language, ScriptEngineFactory factory) {
  impl_->registerEngine(language, std::move(factory));
}

void ScriptControl::Reset() {
  impl_->reset();
}

void ScriptControl::setLanguage(std::u16string_view language) {
  impl_->setLanguage(language);
}

std::u16string ScriptControl::language() const {
  return impl_->languageName();
}

void ScriptControl::AddCode(std::u16string_view source) {
  impl_->addCode(source);
}

void ScriptControl::AddObject(std::u16string_view name, ObjectPtr object) {
  impl_->addObject(name, std::move(object));
}

Variant ScriptControl::Run(std::u16string_view procedure, std::span<Variant> args) {
  return impl_->run(procedure, args);
}

std::vector<ScriptProcedure> ScriptControl::Procedures() {
  return impl_->procedures();
}

ScriptError& ScriptControl::Error() {
  return impl_->error();
}

std::chrono::milliseconds ScriptControl::timeout() const {
  return impl_->timeout();
}

StopCheck ScriptControl::stopCheck() {
  return impl_->stopCheck();
}

}  // namespace platform
