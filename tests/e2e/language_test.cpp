// Changing the language in the real host: the language window opened from the configuration
// window, both windows in Dutch at once, the choice kept in the hive and used by the next host
// process, and English again.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "host_fixture.h"

namespace juvo::testing {
namespace {

namespace fs = std::filesystem;

constexpr char kHello[] =
    "function info() {\r\n"
    "  engine.description = 'Greets whoever you name';\r\n"
    "}\r\n";

class LanguageChange : public HostTest {
 protected:
  LanguageChange() {
    moduleFolder_.write("JUVO/Parsers/hello.js", kHello);
    for (const char* name : {"Dutch.xml", "German.xml"}) {
      fs::create_directories(moduleFolder_.path() / "JUVO" / "Languages");
      fs::copy_file(fs::path(JUVO_EXAMPLES_DIR) / "languages" / name,
                    moduleFolder_.path() / "JUVO" / "Languages" / name);
    }
  }

  HostRun pick(const std::string& language) {
    return run("/xjuvoconfig\n@menu mnuLang\n@pick " + language + "\n@close\n@close\nhello\n");
  }

  std::string savedLanguage() const {
    std::string hive = config_.read("juvo/registry.reg");
    size_t at = hive.find("\"language\"=\"");
    if (at == std::string::npos) return "(none)";
    at += 12;
    return hive.substr(at, hive.find('"', at) - at);
  }

  // The lines the host printed for the published commands.
  std::vector<std::string> commands() {
    HostRun started = run("");
    EXPECT_EQ(started.exitCode, 0) << started.err;
    return started.linesStartingWith("[command ");
  }
};

TEST_F(LanguageChange, DutchInBothWindowsAtOnceKeptForTheNextStartAndEnglishAgain) {
  HostRun dutch = pick("Dutch");
  ASSERT_EQ(dutch.exitCode, 0) << dutch.err;

  // The language window lists the languages alphabetically after English, English selected.
  size_t chooser = at(dutch,
                      "[form frmLanguage] Language\n"
                      "  lblSelectLanguage: Select language:\n"
                      "  cmbLang (drop-down list):\n"
                      "    0 > English\n"
                      "    1   Dutch\n"
                      "    2   German\n");
  // After the pick, the configuration window behind it and the language window itself, both
  // in Dutch, before anything else happens.
  size_t config = at(dutch, "[form frmConfig] Juvo voor MSN Messenger - door Korvel\n", chooser);
  size_t menus = at(dutch,
                    "[menu] mnuFile &Bestand: mnuLang &Taal wijzigen, mnuUpdate Controleren op "
                    "&updates, mnuDownloadParsers Meer &parsers downloaden, -, mnuClose &Sluiten\n"
                    "[menu] mnuHelp &Help: mnuUse Hoe &werkt JUVO?, mnuMakeOwnParser Hoe &maak ik "
                    "een eigen parser?, -, mnuAbout &Over JUVO\n"
                    "[form frmLanguage] Taal\n"
                    "  lblSelectLanguage: Kies een taal:\n",
                    config);
  at(dutch, "  [cmdRefresh: Vernieuwen]\n", config);
  size_t selected = at(dutch, "    1 > Dutch\n", menus);
  size_t closed = at(dutch, "[closed frmLanguage]\n", selected);
  at(dutch, "[closed frmConfig]\n", closed);
  EXPECT_EQ(dutch.out.find("[box"), std::string::npos) << dutch.out;
  EXPECT_EQ(dutch.linesStartingWith("[sent]"), std::vector<std::string>{"[sent] hello"});
  EXPECT_EQ(savedLanguage(), "Dutch");

  // A new host process starts in Dutch.
  std::vector<std::string> dutchCommands = commands();
  ASSERT_EQ(dutchCommands.size(), 4u);
  EXPECT_EQ(dutchCommands[0], "[command /xjuvo] Parser gebruiken — parsernaam> <argument(en)");
  EXPECT_EQ(dutchCommands[1],
            "[command /xws] Parser gebruiken (alias voor /xjuvo) — parsernaam> <argument(en)");
  EXPECT_EQ(dutchCommands[3], "[command /xjuvoconfig] Configuratievenster tonen");

  // English again: every English text, in the windows and for the next process.
  HostRun english = pick("English");
  ASSERT_EQ(english.exitCode, 0) << english.err;
  size_t again = at(english, "[form frmConfig] Juvo voor MSN Messenger - door Korvel\n");
  size_t back = at(english, "[form frmConfig] Juvo for MSN Messenger - by Korvel\n", again);
  at(english, "[menu] mnuFile F&ile: mnuLang Change &language", back);
  at(english, "[form frmLanguage] Language\n  lblSelectLanguage: Select language:\n", back);
  EXPECT_EQ(savedLanguage(), "English");
  std::vector<std::string> englishCommands = commands();
  ASSERT_EQ(englishCommands.size(), 4u);
  EXPECT_EQ(englishCommands[0], "[command /xjuvo] Use parser — parser name> <argument(s)");
  EXPECT_EQ(englishCommands[3], "[command /xjuvoconfig] Show config window");
}

}  // namespace
}  // namespace juvo::testing
