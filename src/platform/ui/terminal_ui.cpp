#include "platform/ui/terminal_ui.h"

#include <algorithm>
#include <array>
#include <functional>
#include <vector>

#include "platform/base/error.h"
#include "platform/base/text.h"
#include "platform/ui/console.h"
#include "platform/ui/form.h"
#include "platform/ui/terminal_form_text.h"

namespace platform {

namespace {

constexpr std::u16string_view kFormHelp =
    u"[help] select [NAME] N | pick TEXT | click NAME | menu NAME | close | an empty line "
    u"shows the window again";

// Writes `head` followed by `text`, whose line breaks become real ones.
void writeBlock(Console& console, std::u16string head, std::u16string_view text) {
  std::vector<std::u16string> lines = splitLines(text);
  console.writeLine(head + lines.front());
  for (size_t i = 1; i < lines.size(); ++i)
    console.writeLine(lines[i]);
}

void note(Console& console, std::u16string_view text) {
  console.writeLine(u"[note " + std::u16string(text) + u"]");
}

bool startsWithAt(const std::optional<std::u16string>& line) {
  return line && !line->empty() && line->front() == u'@';
}

std::u16string withoutAccessKeys(std::u16string_view caption) {
  std::u16string plain;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == u'&' && i + 1 < caption.size()) ++i;
    plain += caption[i];
  }
  return plain;
}

// The first word of `text` and the rest, both without surrounding blanks.
std::pair<std::u16string, std::u16string> splitWord(std::u16string_view text) {
  text = trimSpaces(text);
  size_t space = text.find(u' ');
  if (space == std::u16string_view::npos) return {std::u16string(text), {}};
  return {std::u16string(text.substr(0, space)), std::u16string(trimSpaces(text.substr(space)))};
}

std::optional<int> parseIndex(std::u16string_view text) {
  if (text.empty() || text.size() > 9) return std::nullopt;
  int value = 0;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') return std::nullopt;
    value = value * 10 + (c - u'0');
  }
  return value;
}

bool isList(const Control& control) {
  return control.kind() == ControlKind::kListBox || control.kind() == ControlKind::kDropDownList;
}

// Carries out the form actions of one modal show.
class FormSession {
 public:
  FormSession(Form& form, Console& console) : form_(form), console_(console) {}

  // One action, the text after the "@". Failures become notes: the window stays open.
  void perform(std::u16string_view action) {
    auto [verb, rest] = splitWord(action);
    try {
      std::u16string lowerVerb = toLower(verb);
      if (lowerVerb == u"select") {
        select(rest);
      } else if (lowerVerb == u"pick") {
        pick(rest);
      } else if (lowerVerb == u"click") {
        click(rest);
      } else if (lowerVerb == u"menu") {
        menu(rest);
      } else if (lowerVerb == u"close") {
        form_.close();
      } else if (lowerVerb == u"help" && console_.isInteractive()) {
        console_.writeLine(kFormHelp);
      } else {
        note(console_, u"unknown action: " + std::u16string(action));
      }
    } catch (const Error& error) {
      note(console_, u"error: " + error.description());
    } catch (const std::exception& error) {
      note(console_, u"error: " + fromUtf8(error.what()));
    }
  }

 private:
  Control* findControl(std::u16string_view name) {
    std::string utf8 = toUtf8(name);
    if (Control* exact = form_.findControl(utf8)) return exact;
    for (Control* control : readingOrder(form_)) {
      if (equalsIgnoreCase(fromUtf8(control->name()), name)) return control;
    }
    for (Control* control : readingOrder(form_)) {
      if (control->kind() == ControlKind::kCommandButton &&
          equalsIgnoreCase(withoutAccessKeys(control->text()), name)) {
        return control;
      }
    }
    return nullptr;
  }

  MenuItem* findMenuItem(std::u16string_view name) {
    if (MenuItem* exact = form_.findMenuItem(toUtf8(name))) return exact;
    MenuItem* found = nullptr;
    std::function<void(const MenuItem&)> visit = [&](const MenuItem& item) {
      for (const auto& child : item.children()) {
        if (found) return;
        if (!child->isSeparator() &&
            (equalsIgnoreCase(fromUtf8(child->name()), name) ||
             equalsIgnoreCase(withoutAccessKeys(child->caption()), name))) {
          found = child.get();
        }
        visit(*child);
      }
    };
    for (const auto& top : form_.menuBar()) {
      if (!found && (equalsIgnoreCase(fromUtf8(top->name()), name) ||
                     equalsIgnoreCase(withoutAccessKeys(top->caption()), name))) {
        found = top.get();
      }
      visit(*top);
    }
    return found;
  }

