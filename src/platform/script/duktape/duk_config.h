/* Duktape's configuration for JUVO: Debian's generated configuration, plus the execution
 * time-out, C++ exceptions instead of longjmp, and an API that stays inside our shared
 * library. The build copies this file next to duktape.h so that it is the one found. */
#if !defined(JUVO_DUK_CONFIG_H_INCLUDED)
#define JUVO_DUK_CONFIG_H_INCLUDED

#include "/usr/share/duktape/duk_config.h"

/* Debian's file #undefs these two, so they are defined after it. The check is polled by the
 * bytecode executor a few times per millisecond; true stops the script with a RangeError that
 * keeps being raised until every catch has been left. */
#define DUK_USE_INTERRUPT_COUNTER
#define DUK_USE_EXEC_TIMEOUT_CHECK(udata) juvo_duk_exec_timeout_check(udata)

/* Duktape calls this before every native call and every recursion of its regular expression
 * matcher, compiler and JSON code; true raises a RangeError. We use it to stop long-running
 * built-ins at the time-out too. Its only expansion site is duk_native_stack_check(), whose
 * thread parameter is named thr. */
#define DUK_USE_NATIVE_STACK_CHECK() juvo_duk_native_check(thr->heap->heap_udata)

/* Errors unwind as C++ exceptions, so that the destructors of our frames between Duktape's
 * frames run, and no longjmp ever crosses C++ code. */
#define DUK_USE_CPP_EXCEPTIONS

/* Dates in the text forms JScript reads (besides ISO 8601, which Duktape reads first) instead
 * of strptime's. The hook pushes the time value and returns 1, or pushes nothing and returns 0;
 * ctx is the running thread. */
#undef DUK_USE_DATE_PRS_STRPTIME
#undef DUK_USE_DATE_PARSE_STRING
#define DUK_USE_DATE_PARSE_STRING(ctx, str) juvo_duk_parse_date((ctx), (str))

/* Nobody outside juvoplatform calls Duktape. */
#undef DUK_EXTERNAL_DECL
#undef DUK_EXTERNAL
#define DUK_EXTERNAL_DECL __attribute__((visibility("hidden"))) extern
#define DUK_EXTERNAL __attribute__((visibility("hidden")))

#if defined(__cplusplus)
extern "C" {
#endif
/* Defined by the JScript engine; udata is the heap's user data. */
__attribute__((visibility("hidden"))) duk_bool_t juvo_duk_exec_timeout_check(void* udata);
__attribute__((visibility("hidden"))) duk_bool_t juvo_duk_native_check(void* udata);
__attribute__((visibility("hidden"))) duk_bool_t juvo_duk_parse_date(void* ctx, const char* text);
#if defined(__cplusplus)
}
#endif

#endif /* JUVO_DUK_CONFIG_H_INCLUDED */
