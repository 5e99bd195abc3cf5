#include "platform/ui/terminal_form_text.h"

#include <algorithm>

#include "platform/base/text.h"
#include "platform/ui/form.h"

namespace platform {

namespace {

constexpr char16_t kIndent[] = u"  ";

void appendBlock(std::vector<std::u16string>& lines, std::u16string head,
                 std::u16string_view text) {
  std::vector<std::u16string> parts = splitLines(text);
  // No trailing blank after an empty text.
  if (parts.front().empty() && !head.empty() && head.back() == u' ') head.pop_back();
  head += parts.front();
  lines.push_back(std::move(head));
  for (size_t i = 1; i < parts.size(); ++i) {
    lines.push_back(std::u16string(kIndent) + std::u16string(kIndent) + parts[i]);
  }
}

std::u16string kindWord(ControlKind kind) {
  switch (kind) {
    case ControlKind::kListBox:
      return u"list";
    case ControlKind::kDropDownList:
      return u"drop-down list";
    case ControlKind::kTextBox:
      return u"text box";
    default:
      return {};
  }
}

void describeControl(std::vector<std::u16string>& lines, const Control& control) {
  std::u16string name = fromUtf8(control.name());
  std::u16string state = control.enabled() ? u"" : u" (disabled)";
  std::u16string head = std::u16string(kIndent) + name;
  switch (control.kind()) {
    case ControlKind::kLabel:
      appendBlock(lines, head + state + u": ", control.text());
      break;
    case ControlKind::kCommandButton:
      lines.push_back(std::u16string(kIndent) + u"[" + name + u": " + control.text() + u"]" +
                      state);
      break;
    case ControlKind::kTextBox:
      appendBlock(lines, head + u" (" + kindWord(control.kind()) + u")" + state + u": ",
                  control.text());
      break;
    case ControlKind::kListBox:
    case ControlKind::kDropDownList: {
      lines.push_back(head + u" (" + kindWord(control.kind()) + u")" + state + u":");
      const auto& items = control.items();
      if (items.empty()) lines.push_back(std::u16string(kIndent) + kIndent + u"(empty)");
      // Indices right-aligned to the widest, so the marks line up.
      size_t width = decimal(static_cast<int64_t>(items.size()) - 1).size();
      for (size_t i = 0; i < items.size(); ++i) {
        std::u16string index = decimal(static_cast<int64_t>(i));
        index.insert(0, width - std::min(width, index.size()), u' ');
        bool selected = static_cast<int>(i) == control.selectedIndex();
        lines.push_back(std::u16string(kIndent) + kIndent + index + (selected ? u" > " : u"   ") +
                        items[i]);
      }
      break;
    }
  }
}

std::u16string describeMenu(const MenuItem& menu) {
  std::u16string line = u"[menu] " + fromUtf8(menu.name()) + u" " + menu.caption();
  if (!menu.enabled()) line += u" (disabled)";
  line += u":";
  bool first = true;
  for (const auto& child : menu.children()) {
    line += first ? u" " : u", ";
    first = false;
    if (child->isSeparator()) {
      line += u"-";
      continue;
    }
    line += fromUtf8(child->name()) + u" " + child->caption();
    if (!child->enabled()) line += u" (disabled)";
  }
  return line;
}

}  // namespace

std::vector<std::u16string> splitLines(std::u16string_view text) {
  std::vector<std::u16string> lines(1);
  for (size_t i = 0; i < text.size(); ++i) {
    char16_t c = text[i];
    if (c == u'\r' || c == u'\n') {
      if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
      lines.emplace_back();
    } else {
      lines.back() += c;
    }
  }
  return lines;
}

std::vector<Control*> readingOrder(const Form& form) {
  std::vector<Control*> order;
  for (Control* control : form.controls()) {
    if (control->visible()) order.push_back(control);
  }
  std::stable_sort(order.begin(), order.end(), [](Control* a, Control* b) {
    if (a->bounds().left != b->bounds().left) return a->bounds().left < b->bounds().left;
    return a->bounds().top < b->bounds().top;
  });
  return order;
}

std::vector<std::u16string> describeForm(const Form& form) {
  std::vector<std::u16string> lines;
  appendBlock(lines, u"[form " + fromUtf8(form.name()) + u"] ", form.caption());
  for (Control* control : readingOrder(form))
    describeControl(lines, *control);
  for (const auto& menu : form.menuBar())
    lines.push_back(describeMenu(*menu));
  return lines;
}

}  // namespace platform
