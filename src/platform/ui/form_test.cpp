#include "platform/ui/form.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/base/error.h"

namespace platform {
namespace {

using Events = std::vector<std::string>;
using K = FormChange::Kind;

// A list or drop-down list whose clicks are recorded as "name:index".
Control& addList(Form& form, ControlKind kind, const char* name, int tabIndex, Events& events) {
  Control& list = form.add(kind, name, {}, tabIndex);
  list.onClick([&list, &events] {
    events.push_back(list.name() + ":" + std::to_string(list.selectedIndex()));
  });
  return list;
}

// As Visual Basic's ListIndex: a move to an entry clicks, whoever makes it; no move, or a
// move to nothing (also by clearing the list), raises nothing.
TEST(Form, SelectingAnEntryRaisesClickWhetherCodeOrUserSelects) {
  Form form("frmX", u"X", 1000, 1000);
  Events events;
  Control& list = addList(form, ControlKind::kListBox, "lst", 0, events);
  list.addItem(u"a.vbs");
  list.addItem(u"b.vbs");
  list.setSelectedIndex(1);
  form.select("lst", 0);
  list.setSelectedIndex(0);
  EXPECT_EQ(list.text(), u"a.vbs");
  list.setSelectedIndex(-1);
  EXPECT_EQ(list.text(), u"");
  EXPECT_THROW(list.setSelectedIndex(2), Error);
  EXPECT_THROW(list.setSelectedIndex(-2), Error);
  EXPECT_EQ(list.selectedIndex(), -1);

  list.setSelectedIndex(0);
  list.clearItems();
  EXPECT_EQ(list.selectedIndex(), -1);
  list.addItem(u"c.js");
  list.setSelectedIndex(0);
  EXPECT_EQ(events, (Events{"lst:1", "lst:0", "lst:0", "lst:0"}));

  // A drop-down list's text selects the exactly matching entry.
  Control& combo = addList(form, ControlKind::kDropDownList, "cmb", 1, events);
  for (auto name : {u"English", u"Dutch"})
    combo.addItem(name);
  combo.setText(u"Dutch");
  EXPECT_EQ(combo.text(), u"Dutch");
  combo.setText(u"dutch");
  EXPECT_EQ(combo.selectedIndex(), -1);
  EXPECT_FALSE(form.pick("cmb", u"French"));
  EXPECT_TRUE(form.pick("cmb", u"English"));
  EXPECT_EQ(events, (Events{"lst:1", "lst:0", "lst:0", "lst:0", "cmb:1", "cmb:0"}));
}

TEST(Form, MenusLifecycleAndNamesBehaveAsInVisualBasic) {
  Form form("frmX", u"X", 1000, 1000);
  Events events;
  MenuItem& file = form.addMenu("mnuFile", u"F&ile");
  file.add("mnuOpen", u"&Open").onClick([&] { events.push_back("mnuOpen"); });
  file.addSeparator("mnuSpacer");
  file.add("mnuClose", u"&Close").onClick([&] { form.close(); });
  form.onLoad([&] { events.push_back("load"); });
  form.onUnload([&] { events.push_back("unload"); });
  EXPECT_THROW(form.addMenu("mnuClose", u"x"), Error);
  EXPECT_THROW(form.pickMenu("mnuNothing"), Error);
  EXPECT_THROW(form.clickButton("cmdNothing"), Error);

  form.setShown(true);  // showing loads first
  form.load();
  EXPECT_TRUE(form.isLoaded() && form.isShown());
  form.pickMenu("mnuOpen");
  form.pickMenu("mnuSpacer");
  form.menuItem("mnuOpen").setEnabled(false);
  form.pickMenu("mnuOpen");

  std::vector<K> seen;
  form.subscribe([&seen](const FormChange& change) { seen.push_back(change.kind); });
  form.pickMenu("mnuClose");
  form.close();
  form.setShown(true);
  EXPECT_TRUE(form.isClosed());
  EXPECT_FALSE(form.isShown());
  EXPECT_EQ(events, (Events{"load", "mnuOpen", "unload"}));
  EXPECT_EQ(seen, std::vector<K>{K::kClosed});

  Form failing("frmX", u"X", 1000, 1000);
  failing.onUnload([] { raise(ErrorCode::kFail); });
  bool closedSeen = false;
  failing.subscribe([&](const FormChange& change) { closedSeen |= change.kind == K::kClosed; });
  EXPECT_THROW(failing.close(), Error);
  EXPECT_TRUE(failing.isClosed() && closedSeen) << "a failing unload handler still closes it";
}

TEST(Form, FocusGoesToTheLowestTabIndexThatCanTakeIt) {
  Form form("frmX", u"X", 1000, 1000);
  form.add(ControlKind::kLabel, "lblTitle", {}, 0);
  form.add(ControlKind::kCommandButton, "cmdOff", {}, 1).setEnabled(false);
  form.add(ControlKind::kCommandButton, "cmdGo", {}, 3);
  form.add(ControlKind::kListBox, "lstItems", {}, 2);
  EXPECT_EQ(form.firstFocus()->name(), "lstItems");
  form.control("lstItems").setVisible(false);
  EXPECT_EQ(form.firstFocus()->name(), "cmdGo");
}

// Renderers follow the model through listeners; their own tests check what each change shows.
TEST(Form, ListenersHearChangesUntilTheyUnsubscribe) {
  Form form("frmX", u"X", 1000, 1000);
  int calls = 0;
  int second = 0;
  int first = form.subscribe([&](const FormChange&) { form.unsubscribe(second); });
  second = form.subscribe([&](const FormChange&) { ++calls; });
  form.setCaption(u"Y");
  EXPECT_EQ(calls, 0) << "a listener may unsubscribe another while being told";

  std::vector<K> seen;
  form.subscribe([&](const FormChange& change) { seen.push_back(change.kind); });
  form.unsubscribe(first);
  form.setCaption(u"Y");  // unchanged: nothing to tell
  form.setCaption(u"Z");
  EXPECT_EQ(seen, std::vector<K>{K::kCaption});
}

}  // namespace
}  // namespace platform
