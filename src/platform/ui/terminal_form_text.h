// The text rendering of a form for the terminal: what a reader of the transcript sees of a
// window, one line per entry.
#pragma once

#include <string>
#include <vector>

namespace platform {

class Control;
class Form;

// The lines of `form`: a heading "[form NAME] CAPTION", then the visible controls column by
// column (by left edge, then top edge), then one line per menu of the menu bar:
//
//   [form frmLanguage] Language
//     lblSelectLanguage: Select language:
//     cmbLang (drop-down list):
//       0 > English
//       1   Dutch
//     [cmdTry: Try command]
//     destxt (text box): first line
//       second line
//   [menu] mnuFile F&ile: mnuLang Change &language, -, mnuClose &Close
std::vector<std::u16string> describeForm(const Form& form);

// The visible controls in the order describeForm lists them.
std::vector<Control*> readingOrder(const Form& form);

// `text` split at CR LF, LF or a lone CR.
std::vector<std::u16string> splitLines(std::u16string_view text);

}  // namespace platform
