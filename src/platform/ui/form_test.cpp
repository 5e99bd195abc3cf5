#include "platform/ui/form.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/base/error.h"

namespace platform {
namespace {

// A small window like the language chooser: a label, a drop-down list, a list, two buttons
// and a menu.
struct SampleForm {
  Form form{"frmSample", u"Sample", 3105, 1905, BorderStyle::kFixedToolWindow};
  std::vector<std::string> events;

  SampleForm() {
    form.add(ControlKind::kLabel, "lblTitle", {240, 120, 2655, 255}, 0).setText(u"Title");
    form.add(ControlKind::kDropDownList, "cmbLang", {240, 360, 2655, 315}, 3).onClick([this] {
      events.push_back("cmbLang:" + std::to_string(combo().selectedIndex()));
    });
    form.add(ControlKind::kListBox, "lstItems", {240, 840, 2655, 600}, 2).onClick([this] {
      events.push_back("lstItems:" + std::to_string(list().selectedIndex()));
    });
    form.add(ControlKind::kCommandButton, "cmdOff", {240, 1500, 900, 300}, 1).setEnabled(false);
    form.add(ControlKind::kCommandButton, "cmdGo", {1240, 1500, 900, 300}, 4).onClick([this] {
      events.push_back("cmdGo");
    });
    MenuItem& file = form.addMenu("mnuFile", u"F&ile");
    file.add("mnuOpen", u"&Open").onClick([this] { events.push_back("mnuOpen"); });
    file.addSeparator("mnuSpacer");
    file.add("mnuClose", u"&Close").onClick([this] { form.close(); });
    form.onLoad([this] { events.push_back("load"); });
    form.onUnload([this] { events.push_back("unload"); });
  }
  Control& combo() { return form.control("cmbLang"); }
  Control& list() { return form.control("lstItems"); }
};

TEST(Form, SelectingAnEntryRaisesClickWhetherCodeOrUserSelects) {
  SampleForm sample;
  sample.list().addItem(u"a.vbs");
  sample.list().addItem(u"b.vbs");
  sample.list().setSelectedIndex(1);
  sample.form.select("lstItems", 0);
  sample.list().setSelectedIndex(0);  // no change, no click
  EXPECT_EQ(sample.events, (std::vector<std::string>{"lstItems:1", "lstItems:0"}));
  EXPECT_EQ(sample.list().text(), u"a.vbs");

  sample.list().setSelectedIndex(-1);
  EXPECT_EQ(sample.events.size(), 2u) << "clearing the selection raises nothing";
  EXPECT_EQ(sample.list().text(), u"");
  EXPECT_THROW(sample.list().setSelectedIndex(2), Error);
  EXPECT_THROW(sample.list().setSelectedIndex(-2), Error);
  EXPECT_EQ(sample.list().selectedIndex(), -1);
}

TEST(Form, ClearingAListDropsTheSelectionSilentlyAndSelectingAgainClicks) {
  SampleForm sample;
  sample.list().addItem(u"a.vbs");
  sample.list().setSelectedIndex(0);
  sample.list().clearItems();
  EXPECT_EQ(sample.list().selectedIndex(), -1);
  sample.list().addItem(u"c.js");
  sample.list().setSelectedIndex(0);
  EXPECT_EQ(sample.events, (std::vector<std::string>{"lstItems:0", "lstItems:0"}));
}

TEST(Form, SettingTheTextOfADropDownListSelectsTheMatchingEntry) {
  SampleForm sample;
  for (auto name : {u"English", u"Dutch", u"German"})
    sample.combo().addItem(name);
  sample.combo().setText(u"Dutch");
  EXPECT_EQ(sample.combo().selectedIndex(), 1);
  EXPECT_EQ(sample.combo().text(), u"Dutch");
  sample.combo().setText(u"dutch");  // the match is exact
  EXPECT_EQ(sample.combo().selectedIndex(), -1);
  sample.combo().setText(u"German");
  EXPECT_TRUE(sample.form.pick("cmbLang", u"English"));
  EXPECT_FALSE(sample.form.pick("cmbLang", u"French"));
  EXPECT_EQ(sample.combo().text(), u"English");
  EXPECT_EQ(sample.events, (std::vector<std::string>{"cmbLang:1", "cmbLang:2", "cmbLang:0"}));
}

TEST(Form, MenuItemsRaiseTheirHandlersExceptSeparatorsAndDisabledOnes) {
  SampleForm sample;
  sample.form.pickMenu("mnuOpen");
  sample.form.pickMenu("mnuSpacer");
  sample.form.menuItem("mnuOpen").setEnabled(false);
  sample.form.pickMenu("mnuOpen");
  EXPECT_EQ(sample.events, (std::vector<std::string>{"mnuOpen"}));
  EXPECT_TRUE(sample.form.menuItem("mnuSpacer").isSeparator());
  EXPECT_EQ(sample.form.menuBar().front()->children().size(), 3u);
  EXPECT_THROW(sample.form.pickMenu("mnuNothing"), Error);
  EXPECT_THROW(sample.form.clickButton("cmdNothing"), Error);
  EXPECT_THROW(sample.form.add(ControlKind::kLabel, "cmdGo", {}, 9), Error);
  EXPECT_THROW(sample.form.addMenu("mnuClose", u"x"), Error);
}

TEST(Form, LifecycleLoadsOnceAndClosesForGood) {
  SampleForm sample;
  EXPECT_FALSE(sample.form.isLoaded());
  sample.form.setShown(true);  // showing loads first
  sample.form.load();
  EXPECT_TRUE(sample.form.isLoaded());
  EXPECT_TRUE(sample.form.isShown());

  std::vector<FormChange::Kind> seen;
  sample.form.subscribe([&seen](const FormChange& change) { seen.push_back(change.kind); });
  sample.form.pickMenu("mnuClose");
  sample.form.close();
  EXPECT_TRUE(sample.form.isClosed());
  EXPECT_FALSE(sample.form.isShown());
  sample.form.setShown(true);
  EXPECT_FALSE(sample.form.isShown());
  EXPECT_EQ(sample.events, (std::vector<std::string>{"load", "unload"}));
  EXPECT_EQ(seen, (std::vector<FormChange::Kind>{FormChange::Kind::kClosed}));
}

TEST(Form, AFailingUnloadHandlerStillClosesTheWindow) {
  Form form("frmX", u"X", 1000, 1000);
  form.onUnload([] { raise(ErrorCode::kFail); });
  bool closedSeen = false;
  form.subscribe([&](const FormChange& change) {
    closedSeen = closedSeen || change.kind == FormChange::Kind::kClosed;
  });
  EXPECT_THROW(form.close(), Error);
  EXPECT_TRUE(form.isClosed());
  EXPECT_TRUE(closedSeen);
}

TEST(Form, FocusGoesToTheLowestTabIndexThatCanTakeIt) {
  SampleForm sample;
  // lblTitle (0) takes no focus, cmdOff (1) is disabled.
  EXPECT_EQ(sample.form.firstFocus()->name(), "lstItems");
  std::vector<std::string> order;
  for (Control* control : sample.form.tabOrder())
    order.push_back(control->name());
  EXPECT_EQ(order, (std::vector<std::string>{"cmdOff", "lstItems", "cmbLang", "cmdGo"}));
  sample.list().setVisible(false);
  EXPECT_EQ(sample.form.firstFocus()->name(), "cmbLang");
}

TEST(Form, ListenersHearChangesUntilTheyUnsubscribe) {
  SampleForm sample;
  std::vector<std::pair<FormChange::Kind, std::string>> seen;
  int id = sample.form.subscribe([&seen](const FormChange& change) {
    std::string who = change.control    ? change.control->name()
                      : change.menuItem ? change.menuItem->name()
                                        : "form";
    seen.emplace_back(change.kind, who);
  });
  sample.form.setCaption(u"Other");
  sample.form.setCaption(u"Other");  // unchanged: nothing to tell
  sample.form.control("lblTitle").setText(u"New");
  sample.list().addItem(u"x");
  sample.list().setSelectedIndex(0);
  sample.form.control("cmdGo").setEnabled(false);
  sample.form.menuItem("mnuOpen").setCaption(u"&Open...");
  sample.form.unsubscribe(id);
  sample.form.setCaption(u"Later");
  using K = FormChange::Kind;
  EXPECT_EQ(seen, (std::vector<std::pair<K, std::string>>{{K::kCaption, "form"},
                                                          {K::kText, "lblTitle"},
                                                          {K::kItems, "lstItems"},
                                                          {K::kSelection, "lstItems"},
                                                          {K::kState, "cmdGo"},
                                                          {K::kMenuItem, "mnuOpen"}}));
}

TEST(Form, AListenerMayUnsubscribeAnotherWhileBeingTold) {
  Form form("frmX", u"X", 1000, 1000);
  int second = 0;
  int calls = 0;
  form.subscribe([&](const FormChange&) { form.unsubscribe(second); });
  second = form.subscribe([&](const FormChange&) { ++calls; });
  form.setCaption(u"Y");
  EXPECT_EQ(calls, 0);
}

}  // namespace
}  // namespace platform
