// Language files: loadfromfile over the English defaults, its error box, the start-up choice of
// language, and the language files that ship.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "language/c_language.h"
#include "language/english_defaults.h"
#include "platform/automation/variant.h"
#include "platform/base/text.h"
#include "shared/maker.h"
#include "shared/settings.h"
#include "test_platform.h"

namespace juvo {
namespace {

using platform::ScriptedUi;
using ::testing::EndsWith;
using ::testing::IsEmpty;
using ::testing::StartsWith;

std::string utf8(std::u16string_view text) {
  return platform::toUtf8(text);
}

// Every key holds its English default, and nothing more is in the table.
void expectEnglish(const cLanguage& lang) {
  EXPECT_EQ(lang.size(), englishDefaults().size());
  for (const DefaultText& entry : englishDefaults())
    EXPECT_EQ(lang.str(entry.key), entry.text) << utf8(entry.key);
}

class LanguageFileTest : public ::testing::Test {
 protected:
  LanguageFileTest() {
    test_.shared.lang = std::make_shared<cLanguage>(test_.shared);
    lang_ = test_.shared.lang.get();
  }

  // Writes `xml` as Languages/NAME and loads it; the boxes it showed.
  const std::vector<ScriptedUi::Shown>& load(const std::string& name, const std::string& xml) {
    test_.writeLanguage(name, xml);
    return loadOnly(name);
  }
  const std::vector<ScriptedUi::Shown>& loadOnly(const std::string& name) {
    test_.ui.clear();
    lang_->loadfromfile(test_.modulePath("JUVO/Languages/" + name));
    return test_.ui.shown();
  }

