// Any VBScript program, run in the script host under a short time-out with a host object to
// call: it ends in a result, a script error or the time-out; never a crash, hang or leak.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/automation/dispatch_object.h"
#include "platform/base/error.h"
#include "platform/base/text.h"
#include "platform/script/script_control.h"
#include "platform/script/script_test_support.h"
#include "vbscript/vbscript_engine.h"

namespace {

// WScript.Echo of the golden programs the corpus began with: takes anything, keeps nothing.
class Echo final : public platform::DispatchObject {
 public:
  Echo() : DispatchObject(members()) {}
  std::u16string typeName() const override { return u"WScript"; }

 private:
  static const platform::MemberTable& members() {
    static const auto table = platform::Members<Echo>().method(
        u"Echo", 0, 16, [](Echo&, std::span<platform::Variant>) { return platform::Variant(); });
    return table;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static platform::ScriptControl script(std::chrono::milliseconds(50),
                                        platform::testing::testServices());
  static const bool registered = [] {
    script.registerEngine(u"VBScript", vbscript::makeVBScriptEngine);
    script.onTimeout = [] { script.Reset(); };
    return true;
  }();
  (void)registered;
  script.Reset();
  script.setLanguage(u"VBScript");
  auto host = std::make_shared<platform::testing::TestHost>(&script);
  const std::u16string source =
      platform::fromUtf8(std::string(reinterpret_cast<const char*>(data), size));
  platform::skipOnFailure([&] {
    script.AddObject(u"host", host);
    script.AddObject(u"WScript", std::make_shared<Echo>());
  });
  platform::skipOnFailure([&] {
    script.AddCode(u"\r\n" + source);
    script.Run(u"run");
  });
  script.Error().Clear();
  script.Reset();
  return 0;
}
