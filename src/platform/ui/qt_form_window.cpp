#include "platform/ui/qt_form_window.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <map>

#include "platform/base/error.h"
#include "platform/base/text.h"
#include "platform/ui/form.h"

namespace platform::qt {

namespace {

QString toQString(std::u16string_view text) {
  return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

// Windows texts break lines with CR LF; Qt's plain-text widgets want LF.
QString plainText(std::u16string_view text) {
  QString result = toQString(text);
  result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  result.replace(QChar(u'\r'), QChar(u'\n'));
  return result;
}

std::u16string fromQString(const QString& text) {
  return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()),
                        static_cast<size_t>(text.size()));
}

class FormDialog : public QDialog {
 public:
  FormDialog(Form& form, QWidget* parent) : QDialog(parent), form_(form) {
    setObjectName(QString::fromStdString(form.name()));
    Qt::WindowFlags flags = Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;
    flags |= form.border() == BorderStyle::kFixedToolWindow ? Qt::Tool : Qt::Dialog;
    setWindowFlags(flags);
    setWindowTitle(toQString(form.caption()));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    if (!form.menuBar().empty()) layout->setMenuBar(buildMenuBar());
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(pixels(form.clientWidth()), pixels(form.clientHeight()));
    layout->addWidget(client);

    for (Control* control : form.controls())
      buildControl(*control, client);
    QWidget* previous = nullptr;
    for (Control* control : form.tabOrder()) {
      QWidget* widget = widgets_[control];
      if (previous) QWidget::setTabOrder(previous, widget);
      previous = widget;
    }
    if (Control* first = form.firstFocus()) widgets_[first]->setFocus(Qt::OtherFocusReason);

    layout->activate();  // fixed size from the start, not only once shown

    subscription_ = form.subscribe([this](const FormChange& change) { follow(change); });
  }

  ~FormDialog() override { form_.unsubscribe(subscription_); }

 protected:
  // The close box and the system's close command close the form; its change ends the dialog.
  void reject() override {
    if (form_.isClosed()) {
      QDialog::reject();
    } else {
      guard([this] { form_.close(); });
    }
  }

  // The forms have no Cancel or default button: Escape does nothing, and Enter presses only
  // the button that has the focus.
  void keyPressEvent(QKeyEvent* event) override {
    switch (event->key()) {
      case Qt::Key_Escape:
        event->accept();
        return;
      case Qt::Key_Return:
      case Qt::Key_Enter:
        if (auto* button = qobject_cast<QPushButton*>(focusWidget())) button->click();
        event->accept();
        return;
      default:
        QWidget::keyPressEvent(event);
    }
  }

 private:
  // Runs a model handler from a Qt signal: a failure must not unwind through Qt.
  template <class Action>
  void guard(Action&& action) {
    try {
      action();
    } catch (const Error& error) {
      showFailure(toQString(error.description()));
    } catch (const std::exception& error) {
      showFailure(QString::fromUtf8(error.what()));
    } catch (...) {
      showFailure(QStringLiteral("Unexpected failure"));
    }
  }

  void showFailure(const QString& text) {
    QMessageBox box(QMessageBox::Critical, windowTitle(), text, QMessageBox::Ok,
                    isVisible() ? this : nullptr);
    box.setTextFormat(Qt::PlainText);
    box.exec();
  }

  QMenuBar* buildMenuBar() {
    auto* bar = new QMenuBar(this);
    bar->setObjectName(QStringLiteral("menuBar"));
    bar->setNativeMenuBar(false);  // inside the window, as on Windows
    for (const auto& top : form_.menuBar()) {
      QAction* action;
      if (top->children().empty()) {
        action = bar->addAction(toQString(top->caption()));
        connectMenuItem(action, *top);
      } else {
        QMenu* menu = bar->addMenu(toQString(top->caption()));
        menu->setObjectName(QString::fromStdString(top->name()));
        action = menu->menuAction();
        for (const auto& child : top->children()) {
          QAction* childAction = child->isSeparator()
                                     ? menu->addSeparator()
                                     : menu->addAction(toQString(child->caption()));
          childAction->setObjectName(QString::fromStdString(child->name()));
          childAction->setEnabled(child->enabled());
          if (!child->isSeparator()) connectMenuItem(childAction, *child);
          actions_[child.get()] = childAction;
        }
      }
      action->setObjectName(QString::fromStdString(top->name()));
      action->setEnabled(top->enabled());
      actions_[top.get()] = action;
    }
    return bar;
  }

  void connectMenuItem(QAction* action, MenuItem& item) {
    connect(action, &QAction::triggered, this, [this, &item] { guard([&item] { item.click(); }); });
  }

