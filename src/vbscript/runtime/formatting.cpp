// FormatNumber, FormatCurrency, FormatPercent and FormatDateTime, in the engine's locale.
#include "platform/automation/date_text.h"
#include "platform/locale/locale.h"
#include "platform/locale/number_text.h"
#include "vbscript/runtime/arguments.h"
#include "vbscript/runtime/families.h"

namespace vbscript {

namespace {

using platform::Variant;
using Args = std::span<Variant>;

constexpr int32_t kUseDefault = -2;  // vbUseDefault: the locale's setting

// A Tristate argument (vbTrue, vbFalse, vbUseDefault); `fallback` when left out or default.
bool tristateArgument(const BuiltinContext& context, const Variant& value, bool fallback) {
  const int32_t state = optionalLong(context, value, kUseDefault);
  return state == kUseDefault ? fallback : state != 0;
}

// The arguments after the expression, shared by the three number formats: digits after the
// decimal separator (-1, the default, is the locale's), leading digit, parentheses, grouping.
platform::AmountStyle styleArguments(const BuiltinContext& context, Args args, int defaultDigits) {
  platform::AmountStyle style;
  const int32_t digits = optionalLong(context, args[1], -1);
  if (digits < -1 || digits > 255) invalidArgument();
  style.fractionDigits = digits == -1 ? defaultDigits : digits;
  style.leadingZero = tristateArgument(context, args[2], true);
  style.parentheses = tristateArgument(context, args[3], false);
  style.grouped = tristateArgument(context, args[4], true);
  return style;
}

Variant formatNumber(BuiltinContext& context, Args args) {
  const platform::AmountStyle style = styleArguments(context, args, 2);
  const double value = numberArgument(context, args[0]);
  return Variant(platform::formatAmount(value, style, context.services.locale));
}

Variant formatCurrency(BuiltinContext& context, Args args) {
  const platform::Locale& locale = context.services.locale;
  const platform::AmountStyle style = styleArguments(context, args, locale.currencyDigits);
  const double value = numberArgument(context, args[0]);
  return Variant(platform::formatMoney(value, style, locale));
}

Variant formatPercent(BuiltinContext& context, Args args) {
  const platform::AmountStyle style = styleArguments(context, args, 2);
  const double value = numberArgument(context, args[0]) * 100;
  return Variant(platform::formatAmount(value, style, context.services.locale) + u"%");
}

// FormatDateTime(date[, NamedFormat]): vbGeneralDate 0 as CStr writes it, vbLongDate 1,
// vbShortDate 2, vbLongTime 3 in the locale's pictures, vbShortTime 4 as 24-hour "HH:mm".
Variant formatDateTime(BuiltinContext& context, Args args) {
  const int32_t format = optionalLong(context, args[1], 0);
  const double serial = dateArgument(context, args[0]);
  const platform::Locale& locale = context.services.locale;
  switch (format) {
    case 0:
      return Variant(platform::formatDate(serial, locale));
    case 1:
      return Variant(platform::formatDatePicture(serial, locale.longDatePattern, locale));
    case 2:
      return Variant(platform::formatDatePicture(serial, locale.shortDatePattern, locale));
    case 3:
      return Variant(platform::formatDatePicture(serial, locale.timePattern, locale));
    case 4:
      return Variant(platform::formatDatePicture(serial, u"HH:mm", locale));
    default:
      invalidArgument();
  }
}

constexpr Builtin kFunctions[] = {
    {u"FormatCurrency", 1, 5, formatCurrency},
    {u"FormatDateTime", 1, 2, formatDateTime},
    {u"FormatNumber", 1, 5, formatNumber},
    {u"FormatPercent", 1, 5, formatPercent},
};

}  // namespace

std::span<const Builtin> formattingFunctions() {
  return kFunctions;
}

}  // namespace vbscript
