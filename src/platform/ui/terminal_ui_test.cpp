#include "platform/ui/terminal_ui.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "platform/base/error.h"
#include "platform/ui/console.h"
#include "platform/ui/form.h"

namespace platform {
namespace {

// A terminal over a scripted input, with the transcript it writes.
struct Terminal {
  explicit Terminal(const std::string& input, bool interactive = false)
      : in(input), console(in, out, interactive), ui(&console) {}
  std::string transcript() const { return out.str(); }
  bool printed(const std::string& text) const { return out.str().find(text) != std::string::npos; }
  // The input lines nobody took.
  std::string rest() {
    std::string all;
    while (auto line = console.takeLine())
      all += std::string(line->begin(), line->end()) + "\n";
    return all;
  }

  std::istringstream in;
  std::ostringstream out;
  Console console;
  TerminalUi ui;
};

TEST(Console, PeeksWithoutTakingDropsCarriageReturnsAndStaysInstalledUntilItGoes) {
  Console& standard = Console::current();
  {
    Terminal terminal("first\r\nsecond\n");
    Console& console = terminal.console;
    Console::install(&console);
    EXPECT_EQ(&Console::current(), &console);
    EXPECT_EQ(console.peekLine(), u"first");
    EXPECT_EQ(console.takeLine(), u"first");
    EXPECT_EQ(console.takeLine(), u"second");
    EXPECT_EQ(console.peekLine(), std::nullopt);
    EXPECT_EQ(console.takeLine(), std::nullopt);
    console.writeLine(u"caf\u00e9");
    EXPECT_EQ(terminal.transcript(), "caf\xc3\xa9\n");
  }
  EXPECT_EQ(&Console::current(), &standard);
}

// An "@" line answers without regard to case; a button the box lacks is noted and the first
// taken, as at the end of the input; a chat line takes the first button and stays for the chat.
TEST(TerminalBox, AnAtLineAnswersAndAnyOtherLineStaysForTheChat) {
  Terminal terminal("@yes\n@No\n@Ignore\n@Cancel\n@retry\n/xjuvo weather\n");
  auto box = [&](std::u16string_view text, Buttons buttons, Icon icon) {
    return terminal.ui.messageBox(text, buttons, icon, u"T");
  };
  EXPECT_EQ(box(u"Delete weather.vbs?", Buttons::kYesNo, Icon::kQuestion), Answer::kYes);
  EXPECT_EQ(box(u"Done.", Buttons::kOk, Icon::kInformation), Answer::kOk);
  EXPECT_EQ(box(u"a", Buttons::kAbortRetryIgnore, Icon::kCritical), Answer::kIgnore);
  EXPECT_EQ(box(u"b", Buttons::kYesNoCancel, Icon::kNone), Answer::kCancel);
  EXPECT_EQ(box(u"c", Buttons::kRetryCancel, Icon::kExclamation), Answer::kRetry);
  EXPECT_EQ(box(u"Line one\r\nLine two\nLine three", Buttons::kOkCancel, Icon::kNone), Answer::kOk);
  EXPECT_EQ(terminal.rest(), "/xjuvo weather\n");
  EXPECT_EQ(box(u"e", Buttons::kAbortRetryIgnore, Icon::kNone), Answer::kAbort);
  EXPECT_EQ(terminal.transcript(),
            "[box T|YesNo|question] Delete weather.vbs?\n[answer Yes]\n"
            "[box T|OK|information] Done.\n[note no button No here, OK taken]\n[answer OK]\n"
            "[box T|AbortRetryIgnore|critical] a\n[answer Ignore]\n"
            "[box T|YesNoCancel|none] b\n[answer Cancel]\n"
            "[box T|RetryCancel|exclamation] c\n[answer Retry]\n"
            "[box T|OKCancel|none] Line one\nLine two\nLine three\n[answer OK]\n"
            "[box T|AbortRetryIgnore|none] e\n[answer Abort]\n");
}

TEST(TerminalInput, AnAtLineGivesTheTextAfterItAndCancelOrAnyOtherLineCancels) {
  Terminal terminal("@weather Amsterdam\n@\n@Cancel\n@cancel \n@Cancel it\nhello\n");
  EXPECT_EQ(terminal.ui.inputBox(u"Arguments:", u"Try command", u"x"), u"weather Amsterdam");
  EXPECT_EQ(terminal.ui.inputBox(u"Again:", u"Try command", u""), u"");
  EXPECT_EQ(terminal.ui.inputBox(u"Cancelled:", u"Try command", u"x"), std::nullopt);
  EXPECT_EQ(terminal.ui.inputBox(u"Cancelled:", u"Try command", u"x"), std::nullopt);
  EXPECT_EQ(terminal.ui.inputBox(u"Text:", u"Try command", u""), u"Cancel it");
  EXPECT_EQ(terminal.ui.inputBox(u"Once more:", u"Try command", u""), std::nullopt);
  EXPECT_EQ(terminal.transcript(),
            "[input Try command] Arguments:\n[answer weather Amsterdam]\n"
            "[input Try command] Again:\n[answer ]\n"
            "[input Try command] Cancelled:\n[answer cancel]\n"
            "[input Try command] Cancelled:\n[answer cancel]\n"
            "[input Try command] Text:\n[answer Cancel it]\n"
            "[input Try command] Once more:\n[answer cancel]\n");
  EXPECT_EQ(terminal.rest(), "hello\n");
}

// A window shaped like the configuration window, smaller.
struct ParserWindow {
  Form form{"frmConfig", u"Configuration", 5340, 4800};
  std::vector<std::string> events;

