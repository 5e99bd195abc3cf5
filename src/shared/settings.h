// The settings helpers: the plug-in's only way to the registry. Each opens, reads or writes one
// value through the registry's ANSI calls, so texts pass through the ANSI code page. They raise
// nothing and report nothing: a failed open or read gives false or an empty text, a failed
// create or write leaves nothing stored.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "platform/automation/variant.h"
#include "platform/registry/registry.h"

namespace juvo {

// Under HKEY_CURRENT_USER.
inline constexpr char16_t kSettingsKey[] = u"Software\\Korvel\\JUVO";
// The user-interface language: "English" or a language file's base name.
inline constexpr char16_t kLanguageSetting[] = u"language";

// A value read back: a text (REG_SZ) or a number (REG_DWORD). Readers must accept both, since a
// text that reads wholly as a number is stored as a number.
using SettingValue = std::variant<std::u16string, int32_t>;

// True when the key can be opened.
bool regKeyExists(platform::Registry& registry, HKEY root, std::u16string_view keyPath) noexcept;

// The value as text or number; an empty text when the key or value is missing, the value has
// another type than REG_SZ or REG_DWORD, or a read fails. A REG_SZ ends at its first zero, or
// is taken whole when it holds none.
SettingValue regGetValue(platform::Registry& registry, HKEY root, std::u16string_view keyPath,
                         std::u16string_view valueName) noexcept;

// Creates the key with any missing key above it, and writes the value: as REG_DWORD when it is
// numeric (a number, or a text that reads wholly as one, as IsNumeric does), rounded half to
// even; otherwise as REG_SZ, its text without leading and trailing spaces, with a terminating
// zero. A numeric value that does not fit a 32-bit signed integer is stored as REG_SZ text
// instead, so that nothing of it is lost. Booleans and dates are not numbers here: they are
// stored as their text. A value without a text (Null, an object without a default member)
// stores nothing.
void regSetValue(platform::Registry& registry, HKEY root, std::u16string_view keyPath,
                 std::u16string_view valueName, const platform::Variant& value) noexcept;

// The value as a text: a number in its decimal form.
std::u16string settingText(const SettingValue& value);

}  // namespace juvo
