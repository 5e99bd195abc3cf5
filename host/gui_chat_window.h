// The chat as a Qt window: the conversation, an input line, the published commands, toasts
// shown as small notices in the window's corner, and a status line for what the platform has
// to say about the settings hive.
#pragma once

#include <QWidget>
#include <vector>

#include "chat.h"
#include "plugin_client.h"
#include "toast_listener.h"

namespace platform {
class Registry;
}

class QLabel;
class QLineEdit;
class QTextBrowser;
class QTimer;

namespace host {

class GuiChatWindow : public QWidget {
 public:
  GuiChatWindow(Chat& chat, const std::vector<PluginClient::CommandInfo>& commands);
  ~GuiChatWindow() override;

  // Shows `registry`'s reports (a damaged, unreadable or unwritable hive) in the status line,
  // those made before this call included, for as long as the window lives.
  void showReportsOf(platform::Registry& registry);
  // The status line's text; empty while there is nothing to say.
  QString status() const;

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
  QLabel* status_;
  platform::Registry* reporting_ = nullptr;
};

}  // namespace host
