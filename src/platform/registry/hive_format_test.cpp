#include "platform/registry/hive_format.h"

#include <gtest/gtest.h>

namespace platform::hive {
namespace {

using namespace std::string_literals;

Key& keyAt(Key& top, const KeyPath& path) {
  bool created = false;
  return createKey(top, path, created);
}

const Value* valueAt(const Key& top, const KeyPath& path, std::string_view name) {
  const Key* key = findKey(top, path);
  return key ? key->value(name) : nullptr;
}

TEST(HiveFormatTest, WritesEachValueInAFormThatReadsBackToTheSameBytes) {
  Key top;
  Key& juvo = keyAt(top, {kCurrentUser, "Software", "Korvel", "JUVO"});
  juvo.setValue("language", REG_SZ, "English\0"s);
  juvo.setValue("", REG_SZ, "say \"hi\" \\o/\0"s);
  juvo.setValue("count", REG_DWORD, "\x0c\x00\x00\x80"s);
  juvo.setValue("short", REG_DWORD, "\x07\x00"s);
  juvo.setValue("raw", REG_BINARY, "\x01\xff"s);
  juvo.setValue("path", REG_EXPAND_SZ, "%T%\0"s);
  juvo.setValue("bare", REG_SZ, "abc"s);
  juvo.setValue("lines", REG_SZ, "a\r\nb\0"s);
  juvo.setValue("inner", REG_SZ, "a\0b\0"s);
  juvo.setValue("none", REG_SZ, ""s);
  juvo.setValue("odd", 0x12345, "\x2a"s);
  keyAt(top, {kLocalMachine, "Empty"});
  keyAt(top, {kCurrentUser, "A \"b\" ]"}).setValue("caf\xe9 \\", REG_SZ, "\xe9t\xe9\0"s);

  const std::string text = formatHive(top);
  EXPECT_EQ(text,
            "REGEDIT4\n\n"
            "[HKEY_CURRENT_USER\\Software]\n\n"
            "[HKEY_CURRENT_USER\\Software\\Korvel]\n\n"
            "[HKEY_CURRENT_USER\\Software\\Korvel\\JUVO]\n"
            "\"language\"=\"English\"\n"
            "@=\"say \\\"hi\\\" \\\\o/\"\n"
            "\"count\"=dword:8000000c\n"
            "\"short\"=hex(4):07,00\n"
            "\"raw\"=hex:01,ff\n"
            "\"path\"=hex(2):25,54,25,00\n"
            "\"bare\"=hex(1):61,62,63\n"
            "\"lines\"=hex(1):61,0d,0a,62,00\n"
            "\"inner\"=hex(1):61,00,62,00\n"
            "\"none\"=hex(1):\n"
            "\"odd\"=hex(12345):2a\n\n"
            "[HKEY_CURRENT_USER\\A \"b\" ]]\n"
            "\"caf\xe9 \\\\\"=\"\xe9t\xe9\"\n\n"
            "[HKEY_LOCAL_MACHINE\\Empty]\n\n");

  ParsedHive parsed = parseHive(text);
  ASSERT_TRUE(parsed.top) << parsed.badLine << ": " << parsed.problem;
  EXPECT_EQ(formatHive(*parsed.top), text);
  const Value* value = valueAt(*parsed.top, {kCurrentUser, "a \"B\" ]"}, "CAF\xe9 \\");
  ASSERT_TRUE(value);
  EXPECT_EQ(value->name, "caf\xe9 \\");
}

TEST(HiveFormatTest, ReadsRegistryEditorExports) {
  ParsedHive parsed = parseHive(
      "REGEDIT4\r\n\r\n"
      "; exported by hand\r\n"
      "[hkey_classes_root\\juvo.juvo_main]\r\n"
      "\"list\"=hex(7):61,00,\\\r\n"
      "  62,00,00\r\n");
  ASSERT_TRUE(parsed.top) << parsed.badLine << ": " << parsed.problem;
  const Value* list =
      valueAt(*parsed.top, {kCurrentUser, "Software", "Classes", "juvo.juvo_main"}, "list");
  ASSERT_TRUE(list);
  EXPECT_EQ(list->type, REG_MULTI_SZ);
  EXPECT_EQ(list->data, "a\0b\0\0"s);
}

TEST(HiveFormatTest, NamesTheFirstLineThatDoesNotParse) {
  const std::string key = "REGEDIT4\n\n[HKEY_CURRENT_USER\\x]\n";
  const std::pair<std::string, size_t> cases[] = {
      {"", 1},
      {"Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER]\n", 1},
      {"REGEDIT4\n\n\"a\"=\"b\"\n", 3},
      {"REGEDIT4\n\n[HKEY_USERS\\x]\n", 3},
      {"REGEDIT4\n\n[-HKEY_CURRENT_USER\\x]\n", 3},
      {key + "\"a\"=\"b\\n\"\n", 4},
      {key + "\"a\"=-\n", 4},
      {key + "\"a\"=hex:1g\n", 4},
      {key + "\"a\"=dword:123456789\n", 4},
      {key + "nonsense\n", 4},
  };
  for (const auto& [text, badLine] : cases) {
    ParsedHive parsed = parseHive(text);
    EXPECT_FALSE(parsed.top) << text;
    EXPECT_EQ(parsed.badLine, badLine) << text;
  }
}

}  // namespace
}  // namespace platform::hive
