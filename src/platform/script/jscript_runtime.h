// One Duktape heap and what lives beside it: the host objects the script holds, the script
// values the host holds, the source code added so far, and the time-out hook.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "duktape.h"
#include "platform/automation/automation_object.h"
#include "platform/script/script_engine.h"

namespace platform::jscript {

class Runtime;

// Lets the objects handed to the host find their runtime while it lives.
struct RuntimeLink {
  Runtime* runtime = nullptr;
};

// A host object that the script can reach, with the member ids looked up so far, by the
// names as the script wrote them.
struct HostRef {
  struct KeyHash {
    using is_transparent = void;
    size_t operator()(std::string_view key) const { return std::hash<std::string_view>{}(key); }
  };
  ObjectPtr object;
  std::unordered_map<std::string, std::optional<MemberId>, KeyHash, std::equal_to<>> members;
  // The Proxy's target, which carries this ref and the Proxy itself; valid until its
  // finalizer releases the ref.
  void* target = nullptr;
};

class Runtime {
 public:
  // Raises kOutOfMemory when no heap can be made.
  Runtime(ScriptSite& site, const ScriptServices& services);
  ~Runtime();
  Runtime(const Runtime&) = delete;
  Runtime& operator=(const Runtime&) = delete;

  static Runtime& of(duk_context* ctx);

  duk_context* context() const { return ctx_; }
  ScriptSite& site() const { return site_; }
  const ScriptServices& services() const { return services_; }
  // Whether running script code must stop. Script code gets no time while the heap is
  // destroyed (finalizers).
  bool shouldStop() { return destroying_ || site_.shouldStop(); }
  // The same for Duktape's hot paths: reads the clock only now and then.
  bool pollStop();

  // Runs `body` as a protected call that takes the `nargs` values on the stack top. Returns
  // true when it completed; false when it raised a script error, which is then left on the
  // stack top. A C++ exception thrown by `body` is thrown again here.
  bool protect(const std::function<void(duk_context*)>& body, duk_idx_t nargs = 0);

  // Host objects wrapped for the script: owned here until the script lets go of them. One
  // ref per object, so that the script sees one object as one value.
  HostRef* adoptHost(ObjectPtr object);
  // The HostRef at `pointer`, or nullptr when it is none of ours.
  HostRef* findHost(void* pointer) const;
  // The HostRef of `object`, or nullptr when the script holds no wrapper of it.
  HostRef* hostOf(const AutomationObject* object) const;
  void releaseHost(HostRef* ref);

  // Script values handed to the host, kept alive under a number until the host lets go.
  uint32_t keepValue(duk_context* ctx, duk_idx_t index);
  // Pushes the kept value (undefined once forgotten).
  void pushKeptValue(duk_context* ctx, uint32_t ref);
  // The host let go; the value is dropped at the next call into the script.
  void forgetValueLater(uint32_t ref) noexcept;
  void forgetPendingValues(duk_context* ctx);
  const std::shared_ptr<RuntimeLink>& link() const { return link_; }

  // Keeps `source` for error reports; returns the file name to compile it under.
  std::string addSource(std::u16string_view source);
  // Line `line` (1-based) of the source compiled as `fileName`, or nullopt.
  std::optional<std::u16string> sourceLine(std::string_view fileName, int32_t line) const;

  // Where the last value that is no Error object was thrown; Error objects carry it.
  struct ThrowSite {
    int32_t line = 0;
    std::string fileName;
  };
  ThrowSite& lastThrow() { return lastThrow_; }

 private:
  static void* allocate(void* udata, duk_size_t size);
  static void* reallocate(void* udata, void* block, duk_size_t size);
  static void release(void* udata, void* block);
  void setUp(duk_context* ctx);

  ScriptSite& site_;
  ScriptServices services_;
  duk_context* ctx_ = nullptr;
  bool destroying_ = false;
  bool stopping_ = false;
  uint32_t polls_ = 0;
  size_t allocated_ = 0;
  std::unordered_map<HostRef*, std::unique_ptr<HostRef>> hosts_;
  std::unordered_map<const AutomationObject*, HostRef*> hostsByObject_;
  uint32_t nextValueRef_ = 1;
  std::vector<uint32_t> forgotten_;
  std::shared_ptr<RuntimeLink> link_;
  std::vector<std::u16string> sources_;
  ThrowSite lastThrow_;
};

}  // namespace platform::jscript