  ParserWindow() {
    form.add(ControlKind::kLabel, "lblInstalledParsers", {120, 120, 1935, 255}, 6)
        .setText(u"Installed parsers:");
    Control& list = form.add(ControlKind::kListBox, "scripts", {120, 360, 2055, 3375}, 1);
    list.onClick([this, &list] {
      events.push_back("scripts:" + std::to_string(list.selectedIndex()));
      form.control("destxt").setText(u"About " + list.text() + u"\r\nSecond line");
    });
    form.add(ControlKind::kCommandButton, "cmdRefresh", {120, 3840, 2055, 375}, 7)
        .onClick([this] { events.push_back("cmdRefresh"); })
        .setText(u"Refresh");
    form.add(ControlKind::kTextBox, "destxt", {2520, 360, 2655, 645}, 3)
        .setLocked(true)
        .setMultiLine(true);
    form.add(ControlKind::kCommandButton, "cmdTryCommand", {2520, 4200, 2655, 375}, 0)
        .setText(u"Try command");
    MenuItem& file = form.addMenu("mnuFile", u"F&ile");
    file.add("mnuLang", u"Change &language").onClick([this] { events.push_back("mnuLang"); });
    file.addSeparator("mnuSpacer");
    file.add("mnuClose", u"&Close").onClick([this] { form.close(); });
    form.onLoad([this] {
      events.push_back("load");
      form.control("scripts").addItem(u"a.vbs");
      form.control("scripts").addItem(u"b.vbs");
    });
  }
  using Events = std::vector<std::string>;
};

// The window as printed: `marks` holds the selection marks of its two entries.
std::string rendering(const char* marks, const char* description, const char* tryState = "") {
  return std::string(
             "[form frmConfig] Configuration\n"
             "  lblInstalledParsers: Installed parsers:\n"
             "  scripts (list):\n") +
         "    0 " + marks[0] + " a.vbs\n" + "    1 " + marks[1] + " b.vbs\n" +
         "  [cmdRefresh: Refresh]\n" + "  destxt (text box):" + description + "\n" +
         "  [cmdTryCommand: Try command]" + tryState + "\n" +
         "[menu] mnuFile F&ile: mnuLang Change &language, -, mnuClose &Close\n";
}

TEST(TerminalForm, PrintsTheWindowAgainAfterAChangeAndCarriesOutActionsUntilAChatLine) {
  Terminal terminal("@select 1\n@click cmdRefresh\n@menu mnuLang\n/xjuvo weather\n");
  ParserWindow window;
  terminal.ui.showModal(window.form, nullptr);

  EXPECT_TRUE(window.form.isClosed());
  EXPECT_EQ(window.events, (ParserWindow::Events{"load", "scripts:1", "cmdRefresh", "mnuLang"}));
  // The click and the menu changed nothing: no new rendering.
  EXPECT_EQ(terminal.transcript(), rendering("  ", "") +
                                       rendering(" >", " About b.vbs\n    Second line") +
                                       "[closed frmConfig]\n");
  EXPECT_EQ(terminal.rest(), "/xjuvo weather\n");
}

TEST(TerminalForm, CloseEndsTheWindowAndLeavesTheRest) {
  Terminal terminal("@close\n@Yes\n");
  ParserWindow window;
  window.form.control("cmdTryCommand").setEnabled(false);
  terminal.ui.showModal(window.form, nullptr);
  EXPECT_TRUE(window.form.isClosed());
  EXPECT_EQ(terminal.transcript(), rendering("  ", "", " (disabled)") + "[closed frmConfig]\n");
  EXPECT_EQ(terminal.rest(), "@Yes\n");
}

TEST(TerminalForm, PickFindsAnEntryByTextAndMistakesAndFailuresBecomeNotes) {
  Terminal terminal(
      "@pick B.VBS\n@click cmdTryCommand\n@select 7\n@select x\n@click cmdMissing\n"
      "@menu mnuMissing\n@dance\n@click refresh\n@menu change language\n");
  ParserWindow window;
  window.form.control("cmdTryCommand").onClick([] { raise(ErrorCode::kFileNotFound); });
  terminal.ui.showModal(window.form, nullptr);
  EXPECT_EQ(window.events, (ParserWindow::Events{"load", "scripts:1", "cmdRefresh", "mnuLang"}));
  for (const char* note : {"[note no entry 7 in scripts]\n", "[note no entry x in scripts]\n",
                           "[note no control cmdMissing]\n", "[note no menu item mnuMissing]\n",
                           "[note unknown action: dance]\n", "[note error: File not found]\n"}) {
    EXPECT_TRUE(terminal.printed(note)) << note << " missing in\n" << terminal.transcript();
  }
  EXPECT_EQ(terminal.rest(), "");
}

TEST(TerminalForm, ABoxOrAnotherWindowOpenedByAnActionReadsTheNextLines) {
  Terminal terminal("@click cmdRefresh\n@Yes\n@menu mnuLang\n@pick Dutch\n@close\n@close\n");
  ParserWindow window;
  Form chooser("frmLanguage", u"Language", 3105, 1905, BorderStyle::kFixedToolWindow);
  Control& languages = chooser.add(ControlKind::kDropDownList, "cmbLang", {240, 360, 2655, 315}, 0);
  chooser.onLoad([&] {
    languages.addItem(u"English");
    languages.addItem(u"Dutch");
    languages.setText(u"English");
  });
  languages.onClick([&] {
    if (languages.text() == u"Dutch") window.form.setCaption(u"Configuratie");
  });
  Answer boxAnswer = Answer::kNo;
  window.form.control("cmdRefresh").onClick([&] {
    boxAnswer = terminal.ui.messageBox(u"Sure?", Buttons::kYesNo, Icon::kQuestion, u"Refresh");
  });
  window.form.menuItem("mnuLang").onClick([&] { terminal.ui.showModal(chooser, &window.form); });

  terminal.ui.showModal(window.form, nullptr);
  EXPECT_EQ(boxAnswer, Answer::kYes);
  EXPECT_TRUE(chooser.isClosed());
  std::string transcript = terminal.transcript();
  const std::string chooserText =
      "[form frmLanguage] Language\n  cmbLang (drop-down list):\n    0 > English\n    1   Dutch\n";
  size_t chooserShown = transcript.find(chooserText);
  // The pick changed the window behind too: both are printed as they now are, the one
  // behind first.
  std::string behind = rendering("  ", "");
  behind.replace(0, behind.find('\n') + 1, "[form frmConfig] Configuratie\n");
  size_t bothAfterPick = transcript.find(
      behind +
      "[form frmLanguage] Language\n  cmbLang (drop-down list):\n    0   English\n    1 > Dutch\n");
  size_t chooserClosed = transcript.find("[closed frmLanguage]\n[form frmConfig] Configuratie\n");
  EXPECT_NE(chooserShown, std::string::npos) << transcript;
  EXPECT_NE(bothAfterPick, std::string::npos) << transcript;
  EXPECT_NE(chooserClosed, std::string::npos) << transcript;
  EXPECT_LT(chooserShown, bothAfterPick);
  EXPECT_LT(bothAfterPick, chooserClosed);
  EXPECT_TRUE(transcript.ends_with("[closed frmConfig]\n"));
}

// A person at the terminal: actions with or without the "@", a prompt, and a box that asks
// again after a wrong word.
TEST(TerminalForm, InteractiveUseTakesActionsWithOrWithoutTheAt) {
  Terminal terminal("select 1\n\n@click cmdRefresh\nmaybe\nno\nclose\n", true);
  ParserWindow window;
  Answer boxAnswer = Answer::kYes;
  window.form.control("cmdRefresh").onClick([&] {
    boxAnswer = terminal.ui.messageBox(u"Sure?", Buttons::kYesNo, Icon::kQuestion, u"T");
  });
  terminal.ui.showModal(window.form, nullptr);
  EXPECT_EQ(window.events, (ParserWindow::Events{"load", "scripts:1"}));
  EXPECT_EQ(boxAnswer, Answer::kNo);
  EXPECT_TRUE(window.form.isClosed());
  EXPECT_TRUE(terminal.printed("frmConfig> "));
  EXPECT_TRUE(terminal.printed("[note no button maybe here]"));
}

}  // namespace
}  // namespace platform
