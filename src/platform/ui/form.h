// The form model: a window as data and behaviour, with no toolkit in it. A form holds its
// controls by name (geometry in twips), its menu bar and its event handlers; renderers (Qt,
// terminal) turn it into a real window and follow its changes through subscriptions, and
// tests drive it directly: select an entry, click a button, pick a menu item.
//
// Lifecycle: created -> loaded (the load handler ran) -> shown -> closed. Closing destroys
// the window for good: the model then reports closed and a modal show of it returns. A
// form must outlive any modal show of it.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class Control;
class Form;
class MenuItem;

// What changed, for renderers that keep a window in step with its model.
struct FormChange {
  enum class Kind {
    kCaption,    // the form's caption
    kText,       // control: text or caption
    kItems,      // control: entries added or cleared
    kSelection,  // control: selected index
    kState,      // control: enabled, visible, locked
    kMenuItem,   // menu item: caption or enabled
    kClosed,     // the form closed
  } kind;
  const Control* control = nullptr;
  const MenuItem* menuItem = nullptr;
};

// Positions and sizes in twips (15 twips are one pixel at 96 dots per inch).
struct Bounds {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const Bounds&, const Bounds&) = default;
};

enum class ControlKind {
  kLabel,
  kListBox,       // single selection, entries kept in the order added
  kDropDownList,  // a combo box whose text can only be one of its entries
  kTextBox,
  kCommandButton,
};

class Control {
 public:
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const std::string& name() const { return name_; }
  ControlKind kind() const { return kind_; }
  const Bounds& bounds() const { return bounds_; }
  int tabIndex() const { return tabIndex_; }
  // Labels take no focus; every other kind does.
  bool takesFocus() const { return kind_ != ControlKind::kLabel; }

  // The caption of a label or button, the contents of a text box, the selected entry of a
  // list or drop-down list (empty with no selection).
  std::u16string text() const;
  // Lists and drop-down lists select the first entry equal to `text` (as Visual Basic's
  // `cmbLang.Text = x`), or nothing when none is (see setSelectedIndex for the click).
  void setText(std::u16string text);

  // Entries of a list or drop-down list.
  const std::vector<std::u16string>& items() const { return items_; }
  void addItem(std::u16string item);
  // Removes every entry; the selection becomes -1 without a click.
  void clearItems();
  // -1: nothing selected.
  int selectedIndex() const { return selectedIndex_; }
  // Selects entry `index` (-1: none). Moving to an entry raises the click handler, whether the
  // user or the code made it, as Visual Basic's ListIndex does; selecting nothing raises none.
  // Raises kInvalidArg for an index outside -1 .. count-1.
  void setSelectedIndex(int index);
  // Selects the first entry equal to `text`; false (and no change) when there is none.
  bool pick(std::u16string_view text);

  bool locked() const { return locked_; }  // text box: read-only
  bool multiLine() const { return multiLine_; }
  bool verticalScrollBar() const { return verticalScrollBar_; }
  bool wordWrap() const { return wordWrap_; }  // label: lines wrap at word boundaries
  bool enabled() const { return enabled_; }
  bool visible() const { return visible_; }
  Control& setLocked(bool on);
  Control& setMultiLine(bool on);
  Control& setVerticalScrollBar(bool on);
  Control& setWordWrap(bool on);
  Control& setEnabled(bool on);
  Control& setVisible(bool on);

  // Click: a button pressed, or the selection of a list or drop-down list changed.
  Control& onClick(std::function<void()> handler);
  // Raises the click handler, as a user's click would (buttons) or a selection does.
  void click();

 private:
  friend class Form;
  Control(Form& form, std::string name, ControlKind kind, Bounds bounds, int tabIndex);
  void changed(FormChange::Kind what);
  void assignSelection(int index);

  Form& form_;
  std::string name_;
  ControlKind kind_;
  Bounds bounds_;
  int tabIndex_;
  std::u16string text_;
  std::vector<std::u16string> items_;
  int selectedIndex_ = -1;
  bool locked_ = false;
  bool multiLine_ = false;
  bool verticalScrollBar_ = false;
  bool wordWrap_ = false;
  bool enabled_ = true;
  bool visible_ = true;
  std::function<void()> onClick_;
};

class MenuItem {
 public:
  MenuItem(const MenuItem&) = delete;
  MenuItem& operator=(const MenuItem&) = delete;

