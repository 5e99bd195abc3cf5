#include "engine/script_host.h"

namespace juvo {

platform::ScriptServices scriptServicesOf(platform::Platform& platform) {
  return {platform.objects, platform.ui, platform.clock, platform.locale};
}

std::unique_ptr<platform::ScriptControl> makeScriptHost(platform::Platform& platform) {
  return std::make_unique<platform::ScriptControl>(platform.scriptTimeout,
                                                   scriptServicesOf(platform));
}

}  // namespace juvo
