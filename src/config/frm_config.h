// frmConfig: the configuration window, as a form model with its logic. It lists the parser
// files of <module>/JUVO/Parsers (VBScript files first, then JScript files), re-reads the list,
// deletes the selected parser after a question, and carries the File and Help menus: the
// language window, the update check, the maker's web pages, the About box and Close.
//
// The window's load event runs the load sequence: loadlang, then loadscripts, whose selection
// of the first entry raises the click of `scripts` and so scriptschange. Captions and messages
// come from the string table `lang` of the shared objects at the moment they are set.
//
// Deleting: the question names the selected entry (an empty name when nothing is selected; Yes
// then deletes nothing). A delete that fails (the file already gone, a folder of that name, no
// permission) is reported in a message box titled "Delete parser" with the file system's
// description of the failure and an OK button, since the list is not re-read and the user
// could not tell otherwise. Nothing else happens: the list stays as it is.
//
// Where the window appears on the screen is left to the renderer.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "engine/engine_host.h"
#include "platform/script/script_control.h"
#include "platform/tidy/tidy_document.h"
#include "platform/ui/form.h"
#include "shared/config_window.h"

namespace juvo {

class SharedObjects;

class frmConfig final : public ConfigWindow, public EngineHost {
 public:
  // Builds the window, not yet loaded: its controls and menus carry no captions until the
  // load sequence (form().load()) runs.
  explicit frmConfig(SharedObjects& shared);
  ~frmConfig() override;
  frmConfig(const frmConfig&) = delete;
  frmConfig& operator=(const frmConfig&) = delete;

  platform::Form& form() override { return form_; }

  // Sets every caption from the string table: the menu items, the labels, the buttons, then
  // the window's own caption. Touches nothing else. A failed lookup goes to the caller, with
  // the captions before it already set; no string table raises kObjectVariableNotSet.
  void loadlang() override;

  // Shows the selected parser's description, syntax and help in the three text boxes. Never
  // fails; see showParserInfo (engine/parser_info.h).
  void scriptschange() override;

  // Runs the parser file at `filename` with `argument` in this window's script host and returns
  // its result in chunks; every failure goes to the caller (engine/run_script.h).
  std::u16string runScript(std::u16string_view filename, std::u16string_view argument) override;

  // The components the rest of the plug-in borrows from this window (script host, transfer
  // control, tidy object) belong here, beside the form: they live and die with the window.

  // The script host every parser runs in, also those started from the chat: VBScript to begin
  // with, the platform's script time-out, and the engine's error and time-out boxes.
  platform::ScriptControl& script() { return *script_; }

  // What the engine object borrows (engine_host.h): Run of the script host, the transfer
  // control's OpenURL (given up when the script must stop), and the tidy step, whose tidy
  // object `otidy` is replaced at each call and kept until the next (engine/tidy_step.h).
  platform::Variant runProcedure(std::u16string_view name,
                                 std::span<platform::Variant> args) override;
  std::u16string fetch(std::u16string_view url) override;
  platform::StopCheck scriptStop() override;
  std::u16string tidy(std::u16string_view document) override;

  // Told of every message of the tidy object, before the window's own handling; the plug-in
  // sets none. For tools that trace what a run did (juvo-parser).
  std::function<void(const platform::TidyMessage&)> tidyListener;

 private:
  void Form_Load();
  // Fills `scripts` from the parser folder and selects the first entry when there is one.
  void loadscripts();
  void scripts_Click();
  void cmdRefresh_Click();
  void cmdDeleteParser_Click();
  void cmdTryCommand_Click();

  // The File and Help menus (config_menus.cpp).
  void wireMenus();
  void mnuLang_Click();
  void mnuUpdate_Click();
  void mnuDownloadParsers_Click();
  void mnuClose_Click();
  void mnuUse_Click();
  void mnuMakeOwnParser_Click();
  void mnuAbout_Click();

  void otidy_OnMessage(int32_t level, int32_t line, int32_t col, std::u16string_view Message);

  SharedObjects& shared_;
  platform::Form form_;
  std::unique_ptr<platform::ScriptControl> script_;
  std::shared_ptr<platform::TidyDocument> otidy_;
};

}  // namespace juvo