  const std::string& name() const { return name_; }
  // With "&" before the access key, "F&ile".
  const std::u16string& caption() const { return caption_; }
  void setCaption(std::u16string caption);
  bool isSeparator() const { return separator_; }
  bool enabled() const { return enabled_; }
  void setEnabled(bool on);

  // Children, for a top-level item of the menu bar.
  MenuItem& add(std::string name, std::u16string caption);
  MenuItem& addSeparator(std::string name);
  const std::vector<std::unique_ptr<MenuItem>>& children() const { return children_; }

  MenuItem& onClick(std::function<void()> handler);
  // Raises the click handler; nothing for a separator or a disabled item.
  void click();

 private:
  friend class Form;
  MenuItem(Form& form, std::string name, std::u16string caption, bool separator);

  Form& form_;
  std::string name_;
  std::u16string caption_;
  bool separator_;
  bool enabled_ = true;
  std::vector<std::unique_ptr<MenuItem>> children_;
  std::function<void()> onClick_;
};

enum class BorderStyle {
  kFixedDialog,      // fixed single border, close box only
  kFixedToolWindow,  // fixed tool window: small caption bar, close box only
};

class Form {
 public:
  Form(std::string name, std::u16string caption, int clientWidth, int clientHeight,
       BorderStyle border = BorderStyle::kFixedDialog);
  ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const std::string& name() const { return name_; }
  const std::u16string& caption() const { return caption_; }
  void setCaption(std::u16string caption);
  // Client area in twips (the menu bar is outside it).
  int clientWidth() const { return clientWidth_; }
  int clientHeight() const { return clientHeight_; }
  BorderStyle border() const { return border_; }

  // Building. Names are unique within the form (kInvalidArg otherwise).
  Control& add(ControlKind kind, std::string name, Bounds bounds, int tabIndex);
  MenuItem& addMenu(std::string name, std::u16string caption);

  // Lookups. control() and menuItem() raise kInvalidArg for an unknown name.
  Control* findControl(std::string_view name);
  Control& control(std::string_view name);
  MenuItem* findMenuItem(std::string_view name);  // at any depth
  MenuItem& menuItem(std::string_view name);
  // In the order they were added.
  std::vector<Control*> controls() const;
  const std::vector<std::unique_ptr<MenuItem>>& menuBar() const { return menuBar_; }
  // Controls that take focus, by tab index.
  std::vector<Control*> tabOrder() const;
  // The one with the lowest tab index among the enabled, visible controls that take focus.
  Control* firstFocus() const;

  // Driving, as a user would.
  void clickButton(std::string_view name) { control(name).click(); }
  void pickMenu(std::string_view name) { menuItem(name).click(); }
  void select(std::string_view name, int index) { control(name).setSelectedIndex(index); }
  bool pick(std::string_view name, std::u16string_view text) { return control(name).pick(text); }

  // Events.
  void onLoad(std::function<void()> handler) { onLoad_ = std::move(handler); }
  void onUnload(std::function<void()> handler) { onUnload_ = std::move(handler); }

  // Lifecycle. load() runs the load handler the first time only. A renderer calls
  // setShown(true) when its window appears (loading first). close() runs the unload handler,
  // then reports kClosed; it does nothing on a closed form.
  void load();
  void setShown(bool shown);
  void close();
  bool isLoaded() const { return loaded_; }
  bool isShown() const { return shown_; }
  bool isClosed() const { return closed_; }

  // Change notification. The listener must not outlive the form, or unsubscribe first.
  using Listener = std::function<void(const FormChange&)>;
  int subscribe(Listener listener);
  void unsubscribe(int id);

 private:
  friend class Control;
  friend class MenuItem;
  void notify(const FormChange& change);

  std::string name_;
  std::u16string caption_;
  int clientWidth_;
  int clientHeight_;
  BorderStyle border_;
  std::vector<std::unique_ptr<Control>> controls_;
  std::vector<std::unique_ptr<MenuItem>> menuBar_;
  std::function<void()> onLoad_;
  std::function<void()> onUnload_;
  bool loaded_ = false;
  bool loading_ = false;
  bool shown_ = false;
  bool closed_ = false;
  int nextListenerId_ = 1;
  std::vector<std::pair<int, Listener>> listeners_;
};

}  // namespace platform
