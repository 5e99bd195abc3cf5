// The terminal renderer of the Ui port. Boxes and forms are printed as transcript lines on
// the process's console and answered from its input: when the next line begins with "@" it
// answers ("@Yes", "@text", "@select 2"); any other line, or the end of the input, takes the
// default answer and stays unread for whoever reads next. At an interactive terminal the
// same answers are typed at a prompt, with or without the "@".
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/ui.h"

namespace platform {

class Console;

class TerminalUi : public Ui {
 public:
  // Reads and writes `console`, or the process's current console at each call when null.
  explicit TerminalUi(Console* console = nullptr) : console_(console) {}

  // Prints "[box TITLE|BUTTONS|ICON] TEXT", takes the answer, prints "[answer NAME]". The
  // default is the first button.
  Answer messageBox(std::u16string_view text, Buttons buttons, Icon icon,
                    std::u16string_view title) override;
  // Prints "[input TITLE] PROMPT"; "@text" answers text, "@Cancel" (any letter case) cancels,
  // and so does the default. Prints "[answer TEXT]" or "[answer cancel]". The default text is
  // not offered: an answer is typed out in full.
  std::optional<std::u16string> inputBox(std::u16string_view prompt, std::u16string_view title,
                                         std::u16string_view defaultText) override;
  // Prints the form, then carries out the actions "@select [NAME] N", "@pick TEXT",
  // "@click NAME", "@menu NAME" and "@close", printing the form again after an action that
  // changed it. Windows behind it that the action changed (its owner, say) are printed first,
  // so the reader sees every window as it now is. Any other line, or the end of the input,
  // closes the form.
  void showModal(Form& form, Form* owner) override;

 private:
  // A window shown modally right now, and whether it changed since it was last printed.
  struct OpenForm {
    Form* form;
    bool changed;
  };

  Console& console();
  Console* console_;
  // Outermost first.
  std::vector<OpenForm*> open_;
  // Counts the boxes and windows shown, so that a form learns that another one came and went
  // meanwhile and prints itself again for the user who returns to it.
  int modalShows_ = 0;
};

// The names the transcript uses.
std::u16string_view buttonsName(Buttons buttons);
std::u16string_view iconName(Icon icon);
std::u16string_view answerName(Answer answer);

}  // namespace platform