  testing::TestPlatform test_;
  cLanguage* lang_;
};

TEST_F(LanguageFileTest, EntriesReplaceTheirDefaultsAndAddKeysOfTheirOwn) {
  const auto& boxes = load("Dutch.xml", R"(<?xml version="1.0" encoding="UTF-8"?>
<strings>
  <mnuFile>&amp;Bestand</mnuFile>
  <MNUCLOSE>&amp;Sluiten</MNUCLOSE>
  <cmdRefresh>first</cmdRefresh>
  <cmdRefresh>Vernieuwen</cmdRefresh>
  <lblSyntax></lblSyntax>
  <frmLanguage>Taal <b>en</b> tekst</frmLanguage>
  <comWsHelp>parsernaam&gt; &lt;argument(en)</comWsHelp>
  <msgAbout>Regel een&#13;&#10;Regel twee &#x263A;</msgAbout>
  <!-- a note -->
</strings>)");
  EXPECT_THAT(boxes, IsEmpty());
  const cLanguage& lang = *lang_;
  EXPECT_EQ(lang.str(u"mnuFile"), u"&Bestand");
  EXPECT_EQ(lang.str(u"mnuClose"), u"&Sluiten");      // another letter case replaces the default
  EXPECT_EQ(lang.str(u"cmdRefresh"), u"Vernieuwen");  // the last one wins
  EXPECT_EQ(lang.str(u"lblSyntax"), u"");
  EXPECT_EQ(lang.str(u"frmLanguage"), u"Taal en tekst");  // the whole text content
  EXPECT_EQ(lang.str(u"comWsHelp"), u"parsernaam> <argument(en)");
  EXPECT_EQ(lang.str(u"msgAbout"), u"Regel een\r\nRegel twee \u263A");
  EXPECT_EQ(lang.str(u"#comment"), u" a note ");  // non-elements count under their node name
  EXPECT_EQ(lang.str(u"mnuHelp"), u"&Help");
  EXPECT_EQ(lang.size(), 41u + 2u);
  EXPECT_EQ(test_.shared.currentlang, u"English");  // loading names no language

  // The next file starts from the defaults again: nothing of the last one survives.
  EXPECT_THAT(load("German.xml", "<strings><mnuHelp>&amp;Hilfe</mnuHelp></strings>"), IsEmpty());
  EXPECT_EQ(lang.str(u"mnuHelp"), u"&Hilfe");
  EXPECT_EQ(lang.str(u"mnuFile"), u"F&ile");
  EXPECT_EQ(lang.size(), 41u);
}

TEST_F(LanguageFileTest, FilesWithoutAStringsRootGiveEnglishSilently) {
  for (const char* xml : {
           "<?xml version=\"1.0\"?>\n<strings/>",
           "<?xml version=\"1.0\"?>\n<strings></strings>",
           "<Strings><mnuFile>Datei</mnuFile></Strings>",
           "<texts><strings><mnuFile>Datei</mnuFile></strings></texts>",
       }) {
    load("Other.xml", "<strings><mnuHelp>x</mnuHelp></strings>");
    EXPECT_THAT(load("Other.xml", xml), IsEmpty()) << xml;
    expectEnglish(*lang_);
  }
}

// One box, its frame as the user reads it; English afterwards.
TEST_F(LanguageFileTest, ASyntaxErrorIsReportedWithItsLineThenEnglish) {
  load("Dutch.xml", "<strings><mnuHelp>x</mnuHelp></strings>");
  const std::string third = "  <mnuClose>&amp;Sluiten</mnuClse>";
  const auto& boxes =
      load("Dutch.xml", "<?xml version=\"1.0\"?>\n<strings>\n" + third + "\n</strings>\n");
  ASSERT_EQ(boxes.size(), 1u);
  const ScriptedUi::Shown& box = boxes[0];
  const std::string text = utf8(box.text);
  EXPECT_EQ(box.kind, ScriptedUi::Shown::Kind::kMessageBox);
  EXPECT_THAT(text, StartsWith("Error in language file " +
                               utf8(test_.modulePath("JUVO/Languages/Dutch.xml")) + ".\r\n"));
  EXPECT_THAT(text, EndsWith("On line 3: " + third));
  // The parser's reason stands between, ended by its line break.
  const size_t reasonAt = text.find(".\r\n") + 3;
  const size_t lineAt = text.rfind("On line 3: ");
  EXPECT_GT(lineAt, reasonAt + 1) << text;
  EXPECT_EQ(text[lineAt - 1], '\n') << text;
  EXPECT_THAT(utf8(box.title), StartsWith("XML Error "));
  const std::string code = utf8(box.title).substr(10);
  EXPECT_FALSE(code.empty());
  EXPECT_NE(code, "0");
  EXPECT_EQ(code.find_first_not_of("-0123456789"), std::string::npos) << code;
  EXPECT_EQ(box.buttons, platform::Buttons::kOk);
  EXPECT_EQ(box.icon, platform::Icon::kExclamation);
  expectEnglish(*lang_);
}

TEST_F(LanguageFileTest, AFileThatCannotBeOpenedIsReportedToo) {
  const auto& missing = loadOnly("Gone.xml");
  ASSERT_EQ(missing.size(), 1u);
  EXPECT_THAT(utf8(missing[0].text),
              StartsWith("Error in language file " +
                         utf8(test_.modulePath("JUVO/Languages/Gone.xml")) + ".\r\n"));
  EXPECT_THAT(utf8(missing[0].title), StartsWith("XML Error "));
  expectEnglish(*lang_);

  test_.writeLanguage("Folder.xml/inner.xml", "<strings/>");
  EXPECT_EQ(loadOnly("Folder.xml").size(), 1u);
  expectEnglish(*lang_);
}

// Only the exact path of English.xml is skipped: any other spelling is a language file.
TEST_F(LanguageFileTest, EnglishIsTheDefaultsAndItsFileIsNeverRead) {
  EXPECT_THAT(load("English.xml", "<strings><mnuFile>broken"), IsEmpty());
  expectEnglish(*lang_);
  EXPECT_THAT(load("english.xml", "<strings><mnuFile>Fichier</mnuFile></strings>"), IsEmpty());
  EXPECT_EQ(lang_->str(u"mnuFile"), u"Fichier");
  EXPECT_EQ(loadOnly("../Languages/English.xml").size(), 1u);  // not the exact path: read
}

// The start-up choice: the saved language's file when it is there under exactly that name.
TEST_F(LanguageFileTest, StartsInTheSavedLanguageWhoseFileIsThere) {
  test_.writeLanguage("Dutch.xml", "<strings><mnuFile>&amp;Bestand</mnuFile></strings>");
  regSetValue(test_.registry, HKEY_CURRENT_USER, kSettingsKey, kLanguageSetting,
              platform::Variant(u"Dutch"));
  cLanguage dutch(test_.shared);
  EXPECT_EQ(test_.shared.currentlang, u"Dutch");
  EXPECT_EQ(dutch.str(u"mnuFile"), u"&Bestand");
  EXPECT_EQ(dutch.str(u"mnuHelp"), u"&Help");

  // A broken file is reported at start-up; the language stays the one saved.
  test_.writeLanguage("Dutch.xml", "<strings>\n<mnuFile>\n");
  test_.ui.clear();
  cLanguage broken(test_.shared);
  ASSERT_EQ(test_.ui.shown().size(), 1u);
  EXPECT_THAT(utf8(test_.ui.shown()[0].title), StartsWith("XML Error "));
  EXPECT_EQ(test_.shared.currentlang, u"Dutch");
  expectEnglish(broken);
}

// The files that ship: every key, translated in full, with what the English texts carry.
class ShippedLanguageTest : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    test_.installShippedLanguage(GetParam());
    test_.shared.lang = std::make_shared<cLanguage>(test_.shared);
    test_.shared.lang->loadfromfile(test_.modulePath(std::string("JUVO/Languages/") + GetParam()));
  }
  const cLanguage& lang() const { return *test_.shared.lang; }

