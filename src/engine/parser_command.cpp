#include "engine/parser_command.h"

#include "engine/find_parser.h"
#include "language/c_language.h"
#include "platform/base/text.h"
#include "platform/platform.h"
#include "platform/ui/ui.h"
#include "shared/shared_objects.h"

namespace juvo {

std::u16string runChatParser(SharedObjects& shared, std::u16string_view sCommandArg) {
  std::u16string_view name = sCommandArg;
  std::u16string_view argument;
  if (const std::size_t space = sCommandArg.find(u' '); space != std::u16string_view::npos) {
    name = sCommandArg.substr(0, space);
    argument = sCommandArg.substr(space + 1);
  }

  const std::u16string path = findParser(shared, name);
  if (path.empty()) {
    shared.platform.ui.messageBox(
        platform::replaceAll(shared.language().str(u"msgParserNotFound"), u"%parser%", name),
        platform::Buttons::kOk, platform::Icon::kNone, kApplicationTitle);
    return {};
  }
  return shared.configWindow().runScript(path, argument);
}

}  // namespace juvo
