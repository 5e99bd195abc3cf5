#include "platform/ui/qt_ui.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFontInfo>
#include <QImage>
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

// A window laid out like the configuration window: a list, three locked multi-line text
// boxes, buttons, the File and Help menus.
struct SampleWindow {
  Form form{"frmConfig", u"JUVO configuration", 5340, 4800};
  std::vector<std::string> events;

  SampleWindow() {
    auto label = [&](const char* name, Bounds bounds, int tab, std::u16string text) {
      form.add(ControlKind::kLabel, name, bounds, tab).setText(std::move(text));
    };
    auto textBox = [&](const char* name, Bounds bounds, int tab, std::u16string text) {
      form.add(ControlKind::kTextBox, name, bounds, tab)
          .setMultiLine(true)
          .setVerticalScrollBar(true)
          .setLocked(true)
          .setText(std::move(text));
    };
    auto button = [&](const char* name, Bounds bounds, int tab, std::u16string text) {
      form.add(ControlKind::kCommandButton, name, bounds, tab)
          .onClick([this, name] { events.push_back(name); })
          .setText(std::move(text));
    };
    label("lblInstalledParsers", {120, 120, 1935, 255}, 6, u"Installed parsers:");
    Control& scripts = form.add(ControlKind::kListBox, "scripts", {120, 360, 2055, 3375}, 1);
    scripts.onClick([this, &scripts] {
      events.push_back("scripts:" + std::to_string(scripts.selectedIndex()));
    });
    button("cmdRefresh", {120, 3840, 2055, 375}, 7, u"Refresh");
    button("cmdDeleteParser", {120, 4200, 2055, 375}, 8, u"Delete parser");
    label("lblDescription", {2520, 120, 2655, 255}, 2, u"Description:");
    textBox("destxt", {2520, 360, 2655, 645}, 3, u"Gives the weather forecast of a city.");
    label("lblSyntax", {2520, 1080, 2655, 255}, 9, u"Syntax:");
    textBox("syntxt", {2520, 1320, 2655, 525}, 10, u"/xjuvo weather <city>");
    label("lblHowToUse", {2520, 1920, 2655, 255}, 4, u"How to use");
    textBox("helptxt", {2520, 2160, 2655, 2055}, 5,
            u"Type /xjuvo weather followed by the name of a city.\r\nThe forecast for the "
            u"next three days is sent into the conversation.");
    button("cmdTryCommand", {2520, 4200, 2655, 375}, 0, u"Try command");
    MenuItem& file = form.addMenu("mnuFile", u"F&ile");
    file.add("mnuLang", u"Change &language").onClick([this] { events.push_back("mnuLang"); });
    file.add("mnuUpdate", u"Check for &updates");
    file.add("mnuDownloadParsers", u"Download more &parsers");
    file.addSeparator("mnuSpacer");
    file.add("mnuClose", u"&Close").onClick([this] { form.close(); });
    MenuItem& help = form.addMenu("mnuHelp", u"&Help");
    help.add("mnuUse", u"How does JUVO &work?");
    help.add("mnuMakeOwnParser", u"How do I &make my own parser?");
    help.addSeparator("mnuSpace2");
    help.add("mnuAbout", u"&About");
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

TEST(QtForm, FontsAreThereSoTextIsReadable) {
  EXPECT_FALSE(QFontInfo(QApplication::font()).family().isEmpty());
}

TEST(QtForm, TheWindowIsTheClientAreaInPixelsPlusTheMenuBar) {
  SampleWindow sample;
  sample.form.load();
  auto window = qt::createFormWindow(sample.form, nullptr);
  auto* bar = window->findChild<QMenuBar*>();
  ASSERT_NE(bar, nullptr);
  QSize beforeShowing = window->size();
  window->show();
  QApplication::processEvents();
  ASSERT_GT(bar->height(), 0);
  EXPECT_EQ(beforeShowing, window->size());
  EXPECT_EQ(child<QWidget>(window.get(), "client")->size(), QSize(356, 320));
  EXPECT_EQ(window->size(), QSize(356, 320 + bar->height()));
  EXPECT_EQ(window->minimumSize(), window->maximumSize()) << "fixed size";
  EXPECT_FALSE(window->windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_EQ(window->windowTitle(), QStringLiteral("JUVO configuration"));

  EXPECT_EQ(child<QListWidget>(window.get(), "scripts")->geometry(), QRect(8, 24, 137, 225));
  EXPECT_EQ(child<QPushButton>(window.get(), "cmdTryCommand")->geometry(),
            QRect(168, 280, 177, 25));
  EXPECT_EQ(child<QPlainTextEdit>(window.get(), "helptxt")->geometry(), QRect(168, 144, 177, 137));
  auto* description = child<QPlainTextEdit>(window.get(), "destxt");
  EXPECT_TRUE(description->isReadOnly());
  EXPECT_EQ(description->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_EQ(child<QPlainTextEdit>(window.get(), "helptxt")->toPlainText(),
            QStringLiteral("Type /xjuvo weather followed by the name of a city.\nThe forecast for "
                           "the next three days is sent into the conversation."));
  EXPECT_EQ(QApplication::focusWidget(), child<QWidget>(window.get(), "cmdTryCommand"))
      << "the lowest tab index holds the focus";
  QStringList tabOrder;
  QWidget* start = child<QWidget>(window.get(), "cmdTryCommand");
  QWidget* widget = start;
  do {
    if ((widget->focusPolicy() & Qt::TabFocus) && widget->parentWidget() &&
        widget->parentWidget()->objectName() == QLatin1String("client")) {
      tabOrder << widget->objectName();
    }
    widget = widget->nextInFocusChain();
  } while (widget != start);
  EXPECT_EQ(tabOrder, (QStringList{"cmdTryCommand", "scripts", "destxt", "helptxt", "cmdRefresh",
                                   "cmdDeleteParser", "syntxt"}));
}

TEST(QtForm, MenusKeepTheirAccessKeysSeparatorsAndOrder) {
  SampleWindow sample;
  sample.form.load();
  auto window = qt::createFormWindow(sample.form, nullptr);
  auto* bar = window->findChild<QMenuBar*>();
  ASSERT_NE(bar, nullptr);
  QStringList titles;
  for (QAction* action : bar->actions())
    titles << action->text();
  EXPECT_EQ(titles, (QStringList{"F&ile", "&Help"}));
  auto* file = child<QMenu>(window.get(), "mnuFile");
  QStringList entries;
  for (QAction* action : file->actions())
    entries << (action->isSeparator() ? "-" : action->text());
  EXPECT_EQ(entries, (QStringList{"Change &language", "Check for &updates",
                                  "Download more &parsers", "-", "&Close"}));

  file->actions().front()->trigger();
  EXPECT_EQ(sample.events, (std::vector<std::string>{"scripts:0", "mnuLang"}));
  sample.form.menuItem("mnuLang").setCaption(u"Taal &kiezen");
  sample.form.menuItem("mnuUpdate").setEnabled(false);
  EXPECT_EQ(file->actions()[0]->text(), QStringLiteral("Taal &kiezen"));
  EXPECT_FALSE(file->actions()[1]->isEnabled());
}

TEST(QtForm, UserActionsReachTheModelAndModelChangesReachTheWindow) {
  SampleWindow sample;
  sample.form.load();
  auto window = qt::createFormWindow(sample.form, nullptr);
  window->show();
  QApplication::processEvents();
  auto* list = child<QListWidget>(window.get(), "scripts");
  ASSERT_EQ(list->count(), 3);
  EXPECT_EQ(list->currentRow(), 0);

  QRect third = list->visualItemRect(list->item(2));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, third.center());
  EXPECT_EQ(sample.form.control("scripts").selectedIndex(), 2);
  QTest::mouseClick(child<QPushButton>(window.get(), "cmdRefresh"), Qt::LeftButton);
  EXPECT_EQ(sample.events, (std::vector<std::string>{"scripts:0", "scripts:2", "cmdRefresh"}));

  sample.form.setCaption(u"Configuratie");
  sample.form.control("lblSyntax").setText(u"Syntaxis:");
  sample.form.control("destxt").setText(u"Nieuw");
  sample.form.control("scripts").clearItems();
  sample.form.control("scripts").addItem(u"only.vbs");
  sample.form.control("cmdDeleteParser").setEnabled(false);
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Configuratie"));
  EXPECT_EQ(child<QLabel>(window.get(), "lblSyntax")->text(), QStringLiteral("Syntaxis:"));
  EXPECT_EQ(child<QPlainTextEdit>(window.get(), "destxt")->toPlainText(), QStringLiteral("Nieuw"));
  EXPECT_EQ(list->count(), 1);
  EXPECT_EQ(list->currentRow(), -1);
  EXPECT_FALSE(child<QPushButton>(window.get(), "cmdDeleteParser")->isEnabled());
  EXPECT_EQ(sample.events.size(), 3u) << "updates from the model raise no events";
}

TEST(QtForm, ADropDownListPickRaisesTheModelsClick) {
  Form form("frmLanguage", u"Language", 3105, 1905, BorderStyle::kFixedToolWindow);
  Control& languages = form.add(ControlKind::kDropDownList, "cmbLang", {240, 360, 2655, 315}, 0);
  form.add(ControlKind::kLabel, "lblLangMessage", {240, 840, 2655, 975}, 1).setWordWrap(true);
  std::vector<std::u16string> picked;
  languages.onClick([&] { picked.push_back(languages.text()); });
  for (auto name : {u"English", u"Dutch", u"German"})
    languages.addItem(name);
  languages.setText(u"English");
  form.load();
  auto window = qt::createFormWindow(form, nullptr);
  EXPECT_TRUE(window->windowFlags() & Qt::Tool);
  EXPECT_EQ(window->size(), QSize(207, 127)) << "no menu bar, no growth";
  EXPECT_TRUE(child<QLabel>(window.get(), "lblLangMessage")->wordWrap());
  auto* combo = child<QComboBox>(window.get(), "cmbLang");
  EXPECT_FALSE(combo->isEditable());
  EXPECT_EQ(combo->currentText(), QStringLiteral("English"));
  combo->setCurrentIndex(1);
  emit combo->activated(1);  // what a user's pick sends
  EXPECT_EQ(picked, (std::vector<std::u16string>{u"English", u"Dutch"}));
}

TEST(QtForm, AFailingHandlerIsReportedInABoxAndNeverUnwindsThroughQt) {
  SampleWindow sample;
  sample.form.control("cmdRefresh").onClick([] {
    raise(ErrorCode::kPermissionDenied, u"Permission denied: a.vbs");
  });
  sample.form.load();
  auto window = qt::createFormWindow(sample.form, nullptr);
  window->show();
  QString reported;
  whenModal([&reported](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    ASSERT_NE(box, nullptr);
    reported = box->text();
    box->accept();
  });
  child<QPushButton>(window.get(), "cmdRefresh")->click();
  EXPECT_EQ(reported, QStringLiteral("Permission denied: a.vbs"));
  EXPECT_TRUE(window->isVisible());
}

TEST(QtUiModal, ShowReturnsWhenTheFormClosesAndOwnedFormsSitOnTheirOwner) {
  QtUi ui;
  SampleWindow sample;
  Form chooser("frmLanguage", u"Language", 3105, 1905, BorderStyle::kFixedToolWindow);
  QWidget* chooserParent = nullptr;
  QWidget* ownerWindow = nullptr;
  sample.form.menuItem("mnuLang").onClick([&] {
    ownerWindow = QtUi::windowOf(sample.form);
    whenModal([&](QWidget* modal) {
      chooserParent = modal->parentWidget();
      modal->close();  // the close box
    });
    ui.showModal(chooser, &sample.form);
  });
  whenModal([&](QWidget* modal) {
    EXPECT_EQ(modal, QtUi::windowOf(sample.form));
    EXPECT_TRUE(sample.form.isShown());
    QTest::keyClick(modal, Qt::Key_Escape);
    EXPECT_FALSE(sample.form.isClosed()) << "Escape closes only dialogs with a Cancel button";
    child<QMenu>(modal, "mnuFile")->actions().front()->trigger();
    child<QPushButton>(modal, "cmdTryCommand")->click();
    child<QMenu>(modal, "mnuFile")->actions().back()->trigger();  // &Close
  });
  ui.showModal(sample.form, nullptr);
  EXPECT_TRUE(sample.form.isClosed());
  EXPECT_TRUE(chooser.isClosed());
  ASSERT_NE(ownerWindow, nullptr);
  EXPECT_EQ(chooserParent, ownerWindow);
  EXPECT_EQ(QtUi::windowOf(sample.form), nullptr);
  EXPECT_EQ(sample.events, (std::vector<std::string>{"scripts:0", "cmdTryCommand"}));
}

TEST(QtUiBoxes, TheButtonClickedIsTheAnswer) {
  QtUi ui;
  QString shownText;
  QString shownTitle;
  QMessageBox::Icon shownIcon = QMessageBox::NoIcon;
  whenModal([&](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    ASSERT_NE(box, nullptr);
    shownText = box->text();
    shownTitle = box->windowTitle();
    shownIcon = box->icon();
    EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::Yes));
    box->button(QMessageBox::No)->click();
  });
  EXPECT_EQ(ui.messageBox(u"Delete a.vbs?\r\nReally?", Buttons::kYesNo, Icon::kQuestion,
                          u"Delete parser"),
            Answer::kNo);
  EXPECT_EQ(shownText, QStringLiteral("Delete a.vbs?\nReally?"));
  EXPECT_EQ(shownTitle, QStringLiteral("Delete parser"));
  EXPECT_EQ(shownIcon, QMessageBox::Question);

  whenModal([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
  EXPECT_EQ(ui.messageBox(u"x", Buttons::kYesNoCancel, Icon::kExclamation, u"T"), Answer::kCancel);
  whenModal([](QWidget* modal) { modal->close(); });
  EXPECT_EQ(ui.messageBox(u"x", Buttons::kOk, Icon::kCritical, u"T"), Answer::kOk);
  whenModal([](QWidget* modal) {
    qobject_cast<QMessageBox*>(modal)->button(QMessageBox::Retry)->click();
  });
  EXPECT_EQ(ui.messageBox(u"x", Buttons::kAbortRetryIgnore, Icon::kNone, u"T"), Answer::kRetry);
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

TEST(QtUiBoxes, TheSystemUiIsQtWhileAQtApplicationRuns) {
  EXPECT_NE(dynamic_cast<QtUi*>(&systemUi()), nullptr);
}

// The picture of the sample window; JUVO_SCREENSHOTS names a folder to save it in.
TEST(QtScreenshot, TheSampleWindowIsDrawnWithItsMenuBar) {
  SampleWindow sample;
  QPixmap plain = qt::grabForm(sample.form, false);
  EXPECT_EQ(plain.width(), 356);
  EXPECT_GT(plain.height(), 320);
  QImage image = plain.toImage();
  // Text was drawn: the menu bar's row holds more than one colour.
  QSet<QRgb> colours;
  for (int x = 0; x < 60; ++x)
    colours.insert(image.pixel(x, (plain.height() - 320) / 2));
  EXPECT_GT(colours.size(), 1);

  QPixmap framed = qt::grabForm(sample.form);
  QPixmap menu = qt::grabFormWithMenu(sample.form, "mnuFile");
  EXPECT_GT(framed.height(), plain.height());
  EXPECT_GE(menu.height(), framed.height());
  if (QByteArray folder = qgetenv("JUVO_SCREENSHOTS"); !folder.isEmpty()) {
    EXPECT_TRUE(framed.save(QString::fromLocal8Bit(folder) + "/form_sample.png"));
    EXPECT_TRUE(menu.save(QString::fromLocal8Bit(folder) + "/form_sample_menu.png"));
  }
}

TEST(QtScreenshot, AToolWindowWrapsTheWordsOfItsLabel) {
  Form form("frmLanguage", u"Language", 3105, 1905, BorderStyle::kFixedToolWindow);
  form.add(ControlKind::kLabel, "lblSelectLanguage", {240, 120, 2655, 255}, 1)
      .setText(u"Select language:");
  Control& languages = form.add(ControlKind::kDropDownList, "cmbLang", {240, 360, 2655, 315}, 0);
  form.add(ControlKind::kLabel, "lblLangMessage", {240, 840, 2655, 975}, 2)
      .setWordWrap(true)
      .setText(
          u"Pick a language: the texts of JUVO change at once, and the choice is kept "
          u"for the next start.");
  for (auto name : {u"English", u"Dutch"})
    languages.addItem(name);
  languages.setText(u"English");
  QPixmap picture = qt::grabForm(form, false);
  EXPECT_EQ(picture.size(), QSize(207, 127));
  // The message label spans several lines: ink on its third line too.
  QImage image = picture.toImage();
  QRgb background = image.pixel(200, 120);
  bool inkOnThirdLine = false;
  for (int x = 16; x < 190 && !inkOnThirdLine; ++x) {
    for (int y = 56 + 30; y < 56 + 44; ++y)
      inkOnThirdLine |= image.pixel(x, y) != background;
  }
  EXPECT_TRUE(inkOnThirdLine);
  if (QByteArray folder = qgetenv("JUVO_SCREENSHOTS"); !folder.isEmpty()) {
    EXPECT_TRUE(qt::grabForm(form).save(QString::fromLocal8Bit(folder) + "/form_tool_sample.png"));
  }
}

}  // namespace
}  // namespace platform
