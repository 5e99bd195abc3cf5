#include "shared/settings.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/automation/variant_convert.h"
#include "platform/base/text.h"
#include "temp_folder.h"

namespace juvo {
namespace {

using namespace std::string_literals;
using platform::Variant;

class SettingsTest : public ::testing::Test {
 protected:
  void putRaw(const char* name, DWORD type, std::string_view bytes) {
    HKEY key = nullptr;
    ASSERT_EQ(registry_.RegCreateKeyA(HKEY_CURRENT_USER, "Software\\Korvel\\JUVO", &key),
              ERROR_SUCCESS);
    ASSERT_EQ(
        registry_.RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                                 static_cast<DWORD>(bytes.size())),
        ERROR_SUCCESS);
    registry_.RegCloseKey(key);
  }
  // The value's line in the hive file: "language"="text" for a zero-terminated REG_SZ,
  // "language"=dword:... for a REG_DWORD.
  std::string storedLine() {
    const std::string text = temp_.read("registry.reg");
    const size_t at = text.find("\n\"language\"=");
    return at == std::string::npos ? "" : text.substr(at + 1, text.find('\n', at + 1) - at - 1);
  }
  SettingValue get(std::u16string_view name) {
    return regGetValue(registry_, HKEY_CURRENT_USER, kSettingsKey, name);
  }
  void set(const Variant& value) {
    regSetValue(registry_, HKEY_CURRENT_USER, kSettingsKey, kLanguageSetting, value);
  }
  bool exists(std::u16string_view path) { return regKeyExists(registry_, HKEY_CURRENT_USER, path); }

  juvo::testing::TempFolder temp_;
  platform::Registry registry_{temp_.path() / "registry.reg"};
};

TEST_F(SettingsTest, AMissingKeyIsMadeByWritingOnlyAndFailuresAreSilent) {
  set(Variant::null());  // has no text: nothing is stored
  const HKEY bogus = reinterpret_cast<HKEY>(uintptr_t{0xbad});
  regSetValue(registry_, bogus, kSettingsKey, kLanguageSetting, u"English");
  EXPECT_FALSE(regKeyExists(registry_, bogus, kSettingsKey));
  EXPECT_EQ(regGetValue(registry_, bogus, kSettingsKey, kLanguageSetting), SettingValue(u""));
  EXPECT_FALSE(exists(kSettingsKey));
  EXPECT_EQ(get(kLanguageSetting), SettingValue(u""));
  EXPECT_FALSE(exists(u"Software"));
  EXPECT_FALSE(std::filesystem::exists(registry_.hiveFile()));

  set(u"English");
  EXPECT_TRUE(exists(u"SOFTWARE\\korvel"));
  platform::Registry nextRun(registry_.hiveFile());
  EXPECT_EQ(regGetValue(nextRun, HKEY_CURRENT_USER, kSettingsKey, kLanguageSetting),
            SettingValue(u"English"));
}

TEST_F(SettingsTest, ReadsTextsAndNumbersAndNothingElse) {
  putRaw("other", REG_SZ, "x\0"s);
  EXPECT_EQ(get(kLanguageSetting), SettingValue(u"")) << "key without the value";

  const struct {
    DWORD type;
    std::string bytes;
    SettingValue expected;
  } cases[] = {
      {REG_SZ, "English\0"s, u"English"},
      {REG_SZ, "Deutsch"s, u"Deutsch"},  // no terminating zero: taken whole
      {REG_SZ, "ab\0cd\0"s, u"ab"},
      {REG_SZ, ""s, u""},
      {REG_EXPAND_SZ, "English\0"s, u""},
      {REG_BINARY, "English\0"s, u""},
      {REG_DWORD, "\x07\0\0\0"s, 7},
      {REG_DWORD, "\xff\xff\xff\xff"s, -1},
      {REG_DWORD, "\x07\0\0\0\0\0\0\0"s, u""},  // too long to read as 4 bytes
  };
  for (const auto& c : cases) {
    putRaw("language", c.type, c.bytes);
    EXPECT_EQ(get(u"LANGUAGE"), c.expected) << c.type << " " << c.bytes.size();
  }
}

TEST_F(SettingsTest, WritesTrimmedTextsAndWhole32BitNumbers) {
  const struct {
    Variant value;
    std::string line;
  } cases[] = {
      {u"  English  ", "\"language\"=\"English\""},
      {u" \tword\t ", "\"language\"=\"\tword\t\""},  // only spaces are trimmed
      {u"", "\"language\"=\"\""},
      {u"12", "\"language\"=dword:0000000c"},
      {u" -1 ", "\"language\"=dword:ffffffff"},
      {u"3.5", "\"language\"=dword:00000004"},  // rounded half to even
      {u"-2147483648", "\"language\"=dword:80000000"},
      {u" 2147483648 ", "\"language\"=\"2147483648\""},  // too big: kept as text
      {true, "\"language\"=\"True\""},
      {u"Fran\u00e7ais", "\"language\"=\"" + platform::toAnsi(u"Fran\u00e7ais") + "\""},
  };
  for (const auto& c : cases) {
    set(c.value);
    EXPECT_EQ(storedLine(), c.line) << platform::toUtf8(platform::toText(c.value));
  }
  EXPECT_EQ(get(kLanguageSetting), SettingValue(u"Fran\u00e7ais"));
  set(u"-2147483648");
  EXPECT_EQ(get(kLanguageSetting), SettingValue(INT32_MIN));
  EXPECT_EQ(settingText(get(kLanguageSetting)), u"-2147483648");
}

}  // namespace
}  // namespace juvo
