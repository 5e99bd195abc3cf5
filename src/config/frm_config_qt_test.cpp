// The configuration window as the Qt renderer draws it. With JUVO_SCREENSHOTS naming a folder,
// the pictures of the documentation are written there (frmConfig.png and one per menu).
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QFontInfo>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <memory>
#include <string>

#include "config/frm_config.h"
#include "language/c_language.h"
#include "platform/ui/qt_form_window.h"
#include "platform/ui/qt_ui.h"
#include "test_platform.h"

namespace juvo {
namespace {

class FrmConfigQtTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (QFontInfo(QApplication::font()).family().isEmpty()) GTEST_SKIP() << "no font installed";
    test_.shared.lang = std::make_unique<cLanguage>(test_.shared);
    // JScript parsers with their information, so that the selected one fills the text boxes.
    for (std::string name : {"weather", "news", "tvguide", "translate"}) {
      test_.writeParser(name + ".js", "var name = '" + name + R"(';
function info() {
  engine.description = 'Gives the ' + name + ' of the day from the web.';
  engine.syntax = '<what>';
  engine.help = 'Type /xjuvo ' + name + ' followed by what you want to know. ' +
                'The answer is sent into the conversation.';
})");
    }
    window_ = std::make_unique<frmConfig>(test_.shared);
    window_->form().load();
  }

  static void save(const QPixmap& picture, const char* fileName) {
    QByteArray folder = qgetenv("JUVO_SCREENSHOTS");
    if (folder.isEmpty()) return;
    EXPECT_TRUE(picture.save(QString::fromLocal8Bit(folder) + "/" + fileName)) << fileName;
  }

  testing::TestPlatform test_;
  std::unique_ptr<frmConfig> window_;
};

// No label or button of `dialog` cuts its caption off.
void expectCaptionsFit(QDialog& dialog, const std::string& language) {
  const auto labels = dialog.findChildren<QLabel*>();
  const auto buttons = dialog.findChildren<QPushButton*>();
  ASSERT_EQ(labels.size(), 4);
  ASSERT_EQ(buttons.size(), 3);
  for (auto* label : labels) {
    EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->contentsRect().width())
        << language << " " << label->objectName().toStdString();
    EXPECT_LE(label->fontMetrics().height(), label->contentsRect().height());
  }
  for (auto* button : buttons) {
    EXPECT_LT(button->fontMetrics().horizontalAdvance(button->text()), button->width())
        << language << " " << button->objectName().toStdString();
    EXPECT_LE(button->sizeHint().height(), button->height() + 2);
  }
}

// With the English captions and the renderer's font, no caption is cut off.
TEST_F(FrmConfigQtTest, EveryCaptionFitsItsControl) {
  std::unique_ptr<QDialog> dialog = platform::qt::createFormWindow(window_->form(), nullptr);
  dialog->show();
  QApplication::processEvents();
  expectCaptionsFit(*dialog, "English");

  auto* list = dialog->findChild<QListWidget*>("scripts");
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->count(), 4);
  EXPECT_EQ(list->currentRow(), 0);
  // The load sequence showed the first parser's information.
  EXPECT_EQ(dialog->findChild<QPlainTextEdit*>("destxt")->toPlainText(),
            "Gives the " + list->item(0)->text().section('.', 0, 0) + " of the day from the web.");
}

TEST_F(FrmConfigQtTest, DrawsTheWindowAndEachMenu) {
  platform::Form& form = window_->form();
  QPixmap window = platform::qt::grabForm(form);
  QPixmap fileMenu = platform::qt::grabFormWithMenu(form, "mnuFile");
  QPixmap helpMenu = platform::qt::grabFormWithMenu(form, "mnuHelp");
  EXPECT_GE(window.width(), platform::qt::pixels(5340));
  EXPECT_GT(window.height(), platform::qt::pixels(4800));
  // An open menu adds its own picture: the result differs from the plain window.
  EXPECT_NE(fileMenu.toImage(), window.toImage());
  EXPECT_NE(helpMenu.toImage(), window.toImage());
  EXPECT_NE(helpMenu.toImage(), fileMenu.toImage());
  save(window, "frmConfig.png");
  save(fileMenu, "frmConfig_file_menu.png");
  save(helpMenu, "frmConfig_help_menu.png");
}

// The languages that ship fit the window as well; the Dutch one is pictured.
TEST_F(FrmConfigQtTest, TheShippedLanguagesFitAndDutchIsDrawn) {
  std::unique_ptr<QDialog> dialog = platform::qt::createFormWindow(window_->form(), nullptr);
  dialog->show();
  for (const char* language : {"German", "Dutch"}) {
    const std::string file = std::string(language) + ".xml";
    test_.installShippedLanguage(file);
    test_.shared.lang->loadfromfile(test_.modulePath("JUVO/Languages/" + file));
    window_->loadlang();
    QApplication::processEvents();
    ASSERT_NE(window_->form().menuItem("mnuFile").caption(), u"F&ile") << language;
    expectCaptionsFit(*dialog, language);
  }
  dialog->hide();
  EXPECT_EQ(window_->form().caption(), u"Juvo voor MSN Messenger - door Korvel");
  save(platform::qt::grabForm(window_->form()), "frmConfig_dutch.png");
  save(platform::qt::grabFormWithMenu(window_->form(), "mnuFile"), "frmConfig_dutch_file_menu.png");
}

}  // namespace
}  // namespace juvo
