// The module-wide objects: the string table `lang`, the name of the language in use
// `currentlang`, and the one configuration window. The module holds one instance for its
// whole life (moduleSharedObjects()); tests build their own over a test platform.
#pragma once

#include <memory>
#include <string>

#include "platform/platform.h"

namespace juvo {

class cLanguage;

class SharedObjects {
 public:
  explicit SharedObjects(platform::Platform& platform);
  ~SharedObjects();
  SharedObjects(const SharedObjects&) = delete;
  SharedObjects& operator=(const SharedObjects&) = delete;

  platform::Platform& platform;
  // Replaced by every creation of a juvo_main; null before the first.
  std::unique_ptr<cLanguage> lang;
  std::u16string currentlang = u"English";

  // The plug-in's folders in the module folder, without a trailing '/'.
  std::u16string juvoFolder() const;       // <module>/JUVO
  std::u16string parsersFolder() const;    // <module>/JUVO/Parsers
  std::u16string languagesFolder() const;  // <module>/JUVO/Languages
};

// The module's one instance, over the real platform. Only the module itself calls this.
SharedObjects& moduleSharedObjects();

}  // namespace juvo
