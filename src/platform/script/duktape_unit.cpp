// Duktape itself, compiled as C++ (its C++ exception mode) with our configuration, and the
// helpers that need its internals.
// Its C++ exception mode uses std::runtime_error without including it.
#include <stdexcept>

#include "duktape.c"

#include "duktape_access.h"

#if DUK_VERSION != 20700L
#error "duktape_access.h reads Duktape 2.7 internals: check them against this version"
#endif

namespace platform::jscript {

bool reachedFromCallSite(duk_context* ctx) {
  duk_hthread* thread = reinterpret_cast<duk_hthread*>(ctx);
  duk_activation* native = thread->callstack_curr;
  if (native == nullptr) return false;
  duk_activation* caller = native->parent;
  if (caller == nullptr || caller->func == nullptr || !DUK_HOBJECT_IS_COMPFUNC(caller->func)) {
    return false;
  }
  // The caller's pc was synced when the trap was called and points past the instruction
  // that is executing.
  duk_instr_t* code =
      DUK_HCOMPFUNC_GET_CODE_BASE(thread->heap, reinterpret_cast<duk_hcompfunc*>(caller->func));
  if (caller->curr_pc == nullptr || caller->curr_pc <= code) return false;
  duk_small_uint_t op = DUK_DEC_OP(caller->curr_pc[-1]);
  return op >= DUK_OP_GETPROPC_RR && op <= DUK_OP_GETPROPC_CC;
}

bool isDateObject(duk_context* ctx, duk_idx_t index) {
  duk_hobject* object = duk_get_hobject(reinterpret_cast<duk_hthread*>(ctx), index);
  return object != nullptr && DUK_HOBJECT_GET_CLASS_NUMBER(object) == DUK_HOBJECT_CLASS_DATE;
}

double requireDateValue(duk_context* ctx, duk_idx_t index) {
  if (!isDateObject(ctx, index)) {
    (void)duk_type_error(ctx, "Date object expected");
  }
  duk_hthread* thread = reinterpret_cast<duk_hthread*>(ctx);
  duk_dup(ctx, index);
  duk_xget_owndataprop_stridx_short(thread, -1, DUK_STRIDX_INT_VALUE);
  const double value = duk_to_number_m1(thread);
  duk_pop_2(ctx);
  return value;
}

int localOffsetSeconds(double ms) {
  return static_cast<int>(DUK_USE_DATE_GET_LOCAL_TZOFFSET(ms));
}

duk_uint32_t storedElementCount(duk_context* ctx, duk_idx_t index) {
  duk_hobject* object = duk_get_hobject(reinterpret_cast<duk_hthread*>(ctx), index);
  if (object == nullptr || !DUK_HOBJECT_HAS_ARRAY_PART(object)) return 0;
  return DUK_HOBJECT_GET_ASIZE(object);
}

void* heapUserData(duk_context* ctx) {
  return reinterpret_cast<duk_hthread*>(ctx)->heap->heap_udata;
}

}  // namespace platform::jscript
