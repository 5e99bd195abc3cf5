#include "platform/script/jscript_date_object.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "platform/script/cesu8.h"
#include "platform/script/duktape_access.h"
#include "platform/script/jscript_date_text.h"
#include "platform/script/jscript_runtime.h"

extern "C" duk_bool_t juvo_duk_parse_date(void* thread, const char* text) {
  using namespace platform::jscript;
  const std::optional<double> ms = parseDate(fromCesu8(text), localOffsetSeconds);
  if (!ms) return 0;
  duk_push_number(static_cast<duk_context*>(thread), *ms);
  return 1;
}

namespace platform::jscript {

namespace {

// The local offset outside daylight saving time: the smaller of the offsets in January and
// July of the year around `ms`, which holds in either hemisphere.
int standardOffsetSeconds(double ms) {
  constexpr double kHalfYear = 182.5 * 86400000.0;
  const int now = localOffsetSeconds(ms);
  const int later = localOffsetSeconds(ms + kHalfYear);
  const int earlier = localOffsetSeconds(ms - kHalfYear);
  return std::min(now, std::min(later, earlier));
}

void pushText(duk_context* ctx, const std::u16string& text) {
  const std::string bytes = toCesu8(text);
  duk_push_lstring(ctx, bytes.data(), bytes.size());
}

// The time value of `this`; pushes "NaN" and gives false for an invalid date.
bool thisValue(duk_context* ctx, double& ms) {
  duk_push_this(ctx);
  ms = requireDateValue(ctx, -1);
  duk_pop(ctx);
  if (std::isnan(ms)) {
    duk_push_string(ctx, "NaN");
    return false;
  }
  return true;
}

template <std::u16string (*Format)(const DateFields&, std::u16string_view)>
duk_ret_t zoned(duk_context* ctx) {
  double ms = 0;
  if (!thisValue(ctx, ms)) return 1;
  const int offset = localOffsetSeconds(ms);
  pushText(ctx, Format(fieldsOf(ms, offset), zoneName(offset, standardOffsetSeconds(ms))));
  return 1;
}

duk_ret_t dateString(duk_context* ctx) {
  double ms = 0;
  if (!thisValue(ctx, ms)) return 1;
  pushText(ctx, formatDateOnly(fieldsOf(ms, localOffsetSeconds(ms))));
  return 1;
}

duk_ret_t utcString(duk_context* ctx) {
  double ms = 0;
  if (!thisValue(ctx, ms)) return 1;
  pushText(ctx, formatUtc(fieldsOf(ms, 0)));
  return 1;
}

template <std::u16string (*Format)(const DateFields&, const Locale&)>
duk_ret_t localized(duk_context* ctx) {
  double ms = 0;
  if (!thisValue(ctx, ms)) return 1;
  pushText(ctx, Format(fieldsOf(ms, localOffsetSeconds(ms)), Runtime::of(ctx).services().locale));
  return 1;
}

// The year less 1900 for the years 1900 to 1999, the whole year for the others.
duk_ret_t getYear(duk_context* ctx) {
  duk_push_this(ctx);
  const double ms = requireDateValue(ctx, -1);
  if (std::isnan(ms)) {
    duk_push_nan(ctx);
    return 1;
  }
  const double year = fieldsOf(ms, localOffsetSeconds(ms)).year;
  duk_push_number(ctx, year >= 1900 && year <= 1999 ? year - 1900 : year);
  return 1;
}

}  // namespace

void installDateMethods(duk_context* ctx) {
  static constexpr duk_function_list_entry kMethods[] = {
      {"toString", zoned<formatDateTime>, 0},
      {"toDateString", dateString, 0},
      {"toTimeString", zoned<formatTimeOnly>, 0},
      {"toUTCString", utcString, 0},
      {"toGMTString", utcString, 0},
      {"toLocaleString", localized<formatLocaleDateTime>, 0},
      {"toLocaleDateString", localized<formatLocaleDate>, 0},
      {"toLocaleTimeString", localized<formatLocaleTime>, 0},
      {"getYear", getYear, 0},
      {nullptr, nullptr, 0},
  };
  duk_get_global_string(ctx, "Date");
  duk_get_prop_string(ctx, -1, "prototype");
  // Built-in methods are writable, configurable and not enumerable; so are these.
  for (const duk_function_list_entry* method = kMethods; method->key != nullptr; ++method) {
    duk_push_string(ctx, method->key);
    duk_push_c_function(ctx, method->value, method->nargs);
    duk_def_prop(ctx, -3,
                 DUK_DEFPROP_HAVE_VALUE | DUK_DEFPROP_SET_WRITABLE | DUK_DEFPROP_CLEAR_ENUMERABLE |
                     DUK_DEFPROP_SET_CONFIGURABLE | DUK_DEFPROP_FORCE);
  }
  duk_pop_2(ctx);
}

}  // namespace platform::jscript
