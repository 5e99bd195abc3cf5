#include "platform/ui/scripted_ui.h"

#include "platform/base/text.h"
#include "platform/ui/form.h"

namespace platform {

Answer ScriptedUi::messageBox(std::u16string_view text, Buttons buttons, Icon icon,
                              std::u16string_view title) {
  shown_.push_back({Shown::Kind::kMessageBox, std::u16string(text), std::u16string(title), buttons,
                    icon, false});
  if (answers_.empty()) return firstButton(buttons);
  Answer answer = answers_.front();
  answers_.pop_front();
  return answer;
}

std::optional<std::u16string> ScriptedUi::inputBox(std::u16string_view prompt,
                                                   std::u16string_view title,
                                                   std::u16string_view /*defaultText*/) {
  shown_.push_back({Shown::Kind::kInputBox, std::u16string(prompt), std::u16string(title),
                    Buttons::kOkCancel, Icon::kNone, false});
  if (inputs_.empty()) return std::nullopt;
  auto text = std::move(inputs_.front());
  inputs_.pop_front();
  return text;
}

void ScriptedUi::showModal(Form& form, Form* owner) {
  if (form.isClosed()) return;
  std::function<void(Form&)> action;
  if (!formActions_.empty()) {
    action = std::move(formActions_.front());
    formActions_.pop_front();
  }
  form.setShown(true);  // loads it first
  shown_.push_back({Shown::Kind::kForm, fromUtf8(form.name()), form.caption(), Buttons::kOk,
                    Icon::kNone, owner != nullptr});
  if (action && !form.isClosed()) action(form);
  form.close();
}

}  // namespace platform