  void buildControl(Control& control, QWidget* client) {
    QWidget* widget = nullptr;
    switch (control.kind()) {
      case ControlKind::kLabel: {
        auto* label = new QLabel(client);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setWordWrap(control.wordWrap());
        widget = label;
        break;
      }
      case ControlKind::kCommandButton: {
        auto* button = new QPushButton(client);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this,
                [this, &control] { guard([&control] { control.click(); }); });
        widget = button;
        break;
      }
      case ControlKind::kListBox: {
        auto* list = new QListWidget(client);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        list->setSortingEnabled(false);
        connect(list, &QListWidget::currentRowChanged, this, [this, &control](int row) {
          if (row != control.selectedIndex()) {
            guard([&control, row] { control.setSelectedIndex(row); });
          }
        });
        widget = list;
        break;
      }
      case ControlKind::kDropDownList: {
        auto* combo = new QComboBox(client);
        combo->setEditable(false);
        connect(combo, &QComboBox::activated, this, [this, &control](int index) {
          if (index != control.selectedIndex()) {
            guard([&control, index] { control.setSelectedIndex(index); });
          }
        });
        widget = combo;
        break;
      }
      case ControlKind::kTextBox:
        if (control.multiLine()) {
          auto* box = new QPlainTextEdit(client);
          box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
          box->setTabChangesFocus(true);
          box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
          box->setVerticalScrollBarPolicy(control.verticalScrollBar() ? Qt::ScrollBarAlwaysOn
                                                                      : Qt::ScrollBarAlwaysOff);
          connect(box, &QPlainTextEdit::textChanged, this, [this, box, &control] {
            if (!updating_) control.setText(fromQString(box->toPlainText()));
          });
          widget = box;
        } else {
          auto* line = new QLineEdit(client);
          connect(line, &QLineEdit::textEdited, this, [this, &control](const QString& text) {
            if (!updating_) control.setText(fromQString(text));
          });
          widget = line;
        }
        break;
    }
    widget->setObjectName(QString::fromStdString(control.name()));
    const Bounds& bounds = control.bounds();
    widget->setGeometry(pixels(bounds.left), pixels(bounds.top), pixels(bounds.width),
                        pixels(bounds.height));
    widgets_[&control] = widget;
    showText(control);
    showItems(control);
    showState(control);
  }

  void showText(const Control& control) {
    QWidget* widget = widgets_[&control];
    updating_ = true;
    if (auto* label = qobject_cast<QLabel*>(widget)) {
      label->setText(plainText(control.text()));
    } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
      button->setText(toQString(control.text()));
    } else if (auto* box = qobject_cast<QPlainTextEdit*>(widget)) {
      box->setPlainText(plainText(control.text()));
    } else if (auto* line = qobject_cast<QLineEdit*>(widget)) {
      line->setText(toQString(control.text()));
    }
    updating_ = false;
  }

  void showItems(const Control& control) {
    QWidget* widget = widgets_[&control];
    QSignalBlocker blocker(widget);
    if (auto* list = qobject_cast<QListWidget*>(widget)) {
      list->clear();
      for (const auto& item : control.items())
        list->addItem(toQString(item));
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
      combo->clear();
      for (const auto& item : control.items())
        combo->addItem(toQString(item));
    } else {
      return;
    }
    showSelection(control);
  }

  void showSelection(const Control& control) {
    QWidget* widget = widgets_[&control];
    QSignalBlocker blocker(widget);
    if (auto* list = qobject_cast<QListWidget*>(widget)) {
      list->setCurrentRow(control.selectedIndex());
      if (control.selectedIndex() < 0) list->clearSelection();
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
      combo->setCurrentIndex(control.selectedIndex());
    }
  }

  void showState(const Control& control) {
    QWidget* widget = widgets_[&control];
    widget->setEnabled(control.enabled());
    widget->setVisible(control.visible());
    if (auto* box = qobject_cast<QPlainTextEdit*>(widget)) box->setReadOnly(control.locked());
    if (auto* line = qobject_cast<QLineEdit*>(widget)) line->setReadOnly(control.locked());
  }

  void follow(const FormChange& change) {
    switch (change.kind) {
      case FormChange::Kind::kCaption:
        setWindowTitle(toQString(form_.caption()));
        break;
      case FormChange::Kind::kText:
        showText(*change.control);
        break;
      case FormChange::Kind::kItems:
        showItems(*change.control);
        break;
      case FormChange::Kind::kSelection:
        showSelection(*change.control);
        break;
      case FormChange::Kind::kState:
        showState(*change.control);
        break;
      case FormChange::Kind::kMenuItem:
        if (auto found = actions_.find(change.menuItem); found != actions_.end()) {
          found->second->setText(toQString(change.menuItem->caption()));
          found->second->setEnabled(change.menuItem->enabled());
        }
        break;
      case FormChange::Kind::kClosed:
        done(QDialog::Accepted);
        break;
    }
  }

  Form& form_;
  int subscription_ = 0;
  bool updating_ = false;
  std::map<const Control*, QWidget*> widgets_;
  std::map<const MenuItem*, QAction*> actions_;
};

}  // namespace

int pixels(int twips) {
  return (twips + 7) / 15;
}

std::unique_ptr<QDialog> createFormWindow(Form& form, QWidget* parent) {
  return std::make_unique<FormDialog>(form, parent);
}

}  // namespace platform::qt
