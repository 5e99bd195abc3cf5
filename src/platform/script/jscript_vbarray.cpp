#include "platform/script/jscript_vbarray.h"

#include "platform/base/error.h"
#include "platform/script/jscript_errors.h"

namespace platform::jscript {

namespace {

constexpr const char* kItems = DUK_HIDDEN_SYMBOL("vbarrayItems");

[[noreturn]] void fail(duk_context* ctx, ErrorCode code) {
  throwHostError(ctx, Error(static_cast<int32_t>(code), std::u16string(describe(code))));
}

// Pushes the items of the VBArray `this`.
void pushItems(duk_context* ctx) {
  duk_push_this(ctx);
  if (!duk_is_object(ctx, -1) || !duk_get_prop_string(ctx, -1, kItems) || !duk_is_array(ctx, -1)) {
    fail(ctx, ErrorCode::kTypeMismatch);
  }
  duk_remove(ctx, -2);
}

duk_uarridx_t itemCount(duk_context* ctx, duk_idx_t items) {
  return static_cast<duk_uarridx_t>(duk_get_length(ctx, items));
}

// The dimension argument at `index`: the first, or left out.
void checkDimension(duk_context* ctx, duk_idx_t index) {
  if (duk_get_top(ctx) <= index || duk_is_undefined(ctx, index)) return;
  if (duk_to_number(ctx, index) != 1) fail(ctx, ErrorCode::kSubscriptOutOfRange);
}

duk_ret_t construct(duk_context* ctx) {
  if (!duk_is_constructor_call(ctx)) {
    duk_push_current_function(ctx);
    duk_dup(ctx, 0);
    duk_new(ctx, 1);
    return 1;
  }
  if (duk_is_object(ctx, 0) && duk_get_prop_string(ctx, 0, kItems)) {
    duk_replace(ctx, 0);  // another VBArray: share its items
  } else {
    duk_pop(ctx);
  }
  if (!duk_is_array(ctx, 0)) fail(ctx, ErrorCode::kTypeMismatch);
  duk_push_this(ctx);
  duk_dup(ctx, 0);
  duk_put_prop_string(ctx, -2, kItems);
  return 0;
}

duk_ret_t toArray(duk_context* ctx) {
  pushItems(ctx);
  const duk_idx_t items = duk_get_top_index(ctx);
  const duk_uarridx_t count = itemCount(ctx, items);
  duk_push_array(ctx);
  for (duk_uarridx_t i = 0; i < count; ++i) {
    duk_get_prop_index(ctx, items, i);
    duk_put_prop_index(ctx, -2, i);
  }
  return 1;
}

duk_ret_t lbound(duk_context* ctx) {
  checkDimension(ctx, 0);
  pushItems(ctx);
  duk_push_int(ctx, 0);
  return 1;
}

duk_ret_t ubound(duk_context* ctx) {
  checkDimension(ctx, 0);
  pushItems(ctx);
  duk_push_number(ctx, static_cast<double>(itemCount(ctx, -1)) - 1);
  return 1;
}

duk_ret_t getItem(duk_context* ctx) {
  const double index = duk_to_number(ctx, 0);
  if (duk_get_top(ctx) > 1) fail(ctx, ErrorCode::kSubscriptOutOfRange);  // a second dimension
  pushItems(ctx);
  if (!(index >= 0 && index < static_cast<double>(itemCount(ctx, -1))) ||
      index != static_cast<double>(static_cast<duk_uarridx_t>(index))) {
    fail(ctx, ErrorCode::kSubscriptOutOfRange);
  }
  duk_get_prop_index(ctx, -1, static_cast<duk_uarridx_t>(index));
  return 1;
}

duk_ret_t dimensions(duk_context* ctx) {
  pushItems(ctx);
  duk_push_int(ctx, 1);
  return 1;
}

}  // namespace

void installVBArray(duk_context* ctx) {
  static constexpr duk_function_list_entry kMethods[] = {
      {"toArray", toArray, 0},           {"lbound", lbound, 1},         {"ubound", ubound, 1},
      {"getItem", getItem, DUK_VARARGS}, {"dimensions", dimensions, 0}, {nullptr, nullptr, 0},
  };
  duk_push_c_function(ctx, construct, 1);
  duk_push_object(ctx);
  duk_put_function_list(ctx, -1, kMethods);
  duk_put_prop_string(ctx, -2, "prototype");
  duk_put_global_string(ctx, "VBArray");
}

}  // namespace platform::jscript