  testing::TestPlatform test_;
};

size_t count(std::u16string_view text, std::u16string_view part) {
  size_t n = 0;
  for (size_t at = text.find(part); at != std::u16string_view::npos; at = text.find(part, at + 1))
    ++n;
  return n;
}

// The letter after each "&", lower-cased; fails the test unless there is exactly one.
char16_t accessKey(std::u16string_view caption) {
  EXPECT_EQ(count(caption, u"&"), 1u) << utf8(caption);
  size_t at = caption.find(u'&');
  if (at == std::u16string_view::npos || at + 1 >= caption.size()) return 0;
  return platform::toLower(caption[at + 1]);
}

TEST_P(ShippedLanguageTest, TranslatesEveryKeyKeepingWhatTheEnglishTextsCarry) {
  EXPECT_THAT(test_.ui.shown(), IsEmpty());
  // Every default key, and the help of /xws, which the defaults lack; no misspelt keys.
  EXPECT_EQ(lang().size(), englishDefaults().size() + 1);
  EXPECT_FALSE(lang().str(u"comWsHelp").empty());
  size_t sameAsEnglish = 0;
  for (const DefaultText& entry : englishDefaults()) {
    const std::u16string& text = lang().str(entry.key);
    const std::string key = utf8(entry.key);
    EXPECT_FALSE(text.empty()) << key;
    if (text == entry.text) ++sameAsEnglish;
    EXPECT_EQ(count(text, u"%parser%"), count(entry.text, u"%parser%")) << key;
    EXPECT_EQ(count(text, u"\r\n"), count(entry.text, u"\r\n")) << key;
    EXPECT_EQ(count(text, u"\n"), count(entry.text, u"\n")) << key;
    EXPECT_EQ(count(text, u"&"), count(entry.text, u"&")) << key;
    for (std::u16string_view address : {maker::kMail.view(), maker::kDownloadPage.view()}) {
      EXPECT_EQ(count(text, address), count(entry.text, address)) << key;
    }
  }
  EXPECT_LE(sameAsEnglish, 2u);  // a word or two may be the same ("Syntax:", "&Help")

  // Access keys: one per caption, none twice in the menu bar or within one menu.
  const std::vector<std::vector<std::u16string_view>> menus = {
      {u"mnuFile", u"mnuHelp"},
      {u"mnuLang", u"mnuUpdate", u"mnuDownloadParsers", u"mnuClose"},
      {u"mnuUse", u"mnuMakeOwnParser", u"mnuAbout"},
  };
  for (const auto& menu : menus) {
    std::set<char16_t> keys;
    for (std::u16string_view item : menu) {
      EXPECT_TRUE(keys.insert(accessKey(lang().str(item))).second) << utf8(lang().str(item));
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Shipped, ShippedLanguageTest, ::testing::Values("Dutch.xml", "German.xml"),
                         [](const auto& info) {
                           std::string name = info.param;
                           return name.substr(0, name.find('.'));
                         });

}  // namespace
}  // namespace juvo
