#include "session.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/base/text.h"
#include "platform/inet/web_transfer.h"
#include "temp_folder.h"
#include "web_trace.h"

namespace juvo::tool {
namespace {

using juvo::testing::TempFolder;

// The saved language's file as the plug-in would find it at start, and what the session
// keeps of it.
TEST(Session, KeepsTheBoxesThePluginShowsAsItStarts) {
  TempFolder home;
  TempFolder module;
  ::setenv("XDG_CONFIG_HOME", home.path().c_str(), 1);
  home.write("juvo/registry.reg",
             "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Korvel\\JUVO]\n\"language\"=\"Broken\"\n");
  module.write("JUVO/Languages/Broken.xml", "<strings>\n<a>one</b>\n</strings>\n");
  RefusingWebTransfer web(u"no fetches here");
  const Session broken(module.text(), std::chrono::seconds(1), web);
  ASSERT_EQ(broken.startBoxes().size(), 1u);
  EXPECT_EQ(broken.startBoxes()[0].title.substr(0, 10), u"XML Error ");
  EXPECT_NE(broken.startBoxes()[0].text.find(u"Broken.xml"), std::u16string::npos);

  module.write("JUVO/Languages/Broken.xml", "<strings>\n<a>one</a>\n</strings>\n");
  const Session mended(module.text(), std::chrono::seconds(1), web);
  EXPECT_TRUE(mended.startBoxes().empty());
}

}  // namespace
}  // namespace juvo::tool
