#include "config/frm_config.h"

#include <string_view>

#include "engine/parser_info.h"
#include "engine/run_script.h"
#include "engine/script_events.h"
#include "engine/script_host.h"
#include "engine/tidy_step.h"
#include "language/c_language.h"
#include "platform/base/error.h"
#include "platform/base/text.h"
#include "platform/files/files.h"
#include "platform/inet/web_transfer.h"
#include "platform/platform.h"
#include "platform/ui/ui.h"
#include "shared/shared_objects.h"

namespace juvo {

namespace {

using platform::Bounds;
using platform::ControlKind;

constexpr int kClientWidth = 5340;
constexpr int kClientHeight = 4800;

struct ControlLayout {
  ControlKind kind;
  const char* name;
  Bounds bounds;
  int tabIndex;
};

constexpr ControlLayout kControls[] = {
    {ControlKind::kLabel, "lblInstalledParsers", {120, 120, 1935, 255}, 6},
    {ControlKind::kListBox, "scripts", {120, 360, 2055, 3375}, 1},
    {ControlKind::kCommandButton, "cmdRefresh", {120, 3840, 2055, 375}, 7},
    {ControlKind::kCommandButton, "cmdDeleteParser", {120, 4200, 2055, 375}, 8},
    {ControlKind::kLabel, "lblDescription", {2520, 120, 2655, 255}, 2},
    {ControlKind::kTextBox, "destxt", {2520, 360, 2655, 645}, 3},
    {ControlKind::kLabel, "lblSyntax", {2520, 1080, 2655, 255}, 9},
    {ControlKind::kTextBox, "syntxt", {2520, 1320, 2655, 525}, 10},
    {ControlKind::kLabel, "lblHowToUse", {2520, 1920, 2655, 255}, 4},
    {ControlKind::kTextBox, "helptxt", {2520, 2160, 2655, 2055}, 5},
    {ControlKind::kCommandButton, "cmdTryCommand", {2520, 4200, 2655, 375}, 0},
};

// The order in which loadlang sets them: menu items, labels, buttons.
constexpr std::string_view kMenuCaptions[] = {
    "mnuFile", "mnuLang", "mnuUpdate",        "mnuDownloadParsers", "mnuClose",
    "mnuHelp", "mnuUse",  "mnuMakeOwnParser", "mnuAbout",
};
constexpr std::string_view kControlCaptions[] = {
    "lblInstalledParsers", "lblDescription",  "lblSyntax",     "lblHowToUse",
    "cmdRefresh",          "cmdDeleteParser", "cmdTryCommand",
};

constexpr char16_t kDeleteTitle[] = u"Delete parser";

std::u16string key(std::string_view name) {
  return platform::fromUtf8(name);
}

}  // namespace

frmConfig::frmConfig(SharedObjects& shared)
    : shared_(shared),
      form_("frmConfig", u"", kClientWidth, kClientHeight),
      script_(makeScriptHost(shared.platform)) {
  // The script host starts with the language "VBScript"; each run sets its own.
  wireScriptEvents(*script_, shared_);

  for (const ControlLayout& layout : kControls) {
    platform::Control& control =
        form_.add(layout.kind, layout.name, layout.bounds, layout.tabIndex);
    if (layout.kind == ControlKind::kTextBox) {
      control.setMultiLine(true).setLocked(true).setVerticalScrollBar(true);
    }
  }

  platform::MenuItem& file = form_.addMenu("mnuFile", u"");
  file.add("mnuLang", u"");
  file.add("mnuUpdate", u"");
  file.add("mnuDownloadParsers", u"");
  file.addSeparator("mnuSpacer");
  file.add("mnuClose", u"");
  platform::MenuItem& help = form_.addMenu("mnuHelp", u"");
  help.add("mnuUse", u"");
  help.add("mnuMakeOwnParser", u"");
  help.addSeparator("mnuSpace2");
  help.add("mnuAbout", u"");
  wireMenus();

  form_.control("scripts").onClick([this] { scripts_Click(); });
  form_.control("cmdRefresh").onClick([this] { cmdRefresh_Click(); });
  form_.control("cmdDeleteParser").onClick([this] { cmdDeleteParser_Click(); });
  form_.control("cmdTryCommand").onClick([this] { cmdTryCommand_Click(); });
  form_.onLoad([this] { Form_Load(); });
}

frmConfig::~frmConfig() = default;

void frmConfig::loadlang() {
  const cLanguage& table = shared_.language();
  for (std::string_view name : kMenuCaptions) {
    form_.menuItem(name).setCaption(table.str(key(name)));
  }
  for (std::string_view name : kControlCaptions) {
    form_.control(name).setText(table.str(key(name)));
  }
  form_.setCaption(table.str(u"frmConfig"));
}

void frmConfig::scriptschange() {
  showParserInfo(*script_, shared_, *this, form_);
}

std::u16string frmConfig::runScript(std::u16string_view filename, std::u16string_view argument) {
  return juvo::runScript(*script_, shared_, *this, filename, argument);
}

platform::Variant frmConfig::runProcedure(std::u16string_view name,
                                          std::span<platform::Variant> args) {
  return script_->Run(name, args);
}

std::u16string frmConfig::fetch(std::u16string_view url) {
  return shared_.platform.web.openUrl(url, script_->stopCheck()).text;
}

platform::StopCheck frmConfig::scriptStop() {
  return script_->stopCheck();
}

std::u16string frmConfig::tidy(std::u16string_view document) {
  return tidyStep(otidy_, document, [this](const platform::TidyMessage& message) {
    if (tidyListener) tidyListener(message);
    otidy_OnMessage(message.level, message.line, message.column, message.text);
  });
}

void frmConfig::otidy_OnMessage(int32_t level, int32_t line, int32_t, std::u16string_view Message) {
  otidyMessageBox(shared_.platform.ui, level, line, Message);
}

void frmConfig::Form_Load() {
  loadlang();
  loadscripts();
}

void frmConfig::loadscripts() {
  platform::Control& list = form_.control("scripts");
  list.clearItems();
  const std::u16string folder = shared_.parsersFolder();
  for (std::u16string_view pattern : {u"/*.vbs", u"/*.js"}) {
    for (std::u16string& name : platform::files::find(folder + std::u16string(pattern),
                                                      platform::files::Entries::kOrdinaryFiles)) {
      list.addItem(std::move(name));
    }
  }
  // Clearing left nothing selected, so this is a change and raises the click.
  if (!list.items().empty()) list.setSelectedIndex(0);
}

void frmConfig::scripts_Click() {
  scriptschange();
}

void frmConfig::cmdRefresh_Click() {
  loadscripts();
}

void frmConfig::cmdDeleteParser_Click() {
  const std::u16string entry = form_.control("scripts").text();
  const std::u16string question =
      platform::replaceAll(shared_.language().str(u"msgSureDelete"), u"%parser%", entry);
  platform::Ui& ui = shared_.platform.ui;
  if (ui.messageBox(question, platform::Buttons::kYesNo, platform::Icon::kQuestion, kDeleteTitle) !=
      platform::Answer::kYes) {
    return;
  }
  // Nothing selected: the path would name the parser folder itself.
  if (entry.empty()) return;
  try {
    platform::files::deleteFile(shared_.parsersFolder() + u"/" + entry);
  } catch (...) {
    platform::Error failure = platform::currentError();
    ui.messageBox(failure.description(), platform::Buttons::kOk, platform::Icon::kExclamation,
                  kDeleteTitle);
  }
}

void frmConfig::cmdTryCommand_Click() {
  tryParser(*script_, shared_, *this, form_);
}

}  // namespace juvo
