#include "platform/script/jscript_activex.h"

#include <string>

#include "platform/automation/object_catalogue.h"
#include "platform/script/cesu8.h"
#include "platform/script/jscript_bridge.h"
#include "platform/script/jscript_errors.h"
#include "platform/script/jscript_runtime.h"

namespace platform::jscript {

namespace {

// ActiveXObject(progId [, server]): with or without `new`. A constructor that returns an
// object gives that object, so the Proxy of the new host object is the result.
duk_ret_t constructActiveXObject(duk_context* ctx) {
  duk_size_t length = 0;
  const char* name =
      duk_is_string(ctx, 0) && !duk_is_symbol(ctx, 0) ? duk_get_lstring(ctx, 0, &length) : nullptr;
  const std::u16string progId = name ? fromCesu8({name, length}) : std::u16string();
  ObjectPtr object;
  auto failure = callHost([&] {
    if (name == nullptr) raise(ErrorCode::kCannotCreateObject);
    Runtime& runtime = Runtime::of(ctx);
    object = runtime.services().objects.create(progId, runtime.site().stopCheck());
    if (!object) raise(ErrorCode::kCannotCreateObject);
  });
  if (failure) throwHostError(ctx, *failure);
  pushHostObject(ctx, object);
  return 1;
}

}  // namespace

void installActiveXObject(duk_context* ctx) {
  duk_push_c_function(ctx, constructActiveXObject, DUK_VARARGS);
  duk_put_global_string(ctx, "ActiveXObject");
}

}  // namespace platform::jscript
