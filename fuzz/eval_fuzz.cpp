// Any VBScript expression, evaluated by Eval under a short time-out, in US English or, when
// the input's first byte is odd, in Dutch (a decimal comma, day-month dates): every built-in
// function, the RegExp and the Dictionary are within reach. It ends in a value, a script error
// or the time-out; never a crash, hang or leak. The rest of the input after the first byte is
// the expression, in UTF-8.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/automation/object_catalogue.h"
#include "platform/automation/variant_convert.h"
#include "platform/base/clock.h"
#include "platform/base/error.h"
#include "platform/base/text.h"
#include "platform/dictionary/dictionary.h"
#include "platform/locale/locale.h"
#include "platform/regexp/regexp.h"
#include "platform/script/script_control.h"
#include "platform/script/script_test_support.h"
#include "platform/ui/scripted_ui.h"
#include "vbscript/vbscript_engine.h"

namespace {

// A script host with the objects parsers may create (those without the web) and a program
// whose one function evaluates its argument.
struct Host {
  platform::ObjectCatalogue objects;
  platform::ScriptedUi ui;
  platform::FixedClock clock{std::chrono::system_clock::from_time_t(1709215200)};
  platform::Locale locale;
  platform::ScriptControl script;

  explicit Host(platform::Locale chosen)
      : locale(std::move(chosen)),
        script(std::chrono::milliseconds(50),
               platform::ScriptServices{objects, ui, clock, locale}) {
    platform::registerRegExp(objects);
    platform::registerDictionary(objects);
    script.registerEngine(u"VBScript", vbscript::makeVBScriptEngine);
    script.onTimeout = [this] { script.Reset(); };
  }

  void evaluate(const std::u16string& expression) {
    script.Reset();
    script.setLanguage(u"VBScript");
    platform::skipOnFailure([&] {
      script.AddObject(u"host", std::make_shared<platform::testing::TestHost>(&script));
      script.AddCode(
          u"Function evaluate(expression)\r\n"
          u"  evaluate = Eval(expression)\r\n"
          u"End Function\r\n");
    });
    platform::skipOnFailure([&] {
      std::vector<platform::Variant> args{platform::Variant(expression)};
      const platform::Variant result = script.Run(u"evaluate", args);
      platform::skipOnFailure([&] { platform::toText(result, locale); });
    });
    script.Error().Clear();
    script.Reset();
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Host english(platform::Locale::english());
  static Host dutch(platform::Locale::named("nl_NL.UTF-8"));
  if (size == 0) return 0;
  Host& host = (data[0] & 1) != 0 ? dutch : english;
  host.evaluate(platform::fromUtf8(std::string(reinterpret_cast<const char*>(data) + 1, size - 1)));
  return 0;
}
