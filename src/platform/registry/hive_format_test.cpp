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

TEST(HiveFormatTest, WritesEachValueInTheFormThatGivesItsBytesBack) {
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

  EXPECT_EQ(formatHive(top),
            "REGEDIT4\n"
            "\n"
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
            "\"odd\"=hex(12345):2a\n"
            "\n"
            "[HKEY_LOCAL_MACHINE\\Empty]\n\n");
}

TEST(HiveFormatTest, ReadsBackWhatItWrote) {
  Key top;
  Key& key = keyAt(top, {kCurrentUser, "A \"b\" ]", "c"});
  key.setValue("caf\xe9 \\", REG_SZ, "\xe9t\xe9\0"s);
  key.setValue("", REG_BINARY, ""s);
  key.setValue("n", REG_DWORD, "\xff\xff\xff\xff"s);
  keyAt(top, {kCurrentUser}).setValue("at root", REG_MULTI_SZ, "x\0y\0\0"s);

  std::string text = formatHive(top);
  ParsedHive parsed = parseHive(text);
  ASSERT_TRUE(parsed.top) << parsed.badLine << ": " << parsed.problem;
  EXPECT_EQ(formatHive(*parsed.top), text);
  const Value* value = valueAt(*parsed.top, {kCurrentUser, "A \"b\" ]", "c"}, "CAF\xe9 \\");
  ASSERT_TRUE(value);
  EXPECT_EQ(value->name, "caf\xe9 \\");
  EXPECT_EQ(value->data, "\xe9t\xe9\0"s);
}

TEST(HiveFormatTest, ReadsRegistryEditorExports) {
  ParsedHive parsed = parseHive(
      "REGEDIT4\r\n"
      "\r\n"
      "; exported by hand\r\n"
      "[HKEY_CLASSES_ROOT\\juvo.juvo_main]\r\n"
      "@=\"juvo_main\"\r\n"
      "\"list\"=hex(7):61,00,\\\r\n"
      "  62,00,00\r\n"
      "[hkey_local_machine\\Software]\r\n"
      "\"n\"=dword:2a\r\n");
  ASSERT_TRUE(parsed.top) << parsed.badLine << ": " << parsed.problem;
  const Value* list =
      valueAt(*parsed.top, {kCurrentUser, "Software", "Classes", "juvo.juvo_main"}, "list");
  ASSERT_TRUE(list);
  EXPECT_EQ(list->type, REG_MULTI_SZ);
  EXPECT_EQ(list->data, "a\0b\0\0"s);
  const Value* number = valueAt(*parsed.top, {kLocalMachine, "Software"}, "N");
  ASSERT_TRUE(number);
  EXPECT_EQ(number->data, "\x2a\0\0\0"s);
}

TEST(HiveFormatTest, NamesTheFirstLineThatDoesNotParse) {
  struct Case {
    std::string text;
    size_t badLine;
  };
  const Case cases[] = {
      {"", 1},
      {"Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER]\n", 1},
      {"REGEDIT4\n\n\"a\"=\"b\"\n", 3},
      {"REGEDIT4\n\n[HKEY_USERS\\x]\n", 3},
      {"REGEDIT4\n\n[-HKEY_CURRENT_USER\\x]\n", 3},
      {"REGEDIT4\n\n[HKEY_CURRENT_USER\\x]\n\"a\"=\"b\\n\"\n", 4},
      {"REGEDIT4\n\n[HKEY_CURRENT_USER\\x]\n\"a\"=\"b\" \n", 4},
      {"REGEDIT4\n\n[HKEY_CURRENT_USER\\x]\n\"a\"=-\n", 4},
      {"REGEDIT4\n\n[HKEY_CURRENT_USER\\x]\n\"a\"=hex:1g\n", 4},
      {"REGEDIT4\n\n[HKEY_CURRENT_USER\\x]\n\"a\"=dword:123456789\n", 4},
      {"REGEDIT4\n\n[HKEY_CURRENT_USER\\x]\nnonsense\n", 4},
  };
  for (const Case& c : cases) {
    ParsedHive parsed = parseHive(c.text);
    EXPECT_FALSE(parsed.top) << c.text;
    EXPECT_EQ(parsed.badLine, c.badLine) << c.text;
  }
}

}  // namespace
}  // namespace platform::hive