  bool usable(const Control& control) {
    if (control.enabled()) return true;
    note(console_, fromUtf8(control.name()) + u" is disabled");
    return false;
  }

  void select(std::u16string_view args) {
    auto [first, second] = splitWord(args);
    Control* list = nullptr;
    std::u16string indexText = first;
    if (!second.empty()) {
      list = findControl(first);
      indexText = second;
      if (!list || !isList(*list)) return note(console_, u"no list named " + first);
    } else {
      for (Control* control : readingOrder(form_)) {
        if (isList(*control)) {
          if (list) return note(console_, u"which list? select NAME N");
          list = control;
        }
      }
      if (!list) return note(console_, u"this window has no list");
    }
    std::optional<int> index = parseIndex(indexText);
    if (!index || *index >= static_cast<int>(list->items().size())) {
      return note(console_, u"no entry " + indexText + u" in " + fromUtf8(list->name()));
    }
    if (usable(*list)) list->setSelectedIndex(*index);
  }

  void pick(std::u16string_view text) {
    std::vector<Control*> lists;
    for (Control* control : readingOrder(form_)) {
      if (isList(*control)) lists.push_back(control);
    }
    // An exact entry first; a match without regard to case only when there is none.
    for (bool exact : {true, false}) {
      for (Control* list : lists) {
        const auto& items = list->items();
        for (size_t i = 0; i < items.size(); ++i) {
          if (exact ? items[i] == text : equalsIgnoreCase(items[i], text)) {
            if (usable(*list)) list->setSelectedIndex(static_cast<int>(i));
            return;
          }
        }
      }
    }
    note(console_, u"no entry " + std::u16string(text));
  }

  void click(std::u16string_view name) {
    Control* control = findControl(name);
    if (!control) return note(console_, u"no control " + std::u16string(name));
    if (usable(*control)) control->click();
  }

  void menu(std::u16string_view name) {
    MenuItem* item = findMenuItem(name);
    if (!item || item->isSeparator()) {
      return note(console_, u"no menu item " + std::u16string(name));
    }
    if (!item->enabled()) return note(console_, fromUtf8(item->name()) + u" is disabled");
    item->click();
  }

  Form& form_;
  Console& console_;
};

void printForm(Console& console, const Form& form) {
  for (const auto& line : describeForm(form))
    console.writeLine(line);
}

}  // namespace

std::u16string_view buttonsName(Buttons buttons) {
  switch (buttons) {
    case Buttons::kOk:
      return u"OK";
    case Buttons::kOkCancel:
      return u"OKCancel";
    case Buttons::kAbortRetryIgnore:
      return u"AbortRetryIgnore";
    case Buttons::kYesNoCancel:
      return u"YesNoCancel";
    case Buttons::kYesNo:
      return u"YesNo";
    case Buttons::kRetryCancel:
      return u"RetryCancel";
  }
  return u"OK";
}

std::u16string_view iconName(Icon icon) {
  switch (icon) {
    case Icon::kNone:
      return u"none";
    case Icon::kCritical:
      return u"critical";
    case Icon::kQuestion:
      return u"question";
    case Icon::kExclamation:
      return u"exclamation";
    case Icon::kInformation:
      return u"information";
  }
  return u"none";
}

std::u16string_view answerName(Answer answer) {
  switch (answer) {
    case Answer::kOk:
      return u"OK";
    case Answer::kCancel:
      return u"Cancel";
    case Answer::kAbort:
      return u"Abort";
    case Answer::kRetry:
      return u"Retry";
    case Answer::kIgnore:
      return u"Ignore";
    case Answer::kYes:
      return u"Yes";
    case Answer::kNo:
      return u"No";
  }
  return u"OK";
}

Console& TerminalUi::console() {
  return console_ ? *console_ : Console::current();
}

