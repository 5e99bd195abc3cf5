#include "platform/ui/qt_ui.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFontInfo>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "platform/base/error.h"
#include "platform/ui/form.h"
#include "platform/ui/qt_form_window.h"

namespace platform {
namespace {

// A window laid out like the configuration window, smaller. `events` records the handlers.
struct SampleWindow {
  Form form{"frmConfig", u"JUVO configuration", 5340, 4800};
  std::vector<std::string> events;

  SampleWindow() {
    Control& scripts = form.add(ControlKind::kListBox, "scripts", {120, 360, 2055, 3375}, 1);
    scripts.onClick([this, &scripts] {
      events.push_back("scripts:" + std::to_string(scripts.selectedIndex()));
    });
    form.add(ControlKind::kTextBox, "helptxt", {2520, 2160, 2655, 2055}, 5)
        .setMultiLine(true)
        .setVerticalScrollBar(true)
        .setLocked(true)
        .setText(u"Type /xjuvo weather and a city.\r\nThe forecast is sent.");
    form.add(ControlKind::kCommandButton, "cmdRefresh", {120, 3840, 2055, 375}, 7).onClick([this] {
      events.push_back("cmdRefresh");
    });
    form.add(ControlKind::kCommandButton, "cmdTryCommand", {2520, 4200, 2655, 375}, 0)
        .onClick([this] { events.push_back("cmdTryCommand"); });
    MenuItem& file = form.addMenu("mnuFile", u"F&ile");
    file.add("mnuLang", u"Change &language").onClick([this] { events.push_back("mnuLang"); });
    file.addSeparator("mnuSpacer");
    file.add("mnuClose", u"&Close").onClick([this] { form.close(); });
    form.addMenu("mnuHelp", u"&Help").add("mnuAbout", u"&About");
    form.onLoad([&scripts] {
      for (auto name : {u"weather.vbs", u"news.vbs", u"quote.js"})
        scripts.addItem(name);
      scripts.setSelectedIndex(0);
    });
  }
};

template <class T>
T* child(QWidget* window, const char* name) {
  T* found = window->findChild<T*>(QString::fromLatin1(name));
  EXPECT_NE(found, nullptr) << name;
  return found;
}

// Runs `step` once the next modal window is up.
void whenModal(std::function<void(QWidget*)> step) {
  QTimer::singleShot(0, [step = std::move(step)] {
    QWidget* modal = QApplication::activeModalWidget();
    ASSERT_NE(modal, nullptr);
    step(modal);
  });
}

// The sample window, loaded and shown.
class QtFormWindow : public ::testing::Test {
 protected:
  QDialog& open() {
    sample_.form.load();
    window_ = qt::createFormWindow(sample_.form, nullptr);
    sizeBeforeShowing_ = window_->size();
    window_->show();
    QApplication::processEvents();
    return *window_;
  }
  template <class T>
  T* find(const char* name) {
    return child<T>(window_.get(), name);
  }

