#include "platform/ui/qt_ui.h"

#include <QApplication>
#include <QDialog>
#include <QInputDialog>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <map>
#include <utility>
#include <vector>

#include "platform/ui/form.h"
#include "platform/ui/qt_form_window.h"

namespace platform {

namespace {

QString toQString(std::u16string_view text) {
  QString result(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
  result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  result.replace(QChar(u'\r'), QChar(u'\n'));
  return result;
}

// The windows shown modally right now, so that an owned form finds its owner's window.
std::map<const Form*, QDialog*>& openWindows() {
  static std::map<const Form*, QDialog*> windows;
  return windows;
}

QWidget* activeOwner() {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  return QApplication::activeWindow();
}

std::vector<std::pair<QMessageBox::StandardButton, Answer>> boxButtons(Buttons buttons) {
  using B = QMessageBox;
  switch (buttons) {
    case Buttons::kOk:
      return {{B::Ok, Answer::kOk}};
    case Buttons::kOkCancel:
      return {{B::Ok, Answer::kOk}, {B::Cancel, Answer::kCancel}};
    case Buttons::kAbortRetryIgnore:
      return {{B::Abort, Answer::kAbort}, {B::Retry, Answer::kRetry}, {B::Ignore, Answer::kIgnore}};
    case Buttons::kYesNoCancel:
      return {{B::Yes, Answer::kYes}, {B::No, Answer::kNo}, {B::Cancel, Answer::kCancel}};
    case Buttons::kYesNo:
      return {{B::Yes, Answer::kYes}, {B::No, Answer::kNo}};
    case Buttons::kRetryCancel:
      return {{B::Retry, Answer::kRetry}, {B::Cancel, Answer::kCancel}};
  }
  return {{B::Ok, Answer::kOk}};
}

QMessageBox::Icon boxIcon(Icon icon) {
  switch (icon) {
    case Icon::kCritical:
      return QMessageBox::Critical;
    case Icon::kQuestion:
      return QMessageBox::Question;
    case Icon::kExclamation:
      return QMessageBox::Warning;
    case Icon::kInformation:
      return QMessageBox::Information;
    case Icon::kNone:
      break;
  }
  return QMessageBox::NoIcon;
}

// A plain title bar above `window`, since offscreen windows have no frame.
QPixmap framed(const QPixmap& window, const QString& title) {
  const int barHeight = 22;
  QPixmap result(window.width() + 2, window.height() + barHeight + 1);
  result.fill(QColor(0x50, 0x6e, 0x96));
  QPainter painter(&result);
  painter.drawPixmap(1, barHeight, window);
  painter.setPen(Qt::white);
  QFont font = QApplication::font();
  font.setBold(true);
  painter.setFont(font);
  painter.drawText(QRect(8, 0, result.width() - 36, barHeight), Qt::AlignVCenter | Qt::AlignLeft,
                   title);
  painter.drawText(QRect(result.width() - 24, 0, 18, barHeight), Qt::AlignCenter,
                   QStringLiteral("\u2715"));
  return result;
}

QPixmap grab(Form& form, std::string_view menuName, bool titleBar) {
  form.load();
  std::unique_ptr<QDialog> window = qt::createFormWindow(form, nullptr);
  window->show();
  QApplication::processEvents();
  QPixmap picture = window->grab();
  if (!menuName.empty()) {
    auto* bar = window->findChild<QMenuBar*>();
    auto* menu = window->findChild<QMenu*>(QString::fromUtf8(menuName.data(), menuName.size()));
    if (bar && menu) {
      QRect title = bar->actionGeometry(menu->menuAction());
      QPoint at = bar->mapTo(window.get(), title.bottomLeft());
      bar->setActiveAction(menu->menuAction());
      menu->popup(bar->mapToGlobal(title.bottomLeft()));
      QApplication::processEvents();
      QPixmap bar_picture = window->grab();
      QPixmap menu_picture = menu->grab();
      menu->hide();
      QPixmap combined(std::max(bar_picture.width(), at.x() + menu_picture.width()),
                       std::max(bar_picture.height(), at.y() + menu_picture.height()));
      combined.fill(Qt::transparent);
      QPainter painter(&combined);
      painter.drawPixmap(0, 0, bar_picture);
      painter.drawPixmap(at, menu_picture);
      painter.end();
      picture = combined;
    }
  }
  window->hide();
  return titleBar ? framed(picture, window->windowTitle()) : picture;
}

}  // namespace

Answer QtUi::messageBox(std::u16string_view text, Buttons buttons, Icon icon,
                        std::u16string_view title) {
  QMessageBox box(boxIcon(icon), toQString(title), toQString(text), QMessageBox::NoButton,
                  activeOwner());
  box.setTextFormat(Qt::PlainText);
  auto choices = boxButtons(buttons);
  std::vector<std::pair<QAbstractButton*, Answer>> made;
  QAbstractButton* escape = nullptr;
  for (auto [standard, answer] : choices) {
    QPushButton* button = box.addButton(standard);
    made.emplace_back(button, answer);
    if (answer == Answer::kCancel) escape = button;
  }
  if (!escape && choices.size() == 1) escape = made.front().first;
  box.setDefaultButton(static_cast<QPushButton*>(made.front().first));
  if (escape) box.setEscapeButton(escape);
  box.exec();
  QAbstractButton* clicked = box.clickedButton();
  if (!clicked) clicked = escape ? escape : made.front().first;
  for (auto [button, answer] : made) {
    if (button == clicked) return answer;
  }
  return made.front().second;
}

std::optional<std::u16string> QtUi::inputBox(std::u16string_view prompt, std::u16string_view title,
                                             std::u16string_view defaultText) {
  QInputDialog dialog(activeOwner());
  dialog.setInputMode(QInputDialog::TextInput);
  dialog.setWindowTitle(toQString(title));
  dialog.setLabelText(toQString(prompt));
  dialog.setTextValue(toQString(defaultText));
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  QString text = dialog.textValue();
  return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()),
                        static_cast<size_t>(text.size()));
}

void QtUi::showModal(Form& form, Form* owner) {
  if (form.isClosed()) return;
  form.setShown(true);
  if (form.isClosed()) return;
  QWidget* parent = nullptr;
  if (owner) {
    auto found = openWindows().find(owner);
    parent = found != openWindows().end() ? found->second : activeOwner();
  }
  std::unique_ptr<QDialog> window = qt::createFormWindow(form, parent);
  openWindows()[&form] = window.get();
  window->exec();
  openWindows().erase(&form);
  form.close();
}

QDialog* QtUi::windowOf(const Form& form) {
  auto found = openWindows().find(&form);
  return found != openWindows().end() ? found->second : nullptr;
}

namespace qt {

QPixmap grabForm(Form& form, bool titleBar) {
  return grab(form, {}, titleBar);
}

QPixmap grabFormWithMenu(Form& form, std::string_view menuName, bool titleBar) {
  return grab(form, menuName, titleBar);
}

}  // namespace qt
}  // namespace platform
