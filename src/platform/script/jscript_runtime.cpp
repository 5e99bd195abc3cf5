#include "platform/script/jscript_runtime.h"

#include <cstdio>
#include <cstdlib>
#include <exception>

#include "platform/base/error.h"
#include "platform/script/duktape_access.h"
#include "platform/script/jscript_activex.h"
#include "platform/script/jscript_bridge.h"
#include "platform/script/jscript_date_object.h"
#include "platform/script/jscript_engine_info.h"
#include "platform/script/jscript_enumerator.h"
#include "platform/script/jscript_errors.h"
#include "platform/script/jscript_limits.h"
#include "platform/script/jscript_vbarray.h"

extern "C" duk_bool_t juvo_duk_exec_timeout_check(void* udata) {
  return static_cast<platform::jscript::Runtime*>(udata)->shouldStop() ? 1 : 0;
}

extern "C" duk_bool_t juvo_duk_native_check(void* udata) {
  return static_cast<platform::jscript::Runtime*>(udata)->pollStop() ? 1 : 0;
}

namespace platform::jscript {

namespace {

// A script that allocates without end fails with a RangeError before the machine suffers;
// the limit also bounds how long a single built-in can work on what the script built. It
// leaves room for a 16 MB page split into characters (16 bytes an element: 256 MB), one
// copy of that array and the strings around them.
constexpr size_t kHeapLimit = size_t{1} << 30;

struct alignas(std::max_align_t) BlockHeader {
  size_t size;
};

constexpr const char* kKeptValues = "keptValues";
constexpr const char* kSourcePrefix = "code";

[[noreturn]] void onFatal(void*, const char* message) {
  // Only reached when an error escapes every protected call, which our calls never let happen.
  std::fprintf(stderr, "JScript engine: fatal error: %s\n", message ? message : "");
  std::abort();
}

bool isLineBreak(char16_t c) {
  return c == u'\n' || c == u'\r' || c == 0x2028 || c == 0x2029;
}

}  // namespace

void* Runtime::allocate(void* udata, duk_size_t size) {
  auto* runtime = static_cast<Runtime*>(udata);
  if (size > kHeapLimit - runtime->allocated_) return nullptr;
  auto* header = static_cast<BlockHeader*>(std::malloc(sizeof(BlockHeader) + size));
  if (header == nullptr) return nullptr;
  header->size = size;
  runtime->allocated_ += size;
  return header + 1;
}

void* Runtime::reallocate(void* udata, void* block, duk_size_t size) {
  if (block == nullptr) return allocate(udata, size);
  if (size == 0) {
    release(udata, block);
    return nullptr;
  }
  auto* runtime = static_cast<Runtime*>(udata);
  auto* header = static_cast<BlockHeader*>(block) - 1;
  const size_t old = header->size;
  if (size > old && size - old > kHeapLimit - runtime->allocated_) return nullptr;
  header = static_cast<BlockHeader*>(std::realloc(header, sizeof(BlockHeader) + size));
  if (header == nullptr) return nullptr;
  header->size = size;
  runtime->allocated_ = runtime->allocated_ - old + size;
  return header + 1;
}

void Runtime::release(void* udata, void* block) {
  if (block == nullptr) return;
  auto* header = static_cast<BlockHeader*>(block) - 1;
  static_cast<Runtime*>(udata)->allocated_ -= header->size;
  std::free(header);
}

Runtime::Runtime(ScriptSite& site, const ScriptServices& services)
    : site_(site), services_(services) {
  ctx_ = duk_create_heap(allocate, reallocate, release, this, onFatal);
  if (ctx_ == nullptr) raise(ErrorCode::kOutOfMemory);
  link_ = std::make_shared<RuntimeLink>(RuntimeLink{this});
  bool ready = false;
  try {
    ready = protect([this](duk_context* ctx) { setUp(ctx); });
  } catch (...) {
  }
  if (!ready) {
    destroying_ = true;
    duk_destroy_heap(ctx_);
    raise(ErrorCode::kOutOfMemory, u"The JScript engine could not start");
  }
}

Runtime::~Runtime() {
  link_->runtime = nullptr;
  link_.reset();
  // While the heap goes, every call is refused: finalizers the script set do not run, and the
  // host objects still held are released here instead.
  destroying_ = true;
  duk_destroy_heap(ctx_);
  hostsByObject_.clear();
  hosts_.clear();
}

void Runtime::setUp(duk_context* ctx) {
  // Coroutines would run script code on another Duktape thread than the one our nested
  // calls use; parsers have no need for them.
  duk_get_global_string(ctx, "Duktape");
  duk_del_prop_string(ctx, -1, "Thread");
  duk_pop(ctx);

  duk_push_global_stash(ctx);
  duk_push_bare_object(ctx);
  duk_put_prop_string(ctx, -2, kKeptValues);
  duk_pop(ctx);

  installErrorSupport(ctx);
  installHostHandler(ctx);
  installArrayGuards(ctx);
  installEnumerator(ctx);
  installActiveXObject(ctx);
  installVBArray(ctx);
  installEngineInfo(ctx);
  installDateMethods(ctx);
}

bool Runtime::pollStop() {
  if (destroying_) return true;
  if (stopping_ || (++polls_ & 15) == 0) stopping_ = site_.shouldStop();
  return stopping_;
}

Runtime& Runtime::of(duk_context* ctx) {
  return *static_cast<Runtime*>(heapUserData(ctx));
}

bool Runtime::protect(const std::function<void(duk_context*)>& body, duk_idx_t nargs) {
  struct Call {
    const std::function<void(duk_context*)>* body;
    std::exception_ptr failure;
  } call{&body, nullptr};
  auto trampoline = [](duk_context* ctx, void* udata) -> duk_ret_t {
    auto* call = static_cast<Call*>(udata);
    // Duktape's own errors are no std::exception: they pass on to duk_safe_call.
    try {
      (*call->body)(ctx);
    } catch (const std::exception&) {
      call->failure = std::current_exception();
    }
    return 0;
  };
  // duk_safe_call raises, unprotected, when there is no room for its result.
  if (!duk_check_stack(ctx_, 2)) raise(ErrorCode::kOutOfMemory);
  const duk_int_t rc = duk_safe_call(ctx_, trampoline, &call, nargs, 1);
  if (call.failure) {
    duk_pop(ctx_);
    std::rethrow_exception(call.failure);
  }
  if (rc != DUK_EXEC_SUCCESS) return false;
  duk_pop(ctx_);
  return true;
}

HostRef* Runtime::adoptHost(ObjectPtr object) {
  auto ref = std::make_unique<HostRef>();
  ref->object = std::move(object);
  HostRef* pointer = ref.get();
  hostsByObject_.emplace(pointer->object.get(), pointer);
  try {
    hosts_.emplace(pointer, std::move(ref));
  } catch (...) {
    hostsByObject_.erase(pointer->object.get());
    throw;
  }
  return pointer;
}

HostRef* Runtime::findHost(void* pointer) const {
  auto it = hosts_.find(static_cast<HostRef*>(pointer));
  return it == hosts_.end() ? nullptr : it->first;
}

HostRef* Runtime::hostOf(const AutomationObject* object) const {
  auto it = hostsByObject_.find(object);
  return it == hostsByObject_.end() ? nullptr : it->second;
}

void Runtime::releaseHost(HostRef* ref) {
  auto it = hostsByObject_.find(ref->object.get());
  if (it != hostsByObject_.end() && it->second == ref) hostsByObject_.erase(it);
  hosts_.erase(ref);
}

uint32_t Runtime::keepValue(duk_context* ctx, duk_idx_t index) {
  index = duk_require_normalize_index(ctx, index);
  const uint32_t ref = nextValueRef_++;
  duk_push_global_stash(ctx);
  duk_get_prop_string(ctx, -1, kKeptValues);
  duk_dup(ctx, index);
  duk_put_prop_index(ctx, -2, ref);
  duk_pop_2(ctx);
  return ref;
}

void Runtime::pushKeptValue(duk_context* ctx, uint32_t ref) {
  duk_push_global_stash(ctx);
  duk_get_prop_string(ctx, -1, kKeptValues);
  duk_get_prop_index(ctx, -1, ref);
  duk_replace(ctx, -3);
  duk_pop(ctx);
}

void Runtime::forgetValueLater(uint32_t ref) noexcept {
  try {
    forgotten_.push_back(ref);
  } catch (const std::bad_alloc&) {
    // The value then lives as long as the heap.
  }
}

void Runtime::forgetPendingValues(duk_context* ctx) {
  if (forgotten_.empty()) return;
  duk_push_global_stash(ctx);
  duk_get_prop_string(ctx, -1, kKeptValues);
  for (uint32_t ref : forgotten_)
    duk_del_prop_index(ctx, -1, ref);
  duk_pop_2(ctx);
  forgotten_.clear();
}

std::string Runtime::addSource(std::u16string_view source) {
  sources_.emplace_back(source);
  return kSourcePrefix + std::to_string(sources_.size());
}

std::optional<std::u16string> Runtime::sourceLine(std::string_view fileName, int32_t line) const {
  const std::string_view prefix = kSourcePrefix;
  if (line < 1 || fileName.substr(0, prefix.size()) != prefix) return std::nullopt;
  const std::string number(fileName.substr(prefix.size()));
  char* end = nullptr;
  const unsigned long index = std::strtoul(number.c_str(), &end, 10);
  if (number.empty() || *end != '\0' || index < 1 || index > sources_.size()) return std::nullopt;
  const std::u16string& source = sources_[index - 1];
  // Duktape counts CR LF as one break, and CR, LF, U+2028 and U+2029 each as one.
  size_t start = 0;
  for (int32_t current = 1; current < line; ++current) {
    size_t i = start;
    while (i < source.size() && !isLineBreak(source[i]))
      ++i;
    if (i == source.size()) return std::nullopt;
    if (source[i] == u'\r' && i + 1 < source.size() && source[i + 1] == u'\n') ++i;
    start = i + 1;
  }
  size_t stop = start;
  while (stop < source.size() && !isLineBreak(source[stop]))
    ++stop;
  return source.substr(start, stop - start);
}

}  // namespace platform::jscript
