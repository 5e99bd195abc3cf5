// The Ui port: message boxes, input boxes and modal forms. The real one renders with Qt when
// a Qt application runs in the process and in the terminal otherwise; tests use a scripted
// double.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class Form;

enum class Buttons { kOk, kOkCancel, kAbortRetryIgnore, kYesNoCancel, kYesNo, kRetryCancel };
enum class Icon { kNone, kCritical, kQuestion, kExclamation, kInformation };
// The values of Visual Basic's vbOK ... vbNo.
enum class Answer { kOk = 1, kCancel = 2, kAbort = 3, kRetry = 4, kIgnore = 5, kYes = 6, kNo = 7 };

// The answers a box with `buttons` offers, in the order its buttons stand.
std::vector<Answer> buttonAnswers(Buttons buttons);

// The answer a box takes when nobody picks one: its first button.
Answer firstButton(Buttons buttons);

class Ui {
 public:
  virtual ~Ui() = default;

  // Shows `text` with the buttons and icon under `title`, waits for the user, returns the
  // button taken. Closing the box counts as Cancel where there is one, else as the only or
  // first button.
  virtual Answer messageBox(std::u16string_view text, Buttons buttons, Icon icon,
                            std::u16string_view title) = 0;

  // Asks for a line of text; nullopt when the user cancels.
  virtual std::optional<std::u16string> inputBox(std::u16string_view prompt,
                                                 std::u16string_view title,
                                                 std::u16string_view defaultText) = 0;

  // Shows `form` modally, owned by `owner` (nullptr: no owner), and returns when it closes.
  virtual void showModal(Form& form, Form* owner) = 0;
};

}  // namespace platform

namespace platform {

// The process's user interface: Qt windows when a Qt application runs in the process, the
// terminal otherwise (decided at each call).
Ui& systemUi();

}  // namespace platform
