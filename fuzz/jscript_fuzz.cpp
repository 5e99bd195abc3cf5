// Any parser source: compiling and running it never crashes or hangs the host; it ends in a
// result, a script error or the time-out.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/base/error.h"
#include "platform/base/text.h"
#include "platform/script/script_control.h"
#include "platform/script/script_test_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static platform::ScriptControl script(std::chrono::milliseconds(50),
                                        platform::testing::testServices());
  script.onTimeout = [] { script.Reset(); };
  script.Reset();
  script.setLanguage(u"javascript");
  std::u16string source =
      platform::fromAnsi(std::string(reinterpret_cast<const char*>(data), size));
  platform::skipOnFailure([&] {
    script.AddCode(u"\r\n" + source);
    script.Run(u"run");
  });
  script.Error().Clear();
  return 0;
}
