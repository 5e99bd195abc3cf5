// ScriptedUi: the Ui double for tests. It records every box and form it is shown and answers
// from queues the test fills; with an empty queue it takes the default answer (the first
// button, a cancelled input box, a form closed at once).
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/ui.h"

namespace platform {

class ScriptedUi : public Ui {
 public:
  struct Shown {
    enum class Kind { kMessageBox, kInputBox, kForm } kind;
    std::u16string text;   // box text, input prompt, or the form's name
    std::u16string title;  // box or window title
    Buttons buttons = Buttons::kOk;
    Icon icon = Icon::kNone;
    bool hasOwner = false;  // forms: shown with an owner
  };

  Answer messageBox(std::u16string_view text, Buttons buttons, Icon icon,
                    std::u16string_view title) override;
  std::optional<std::u16string> inputBox(std::u16string_view prompt, std::u16string_view title,
                                         std::u16string_view defaultText) override;
  void showModal(Form& form, Form* owner) override;

  // Queue the answers of the next boxes, input boxes and forms, in order. A form action runs
  // while the form is shown; the form closes when the action returns, unless it closed itself.
  void answer(Answer answer) { answers_.push_back(answer); }
  void answerInput(std::optional<std::u16string> text) { inputs_.push_back(std::move(text)); }
  void onForm(std::function<void(Form&)> action) { formActions_.push_back(std::move(action)); }

  const std::vector<Shown>& shown() const { return shown_; }
  void clear() { shown_.clear(); }

 private:
  std::vector<Shown> shown_;
  std::deque<Answer> answers_;
  std::deque<std::optional<std::u16string>> inputs_;
  std::deque<std::function<void(Form&)>> formActions_;
};

}  // namespace platform