Answer TerminalUi::messageBox(std::u16string_view text, Buttons buttons, Icon icon,
                              std::u16string_view title) {
  ++modalShows_;
  Console& console = this->console();
  writeBlock(console,
             u"[box " + std::u16string(title) + u"|" + std::u16string(buttonsName(buttons)) + u"|" +
                 std::u16string(iconName(icon)) + u"] ",
             text);
  const std::vector<Answer> choices = buttonAnswers(buttons);
  auto lookUp = [&](std::u16string_view word) -> std::optional<Answer> {
    for (Answer choice : choices) {
      if (equalsIgnoreCase(answerName(choice), word)) return choice;
    }
    return std::nullopt;
  };
  Answer answer = choices.front();
  if (console.isInteractive()) {
    std::u16string prompt = u"answer (";
    for (size_t i = 0; i < choices.size(); ++i) {
      prompt += (i ? u"/" : u"") + std::u16string(answerName(choices[i]));
    }
    prompt += u"; an empty line takes " + std::u16string(answerName(answer)) + u"): ";
    while (true) {
      console.write(prompt);
      std::optional<std::u16string> line = console.takeLine();
      if (!line) break;
      std::u16string_view word = trimSpaces(*line);
      if (!word.empty() && word.front() == u'@') word = trimSpaces(word.substr(1));
      if (word.empty()) break;
      if (auto chosen = lookUp(word)) {
        answer = *chosen;
        break;
      }
      note(console, u"no button " + std::u16string(word) + u" here");
    }
  } else if (std::optional<std::u16string> line = console.peekLine(); startsWithAt(line)) {
    console.takeLine();
    std::u16string_view word = trimSpaces(std::u16string_view(*line).substr(1));
    if (auto chosen = lookUp(word)) {
      answer = *chosen;
    } else {
      note(console, u"no button " + std::u16string(word) + u" here, " +
                        std::u16string(answerName(answer)) + u" taken");
    }
  }
  console.writeLine(u"[answer " + std::u16string(answerName(answer)) + u"]");
  return answer;
}

std::optional<std::u16string> TerminalUi::inputBox(std::u16string_view prompt,
                                                   std::u16string_view title,
                                                   std::u16string_view /*defaultText*/) {
  ++modalShows_;
  Console& console = this->console();
  writeBlock(console, u"[input " + std::u16string(title) + u"] ", prompt);
  std::optional<std::u16string> answer;
  if (console.isInteractive()) {
    console.write(u"answer (an empty line cancels, \"@\" alone answers nothing): ");
    if (std::optional<std::u16string> line = console.takeLine(); line && !line->empty()) {
      answer = line->front() == u'@' ? line->substr(1) : *line;
    }
  } else if (std::optional<std::u16string> line = console.peekLine(); startsWithAt(line)) {
    console.takeLine();
    answer = line->substr(1);
  }
  // The box's Cancel button, as "@Cancel" answers any other box.
  if (answer && equalsIgnoreCase(trimSpaces(*answer), answerName(Answer::kCancel))) {
    answer.reset();
  }
  console.writeLine(answer ? u"[answer " + *answer + u"]" : std::u16string(u"[answer cancel]"));
  return answer;
}

void TerminalUi::showModal(Form& form, Form* /*owner*/) {
  if (form.isClosed()) return;
  ++modalShows_;
  form.setShown(true);
  if (form.isClosed()) return;
  Console& console = this->console();
  OpenForm shown{&form, false};
  bool& changed = shown.changed;
  int subscription = form.subscribe([&changed](const FormChange&) { changed = true; });
  open_.push_back(&shown);
  struct Unsubscribe {
    Form& form;
    int id;
    std::vector<OpenForm*>& open;
    ~Unsubscribe() {
      form.unsubscribe(id);
      open.pop_back();
    }
  } unsubscribe{form, subscription, open_};

  FormSession session(form, console);
  printForm(console, form);
  if (console.isInteractive()) console.writeLine(kFormHelp);
  while (!form.isClosed()) {
    std::u16string action;
    if (console.isInteractive()) {
      console.write(fromUtf8(form.name()) + u"> ");
      std::optional<std::u16string> line = console.takeLine();
      if (!line) break;
      std::u16string_view typed = trimSpaces(*line);
      if (!typed.empty() && typed.front() == u'@') typed = typed.substr(1);
      if (trimSpaces(typed).empty()) {
        printForm(console, form);
        continue;
      }
      action = std::u16string(typed);
    } else {
      std::optional<std::u16string> line = console.peekLine();
      if (!startsWithAt(line)) break;
      console.takeLine();
      action = line->substr(1);
    }
    for (OpenForm* open : open_)
      open->changed = false;
    int showsBefore = modalShows_;
    session.perform(action);
    if (form.isClosed()) continue;
    for (OpenForm* behind : open_) {
      if (behind != &shown && behind->changed) {
        printForm(console, *behind->form);
        behind->changed = false;
      }
    }
    if (changed || modalShows_ != showsBefore) printForm(console, form);
  }
  form.close();
  console.writeLine(u"[closed " + fromUtf8(form.name()) + u"]");
}

}  // namespace platform
