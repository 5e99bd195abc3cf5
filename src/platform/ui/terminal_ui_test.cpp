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

TEST(Console, PeeksWithoutTakingAndDropsCarriageReturns) {
  std::istringstream in("first\r\nsecond\n");
  std::ostringstream out;
  Console console(in, out, false);
  EXPECT_EQ(console.peekLine(), u"first");
  EXPECT_EQ(console.peekLine(), u"first");
  EXPECT_EQ(console.takeLine(), u"first");
  EXPECT_EQ(console.takeLine(), u"second");
  EXPECT_EQ(console.peekLine(), std::nullopt);
  EXPECT_EQ(console.takeLine(), std::nullopt);
  console.writeLine(u"caf\u00e9");
  EXPECT_EQ(out.str(), "caf\xc3\xa9\n");
}

TEST(Console, TheInstalledConsoleIsTheProcessConsoleUntilItGoes) {
  std::istringstream in;
  std::ostringstream out;
  Console& standard = Console::current();
  {
    Console console(in, out, false);
    Console::install(&console);
    EXPECT_EQ(&Console::current(), &console);
  }
  EXPECT_EQ(&Console::current(), &standard);
}

TEST(TerminalBox, AnAtLineAnswersWithoutRegardToCase) {
  Terminal terminal("@yes\nhello\n");
  Answer answer = terminal.ui.messageBox(u"Are you sure you want to delete weather.vbs?",
                                         Buttons::kYesNo, Icon::kQuestion, u"Delete parser");
  EXPECT_EQ(answer, Answer::kYes);
  EXPECT_EQ(terminal.transcript(),
            "[box Delete parser|YesNo|question] Are you sure you want to delete weather.vbs?\n"
            "[answer Yes]\n");
  EXPECT_EQ(terminal.rest(), "hello\n");
}

TEST(TerminalBox, AChatLineTakesTheFirstButtonAndStaysForTheChat) {
  Terminal terminal("/xjuvo weather\n");
  Answer answer = terminal.ui.messageBox(u"Line one\r\nLine two\nLine three", Buttons::kOkCancel,
                                         Icon::kExclamation, u"Juvo");
  EXPECT_EQ(answer, Answer::kOk);
  EXPECT_EQ(terminal.transcript(),
            "[box Juvo|OKCancel|exclamation] Line one\nLine two\nLine three\n[answer OK]\n");
  EXPECT_EQ(terminal.rest(), "/xjuvo weather\n");
}

TEST(TerminalBox, AnAnswerTheBoxDoesNotOfferIsNotedAndTheDefaultTaken) {
  Terminal terminal("@No\n");
  EXPECT_EQ(terminal.ui.messageBox(u"Done.", Buttons::kOk, Icon::kInformation, u"Juvo"),
            Answer::kOk);
  EXPECT_EQ(terminal.transcript(),
            "[box Juvo|OK|information] Done.\n[note no button No here, OK taken]\n[answer OK]\n");
  EXPECT_EQ(terminal.rest(), "");
}

TEST(TerminalBox, EveryButtonSetAndIconHasItsName) {
  Terminal terminal("@Ignore\n@Cancel\n@retry\n@no\n");
  EXPECT_EQ(terminal.ui.messageBox(u"a", Buttons::kAbortRetryIgnore, Icon::kCritical, u"T"),
            Answer::kIgnore);
  EXPECT_EQ(terminal.ui.messageBox(u"b", Buttons::kYesNoCancel, Icon::kNone, u"T"),
            Answer::kCancel);
  EXPECT_EQ(terminal.ui.messageBox(u"c", Buttons::kRetryCancel, Icon::kQuestion, u"T"),
            Answer::kRetry);
  EXPECT_EQ(terminal.ui.messageBox(u"d", Buttons::kYesNo, Icon::kExclamation, u"T"), Answer::kNo);
  EXPECT_EQ(terminal.ui.messageBox(u"e", Buttons::kAbortRetryIgnore, Icon::kNone, u"T"),
            Answer::kAbort)
      << "at the end of the input the first button";
  EXPECT_EQ(terminal.transcript(),
            "[box T|AbortRetryIgnore|critical] a\n[answer Ignore]\n"
            "[box T|YesNoCancel|none] b\n[answer Cancel]\n"
            "[box T|RetryCancel|question] c\n[answer Retry]\n"
            "[box T|YesNo|exclamation] d\n[answer No]\n"
            "[box T|AbortRetryIgnore|none] e\n[answer Abort]\n");
}

