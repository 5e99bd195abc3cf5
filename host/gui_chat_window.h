// The chat as a Qt window: the conversation, an input line, the published commands, and
// toasts shown as small notices in the window's corner.
#pragma once

#include <QWidget>
#include <vector>

#include "chat.h"
#include "plugin_client.h"
#include "toast_listener.h"

class QLabel;
class QLineEdit;
class QTextBrowser;
class QTimer;

namespace host {

class GuiChatWindow : public QWidget {
 public:
  GuiChatWindow(Chat& chat, const std::vector<PluginClient::CommandInfo>& commands);

  void showToast(const Toast& toast);
  // The conversation so far, as plain text (for tests).
  QString conversation() const;
  // Sends `line` as if the user had typed it and pressed Enter.
  void type(const QString& line);

 private:
  void sendInput();

  Chat& chat_;
  QTextBrowser* conversation_;
  QLineEdit* input_;
  QLabel* toast_;
  QTimer* toastTimer_;
};

}  // namespace host
