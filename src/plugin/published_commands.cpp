#include "plugin/published_commands.h"

#include "language/c_language.h"
#include "platform/base/error.h"

namespace juvo {

namespace {

// The built-in English table has no help for /xws. As /xws is an alias of /xjuvo, it shows the
// help of /xjuvo then; a language file may still give /xws a help of its own.
constexpr PublishedCommand kCommands[] = {
    {u"comJuvoName", u"xjuvo", u"comJuvoHelp", {}},
    {u"comWsName", u"xws", u"comWsHelp", u"comJuvoHelp"},
    {u"comShareName", u"xjuvoshare", {}, {}},
    {u"comConfigName", u"xjuvoconfig", {}, {}},
};
static_assert(std::size(kCommands) == kPublishedCommandCount);

std::u16string helpText(const PublishedCommand& command, const cLanguage& lang) {
  if (command.fallbackHelpKey.empty()) return lang.str(command.helpKey);
  try {
    return lang.str(command.helpKey);
  } catch (const platform::Error& error) {
    if (error.number() != static_cast<int32_t>(platform::kKeyNotFound)) throw;
  }
  return lang.str(command.fallbackHelpKey);
}

}  // namespace

const PublishedCommand* publishedCommand(int32_t index) {
  if (index < 1 || index > kPublishedCommandCount) return nullptr;
  return &kCommands[index - 1];
}

void describeCommand(const PublishedCommand& command, const cLanguage& lang, std::u16string& name,
                     std::u16string& word, std::u16string& help) {
  name = lang.str(command.nameKey);
  word = command.word;
  if (!command.helpKey.empty()) help = helpText(command, lang);
}

}  // namespace juvo
