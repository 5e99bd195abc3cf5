#include "engine/find_parser.h"

#include "platform/base/text.h"
#include "platform/files/files.h"
#include "shared/shared_objects.h"

namespace juvo {

std::u16string findParser(const SharedObjects& shared, std::u16string_view name) {
  try {
    const std::u16string lookup(platform::trimSpaces(platform::toLower(name)));
    const std::u16string folder = shared.parsersFolder() + u"/";
    for (std::u16string_view extension : {u".vbs", u".js"}) {
      const std::u16string fileName = lookup + std::u16string(extension);
      for (const std::u16string& found :
           platform::files::find(folder + fileName, platform::files::Entries::kOrdinaryFiles)) {
        // The search ignores case and honours wildcards and folders; only the very name counts.
        if (found == fileName) return folder + fileName;
      }
    }
  } catch (...) {
    // A search that cannot be made finds nothing.
  }
  return {};
}

}  // namespace juvo
