#include "platform/ui/ui.h"

namespace platform {

std::vector<Answer> buttonAnswers(Buttons buttons) {
  switch (buttons) {
    case Buttons::kOk:
      return {Answer::kOk};
    case Buttons::kOkCancel:
      return {Answer::kOk, Answer::kCancel};
    case Buttons::kAbortRetryIgnore:
      return {Answer::kAbort, Answer::kRetry, Answer::kIgnore};
    case Buttons::kYesNoCancel:
      return {Answer::kYes, Answer::kNo, Answer::kCancel};
    case Buttons::kYesNo:
      return {Answer::kYes, Answer::kNo};
    case Buttons::kRetryCancel:
      return {Answer::kRetry, Answer::kCancel};
  }
  return {Answer::kOk};
}

Answer firstButton(Buttons buttons) {
  return buttonAnswers(buttons).front();
}

}  // namespace platform
