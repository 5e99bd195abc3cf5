// The Qt renderer of the Ui port: QMessageBox, QInputDialog and modal form windows. Use it
// only while a QApplication exists.
#pragma once

#include <string_view>

#include <QPixmap>

#include "platform/ui/ui.h"

class QDialog;

namespace platform {

class QtUi : public Ui {
 public:
  // Boxes are owned by the active modal window, if any; the first button is the default,
  // and Escape or the close box gives Cancel where the box has one (the only button for OK).
  Answer messageBox(std::u16string_view text, Buttons buttons, Icon icon,
                    std::u16string_view title) override;
  std::optional<std::u16string> inputBox(std::u16string_view prompt, std::u16string_view title,
                                         std::u16string_view defaultText) override;
  // Loads the form, shows it in a dialog owned by the owner's window, returns when it closes.
  void showModal(Form& form, Form* owner) override;

  // The window of `form` while it is shown modally; null otherwise.
  static QDialog* windowOf(const Form& form);
};

namespace qt {

// A picture of `form` (loaded first) as its window shows it, with a plain title bar drawn
// above the menu bar (the offscreen platform draws no frames). For tests and the documentation.
QPixmap grabForm(Form& form, bool titleBar = true);
// The same with the menu `menuName` of the menu bar popped open.
QPixmap grabFormWithMenu(Form& form, std::string_view menuName, bool titleBar = true);

}  // namespace qt
}  // namespace platform
