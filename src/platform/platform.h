// Platform: every service of the operating system that the program relies on, reached
// through one object (in the manner of LevelDB's Env). Production code gets the real one
// when the host creates the plug-in object; tests build one over a temporary module folder,
// a temporary hive, a scripted user interface and a loopback web server. Files are reached
// through the free functions of platform/files, which need no double.
#pragma once

#include <chrono>
#include <string>

namespace platform {

class Clock;
class ObjectCatalogue;
class Registry;
class Shell;
class Ui;
class WebTransfer;
class WindowMessages;
struct Locale;

struct Platform {
  Registry& registry;        // the per-user registry hive
  Ui& ui;                    // message boxes, input boxes, modal forms
  Shell& shell;              // opening web addresses
  WindowMessages& messages;  // registered window messages
  WebTransfer& web;          // fetching web documents
  Clock& clock;              // the time of day
  ObjectCatalogue& objects;  // what scripts may create by name
  const Locale& locale;      // the user's regional settings
  // The folder that holds the module, without a trailing separator ("/opt/x", not "/opt/x/").
  std::u16string moduleFolder;
  // The maker's web portal, scheme and host ("http://example.org"), no trailing separator.
  std::u16string portalBase;
  // How long one call into a script may run before the time-out stops it.
  std::chrono::milliseconds scriptTimeout{20000};
};

}  // namespace platform
