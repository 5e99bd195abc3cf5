#include "platform/ui/form.h"

#include <algorithm>

#include "platform/base/error.h"
#include "platform/base/text.h"

namespace platform {

namespace {

bool isList(ControlKind kind) {
  return kind == ControlKind::kListBox || kind == ControlKind::kDropDownList;
}

[[noreturn]] void unknownName(std::string_view what, std::string_view name) {
  raise(ErrorCode::kInvalidArg, fromUtf8(std::string(what) + " not found: " + std::string(name)));
}

MenuItem* findIn(const std::vector<std::unique_ptr<MenuItem>>& items, std::string_view name) {
  for (const auto& item : items) {
    if (item->name() == name) return item.get();
    if (MenuItem* child = findIn(item->children(), name)) return child;
  }
  return nullptr;
}

}  // namespace

// ---- Control

Control::Control(Form& form, std::string name, ControlKind kind, Bounds bounds, int tabIndex)
    : form_(form), name_(std::move(name)), kind_(kind), bounds_(bounds), tabIndex_(tabIndex) {}

void Control::changed(FormChange::Kind what) {
  form_.notify({what, this, nullptr});
}

std::u16string Control::text() const {
  if (!isList(kind_)) return text_;
  return selectedIndex_ >= 0 ? items_[selectedIndex_] : std::u16string();
}

void Control::setText(std::u16string text) {
  if (isList(kind_)) {
    if (!pick(text)) setSelectedIndex(-1);
    return;
  }
  if (text == text_) return;
  text_ = std::move(text);
  changed(FormChange::Kind::kText);
}

void Control::addItem(std::u16string item) {
  items_.push_back(std::move(item));
  changed(FormChange::Kind::kItems);
}

void Control::clearItems() {
  items_.clear();
  selectedIndex_ = -1;
  changed(FormChange::Kind::kItems);
}

void Control::setSelectedIndex(int index) {
  if (index < -1 || index >= static_cast<int>(items_.size())) {
    raise(ErrorCode::kInvalidArg, u"Invalid property value");
  }
  if (index == selectedIndex_) return;
  selectedIndex_ = index;
  changed(FormChange::Kind::kSelection);
  if (index >= 0) click();
}

bool Control::pick(std::u16string_view text) {
  auto found = std::find(items_.begin(), items_.end(), text);
  if (found == items_.end()) return false;
  setSelectedIndex(static_cast<int>(found - items_.begin()));
  return true;
}

Control& Control::setLocked(bool on) {
  if (locked_ != on) {
    locked_ = on;
    changed(FormChange::Kind::kState);
  }
  return *this;
}

Control& Control::setMultiLine(bool on) {
  multiLine_ = on;
  return *this;
}

Control& Control::setVerticalScrollBar(bool on) {
  verticalScrollBar_ = on;
  return *this;
}

Control& Control::setWordWrap(bool on) {
  wordWrap_ = on;
  return *this;
}

Control& Control::setEnabled(bool on) {
  if (enabled_ != on) {
    enabled_ = on;
    changed(FormChange::Kind::kState);
  }
  return *this;
}

Control& Control::setVisible(bool on) {
  if (visible_ != on) {
    visible_ = on;
    changed(FormChange::Kind::kState);
  }
  return *this;
}

Control& Control::onClick(std::function<void()> handler) {
  onClick_ = std::move(handler);
  return *this;
}

void Control::click() {
  // A copy: the handler may replace itself or close the form.
  if (auto handler = onClick_) handler();
}

// ---- MenuItem

MenuItem::MenuItem(Form& form, std::string name, std::u16string caption, bool separator)
    : form_(form), name_(std::move(name)), caption_(std::move(caption)), separator_(separator) {}

void MenuItem::setCaption(std::u16string caption) {
  if (caption == caption_) return;
  caption_ = std::move(caption);
  form_.notify({FormChange::Kind::kMenuItem, nullptr, this});
}

void MenuItem::setEnabled(bool on) {
  if (on == enabled_) return;
  enabled_ = on;
  form_.notify({FormChange::Kind::kMenuItem, nullptr, this});
}

MenuItem& MenuItem::add(std::string name, std::u16string caption) {
  if (form_.findMenuItem(name)) unknownName("duplicate menu item", name);
  children_.push_back(
      std::unique_ptr<MenuItem>(new MenuItem(form_, std::move(name), std::move(caption), false)));
  return *children_.back();
}

MenuItem& MenuItem::addSeparator(std::string name) {
  if (form_.findMenuItem(name)) unknownName("duplicate menu item", name);
  children_.push_back(std::unique_ptr<MenuItem>(new MenuItem(form_, std::move(name), u"-", true)));
  return *children_.back();
}

MenuItem& MenuItem::onClick(std::function<void()> handler) {
  onClick_ = std::move(handler);
  return *this;
}

void MenuItem::click() {
  if (separator_ || !enabled_) return;
  if (auto handler = onClick_) handler();
}

// ---- Form

Form::Form(std::string name, std::u16string caption, int clientWidth, int clientHeight,
           BorderStyle border)
    : name_(std::move(name)),
      caption_(std::move(caption)),
      clientWidth_(clientWidth),
      clientHeight_(clientHeight),
      border_(border) {}

Form::~Form() = default;

void Form::setCaption(std::u16string caption) {
  if (caption == caption_) return;
  caption_ = std::move(caption);
  notify({FormChange::Kind::kCaption, nullptr, nullptr});
}

Control& Form::add(ControlKind kind, std::string name, Bounds bounds, int tabIndex) {
  if (findControl(name)) unknownName("duplicate control", name);
  controls_.push_back(
      std::unique_ptr<Control>(new Control(*this, std::move(name), kind, bounds, tabIndex)));
  return *controls_.back();
}

MenuItem& Form::addMenu(std::string name, std::u16string caption) {
  if (findMenuItem(name)) unknownName("duplicate menu item", name);
  menuBar_.push_back(
      std::unique_ptr<MenuItem>(new MenuItem(*this, std::move(name), std::move(caption), false)));
  return *menuBar_.back();
}

Control* Form::findControl(std::string_view name) {
  for (const auto& control : controls_) {
    if (control->name() == name) return control.get();
  }
  return nullptr;
}

Control& Form::control(std::string_view name) {
  if (Control* found = findControl(name)) return *found;
  unknownName("control", name);
}

MenuItem* Form::findMenuItem(std::string_view name) {
  return findIn(menuBar_, name);
}

MenuItem& Form::menuItem(std::string_view name) {
  if (MenuItem* found = findMenuItem(name)) return *found;
  unknownName("menu item", name);
}

std::vector<Control*> Form::controls() const {
  std::vector<Control*> all;
  for (const auto& control : controls_)
    all.push_back(control.get());
  return all;
}

std::vector<Control*> Form::tabOrder() const {
  std::vector<Control*> order;
  for (const auto& control : controls_) {
    if (control->takesFocus()) order.push_back(control.get());
  }
  std::stable_sort(order.begin(), order.end(),
                   [](Control* a, Control* b) { return a->tabIndex() < b->tabIndex(); });
  return order;
}

Control* Form::firstFocus() const {
  for (Control* control : tabOrder()) {
    if (control->enabled() && control->visible()) return control;
  }
  return nullptr;
}

void Form::load() {
  if (loaded_ || loading_ || closed_) return;
  loading_ = true;
  // Loaded even when the handler fails: the window exists, as in Visual Basic.
  struct Done {
    Form& form;
    ~Done() {
      form.loading_ = false;
      form.loaded_ = true;
    }
  } done{*this};
  if (auto handler = onLoad_) handler();
}

void Form::setShown(bool shown) {
  if (shown && !closed_) load();
  shown_ = shown && !closed_;
}

void Form::close() {
  if (closed_) return;
  closed_ = true;
  shown_ = false;
  // Closed even when the handler fails: the window must still go away.
  try {
    if (auto handler = onUnload_) handler();
  } catch (...) {
    notify({FormChange::Kind::kClosed, nullptr, nullptr});
    throw;
  }
  notify({FormChange::Kind::kClosed, nullptr, nullptr});
}

int Form::subscribe(Listener listener) {
  int id = nextListenerId_++;
  listeners_.emplace_back(id, std::move(listener));
  return id;
}

void Form::unsubscribe(int id) {
  std::erase_if(listeners_, [id](const auto& entry) { return entry.first == id; });
}

void Form::notify(const FormChange& change) {
  // A copy: a listener may unsubscribe while we go through them.
  auto listeners = listeners_;
  for (const auto& [id, listener] : listeners) {
    bool stillSubscribed = std::any_of(listeners_.begin(), listeners_.end(),
                                       [id = id](const auto& entry) { return entry.first == id; });
    if (stillSubscribed) listener(change);
  }
}

}  // namespace platform
