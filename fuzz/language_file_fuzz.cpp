// Any language file, however damaged: loading it never crashes or hangs, shows at most the one
// box of a file that is not well formed, and never takes a default key away.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>

#include "language/c_language.h"
#include "language/english_defaults.h"
#include "test_platform.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Made once and removed at exit with their temporary folders.
  static juvo::testing::TestPlatform platform;
  static juvo::cLanguage table(platform.shared);
  static juvo::testing::TestPlatform* test = &platform;
  static juvo::cLanguage* lang = &table;
  static const std::u16string path = test->modulePath("JUVO/Languages/Fuzz.xml");
  test->writeLanguage("Fuzz.xml", std::string_view(reinterpret_cast<const char*>(data), size));
  test->ui.clear();

  lang->loadfromfile(path);

  const auto& shown = test->ui.shown();
  if (shown.size() > 1) std::abort();
  if (shown.size() == 1 &&
      shown[0].text.rfind(u"Error in language file " + path + u".\r\n", 0) != 0)
    std::abort();
  if (lang->size() < juvo::englishDefaults().size()) std::abort();
  for (const juvo::DefaultText& entry : juvo::englishDefaults())
    lang->str(entry.key);  // raises, and so crashes the fuzzer, when a key is gone
  return 0;
}
