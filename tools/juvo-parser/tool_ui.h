// ToolUi: the user interface of juvo-parser. Nobody is there to answer a box at a command
// line, so each one takes its default answer at once (the first button; an input box is
// cancelled; a form closes) and is kept, in the order shown, for the command to print.
#pragma once

#include <string>
#include <vector>

#include "platform/ui/ui.h"

namespace juvo::tool {

struct ShownBox {
  enum class Kind { kMessage, kInput, kForm };
  Kind kind = Kind::kMessage;
  std::u16string title;
  std::u16string text;  // the message, the input box's prompt, or the form's name
  platform::Buttons buttons = platform::Buttons::kOk;
  platform::Icon icon = platform::Icon::kNone;
  platform::Answer answer = platform::Answer::kOk;  // message boxes: the button taken
};

class ToolUi final : public platform::Ui {
 public:
  platform::Answer messageBox(std::u16string_view text, platform::Buttons buttons,
                              platform::Icon icon, std::u16string_view title) override;
  std::optional<std::u16string> inputBox(std::u16string_view prompt, std::u16string_view title,
                                         std::u16string_view defaultText) override;
  void showModal(platform::Form& form, platform::Form* owner) override;

  // The boxes shown since the last call, in order.
  std::vector<ShownBox> take();

 private:
  std::vector<ShownBox> shown_;
};

}  // namespace juvo::tool