TEST(TerminalInput, AnAtLineGivesTheTextAfterItAndAnyOtherLineCancels) {
  Terminal terminal("@weather Amsterdam\n@\nhello\n");
  EXPECT_EQ(terminal.ui.inputBox(u"Arguments:", u"Try command", u"x"), u"weather Amsterdam");
  EXPECT_EQ(terminal.ui.inputBox(u"Again:", u"Try command", u""), u"");
  EXPECT_EQ(terminal.ui.inputBox(u"Once more:", u"Try command", u""), std::nullopt);
  EXPECT_EQ(terminal.transcript(),
            "[input Try command] Arguments:\n[answer weather Amsterdam]\n"
            "[input Try command] Again:\n[answer ]\n"
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
};

constexpr const char* kParserWindowWithA =
    "[form frmConfig] Configuration\n"
    "  lblInstalledParsers: Installed parsers:\n"
    "  scripts (list):\n"
    "    0   a.vbs\n"
    "    1   b.vbs\n"
    "  [cmdRefresh: Refresh]\n"
    "  destxt (text box):\n"
    "  [cmdTryCommand: Try command]\n"
    "[menu] mnuFile F&ile: mnuLang Change &language, -, mnuClose &Close\n";

TEST(TerminalForm, PrintsTheWindowAndCarriesOutActionsUntilAChatLine) {
  Terminal terminal("@select 1\n@click cmdRefresh\n@menu mnuLang\n/xjuvo weather\n");
  ParserWindow window;
  terminal.ui.showModal(window.form, nullptr);

  EXPECT_TRUE(window.form.isClosed());
  EXPECT_EQ(window.events,
            (std::vector<std::string>{"load", "scripts:1", "cmdRefresh", "mnuLang"}));
  EXPECT_EQ(terminal.transcript(),
            std::string(kParserWindowWithA) +
                // after the selection: the window again, with the mark and the new text
                "[form frmConfig] Configuration\n"
                "  lblInstalledParsers: Installed parsers:\n"
                "  scripts (list):\n"
                "    0   a.vbs\n"
                "    1 > b.vbs\n"
                "  [cmdRefresh: Refresh]\n"
                "  destxt (text box): About b.vbs\n"
                "    Second line\n"
                "  [cmdTryCommand: Try command]\n"
                "[menu] mnuFile F&ile: mnuLang Change &language, -, mnuClose &Close\n"
                // the click and the menu changed nothing: no new rendering
                "[closed frmConfig]\n");
  EXPECT_EQ(terminal.rest(), "/xjuvo weather\n");
}

TEST(TerminalForm, CloseAndMenuCloseEndTheWindowAndLeaveTheRest) {
  Terminal first("@close\n@Yes\n");
  ParserWindow closedByAction;
  first.ui.showModal(closedByAction.form, nullptr);
  EXPECT_TRUE(closedByAction.form.isClosed());
  EXPECT_EQ(first.transcript(), std::string(kParserWindowWithA) + "[closed frmConfig]\n");
  EXPECT_EQ(first.rest(), "@Yes\n");

  Terminal second("@menu mnuClose\n@select 0\n");
  ParserWindow closedByMenu;
  second.ui.showModal(closedByMenu.form, nullptr);
  EXPECT_TRUE(closedByMenu.form.isClosed());
  EXPECT_EQ(second.rest(), "@select 0\n");
}

TEST(TerminalForm, PickFindsAnEntryByTextAndMistakesBecomeNotes) {
  Terminal terminal(
      "@pick B.VBS\n@select 7\n@select x\n@click cmdMissing\n@menu mnuMissing\n@dance\n"
      "@click refresh\n@menu change language\n");
  ParserWindow window;
  window.form.control("cmdTryCommand").setEnabled(false);
  terminal.ui.showModal(window.form, nullptr);
  EXPECT_EQ(window.events,
            (std::vector<std::string>{"load", "scripts:1", "cmdRefresh", "mnuLang"}));
  std::string transcript = terminal.transcript();
  for (const char* note :
       {"[note no entry 7 in scripts]\n", "[note no entry x in scripts]\n",
        "[note no control cmdMissing]\n", "[note no menu item mnuMissing]\n",
        "[note unknown action: dance]\n", "  [cmdTryCommand: Try command] (disabled)\n"}) {
    EXPECT_NE(transcript.find(note), std::string::npos) << note << " missing in\n" << transcript;
  }
}

TEST(TerminalForm, AFailingHandlerBecomesANoteAndTheWindowStays) {
  Terminal terminal("@click cmdRefresh\n@close\n");
  ParserWindow window;
  window.form.control("cmdRefresh").onClick([] { raise(ErrorCode::kFileNotFound); });
  terminal.ui.showModal(window.form, nullptr);
  EXPECT_NE(terminal.transcript().find("[note error: File not found]\n"), std::string::npos)
      << terminal.transcript();
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
  languages.onClick([&] { window.form.setCaption(u"Configuratie"); });
  Answer boxAnswer = Answer::kNo;
  window.form.control("cmdRefresh").onClick([&] {
    boxAnswer = terminal.ui.messageBox(u"Sure?", Buttons::kYesNo, Icon::kQuestion, u"Refresh");
  });
  window.form.menuItem("mnuLang").onClick([&] { terminal.ui.showModal(chooser, &window.form); });

  terminal.ui.showModal(window.form, nullptr);
  EXPECT_EQ(boxAnswer, Answer::kYes);
  EXPECT_TRUE(chooser.isClosed());
  EXPECT_EQ(window.form.caption(), u"Configuratie");
  std::string transcript = terminal.transcript();
  size_t chooserShown = transcript.find(
      "[form frmLanguage] Language\n"
      "  cmbLang (drop-down list):\n"
      "    0 > English\n"
      "    1   Dutch\n");
  size_t chooserClosed = transcript.find("[closed frmLanguage]\n[form frmConfig] Configuratie\n");
  EXPECT_NE(chooserShown, std::string::npos) << transcript;
  EXPECT_NE(chooserClosed, std::string::npos) << transcript;
  EXPECT_LT(chooserShown, chooserClosed);
  EXPECT_TRUE(transcript.ends_with("[closed frmConfig]\n"));
}

TEST(TerminalForm, SelectNamesTheListWhenThereAreSeveral) {
  Terminal terminal("@select 0\n@select lstTwo 1\n");
  Form form("frmTwo", u"Two lists", 3000, 3000);
  for (auto name : {"lstOne", "lstTwo"}) {
    Control& list =
        form.add(ControlKind::kListBox, name, {name[3] == 'O' ? 0 : 1500, 0, 1400, 900}, 0);
    list.addItem(u"x");
    list.addItem(u"y");
  }
  terminal.ui.showModal(form, nullptr);
  EXPECT_EQ(form.control("lstOne").selectedIndex(), -1);
  EXPECT_EQ(form.control("lstTwo").selectedIndex(), 1);
  EXPECT_NE(terminal.transcript().find("[note which list? select NAME N]"), std::string::npos);
}

TEST(TerminalForm, InteractiveUseTakesActionsWithOrWithoutTheAt) {
  Terminal terminal("select 1\n\n@click cmdRefresh\nclose\n", true);
  ParserWindow window;
  terminal.ui.showModal(window.form, nullptr);
  EXPECT_EQ(window.events, (std::vector<std::string>{"load", "scripts:1", "cmdRefresh"}));
  EXPECT_TRUE(window.form.isClosed());
  EXPECT_NE(terminal.transcript().find("frmConfig> "), std::string::npos);
}

TEST(TerminalBox, InteractiveUseAsksAgainAfterAWrongWord) {
  Terminal terminal("maybe\nno\n", true);
  EXPECT_EQ(terminal.ui.messageBox(u"Sure?", Buttons::kYesNo, Icon::kQuestion, u"T"), Answer::kNo);
  EXPECT_NE(terminal.transcript().find("[note no button maybe here]"), std::string::npos);
}

}  // namespace
}  // namespace platform
