// juvo-host: the messenger stand-in. Loads the plug-in, creates juvo.juvo_main through the
// COM layer, calls Initialize, shows the published commands and runs a chat, in the terminal
// or (--gui) in a Qt window.
#include <unistd.h>

#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>

#include "chat.h"
#include "gui_chat_window.h"
#include "platform/base/error.h"
#include "platform/base/text.h"
#include "platform/messages/window_messages.h"
#include "platform/registry/registry.h"
#include "platform/ui/console.h"
#include "plugin_client.h"
#include "plugin_loader.h"
#include "terminal_chat.h"
#include "transcript.h"

namespace fs = std::filesystem;

namespace {

struct Options {
  fs::path plugin;
  bool gui = false;
};

void usage(std::ostream& out) {
  out << "usage: juvo-host [--plugin FILE] [--gui]\n"
         "  --plugin FILE  load this module instead of the juvo.so beside the host\n"
         "  --gui          run the chat in a Qt window\n";
}

fs::path hostFolder() {
  std::error_code ec;
  fs::path self = fs::read_symlink("/proc/self/exe", ec);
  return ec ? fs::current_path() : self.parent_path();
}

std::vector<host::PluginClient::CommandInfo> publishedCommands(host::PluginClient& plugin) {
  std::vector<host::PluginClient::CommandInfo> commands;
  host::PluginClient::PublishInfo info = plugin.publishInfo();
  for (int32_t i = 1; i <= info.commandCount; ++i)
    commands.push_back(plugin.commandInfo(i));
  return commands;
}

std::vector<std::u16string> commandWords(
    const std::vector<host::PluginClient::CommandInfo>& commands) {
  std::vector<std::u16string> words;
  for (const auto& command : commands)
    words.push_back(command.value);
  return words;
}

int runTerminal(host::PluginClient& plugin, platform::Console& console) {
  std::vector<host::PluginClient::CommandInfo> commands = publishedCommands(plugin);
  for (const auto& command : commands) {
    console.writeLine(host::commandLine(command.value, command.name, command.help));
  }
  host::ToastListener toasts(platform::WindowMessages::system(), [&](const host::Toast& toast) {
    console.writeLine(host::toastLine(toast));
  });
  host::Chat chat(plugin, commandWords(commands));
  host::runTerminalChat(chat, console);
  return 0;
}

int runGui(host::PluginClient& plugin, QApplication& app) {
  std::vector<host::PluginClient::CommandInfo> commands = publishedCommands(plugin);
  host::Chat chat(plugin, commandWords(commands));
  host::GuiChatWindow window(chat, commands);
  window.showReportsOf(platform::Registry::user());
  host::ToastListener toasts(platform::WindowMessages::system(),
                             [&](const host::Toast& toast) { window.showToast(toast); });
  window.show();
  return app.exec();
}

// Where Qt would look for a display by itself, the name of the one it would open; empty when
// the environment names none (Qt is told to use another platform, such as offscreen, when
// QT_QPA_PLATFORM is set).
std::string displayName() {
  for (const char* variable : {"WAYLAND_DISPLAY", "DISPLAY"}) {
    const char* value = std::getenv(variable);
    if (value && *value) return value;
  }
  return {};
}

// Qt ends the process when it can open no display, after several lines of its own: say it in
// one line instead, and end as any failed start does.
void reportNoDisplay(QtMsgType type, const QMessageLogContext&, const QString&) {
  if (type != QtFatalMsg) return;
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  std::string what = platform && *platform ? std::string("Qt's platform ") + platform
                                           : "the display " + displayName();
  std::cerr << "juvo-host: --gui could not open " << what
            << "; leave out --gui to chat in the terminal\n";
  std::_Exit(1);
}

// The Qt application, or null (reported) when there is no display to show it on.
std::unique_ptr<QApplication> startGui(char** argv) {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if ((!platform || !*platform) && displayName().empty()) {
    std::cerr << "juvo-host: --gui needs a display, and neither DISPLAY nor WAYLAND_DISPLAY is "
                 "set; leave out --gui to chat in the terminal\n";
    return nullptr;
  }
  // Qt's complaints while it looks for a display are replaced by the one line above.
  QtMessageHandler previous = qInstallMessageHandler(reportNoDisplay);
  // Qt reads options of its own from the command line ("-plugin" among them): give it none
  // of ours.
  static int qtArgc = 1;
  auto app = std::make_unique<QApplication>(qtArgc, argv);
  qInstallMessageHandler(previous);
  return app;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--plugin") {
      if (i + 1 >= argc || argv[i + 1][0] == '\0') {
        std::cerr << "juvo-host: the option --plugin needs a file: --plugin FILE\n";
        usage(std::cerr);
        return 2;
      }
      options.plugin = argv[++i];
    } else if (arg == "--gui") {
      options.gui = true;
    } else if (arg == "--help" || arg == "-h") {
      usage(std::cout);
      return 0;
    } else {
      std::cerr << "juvo-host: unknown argument " << arg << "\n";
      usage(std::cerr);
      return 2;
    }
  }
  if (options.plugin.empty()) options.plugin = hostFolder() / "juvo.so";

  // The GUI needs its application before the plug-in is created, so that the plug-in's
  // windows render with Qt; the terminal host owns the one console instead.
  std::unique_ptr<QApplication> app;
  std::unique_ptr<platform::Console> console;
  if (options.gui) {
    app = startGui(argv);
    if (!app) return 1;
  } else {
    console = std::make_unique<platform::Console>(std::cin, std::cout, ::isatty(STDIN_FILENO));
    platform::Console::install(console.get());
  }

  int status = 0;
  try {
    host::PluginClient plugin(host::loadPlugin(platform::Registry::user(), options.plugin));
    plugin.initialize();
    status = options.gui ? runGui(plugin, *app) : runTerminal(plugin, *console);
  } catch (const platform::Error& e) {
    std::cerr << "juvo-host: " << e.what() << "\n";
    status = 1;
  }
  platform::Console::install(nullptr);
  return status;
}
