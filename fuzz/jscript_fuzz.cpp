// Any parser source: compiling and running it never crashes or hangs the host; it ends in a
// result, a script error or the time-out. The script reaches a host object `engine` that
// takes its output (converting objects with their own toString) and calls its procedures
// back through the host, so that errors cross the bridge in both directions. Each error
// event finds an Error object a box can show, and there is never more than one event per
// call into the script, nested ones included.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/automation/dispatch_object.h"
#include "platform/automation/object_catalogue.h"
#include "platform/automation/variant_convert.h"
#include "platform/base/clock.h"
#include "platform/base/error.h"
#include "platform/base/text.h"
#include "platform/locale/locale.h"
#include "platform/script/script_control.h"
#include "platform/ui/scripted_ui.h"

namespace {

using platform::Variant;

class FuzzEngine : public platform::DispatchObject {
 public:
  explicit FuzzEngine(platform::ScriptControl& script)
      : DispatchObject(members()), script_(script) {}

  std::u16string typeName() const override { return u"FuzzEngine"; }

  int hostCalls = 0;  // Run calls made for the script, besides the outermost one

 private:
  static const platform::MemberTable& members() {
    using Table = platform::Members<FuzzEngine>;
    static const auto table =
        Table()
            .method(u"output", 1, 1,
                    [](FuzzEngine&, std::span<Variant> args) {
                      platform::toText(args[0]);
                      return Variant();
                    })
            .method(u"callback", 1, 2, [](FuzzEngine& e, std::span<Variant> args) {
              ++e.hostCalls;
              std::vector<Variant> forwarded;
              if (!args[1].isMissing()) forwarded.push_back(args[1]);
              return e.script_.Run(platform::toText(args[0]), forwarded);
            });
    return table;
  }

  platform::ScriptControl& script_;
};

struct Host {
  platform::ObjectCatalogue objects;
  platform::ScriptedUi ui;
  platform::Locale locale = platform::Locale::english();
  platform::ScriptControl script{
      std::chrono::milliseconds(50),
      platform::ScriptServices{objects, ui, platform::systemClock(), locale}};
  int errorEvents = 0;

  Host() {
    script.onTimeout = [this] { script.Reset(); };
    script.onError = [this] {
      ++errorEvents;
      const platform::ScriptError& error = script.Error();
      if (error.Text().size() > platform::kLongestErrorText ||
          error.Description().size() > platform::kLongestErrorText) {
        std::abort();
      }
    };
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Host host;
  host.script.Reset();
  host.script.setLanguage(u"javascript");
  host.errorEvents = 0;
  auto engine = std::make_shared<FuzzEngine>(host.script);
  std::u16string source =
      platform::fromAnsi(std::string(reinterpret_cast<const char*>(data), size));
  platform::skipOnFailure([&] { host.script.AddCode(u"\r\n" + source); });
  if (host.errorEvents > 1 + engine->hostCalls) std::abort();
  platform::skipOnFailure([&] {
    host.script.AddObject(u"engine", engine);
    host.errorEvents = 0;
    engine->hostCalls = 0;
    host.script.Run(u"run");
  });
  if (host.errorEvents > 1 + engine->hostCalls) std::abort();
  host.script.Error().Clear();
  host.ui.clear();
  return 0;
}
