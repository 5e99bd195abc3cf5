#include "plugin/juvo_main.h"

#include <limits>

#include "engine/parser_command.h"
#include "language/c_language.h"
#include "platform/automation/variant.h"
#include "platform/base/error.h"
#include "platform/base/text.h"
#include "platform/files/files.h"
#include "platform/platform.h"
#include "platform/registry/registry.h"
#include "plugin/chat_commands.h"
#include "plugin/published_commands.h"
#include "plugin/toast.h"
#include "shared/settings.h"

namespace juvo {

namespace {

// Creates `folder` when nothing of that name is there. The search is the Windows-like one: it
// matches folders and files alike, and without regard to case.
void createFolderIfMissing(std::u16string_view folder) {
  if (platform::files::find(folder, platform::files::Entries::kFilesAndFolders).empty()) {
    platform::files::createFolder(folder);
  }
}

}  // namespace

juvo_main::juvo_main(SharedObjects& shared) : shared_(shared) {
  platform::Registry& registry = shared.platform.registry;
  // When we cannot tell whether the key exists, we write nothing: the user's saved language
  // must never be overwritten by a guess.
  bool keyExists = true;
  platform::skipOnFailure(
      [&] { keyExists = regKeyExists(registry, HKEY_CURRENT_USER, kSettingsKey); });
  platform::skipOnFailure([&] {
    if (!keyExists) {
      regSetValue(registry, HKEY_CURRENT_USER, kSettingsKey, kLanguageSetting,
                  platform::Variant(u"English"));
    }
  });
  // The table reads the saved language, so it comes after the first-run setting.
  platform::skipOnFailure([&] { shared.lang = std::make_unique<cLanguage>(shared); });
  platform::skipOnFailure([&] { createFolderIfMissing(shared.juvoFolder()); });
  platform::skipOnFailure([&] { createFolderIfMissing(shared.parsersFolder()); });
}

bool juvo_main::Initialize(int32_t /*nVersion*/, std::u16string_view /*sUserEmail*/) {
  nParserResults_ = 0;
  return true;
}

void juvo_main::Configure() {
  showConfiguration();
}

bool juvo_main::GetPublishInfo(std::u16string& sPluginName, int32_t& nCommandCount,
                               int32_t& nTagCount) {
  sPluginName = kPluginName;
  nCommandCount = kPublishedCommandCount;
  nTagCount = kPublishedTagCount;
  return true;
}

void juvo_main::GetPublishCommandInfo(int32_t nCommandIdx, std::u16string& sName,
                                      std::u16string& sValue, std::u16string& sHelp) {
  if (const PublishedCommand* command = publishedCommand(nCommandIdx)) {
    describeCommand(*command, shared_.language(), sName, sValue, sHelp);
  }
}

void juvo_main::GetPublishTagInfo(int32_t /*nTagIdx*/, std::u16string& /*sName*/,
                                  std::u16string& /*sValue*/) {}

bool juvo_main::ParseCommand(std::u16string_view sCommand, std::u16string_view sCommandArg,
                             std::u16string& sResult) {
  const ChatCommand command = chatCommand(sCommand);
  if (command == ChatCommand::kNotOurs) return false;
  try {
    switch (command) {
      case ChatCommand::kRunParser:
        sResult = runParserCommand(sCommandArg);
        break;
      case ChatCommand::kShowConfig:
        showConfiguration();
        sResult.clear();
        break;
      case ChatCommand::kShare:
        sResult = shared_.language().str(u"msgShare");
        break;
      case ChatCommand::kNotOurs:
        break;
    }
  } catch (...) {
    // The command is ours and dealt with: nothing goes into the conversation.
    sResult.clear();
  }
  return true;
}

bool juvo_main::ParseTag(std::u16string_view /*sTag*/, std::u16string& /*sResult*/) {
  return false;
}

bool juvo_main::ReceiveNotify(std::u16string_view /*sNotifyCode*/, std::u16string_view /*sText*/,
                              std::u16string_view /*sContactName*/,
                              std::u16string& /*sTextToSend*/) {
  return false;
}

void juvo_main::countParserResult(std::u16string_view result) {
  if (result.empty()) return;
  nParserResults_ = nParserResults_ == std::numeric_limits<int16_t>::max()
                        ? int16_t{0}
                        : static_cast<int16_t>(nParserResults_ + 1);
  if (nParserResults_ % 3 == 0) showParserResultToast(shared_.platform.messages);
}

std::u16string juvo_main::runParserCommand(std::u16string_view sCommandArg) {
  std::u16string result = runChatParser(shared_, sCommandArg);
  // Counted, and toasted, before the host sends it.
  countParserResult(result);
  return result;
}

void juvo_main::showConfiguration() {
  shared_.showConfigWindow();
}

}  // namespace juvo