  SampleWindow sample_;
  std::unique_ptr<QDialog> window_;
  QSize sizeBeforeShowing_;
};

TEST(QtForm, FontsAreThereSoTextIsReadable) {
  EXPECT_FALSE(QFontInfo(QApplication::font()).family().isEmpty());
}

TEST_F(QtFormWindow, IsTheClientAreaInPixelsPlusTheMenuBarWithItsModelsFocusAndTabOrder) {
  QDialog& window = open();
  auto* bar = window.findChild<QMenuBar*>();
  ASSERT_NE(bar, nullptr);
  ASSERT_GT(bar->height(), 0);
  EXPECT_EQ(sizeBeforeShowing_, window.size());
  EXPECT_EQ(find<QWidget>("client")->size(), QSize(356, 320));
  EXPECT_EQ(window.size(), QSize(356, 320 + bar->height()));
  EXPECT_EQ(window.minimumSize(), window.maximumSize()) << "fixed size";
  EXPECT_FALSE(window.windowFlags() &
               (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
  EXPECT_EQ(window.windowTitle(), QStringLiteral("JUVO configuration"));

  EXPECT_EQ(find<QListWidget>("scripts")->geometry(), QRect(8, 24, 137, 225));
  EXPECT_EQ(find<QPushButton>("cmdTryCommand")->geometry(), QRect(168, 280, 177, 25));
  auto* help = find<QPlainTextEdit>("helptxt");
  EXPECT_EQ(help->geometry(), QRect(168, 144, 177, 137));
  EXPECT_TRUE(help->isReadOnly());
  EXPECT_EQ(help->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_EQ(help->toPlainText(),
            QStringLiteral("Type /xjuvo weather and a city.\nThe forecast is sent."));
  QWidget* start = find<QWidget>("cmdTryCommand");
  EXPECT_EQ(QApplication::focusWidget(), start) << "the lowest tab index holds the focus";
  QStringList tabOrder;
  QWidget* widget = start;
  do {
    if ((widget->focusPolicy() & Qt::TabFocus) && widget->parentWidget() &&
        widget->parentWidget()->objectName() == QLatin1String("client")) {
      tabOrder << widget->objectName();
    }
    widget = widget->nextInFocusChain();
  } while (widget != start);
  EXPECT_EQ(tabOrder, (QStringList{"cmdTryCommand", "scripts", "helptxt", "cmdRefresh"}));
}

TEST_F(QtFormWindow, UserActionsReachTheModelAndModelChangesReachTheWindow) {
  QDialog& window = open();
  QStringList menus;
  for (QAction* action : window.findChild<QMenuBar*>()->actions())
    menus << action->text();
  auto* file = find<QMenu>("mnuFile");
  for (QAction* action : file->actions())
    menus << (action->isSeparator() ? "-" : action->text());
  EXPECT_EQ(menus, (QStringList{"F&ile", "&Help", "Change &language", "-", "&Close"}));
  auto* list = find<QListWidget>("scripts");
  ASSERT_EQ(list->count(), 3);
  EXPECT_EQ(list->currentRow(), 0);

  file->actions().front()->trigger();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualItemRect(list->item(2)).center());
  EXPECT_EQ(sample_.form.control("scripts").selectedIndex(), 2);
  QTest::mouseClick(find<QPushButton>("cmdRefresh"), Qt::LeftButton);
  EXPECT_EQ(sample_.events,
            (std::vector<std::string>{"scripts:0", "mnuLang", "scripts:2", "cmdRefresh"}));

  sample_.form.setCaption(u"Configuratie");
  sample_.form.control("helptxt").setText(u"Nieuw");
  sample_.form.control("scripts").clearItems();
  sample_.form.control("scripts").addItem(u"only.vbs");
  sample_.form.control("cmdTryCommand").setEnabled(false);
  sample_.form.menuItem("mnuLang").setCaption(u"Taal &kiezen");
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Configuratie"));
  EXPECT_EQ(find<QPlainTextEdit>("helptxt")->toPlainText(), QStringLiteral("Nieuw"));
  EXPECT_EQ(list->count(), 1);
  EXPECT_EQ(list->currentRow(), -1);
  EXPECT_FALSE(find<QPushButton>("cmdTryCommand")->isEnabled());
  EXPECT_EQ(file->actions()[0]->text(), QStringLiteral("Taal &kiezen"));
  EXPECT_EQ(sample_.events.size(), 4u) << "updates from the model raise no events";

  // A failing handler is reported in a box and never unwinds through Qt.
  sample_.form.control("cmdRefresh").onClick([] {
    raise(ErrorCode::kPermissionDenied, u"Permission denied: a.vbs");
  });
  QString reported;
  whenModal([&reported](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    ASSERT_NE(box, nullptr);
    reported = box->text();
    box->accept();
  });
  find<QPushButton>("cmdRefresh")->click();
  EXPECT_EQ(reported, QStringLiteral("Permission denied: a.vbs"));
  EXPECT_TRUE(window.isVisible());
}

TEST_F(QtFormWindow, ShowModalReturnsWhenTheFormClosesAndOwnedFormsSitOnTheirOwner) {
  QtUi ui;
  Form chooser("frmLanguage", u"Language", 3105, 1905, BorderStyle::kFixedToolWindow);
  QWidget* chooserParent = nullptr;
  QWidget* ownerWindow = nullptr;
  sample_.form.menuItem("mnuLang").onClick([&] {
    ownerWindow = QtUi::windowOf(sample_.form);
    whenModal([&](QWidget* modal) {
      chooserParent = modal->parentWidget();
      modal->close();  // the close box
    });
    ui.showModal(chooser, &sample_.form);
  });
  whenModal([&](QWidget* modal) {
    EXPECT_EQ(modal, QtUi::windowOf(sample_.form));
    EXPECT_TRUE(sample_.form.isShown());
    QTest::keyClick(modal, Qt::Key_Escape);
    EXPECT_FALSE(sample_.form.isClosed()) << "Escape closes only dialogs with a Cancel button";
    child<QMenu>(modal, "mnuFile")->actions().front()->trigger();
    child<QPushButton>(modal, "cmdTryCommand")->click();
    child<QMenu>(modal, "mnuFile")->actions().back()->trigger();  // &Close
  });
  ui.showModal(sample_.form, nullptr);
  EXPECT_TRUE(sample_.form.isClosed());
  EXPECT_TRUE(chooser.isClosed());
  ASSERT_NE(ownerWindow, nullptr);
  EXPECT_EQ(chooserParent, ownerWindow);
  EXPECT_EQ(QtUi::windowOf(sample_.form), nullptr);
  EXPECT_EQ(sample_.events, (std::vector<std::string>{"scripts:0", "cmdTryCommand"}));
}

TEST(QtUiBoxes, TheButtonClickedIsTheAnswerAndClosingIsCancelOrTheOnlyButton) {
  QtUi ui;
  QMessageBox::Icon shownIcon = QMessageBox::NoIcon;
  QString shown;
  whenModal([&](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    ASSERT_NE(box, nullptr);
    shown = box->windowTitle() + "|" + box->text();
    shownIcon = box->icon();
    EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::Yes));
    box->button(QMessageBox::No)->click();
  });
  EXPECT_EQ(ui.messageBox(u"Delete a.vbs?\r\nReally?", Buttons::kYesNo, Icon::kQuestion,
                          u"Delete parser"),
            Answer::kNo);
  EXPECT_EQ(shown, QStringLiteral("Delete parser|Delete a.vbs?\nReally?"));
  EXPECT_EQ(shownIcon, QMessageBox::Question);

  whenModal([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
  EXPECT_EQ(ui.messageBox(u"x", Buttons::kYesNoCancel, Icon::kExclamation, u"T"), Answer::kCancel);
  whenModal([](QWidget* modal) { modal->close(); });
  EXPECT_EQ(ui.messageBox(u"x", Buttons::kOk, Icon::kCritical, u"T"), Answer::kOk);
  EXPECT_NE(dynamic_cast<QtUi*>(&systemUi()), nullptr) << "Qt while a Qt application runs";
}

TEST(QtUiBoxes, TheInputBoxGivesTheTextOrNothingWhenCancelled) {
  QtUi ui;
  whenModal([](QWidget* modal) {
    auto* dialog = qobject_cast<QInputDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->labelText(), QStringLiteral("Arguments:"));
    EXPECT_EQ(dialog->textValue(), QStringLiteral("weather"));
    dialog->setTextValue(QStringLiteral("weather Amsterdam"));
    dialog->accept();
  });
  EXPECT_EQ(ui.inputBox(u"Arguments:", u"Try command", u"weather"), u"weather Amsterdam");
  whenModal([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
  EXPECT_EQ(ui.inputBox(u"Arguments:", u"Try command", u""), std::nullopt);
}

void saveScreenshot(const QPixmap& picture, const char* fileName) {
  if (QByteArray folder = qgetenv("JUVO_SCREENSHOTS"); !folder.isEmpty()) {
    EXPECT_TRUE(picture.save(QString::fromLocal8Bit(folder) + "/" + fileName)) << fileName;
  }
}

// The picture is saved in the folder JUVO_SCREENSHOTS names, if any.
TEST(QtScreenshot, AToolWindowWrapsItsLabelAndItsDropDownListRaisesTheModelsClick) {
  Form form("frmLanguage", u"Language", 3105, 1905, BorderStyle::kFixedToolWindow);
  form.add(ControlKind::kLabel, "lblSelectLanguage", {240, 120, 2655, 255}, 1)
      .setText(u"Select language:");
  Control& languages = form.add(ControlKind::kDropDownList, "cmbLang", {240, 360, 2655, 315}, 0);
  form.add(ControlKind::kLabel, "lblLangMessage", {240, 840, 2655, 975}, 2)
      .setWordWrap(true)
      .setText(
          u"Pick a language: the texts of JUVO change at once, and the choice is kept "
          u"for the next start.");
  std::vector<std::u16string> picked;
  languages.onClick([&] { picked.push_back(languages.text()); });
  for (auto name : {u"English", u"Dutch"})
    languages.addItem(name);
  languages.setText(u"English");
  EXPECT_EQ(qt::grabForm(form, false).size(), QSize(207, 127)) << "no menu bar, no growth";
  saveScreenshot(qt::grabForm(form), "form_tool_sample.png");

  auto window = qt::createFormWindow(form, nullptr);
  EXPECT_TRUE(window->windowFlags() & Qt::Tool);
  EXPECT_TRUE(child<QLabel>(window.get(), "lblLangMessage")->wordWrap());
  auto* combo = child<QComboBox>(window.get(), "cmbLang");
  EXPECT_FALSE(combo->isEditable());
  EXPECT_EQ(combo->currentText(), QStringLiteral("English"));
  combo->setCurrentIndex(1);
  emit combo->activated(1);  // what a user's pick sends
  EXPECT_EQ(picked, (std::vector<std::u16string>{u"English", u"Dutch"}));
}

}  // namespace
}  // namespace platform
