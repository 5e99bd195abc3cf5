// The configuration window in the real host's terminal: the parser list, Delete with its
// question, Refresh, and closing back to the chat.
#include <filesystem>
#include <string>

#include "host_fixture.h"

namespace juvo::testing {
namespace {

namespace fs = std::filesystem;

// The two VBScript parsers are empty files: showing their information fails quietly with
// one box (no `info` to call), with or without a VBScript engine, and "@OK" answers it.
class ConfigWindow : public HostTest {
 protected:
  ConfigWindow() {
    moduleFolder_.write("JUVO/Parsers/b.vbs", "");
    moduleFolder_.write("JUVO/Parsers/a.vbs", "");
    moduleFolder_.write("JUVO/Parsers/c.js", "function info() {}\r\nfunction run() {}\r\n");
    moduleFolder_.write("JUVO/Parsers/.hidden.vbs", "");
  }
  fs::path parser(const std::string& name) const {
    return moduleFolder_.path() / "JUVO" / "Parsers" / name;
  }
  // The list as the form prints it: "    0 > b.vbs" for the selected entry.
  static std::string entry(int index, bool selected, const std::string& name) {
    return "    " + std::to_string(index) + (selected ? " > " : "   ") + name + "\n";
  }
};

TEST_F(ConfigWindow, ListsVbScriptFilesFirstAndDeletesOnlyAfterYes) {
  HostRun shown =
      run("/xjuvoconfig\n@OK\n"
          "@click cmdDeleteParser\n@Yes\n"
          "@click cmdRefresh\n@OK\n"
          "@close\nhello\n");
  ASSERT_EQ(shown.exitCode, 0) << shown.err;

  // The first listing: the two VBScript files in alphabetical order, then c.js, the first one
  // selected, the hidden file left out.
  size_t form = at(shown, "[form frmConfig] ");
  size_t list = at(shown, "  scripts (list):\n", form);
  std::string listing = shown.out.substr(list, shown.out.find("  [", list) - list);
  EXPECT_EQ(listing.find(".hidden.vbs"), std::string::npos) << listing;
  const std::string first = "a.vbs";
  const std::string second = "b.vbs";
  EXPECT_NE(listing.find(entry(0, true, first) + entry(1, false, second) + entry(2, false, "c.js")),
            std::string::npos)
      << listing;

  // Yes deletes the selected file; the entry stays listed until Refresh.
  size_t question = at(shown,
                       "[box Delete parser|YesNo|question] Are you sure you want to delete " +
                           first + "?\n[answer Yes]\n",
                       list);
  size_t after = at(shown, "[form frmConfig] ", question);
  size_t refreshed = at(shown, "[form frmConfig] ", after + 1);
  std::string afterDelete = shown.out.substr(after, refreshed - after);
  EXPECT_NE(afterDelete.find(entry(0, true, first)), std::string::npos) << afterDelete;
  EXPECT_FALSE(fs::exists(parser(first)));
  std::string afterRefresh =
      shown.out.substr(refreshed, shown.out.find("[closed", refreshed) - refreshed);
  EXPECT_EQ(afterRefresh.find(first), std::string::npos) << afterRefresh;
  EXPECT_NE(afterRefresh.find(entry(0, true, second)), std::string::npos) << afterRefresh;

  // Closing returns to the chat, and nothing of the window was sent.
  at(shown, "[closed frmConfig]\n", refreshed);
  EXPECT_EQ(shown.linesStartingWith("[sent]"), std::vector<std::string>{"[sent] hello"});
}

TEST_F(ConfigWindow, NoDeletesNothing) {
  HostRun shown = run("/xjuvoconfig anything\n@OK\n@click cmdDeleteParser\n@No\n@close\n");
  ASSERT_EQ(shown.exitCode, 0) << shown.err;
  at(shown, "[answer No]\n");
  EXPECT_TRUE(fs::exists(parser("a.vbs")));
  EXPECT_TRUE(fs::exists(parser("b.vbs")));
  EXPECT_TRUE(shown.linesStartingWith("[sent]").empty()) << shown.out;
}

}  // namespace
}  // namespace juvo::testing
