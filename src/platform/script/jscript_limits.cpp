#include "platform/script/jscript_limits.h"

#include <cstring>

#include "platform/script/duktape_access.h"
#include "platform/script/jscript_errors.h"

namespace platform::jscript {

namespace {

// The characters of a page as large as a fetch may bring, one element each.
constexpr double kLongestWalk = 1 << 24;
// Elements beyond the array part are looked up one by one, through the prototypes: some ten
// times slower a step than stored ones.
constexpr double kLongestMissingWalk = 1 << 20;
// Duktape's sort compares without script code in between, and slowly.
constexpr double kLongestSort = 1 << 17;
constexpr const char* kOriginalKey = DUK_HIDDEN_SYMBOL("original");
constexpr duk_int_t kSortMagic = 1;

duk_ret_t guardedArrayMethod(duk_context* ctx) {
  const duk_idx_t argc = duk_get_top(ctx);
  const bool plainSort = duk_get_current_magic(ctx) == kSortMagic && !duk_is_function(ctx, 0);
  duk_push_this(ctx);
  if (duk_is_object(ctx, -1)) {
    duk_get_prop_string(ctx, -1, "length");
    const double length = duk_to_number(ctx, -1);
    duk_pop(ctx);
    const double missing = length - storedElementCount(ctx, -1);
    if (length > (plainSort ? kLongestSort : kLongestWalk) || missing > kLongestMissingWalk) {
      throwScriptError(ctx, DUK_ERR_RANGE_ERROR, "Array too long for this operation");
    }
  }
  duk_push_current_function(ctx);
  duk_get_prop_string(ctx, -1, kOriginalKey);
  duk_remove(ctx, -2);  // [args... this original]
  duk_insert(ctx, 0);   // [original args... this]
  duk_insert(ctx, 1);   // [original this args...]
  duk_call_method(ctx, argc);
  return 1;
}

}  // namespace

void installArrayGuards(duk_context* ctx) {
  duk_get_global_string(ctx, "Array");
  duk_get_prop_string(ctx, -1, "prototype");
  const duk_idx_t prototype = duk_get_top_index(ctx);
  duk_enum(ctx, prototype, DUK_ENUM_OWN_PROPERTIES_ONLY | DUK_ENUM_INCLUDE_NONENUMERABLE);
  while (duk_next(ctx, -1, 1)) {
    const char* name = duk_get_string(ctx, -2);
    if (name != nullptr && duk_is_function(ctx, -1) && std::strcmp(name, "constructor") != 0 &&
        std::strcmp(name, "push") != 0 && std::strcmp(name, "pop") != 0) {
      duk_dup(ctx, -2);
      duk_push_c_function(ctx, guardedArrayMethod, DUK_VARARGS);
      duk_set_magic(ctx, -1, std::strcmp(name, "sort") == 0 ? kSortMagic : 0);
      duk_dup(ctx, -3);
      duk_put_prop_string(ctx, -2, kOriginalKey);
      duk_def_prop(ctx, prototype,
                   DUK_DEFPROP_HAVE_VALUE | DUK_DEFPROP_SET_WRITABLE |
                       DUK_DEFPROP_CLEAR_ENUMERABLE | DUK_DEFPROP_SET_CONFIGURABLE);
    }
    duk_pop_2(ctx);
  }
  duk_pop_3(ctx);
}

}  // namespace platform::jscript
