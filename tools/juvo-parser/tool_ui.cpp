#include "tool_ui.h"

#include "platform/base/text.h"
#include "platform/ui/form.h"

namespace juvo::tool {

platform::Answer ToolUi::messageBox(std::u16string_view text, platform::Buttons buttons,
                                    platform::Icon icon, std::u16string_view title) {
  const platform::Answer answer = platform::firstButton(buttons);
  shown_.push_back({ShownBox::Kind::kMessage, std::u16string(title), std::u16string(text), buttons,
                    icon, answer});
  return answer;
}

std::optional<std::u16string> ToolUi::inputBox(std::u16string_view prompt,
                                               std::u16string_view title, std::u16string_view) {
  shown_.push_back({ShownBox::Kind::kInput, std::u16string(title), std::u16string(prompt),
                    platform::Buttons::kOkCancel, platform::Icon::kNone,
                    platform::Answer::kCancel});
  return std::nullopt;
}

void ToolUi::showModal(platform::Form& form, platform::Form*) {
  shown_.push_back({ShownBox::Kind::kForm, form.caption(), platform::fromUtf8(form.name()),
                    platform::Buttons::kOk, platform::Icon::kNone, platform::Answer::kCancel});
}

std::vector<ShownBox> ToolUi::take() {
  std::vector<ShownBox> taken;
  taken.swap(shown_);
  return taken;
}

}  // namespace juvo::tool
