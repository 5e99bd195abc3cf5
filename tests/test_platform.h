// TestPlatform: everything a test of the plug-in needs to run it for real, in one object. The
// module folder is a fresh temporary folder, the registry a hive file of its own, the user
// interface a ScriptedUi, the shell a RecordingShell, and the window messages a private bus;
// files, scripting, XML and web fetches are the real ones (the web through the system's
// transfer unless a test hands in another). The object catalogue holds the XML documents, which
// load web addresses through `web` too. The locale is US English and the clock the system's.
// `shared` is the plug-in's module-wide objects built over it, with the real configuration
// window, as the module builds its own over the real platform.
//
//   juvo::testing::TestPlatform test;
//   test.writeParser("weather.vbs", "Function run()...");
//   juvo::juvo_main plugin(test.shared);
//   test.ui.answer(platform::Answer::kOk);       // the next message box's button
//   test.platform.scriptTimeout = std::chrono::milliseconds(300);
//   test.platform.portalBase = server.base();   // a loopback web server of the test's
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/automation/object_catalogue.h"
#include "platform/inet/web_transfer.h"
#include "platform/locale/locale.h"
#include "platform/messages/window_messages.h"
#include "platform/platform.h"
#include "platform/registry/registry.h"
#include "platform/shell/shell.h"
#include "platform/ui/scripted_ui.h"
#include "shared/shared_objects.h"
#include "temp_folder.h"

namespace juvo::testing {

class TestPlatform {
 public:
  // A hive file in a temporary folder of its own, not created until something is written.
  TestPlatform();
  // The hive at `hiveFile` instead (for instance a path that cannot be written).
  explicit TestPlatform(std::filesystem::path hiveFile);
  ~TestPlatform();
  TestPlatform(const TestPlatform&) = delete;
  TestPlatform& operator=(const TestPlatform&) = delete;

  TempFolder moduleFolder;  // holds the module; JUVO/ lies in it
  TempFolder hiveFolder;    // holds the default hive file
  platform::Registry registry;
  platform::ScriptedUi ui;
  platform::RecordingShell shell;
  platform::WindowMessages messages;
  // The web transfer in use: the system's until a test sets another (a failing one, say).
  platform::WebTransfer* web = &platform::systemWebTransfer();
  // What scripts may create: the XML document under its names.
  platform::ObjectCatalogue objects;
  platform::Locale locale = platform::Locale::english();
  // Writes a file into <module>/JUVO/Parsers (e.g. "weather.vbs"), folders made as needed;
  // returns its path.
  std::filesystem::path writeParser(std::string_view fileName, std::string_view code) const;
  // Writes a file into <module>/JUVO/Languages (e.g. "Dutch.xml"); returns its path.
  std::filesystem::path writeLanguage(std::string_view fileName, std::string_view xml) const;
  // Copies a language file that ships (examples/languages, e.g. "Dutch.xml") into
  // <module>/JUVO/Languages; returns its path there.
  std::filesystem::path installShippedLanguage(std::string_view fileName) const;
  // Writes a file anywhere below the module folder ("JUVO" makes a file named JUVO).
  std::filesystem::path writeModuleFile(std::string_view relative, std::string_view bytes) const;

  // The program's path of something below the module folder: "<module>/JUVO/Parsers/x.vbs".
  std::u16string modulePath(std::string_view relative) const;

 private:
  // Hands every fetch to whatever `web` points at when it is made.
  class WebSwitch final : public platform::WebTransfer {
   public:
    explicit WebSwitch(platform::WebTransfer*& target) : target_(target) {}
    platform::WebDocument openUrl(std::u16string_view url,
                                  const platform::StopCheck& stop) override {
      return target_->openUrl(url, stop);
    }

   private:
    platform::WebTransfer*& target_;
  };
  WebSwitch webSwitch_{web};

 public:
  // portalBase "http://127.0.0.1:1" (nothing listens there), scriptTimeout 20000 ms: set
  // either field directly.
  platform::Platform platform;
  SharedObjects shared;
};

}  // namespace juvo::testing
