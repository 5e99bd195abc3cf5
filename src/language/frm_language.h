// frmLanguage: the small tool window in which the user picks the language of the plug-in's
// texts. It lists "English" and the base names of the files in <module>/JUVO/Languages, with
// the language in use selected; picking an entry applies it at once: the string table is
// rebuilt from that language's file, the choice is saved in the setting "language", it becomes
// `currentlang`, and this window and the configuration window take their texts again.
//
// The configuration window's File menu shows it modally, a fresh one each time. It has no
// button of its own: the close box closes it, and closing changes nothing.
//
// Selecting the language in use when the list is filled is not a pick: it applies nothing, so
// opening the window neither re-reads the current file (and shows its error again) nor saves
// the setting. Choosing the entry that is already selected does nothing either.
#pragma once

#include "platform/ui/form.h"

namespace juvo {

class SharedObjects;

class frmLanguage {
 public:
  // Builds the window, not yet loaded: it shows the texts stored with its layout until its
  // load event (form().load(), or showing it) fills the list and sets the table's texts.
  explicit frmLanguage(SharedObjects& shared);
  frmLanguage(const frmLanguage&) = delete;
  frmLanguage& operator=(const frmLanguage&) = delete;

  platform::Form& form() { return form_; }

 private:
  void Form_Load();
  // Fills cmbLang: "English", then the language files' base names in the order the file
  // system lists them; selects `currentlang`. Each step that fails is skipped.
  void listlanguages();
  // The window's title and its two labels, from the string table.
  void setcaptions();
  // The pick: load, save, set `currentlang`, recaption both windows, refresh the selected
  // parser's information. Failures go to the caller (the renderer reports them).
  void cmbLang_Click();

  SharedObjects& shared_;
  platform::Form form_;
  bool listing_ = false;
};

}  // namespace juvo
