// The module's own shared objects, over the real platform services. Built on first use and
// never destroyed: the string table and the configuration window stay as long as the module,
// and a host may still call in while the process ends.
#include <chrono>
#include <cstdlib>
#include <memory>

#include "config/frm_config.h"
#include "engine/script_host.h"
#include "platform/automation/object_catalogue.h"
#include "platform/base/clock.h"
#include "platform/base/text.h"
#include "platform/com/module_path.h"
#include "platform/inet/web_transfer.h"
#include "platform/locale/locale.h"
#include "platform/messages/window_messages.h"
#include "platform/platform.h"
#include "platform/registry/registry.h"
#include "platform/shell/shell.h"
#include "platform/ui/ui.h"
#include "shared/maker.h"
#include "shared/shared_objects.h"

namespace juvo {

namespace {

// Its address lies in the module, which is how the module finds the folder it was loaded
// from.
const char kInModule = 0;

std::u16string moduleFolder() {
  return platform::fromUtf8(platform::modulePathOf(&kInModule).parent_path().string());
}

// 20 seconds, unless JUVO_SCRIPT_TIMEOUT_MS names a shorter or longer time: end-to-end tests
// of parsers that never end would otherwise wait the full 20 seconds each.
std::chrono::milliseconds scriptTimeout() {
  constexpr std::chrono::milliseconds kDefault(20000);
  const char* setting = std::getenv("JUVO_SCRIPT_TIMEOUT_MS");
  if (setting == nullptr) return kDefault;
  char* end = nullptr;
  const long value = std::strtol(setting, &end, 10);
  if (end == setting || *end != '\0' || value <= 0 || value > 3600000) return kDefault;
  return std::chrono::milliseconds(value);
}

}  // namespace

SharedObjects& moduleSharedObjects() {
  static auto* objects = [] {
    auto* catalogue = new platform::ObjectCatalogue();
    registerParserObjects(*catalogue, platform::systemWebTransfer());
    return catalogue;
  }();
  static auto* services = new platform::Platform{
      .registry = platform::Registry::user(),
      .ui = platform::systemUi(),
      .shell = platform::systemShell(),
      .messages = platform::WindowMessages::system(),
      .web = platform::systemWebTransfer(),
      .clock = platform::systemClock(),
      .objects = *objects,
      .locale = platform::userLocale(),
      .moduleFolder = moduleFolder(),
      .portalBase = maker::kPortal.text(),
      .scriptTimeout = scriptTimeout(),
  };
  static auto* shared =
      new SharedObjects(*services, [](SharedObjects& s) { return std::make_shared<frmConfig>(s); });
  return *shared;
}

}  // namespace juvo
