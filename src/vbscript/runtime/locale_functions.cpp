// GetLocale and SetLocale: the script's locale by its Windows locale identifier (LCID). The
// identifiers name POSIX locales ("nl_NL.UTF-8"); where the machine lacks the one a script
// sets, texts and numbers keep US English forms while GetLocale still reports the identifier
// set, so a script that switches and restores its locale works the same.
#include <algorithm>
#include <optional>
#include <string>

#include "platform/base/text.h"
#include "vbscript/runtime/arguments.h"
#include "vbscript/runtime/families.h"

namespace vbscript {

namespace {

using platform::Variant;
using Args = std::span<Variant>;

struct KnownLocale {
  int32_t lcid;
  std::string_view posix;  // language_TERRITORY
};

// The locales of the Windows identifier chart that POSIX systems commonly have.
constexpr KnownLocale kLocales[] = {
    {0x0401, "ar_SA"}, {0x0402, "bg_BG"}, {0x0403, "ca_ES"}, {0x0404, "zh_TW"}, {0x0405, "cs_CZ"},
    {0x0406, "da_DK"}, {0x0407, "de_DE"}, {0x0408, "el_GR"}, {0x0409, "en_US"}, {0x040B, "fi_FI"},
    {0x040C, "fr_FR"}, {0x040D, "he_IL"}, {0x040E, "hu_HU"}, {0x040F, "is_IS"}, {0x0410, "it_IT"},
    {0x0411, "ja_JP"}, {0x0412, "ko_KR"}, {0x0413, "nl_NL"}, {0x0414, "nb_NO"}, {0x0415, "pl_PL"},
    {0x0416, "pt_BR"}, {0x0418, "ro_RO"}, {0x0419, "ru_RU"}, {0x041A, "hr_HR"}, {0x041B, "sk_SK"},
    {0x041D, "sv_SE"}, {0x041E, "th_TH"}, {0x041F, "tr_TR"}, {0x0421, "id_ID"}, {0x0422, "uk_UA"},
    {0x0424, "sl_SI"}, {0x0425, "et_EE"}, {0x0426, "lv_LV"}, {0x0427, "lt_LT"}, {0x042A, "vi_VN"},
    {0x0804, "zh_CN"}, {0x0807, "de_CH"}, {0x0809, "en_GB"}, {0x080A, "es_MX"}, {0x080C, "fr_BE"},
    {0x0810, "it_CH"}, {0x0813, "nl_BE"}, {0x0816, "pt_PT"}, {0x0C07, "de_AT"}, {0x0C09, "en_AU"},
    {0x0C0A, "es_ES"}, {0x0C0C, "fr_CA"}, {0x1009, "en_CA"}, {0x100C, "fr_CH"}, {0x1409, "en_NZ"},
    {0x1809, "en_IE"}, {0x1C09, "en_ZA"},
};

constexpr int32_t kEnglishUs = 0x0409;

// "nl_NL" of "nl_NL.UTF-8", "nl-nl" or "NL_nl@euro".
std::string posixTag(std::string_view name) {
  name = name.substr(0, std::min(name.find('.'), name.find('@')));
  std::string tag(name);
  const size_t cut = tag.find_first_of("-_");
  for (size_t i = 0; i < tag.size(); ++i) {
    const auto c = static_cast<unsigned char>(tag[i]);
    if (i == cut) {
      tag[i] = '_';
    } else {
      tag[i] = static_cast<char>(cut != std::string::npos && i > cut ? std::toupper(c)
                                                                     : std::tolower(c));
    }
  }
  return tag;
}

int32_t lcidOf(const platform::Locale& locale) {
  const std::string tag = posixTag(platform::toUtf8(locale.name));
  for (const KnownLocale& known : kLocales) {
    if (known.posix == tag) return known.lcid;
  }
  return kEnglishUs;
}

std::optional<KnownLocale> knownLocale(const BuiltinContext& context, const Variant& value) {
  if (value.isString()) {
    const std::string tag = posixTag(platform::toUtf8(TextArgument(context, value)));
    for (const KnownLocale& known : kLocales) {
      if (known.posix == tag) return known;
    }
    return std::nullopt;
  }
  const int32_t lcid = longArgument(context, value);
  for (const KnownLocale& known : kLocales) {
    if (known.lcid == lcid) return known;
  }
  return std::nullopt;
}

Variant getLocale(BuiltinContext& context, Args) {
  return Variant(lcidOf(context.locale));
}

// SetLocale(lcid): an identifier or a tag ("nl-nl"); 0 is the user's own locale. Gives the
// identifier of the locale it replaces.
Variant setLocale(BuiltinContext& context, Args args) {
  const int32_t previous = lcidOf(context.locale);
  if (!args[0].isString() && longArgument(context, args[0]) == 0) {
    context.locale = platform::userLocale();
    return Variant(previous);
  }
  const std::optional<KnownLocale> known = knownLocale(context, args[0]);
  if (!known) invalidArgument();
  const std::string name = std::string(known->posix) + ".UTF-8";
  platform::Locale locale = platform::Locale::named(name.c_str());
  if (locale.name.empty()) locale.name = platform::fromUtf8(name);
  context.locale = std::move(locale);
  return Variant(previous);
}

constexpr Builtin kFunctions[] = {
    {u"GetLocale", 0, 0, getLocale},
    {u"SetLocale", 1, 1, setLocale},
};

}  // namespace

std::span<const Builtin> localeFunctions() {
  return kFunctions;
}

}  // namespace vbscript
