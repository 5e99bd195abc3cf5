// The module-wide objects: the string table `lang`, the name of the language in use
// `currentlang`, and the one configuration window. The module holds one instance for its
// whole life (moduleSharedObjects()); tests build their own over a test platform.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/platform.h"
#include "shared/config_window.h"

namespace juvo {

// The title of every box that has no title of its own.
inline constexpr std::u16string_view kApplicationTitle = u"Juvo";

class cLanguage;

class SharedObjects {
 public:
  // `makeConfigWindow` makes the configuration window whenever one is needed.
  SharedObjects(platform::Platform& platform, ConfigWindowFactory makeConfigWindow);
  ~SharedObjects();
  SharedObjects(const SharedObjects&) = delete;
  SharedObjects& operator=(const SharedObjects&) = delete;

  platform::Platform& platform;
  // Replaced by every creation of a juvo_main; null before the first. (Shared, so that this
  // layer needs no more of the string table than its name.)
  std::shared_ptr<cLanguage> lang;
  // The string table in use; raises kObjectVariableNotSet when its creation failed.
  const cLanguage& language() const;
  cLanguage& language();
  std::u16string currentlang = u"English";

  // The plug-in's folders in the module folder, without a trailing '/'.
  std::u16string juvoFolder() const;       // <module>/JUVO
  std::u16string parsersFolder() const;    // <module>/JUVO/Parsers
  std::u16string languagesFolder() const;  // <module>/JUVO/Languages

  // The one configuration window. The first use creates it, hidden, and runs its load
  // sequence before returning (a failure there goes to the caller, and the next use starts
  // afresh). Once its form is closed, the next use replaces it with a fresh one and so rereads
  // the parser list; a closed window is never destroyed earlier, since its handlers may still
  // be running.
  ConfigWindow& configWindow();
  // Shows the configuration window modally, owned by no window; returns when the user closed
  // it. A window already loaded is shown as it is: its list is not read again.
  void showConfigWindow();

 private:
  ConfigWindowFactory makeConfigWindow_;
  // Shared, so that a modal show keeps its window alive until it returns.
  std::shared_ptr<ConfigWindow> configWindow_;
};

// The module's one instance, over the real platform. Only the module itself calls this.
SharedObjects& moduleSharedObjects();

}  // namespace juvo
