#include "platform/registry/hive_format.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

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

std::vector<size_t> damagedNumbers(const ParsedHive& parsed) {
  std::vector<size_t> numbers;
  for (const DamagedLine& line : parsed.damaged)
    numbers.push_back(line.number);
  return numbers;
}

std::string repeated(std::string_view part, size_t times) {
  std::string text;
  for (size_t i = 0; i < times; ++i)
    text += part;
  return text;
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

  // Keys that hold nothing but other keys are made by reading those.
  const std::string text = formatHive(top);
  EXPECT_EQ(text,
            "REGEDIT4\n\n"
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
  EXPECT_EQ(parsed.damagedCount, 0u);
  EXPECT_EQ(formatHive(*parsed.top), text);
  const Value* value = valueAt(*parsed.top, {kCurrentUser, "a \"B\" ]"}, "CAF\xe9 \\");
  ASSERT_TRUE(value);
  EXPECT_EQ(value->name, "caf\xe9 \\");
  ASSERT_TRUE(findKey(*parsed.top, {kCurrentUser, "software", "KORVEL"}));
}

TEST(HiveFormatTest, ReadsRegistryEditorExportsAndWhatAPersonTypes) {
  ParsedHive parsed = parseHive(
      "\xEF\xBB\xBFREGEDIT4\r\n\r\n"
      "; exported by hand\r\n"
      "[hkey_classes_root\\juvo.juvo_main]\r\n"
      "\"list\"=hex(7):61,00,\\\r\n"
      "  62,00,00\r\n"
      "  [HKEY_CURRENT_USER\\Software\\Korvel\\JUVO]  \t\r\n"
      "\"language\" = \"Dutch\"\r\n"
      "\t\"count\"\t=DWORD:0000000c \r\n"
      "@= hex: 01 , 02\r\n");
  EXPECT_EQ(parsed.damagedCount, 0u)
      << parsed.damaged[0].number << ": " << parsed.damaged[0].problem;
  const Value* list =
      valueAt(*parsed.top, {kCurrentUser, "Software", "Classes", "juvo.juvo_main"}, "list");
  ASSERT_TRUE(list);
  EXPECT_EQ(list->type, REG_MULTI_SZ);
  EXPECT_EQ(list->data, "a\0b\0\0"s);
  const KeyPath juvo = {kCurrentUser, "Software", "Korvel", "JUVO"};
  ASSERT_TRUE(valueAt(*parsed.top, juvo, "language"));
  EXPECT_EQ(valueAt(*parsed.top, juvo, "language")->data, "Dutch\0"s);
  ASSERT_TRUE(valueAt(*parsed.top, juvo, "count"));
  EXPECT_EQ(valueAt(*parsed.top, juvo, "count")->data, "\x0c\0\0\0"s);
  ASSERT_TRUE(valueAt(*parsed.top, juvo, ""));
  EXPECT_EQ(valueAt(*parsed.top, juvo, "")->data, "\x01\x02"s);
  EXPECT_EQ(parseHive("").damagedCount, 0u);
}

TEST(HiveFormatTest, DamagedLinesAreSkippedAndEverythingElseKept) {
  const std::string longName(256, 'k');
  const std::string longValueName(16384, 'v');
  const std::string text =
      "REGEDIT4\n"                                     // 1
      "\n"                                             // 2
      "[HKEY_CURRENT_USER\\Software\\Korvel\\JUVO]\n"  // 3
      "\"language\"=\"Dutch\"\n"                       // 4
      "junk\n"                                         // 5
      "\"a\"=\"b\\n\"\n"                               // 6
      "\"a\"=-\n"                                      // 7
      "\"a\"=hex:1g\n"                                 // 8
      "\"a\"=dword:123456789\n"                        // 9
      "\"open\"=\"C:\\\\\n"                            // 10: damaged; must not join 11
      "\"after\"=dword:00000001\n"                     // 11
      "[HKEY_USERS\\x]\n"                              // 12
      "\"lost\"=\"in a damaged key\"\n"                // 13
      "[-HKEY_CURRENT_USER\\x]\n"                      // 14
      "[HKEY_CURRENT_USER\\" +
      longName +
      "]\n"  // 15
      "[HKEY_CURRENT_USER\\" +
      longName.substr(1) +
      "]\n"  // 16: 255 is fine
      "\"" +
      longValueName +
      "\"=\"too long\"\n"  // 17
      "\"" +
      longValueName.substr(1) +
      "\"=\"fits\"\n"                           // 18
      "[HKEY_CURRENT_USER\\Software\\Other]\n"  // 19
      "\"kept\"=\"yes\"\n";                     // 20
  ParsedHive parsed = parseHive(text);
  EXPECT_EQ(damagedNumbers(parsed), (std::vector<size_t>{5, 6, 7, 8, 9, 10, 12, 13}));
  EXPECT_EQ(parsed.damagedCount, 11u);
  EXPECT_STREQ(parsed.damaged[0].problem, "neither a key nor a value");
  EXPECT_STREQ(parsed.damaged[7].problem, "a value of a damaged key");

  const KeyPath juvo = {kCurrentUser, "Software", "Korvel", "JUVO"};
  ASSERT_TRUE(valueAt(*parsed.top, juvo, "language"));
  EXPECT_EQ(valueAt(*parsed.top, juvo, "language")->data, "Dutch\0"s);
  EXPECT_TRUE(valueAt(*parsed.top, juvo, "after"));
  EXPECT_FALSE(valueAt(*parsed.top, juvo, "a"));
  EXPECT_FALSE(valueAt(*parsed.top, juvo, "lost"));
  EXPECT_FALSE(findKey(*parsed.top, {kCurrentUser, longName}));
  EXPECT_TRUE(valueAt(*parsed.top, {kCurrentUser, longName.substr(1)}, longValueName.substr(1)));
  EXPECT_FALSE(valueAt(*parsed.top, {kCurrentUser, longName.substr(1)}, longValueName));
  EXPECT_TRUE(valueAt(*parsed.top, {kCurrentUser, "Software", "Other"}, "kept"));
  // What was kept writes and reads back whole.
  EXPECT_EQ(parseHive(formatHive(*parsed.top)).damagedCount, 0u);
}

TEST(HiveFormatTest, AMissingHeaderDamagesTheFirstLineOnly) {
  const std::pair<std::string, std::vector<size_t>> cases[] = {
      {"[HKEY_CURRENT_USER\\x]\n\"a\"=\"b\"\n", {1}},
      {"Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\x]\n\"a\"=\"b\"\n", {1}},
      {"\n[HKEY_CURRENT_USER\\x]\n\"a\"=\"b\"\n", {1}},
      {"\xFF\xFE"
       "R\0E\0\n\0"s,
       {1, 2}},  // UTF-16 is not read
  };
  for (const auto& [text, damaged] : cases) {
    ParsedHive parsed = parseHive(text);
    EXPECT_EQ(damagedNumbers(parsed), damaged) << text;
    EXPECT_EQ(parsed.damagedCount, damaged.size()) << text;
    if (text.find("[HKEY") != std::string::npos) {
      EXPECT_TRUE(valueAt(*parsed.top, {kCurrentUser, "x"}, "a")) << text;
    }
  }
}

TEST(HiveFormatTest, KeysAreHeldToTheRegistrysDepth) {
  auto section = [](size_t depth) {
    return "[HKEY_CURRENT_USER" + repeated("\\a", depth) + "]\n\"v\"=\"x\"\n";
  };
  const std::pair<std::string, size_t> cases[] = {
      {section(512), 0},
      {section(513), 2},
      {"[HKEY_CLASSES_ROOT" + repeated("\\a", 510) + "]\n", 0},  // Software\Classes + 510
      {"[HKEY_CLASSES_ROOT" + repeated("\\a", 511) + "]\n", 1},
      {section(1000000), 2},
  };
  for (const auto& [body, damaged] : cases) {
    ParsedHive parsed = parseHive("REGEDIT4\n\n" + body);
    EXPECT_EQ(parsed.damagedCount, damaged) << body.size();
    if (damaged > 0) {
      EXPECT_STREQ(parsed.damaged[0].problem, "a key more than 512 levels deep");
      EXPECT_TRUE(parsed.top->subKeys().empty());
    }
  }
}

TEST(HiveFormatTest, AnyDepthIsWrittenAndFreedWithoutRecursionInLinearSpace) {
  // Deeper than any file or call may make, straight through the tree: what the walks must
  // survive is the shape, not the limit.
  constexpr size_t kDepth = 300000;
  auto top = std::make_unique<Key>();
  bool created = false;
  Key* key = &top->subKeyOrNew(kCurrentUser, created);
  for (size_t i = 0; i < kDepth; ++i)
    key = &key->subKeyOrNew("a", created);
  key->setValue("v", REG_SZ, "x\0"s);
  const std::string text = formatHive(*top);
  // One section: every key above the last is made by reading it.
  EXPECT_EQ(std::count(text.begin(), text.end(), '['), 1);
  EXPECT_LT(text.size(), 3 * kDepth);
  top.reset();

  Key cleared;
  key = &cleared;
  for (size_t i = 0; i < kDepth; ++i)
    key = &key->subKeyOrNew("b", created);
  EXPECT_TRUE(cleared.clear());
  EXPECT_TRUE(cleared.subKeys().empty());
}

TEST(HiveFormatTest, NamesAreFoundWithoutRegardToCaseAndKeepTheirOrder) {
  Key key;
  constexpr int kValues = 20000;
  for (int i = kValues; i > 0; --i)
    key.setValue("Value" + std::to_string(i), REG_DWORD, "\1\0\0\0"s);
  EXPECT_FALSE(key.setValue("VALUE7", REG_DWORD, "\1\0\0\0"s));  // nothing changed
  EXPECT_TRUE(key.setValue("value7", REG_SZ, "x\0"s));
  ASSERT_EQ(key.values().size(), static_cast<size_t>(kValues));
  EXPECT_EQ(key.values().front().name, "Value20000");
  EXPECT_EQ(key.value("VALUE7")->name, "Value7");
  EXPECT_EQ(key.value("VALUE7")->type, REG_SZ);

  bool created = false;
  for (const char* name : {"Zeta", "alpha", "Mid"})
    key.subKeyOrNew(name, created);
  key.subKeyOrNew("ZETA", created);
  EXPECT_FALSE(created);
  EXPECT_TRUE(key.removeSubKey("ALPHA"));
  EXPECT_FALSE(key.removeSubKey("alpha"));
  EXPECT_EQ(key.subKey("alpha"), nullptr);
  key.subKeyOrNew("Alpha", created);
  std::vector<std::string> order;
  for (const auto& subKey : key.subKeys())
    order.push_back(subKey->name());
  EXPECT_EQ(order, (std::vector<std::string>{"Zeta", "Mid", "Alpha"}));
  EXPECT_EQ(key.subKey("mid"), key.subKeys()[1].get());
}

}  // namespace
}  // namespace platform::hive
