// The real module in a Qt host: with a QApplication in the process the plug-in's windows and
// boxes are Qt windows.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <cstdlib>
#include <filesystem>

#include "platform/registry/registry.h"
#include "plugin_client.h"
#include "plugin_loader.h"
#include "temp_folder.h"

namespace host {
namespace {

namespace fs = std::filesystem;

class GuiPlugin : public ::testing::Test {
 protected:
  GuiPlugin() {
    // The process's registry is made on first use: point it at a fresh place before that.
    static juvo::testing::TempFolder config;
    setenv("XDG_CONFIG_HOME", config.path().c_str(), 1);
    fs::copy_file(JUVO_MODULE_PATH, moduleFolder_.path() / "juvo.so");
    moduleFolder_.write("JUVO/Parsers/hello.js",
                        "function info() { engine.description = 'Greets'; }\r\n"
                        "function run() { engine.output('Hello, ' + engine.argument); }\r\n");
  }

  juvo::testing::TempFolder moduleFolder_;
};

TEST_F(GuiPlugin, TheConfigurationWindowAndBoxesAreQtWindows) {
  PluginClient plugin(loadPlugin(platform::Registry::user(), moduleFolder_.path() / "juvo.so"));
  ASSERT_TRUE(plugin.initialize());

  EXPECT_EQ(plugin.parseCommand(u"/xjuvo", u"hello World").text, u"Hello, World");

  auto title = std::make_shared<QString>();
  QTimer::singleShot(0, [title] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      *title = modal->windowTitle();
      modal->close();
    }
  });
  CommandPlugin::Result config = plugin.parseCommand(u"/xjuvoconfig", u"");
  EXPECT_TRUE(config.handled);
  EXPECT_TRUE(config.text.empty());
  EXPECT_EQ(*title, QStringLiteral("Juvo for MSN Messenger - by Korvel"));

  auto box = std::make_shared<QString>();
  QTimer::singleShot(0, [box] {
    if (auto* message = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      *box = message->windowTitle() + QStringLiteral("|") + message->text();
      message->accept();
    }
  });
  EXPECT_EQ(plugin.parseCommand(u"/xjuvo", u"nosuch").text, u"");
  EXPECT_TRUE(box->startsWith(QStringLiteral("Juvo|No parser with the name 'nosuch' found.")))
      << box->toStdString();
}

}  // namespace
}  // namespace host
