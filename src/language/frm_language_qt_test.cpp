// The language window as the Qt renderer draws it, in each language that ships. With
// JUVO_SCREENSHOTS naming a folder, its pictures for the documentation are written there.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFontInfo>
#include <QLabel>
#include <QPixmap>
#include <memory>
#include <string>

#include "language/c_language.h"
#include "language/frm_language.h"
#include "platform/base/text.h"
#include "platform/ui/qt_form_window.h"
#include "platform/ui/qt_ui.h"
#include "test_platform.h"

namespace juvo {
namespace {

class FrmLanguageQtTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (QFontInfo(QApplication::font()).family().isEmpty()) GTEST_SKIP() << "no font installed";
    test_.installShippedLanguage("Dutch.xml");
    test_.installShippedLanguage("German.xml");
    test_.shared.lang = std::make_shared<cLanguage>(test_.shared);
    window_ = std::make_unique<frmLanguage>(test_.shared);
    window_->form().load();
  }

  static void save(const QPixmap& picture, const char* fileName) {
    QByteArray folder = qgetenv("JUVO_SCREENSHOTS");
    if (folder.isEmpty()) return;
    EXPECT_TRUE(picture.save(QString::fromLocal8Bit(folder) + "/" + fileName)) << fileName;
  }

  testing::TestPlatform test_;
  std::unique_ptr<frmLanguage> window_;
};

// A tool window whose texts fit their labels in every language, the list following each pick.
TEST_F(FrmLanguageQtTest, EachLanguagesTextsFitAndTheWindowFollowsThePick) {
  platform::Form& form = window_->form();
  std::unique_ptr<QDialog> dialog = platform::qt::createFormWindow(form, nullptr);
  dialog->show();
  QApplication::processEvents();
  EXPECT_TRUE(dialog->windowFlags().testFlag(Qt::Tool));
  auto* list = dialog->findChild<QComboBox*>("cmbLang");
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->count(), 3);
  EXPECT_EQ(dialog->focusWidget(), list);

  for (const char* language : {"English", "German", "Dutch"}) {
    if (std::string(language) != "English") {
      ASSERT_TRUE(form.pick("cmbLang", platform::fromUtf8(language)));
    }
    QApplication::processEvents();
    EXPECT_EQ(list->currentText().toStdString(), language);
    EXPECT_EQ(dialog->windowTitle().toStdString(), platform::toUtf8(form.caption()));
    auto* select = dialog->findChild<QLabel*>("lblSelectLanguage");
    auto* message = dialog->findChild<QLabel*>("lblLangMessage");
    ASSERT_TRUE(select && message);
    EXPECT_LE(select->fontMetrics().horizontalAdvance(select->text()),
              select->contentsRect().width())
        << language;
    EXPECT_TRUE(message->wordWrap());
    EXPECT_LE(message->heightForWidth(message->width()), message->height())
        << language << ": " << message->text().toStdString();
    if (std::string(language) == "English") save(platform::qt::grabForm(form), "frmLanguage.png");
  }
  EXPECT_EQ(dialog->windowTitle(), "Taal");
  save(platform::qt::grabForm(form), "frmLanguage_dutch.png");
}

}  // namespace
}  // namespace juvo
