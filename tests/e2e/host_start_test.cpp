// The real host with a copy of the real module: start-up, registration, the first-run
// setting and the plug-in's folders, as a user meets them on a fresh machine.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "host_fixture.h"

namespace juvo::testing {
namespace {

namespace fs = std::filesystem;

class HostStart : public HostTest {
 protected:
  fs::path hive() const { return config_.path() / "juvo" / "registry.reg"; }
};

TEST_F(HostStart, ShareCommandsAndPlainTextOnAFreshMachine) {
  HostRun first = run("/xjuvoshare\n/XJuvoShare anything\nhello\n");
  ASSERT_EQ(first.exitCode, 0) << first.err;
  std::vector<std::string> sent = first.linesStartingWith("[sent]");
  ASSERT_EQ(sent.size(), 3u) << first.out;
  EXPECT_EQ(sent[0], sent[1]);
  EXPECT_NE(sent[0].find("/JUVO/"), std::string::npos) << sent[0];
  EXPECT_EQ(sent[2], "[sent] hello");

  std::string hiveText = config_.read("juvo/registry.reg");
  EXPECT_NE(hiveText.find("[HKEY_CURRENT_USER\\Software\\Korvel\\JUVO]\n\"language\"=\"English\""),
            std::string::npos)
      << hiveText;
  EXPECT_TRUE(fs::is_directory(moduleFolder_.path() / "JUVO"));
  EXPECT_TRUE(fs::is_directory(moduleFolder_.path() / "JUVO" / "Parsers"));
  EXPECT_FALSE(fs::exists(moduleFolder_.path() / "JUVO" / "Languages"));
}

TEST_F(HostStart, ASecondRunWritesNothingNewToTheHive) {
  ASSERT_EQ(run("hello\n").exitCode, 0);
  std::string before = config_.read("juvo/registry.reg");
  auto writtenAt = fs::last_write_time(hive());
  HostRun second = run("/xjuvoshare\n");
  ASSERT_EQ(second.exitCode, 0) << second.err;
  EXPECT_EQ(config_.read("juvo/registry.reg"), before);
  EXPECT_EQ(fs::last_write_time(hive()), writtenAt);
}

// Whatever the settings file holds, the chat goes on; the one line about it goes to the
// terminal, never into a box or the conversation.
TEST_F(HostStart, AHostileHiveIsReportedOnTheTerminalAndTheChatGoesOn) {
  const std::string settings =
      "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Korvel\\JUVO]\n\"language\"=\"Dutch\"\n";
  std::string deep = "[HKEY_CURRENT_USER\\S";
  for (int i = 0; i < 1000000; ++i)
    deep += "\\a";
  struct Case {
    const char* name;
    std::function<void(const fs::path&)> make;
    const char* report;
  };
  const Case cases[] = {
      {"a junk line", [&](const fs::path& p) { std::ofstream(p) << settings << "junk\n"; },
       "1 damaged line skipped (line 5: neither a key nor a value)"},
      {"a deep key", [&](const fs::path& p) { std::ofstream(p) << settings << deep << "]\n"; },
       "1 damaged line skipped (line 5: a key more than 512 levels deep)"},
      {"a link to /dev/zero", [](const fs::path& p) { fs::create_symlink("/dev/zero", p); },
       "is not read: it is not a regular file"},
      {"a FIFO", [](const fs::path& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); },
       "is not read: it is not a regular file"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove_all(config_.path() / "juvo");
    fs::create_directories(hive().parent_path());
    c.make(hive());
    HostRun hostile = run("/xjuvoshare\nhello\n");
    EXPECT_EQ(hostile.exitCode, 0) << hostile.err;
    EXPECT_EQ(hostile.linesStartingWith("[sent]").size(), 2u) << hostile.out;
    EXPECT_EQ(hostile.out.find("[box"), std::string::npos) << hostile.out;
    EXPECT_EQ(hostile.out.find("registry"), std::string::npos) << hostile.out;
    EXPECT_EQ(std::count(hostile.err.begin(), hostile.err.end(), '\n'), 1) << hostile.err;
    EXPECT_NE(hostile.err.find(c.report), std::string::npos) << hostile.err;
    if (fs::is_regular_file(fs::symlink_status(hive()))) {
      EXPECT_NE(config_.read("juvo/registry.reg").find("\"language\"=\"Dutch\""),
                std::string::npos);
    }
  }
}

TEST_F(HostStart, ListsThePublishedCommands) {
  HostRun started = run("");
  ASSERT_EQ(started.exitCode, 0) << started.err;
  std::vector<std::string> commands = started.linesStartingWith("[command ");
  ASSERT_EQ(commands.size(), 4u) << started.out;
  EXPECT_EQ(commands[0].rfind("[command /xjuvo] Use parser", 0), 0u) << commands[0];
  EXPECT_EQ(commands[2].rfind("[command /xjuvoshare] Share Juvo plugin", 0), 0u);
}

TEST_F(HostStart, AMissingModuleIsAClearErrorNotACrash) {
  HostOptions options;
  options.arguments = {"--plugin", (moduleFolder_.path() / "nothing.so").string()};
  options.environment = {{"XDG_CONFIG_HOME", config_.path().string()}};
  HostRun run = runProgram(JUVO_HOST_PATH, options);
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("No plug-in at"), std::string::npos) << run.err;
}

TEST_F(HostStart, OptionMistakesAndAMissingDisplayAreOneClearLine) {
  struct Case {
    std::vector<std::string> arguments;
    std::map<std::string, std::string> environment;
    int exitCode;
    std::string firstLine;
  };
  const std::map<std::string, std::string> noDisplay = {
      {"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}, {"QT_QPA_PLATFORM", ""}};
  const std::map<std::string, std::string> unreachable = {
      {"DISPLAY", ":97"}, {"WAYLAND_DISPLAY", ""}, {"QT_QPA_PLATFORM", ""}};
  const Case cases[] = {
      {{"--plugin"}, {}, 2, "juvo-host: the option --plugin needs a file: --plugin FILE"},
      {{"--plugin", ""}, {}, 2, "juvo-host: the option --plugin needs a file: --plugin FILE"},
      {{"--gui"},
       noDisplay,
       1,
       "juvo-host: --gui needs a display, and neither DISPLAY nor WAYLAND_DISPLAY is set; leave "
       "out --gui to chat in the terminal"},
      {{"--gui"},
       unreachable,
       1,
       "juvo-host: --gui could not open the display :97; leave out --gui to chat in the terminal"},
  };
  for (const Case& c : cases) {
    HostOptions options;
    options.arguments = c.arguments;
    options.environment = c.environment;
    options.environment["XDG_CONFIG_HOME"] = config_.path().string();
    HostRun run = runProgram(JUVO_HOST_PATH, options);
    EXPECT_EQ(run.exitCode, c.exitCode) << c.firstLine;
    EXPECT_EQ(run.err.substr(0, run.err.find('\n')), c.firstLine) << run.err;
    // Nothing else but the usage after an option mistake; Qt's own lines are gone.
    if (c.exitCode == 1) {
      EXPECT_EQ(run.err, c.firstLine + "\n");
    }
  }
}

}  // namespace
}  // namespace juvo::testing
