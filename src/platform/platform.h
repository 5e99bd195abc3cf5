// Platform: every service of the operating system that the program relies on, reached
// through one object (in the manner of LevelDB's Env). Production code gets the real one
// when the host creates the plug-in object; tests build one over a temporary module folder,
// a temporary hive and a scripted user interface. Files are reached through the free
// functions of platform/files, which need no double.
#pragma once

#include <chrono>
#include <string>

namespace platform {

class Registry;
class Shell;
class Ui;
class WindowMessages;

struct Platform {
  Registry& registry;        // the per-user registry hive
  Ui& ui;                    // message boxes, input boxes, modal forms
  Shell& shell;              // opening web addresses
  WindowMessages& messages;  // registered window messages
  // The folder that holds the module, without a trailing separator ("/opt/x", not "/opt/x/").
  std::u16string moduleFolder;
  // The maker's web portal, scheme and host ("http://example.org"), no trailing separator.
  std::u16string portalBase;
  // How long one call into a script may run before the time-out stops it.
  std::chrono::milliseconds scriptTimeout{20000};
};

}  // namespace platform
