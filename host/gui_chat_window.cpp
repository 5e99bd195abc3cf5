#include "gui_chat_window.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <QTimer>
#include <QVBoxLayout>

#include "platform/base/text.h"
#include "platform/registry/registry.h"

namespace host {

namespace {

QString qt(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

std::u16string u16(const QString& text) {
  return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()),
                        static_cast<size_t>(text.size()));
}

constexpr int kToastMilliseconds = 6000;

}  // namespace

GuiChatWindow::GuiChatWindow(Chat& chat, const std::vector<PluginClient::CommandInfo>& commands)
    : chat_(chat) {
  setWindowTitle(QStringLiteral("Conversation - juvo-host"));
  resize(560, 420);

  QString help = QStringLiteral("<b>Commands:</b> ");
  for (size_t i = 0; i < commands.size(); ++i) {
    if (i) help += QStringLiteral(" &nbsp; ");
    help += QStringLiteral("/") + qt(commands[i].value).toHtmlEscaped();
    help += QStringLiteral(" <i>") + qt(commands[i].name).toHtmlEscaped() + QStringLiteral("</i>");
  }
  auto* commandsLabel = new QLabel(help);
  commandsLabel->setWordWrap(true);

  conversation_ = new QTextBrowser;
  input_ = new QLineEdit;
  input_->setPlaceholderText(QStringLiteral("Type a message or a command, then Enter"));
  auto* send = new QPushButton(QStringLiteral("&Send"));

  auto* inputRow = new QHBoxLayout;
  inputRow->addWidget(input_, 1);
  inputRow->addWidget(send);

  status_ = new QLabel;
  status_->setWordWrap(true);
  status_->setTextFormat(Qt::PlainText);
  status_->setStyleSheet(QStringLiteral("QLabel { color: #8a1f11; }"));
  status_->hide();

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(commandsLabel);
  layout->addWidget(conversation_, 1);
  layout->addLayout(inputRow);
  layout->addWidget(status_);

  toast_ = new QLabel(this);
  toast_->setWordWrap(true);
  toast_->setFrameShape(QFrame::Box);
  toast_->setStyleSheet(
      QStringLiteral("QLabel { background: #fffbe6; border: 1px solid #c9a227; padding: 6px; }"));
  toast_->hide();
  toastTimer_ = new QTimer(this);
  toastTimer_->setSingleShot(true);
  connect(toastTimer_, &QTimer::timeout, toast_, &QWidget::hide);

  connect(input_, &QLineEdit::returnPressed, this, &GuiChatWindow::sendInput);
  connect(send, &QPushButton::clicked, this, &GuiChatWindow::sendInput);
}

GuiChatWindow::~GuiChatWindow() {
  if (reporting_) reporting_->setReportListener({});
}

void GuiChatWindow::showReportsOf(platform::Registry& registry) {
  if (reporting_) reporting_->setReportListener({});
  reporting_ = &registry;
  registry.setReportListener([this](const std::string& report) {
    // The latest report shows; each is one line, and there are seldom two.
    status_->setText(QString::fromLocal8Bit(report.data(), static_cast<qsizetype>(report.size())));
    status_->show();
  });
}

QString GuiChatWindow::status() const {
  return status_->text();
}

void GuiChatWindow::sendInput() {
  QString line = input_->text();
  input_->clear();
  type(line);
}

void GuiChatWindow::type(const QString& line) {
  std::optional<std::u16string> sent = chat_.send(u16(line));
  if (!sent) return;
  QString text = qt(platform::replaceAll(*sent, u"\r\n", u"\n")).toHtmlEscaped();
  text.replace(QLatin1Char('\n'), QStringLiteral("<br>"));
  conversation_->append(QStringLiteral("<b>You:</b> ") + text);
}

QString GuiChatWindow::conversation() const {
  return conversation_->toPlainText();
}

void GuiChatWindow::showToast(const Toast& toast) {
  QString text =
      QStringLiteral("<b>") + qt(toast.heading).toHtmlEscaped() + QStringLiteral("</b><br>");
  QString message = qt(toast.message).toHtmlEscaped();
  message.replace(QLatin1Char('\n'), QStringLiteral("<br>"));
  text += message;
  if (!toast.link.empty()) {
    text += QStringLiteral("<br><a href=\"") + qt(toast.link).toHtmlEscaped() +
            QStringLiteral("\">") + qt(toast.link).toHtmlEscaped() + QStringLiteral("</a>");
  }
  toast_->setText(text);
  toast_->setFixedWidth(260);
  toast_->adjustSize();
  toast_->move(width() - toast_->width() - 12, height() - toast_->height() - 56);
  toast_->raise();
  toast_->show();
  toastTimer_->start(kToastMilliseconds);
}

}  // namespace host
