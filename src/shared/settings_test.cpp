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

struct Stored {
  DWORD type = 0;
  std::string bytes;
  friend bool operator==(const Stored&, const Stored&) = default;
};

class SettingsTest : public ::testing::Test {
 protected:
  bool keyOpens(const char* path) {
    HKEY key = nullptr;
    LONG rc = registry_.RegOpenKeyA(HKEY_CURRENT_USER, path, &key);
    registry_.RegCloseKey(key);
    return rc == ERROR_SUCCESS;
  }

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

  // What is stored under the settings key; type 0 when nothing is.
  Stored raw(const char* name) {
    Stored stored;
    HKEY key = nullptr;
    if (registry_.RegOpenKeyA(HKEY_CURRENT_USER, "Software\\Korvel\\JUVO", &key) == ERROR_SUCCESS) {
      DWORD size = 0;
      if (registry_.RegQueryValueExA(key, name, nullptr, &stored.type, nullptr, &size) ==
          ERROR_SUCCESS) {
        stored.bytes.resize(size);
        registry_.RegQueryValueExA(key, name, nullptr, nullptr,
                                   reinterpret_cast<BYTE*>(stored.bytes.data()), &size);
      }
    }
    registry_.RegCloseKey(key);
    return stored;
  }

  SettingValue get(std::u16string_view name) {
    return regGetValue(registry_, HKEY_CURRENT_USER, kSettingsKey, name);
  }
  void set(std::u16string_view name, const Variant& value) {
    regSetValue(registry_, HKEY_CURRENT_USER, kSettingsKey, name, value);
  }

  juvo::testing::TempFolder temp_;
  platform::Registry registry_{temp_.path() / "registry.reg"};
};

TEST_F(SettingsTest, AMissingKeyDoesNotExistAndIsNotMade) {
  EXPECT_FALSE(regKeyExists(registry_, HKEY_CURRENT_USER, kSettingsKey));
  EXPECT_EQ(get(kLanguageSetting), SettingValue(u""));
  EXPECT_FALSE(keyOpens("Software"));
  EXPECT_FALSE(std::filesystem::exists(registry_.hiveFile()));

  putRaw("other", REG_SZ, "x\0"s);
  EXPECT_TRUE(regKeyExists(registry_, HKEY_CURRENT_USER, kSettingsKey));
  EXPECT_TRUE(regKeyExists(registry_, HKEY_CURRENT_USER, u"SOFTWARE\\korvel"));
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
      {REG_MULTI_SZ, "English\0\0"s, u""},
      {REG_DWORD, "\x07\0\0\0"s, 7},
      {REG_DWORD, "\xff\xff\xff\xff"s, -1},
      {REG_DWORD, "\x07\0\0\0\0\0\0\0"s, u""},  // too long to read as 4 bytes
  };
  for (const auto& c : cases) {
    putRaw("language", c.type, c.bytes);
    EXPECT_EQ(get(u"LANGUAGE"), c.expected) << c.type << " " << c.bytes.size();
  }
}

TEST_F(SettingsTest, WritesTrimmedTextsAndWholeNumbers) {
  const struct {
    Variant value;
    Stored expected;
  } cases[] = {
      {u"  English  ", {REG_SZ, "English\0"s}},
      {u" \tword\t ", {REG_SZ, "\tword\t\0"s}},  // only spaces are trimmed
      {u"", {REG_SZ, "\0"s}},
      {u"12", {REG_DWORD, "\x0c\0\0\0"s}},
      {u" -1 ", {REG_DWORD, "\xff\xff\xff\xff"s}},
      {u"&H10", {REG_DWORD, "\x10\0\0\0"s}},
      {u"2.5", {REG_DWORD, "\x02\0\0\0"s}},  // half to even
      {u"3.5", {REG_DWORD, "\x04\0\0\0"s}},
      {int32_t{7}, {REG_DWORD, "\x07\0\0\0"s}},
      {int16_t{-2}, {REG_DWORD, "\xfe\xff\xff\xff"s}},
      {true, {REG_SZ, "True\0"s}},
  };
  for (const auto& c : cases) {
    set(u"language", c.value);
    EXPECT_EQ(raw("language"), c.expected) << platform::toUtf8(platform::toText(c.value));
  }

  set(u"language", u"12");
  EXPECT_EQ(get(u"language"), SettingValue(12));
  EXPECT_EQ(settingText(get(u"language")), u"12");
}

TEST_F(SettingsTest, NumbersBeyond32BitsAreKeptAsText) {
  set(u"big", u" 2147483648 ");
  EXPECT_EQ(raw("big"), (Stored{REG_SZ, "2147483648\0"s}));
  set(u"big", 1e20);
  EXPECT_EQ(raw("big"), (Stored{REG_SZ, "1E+20\0"s}));
  set(u"big", u"-2147483648");
  EXPECT_EQ(raw("big"), (Stored{REG_DWORD, "\0\0\0\x80"s}));
  EXPECT_EQ(settingText(get(u"big")), u"-2147483648");
}

TEST_F(SettingsTest, WritingIntoAMissingKeyMakesTheKeysAboveIt) {
  set(kLanguageSetting, u"English");
  EXPECT_TRUE(keyOpens("Software"));
  EXPECT_TRUE(keyOpens("Software\\Korvel"));
  EXPECT_EQ(get(kLanguageSetting), SettingValue(u"English"));
  // And it is on disk for the next run.
  platform::Registry nextRun(registry_.hiveFile());
  EXPECT_EQ(regGetValue(nextRun, HKEY_CURRENT_USER, kSettingsKey, kLanguageSetting),
            SettingValue(u"English"));
}

TEST_F(SettingsTest, NonAsciiTextPassesThroughTheAnsiCodePage) {
  set(kLanguageSetting, u"Fran\u00e7ais");
  EXPECT_EQ(raw("language").bytes, platform::toAnsi(u"Fran\u00e7ais") + '\0');
  EXPECT_EQ(get(kLanguageSetting), SettingValue(u"Fran\u00e7ais"));
}

TEST_F(SettingsTest, FailuresAreSilent) {
  set(u"language", Variant::null());  // has no text: nothing is stored
  EXPECT_FALSE(regKeyExists(registry_, HKEY_CURRENT_USER, kSettingsKey));

  HKEY bogus = reinterpret_cast<HKEY>(uintptr_t{0xbad});
  regSetValue(registry_, bogus, kSettingsKey, u"language", u"English");
  EXPECT_FALSE(regKeyExists(registry_, bogus, kSettingsKey));
  EXPECT_EQ(regGetValue(registry_, bogus, kSettingsKey, u"language"), SettingValue(u""));
  EXPECT_FALSE(regKeyExists(registry_, HKEY_CURRENT_USER, kSettingsKey));
}

}  // namespace
}  // namespace juvo
