#include "config/update_check.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "config/portal.h"
#include "language/c_language.h"
#include "platform/base/error.h"
#include "platform/inet/web_transfer.h"
#include "platform/locale/number_text.h"
#include "platform/platform.h"
#include "platform/ui/ui.h"
#include "platform/xml/xml_document.h"
#include "shared/shared_objects.h"

namespace juvo {

namespace {

// The portal was never reached: the user is told, since nothing else would tell them.
bool portalUnreachable(const platform::Error& failure) {
  using platform::ErrorCode;
  for (ErrorCode code : {ErrorCode::kWebServerNotFound, ErrorCode::kWebCannotConnect,
                         ErrorCode::kWebTimeout, ErrorCode::kWebSecurityProblem}) {
    if (failure.number() == static_cast<int32_t>(code)) return true;
  }
  return false;
}

// The whole text of the first element named `name`; raises when there is none.
std::u16string firstElementText(platform::xml::XmlDocument& document, std::u16string_view name) {
  auto elements = document.getElementsByTagName(name);
  if (elements.empty() || !elements.front()) {
    platform::raise(platform::ErrorCode::kObjectVariableNotSet);
  }
  return elements.front()->text();
}

// Everything after the fetch; any failure goes to the caller.
void answerFromVersionDocument(SharedObjects& shared, std::u16string_view reply) {
  platform::Platform& platform = shared.platform;
  // The reply is parsed from text: the document reaches neither files nor the network.
  std::shared_ptr<platform::xml::XmlDocument> document = platform::xml::makeDocument(platform.web);
  document->loadXML(reply);
  std::optional<double> newest =
      platform::parseLocaleNumber(firstElementText(*document, u"version"), platform.locale);
  if (!newest) platform::raise(platform::ErrorCode::kTypeMismatch);
  if (*newest <= kPluginVersion) {
    platform.ui.messageBox(shared.language().str(u"msgNoNewVersion"), platform::Buttons::kOk,
                           platform::Icon::kNone, kApplicationTitle);
    return;
  }
  const std::u16string message = firstElementText(*document, u"updatemsg");
  if (platform.ui.messageBox(message, platform::Buttons::kYesNo, platform::Icon::kQuestion,
                             shared.language().str(u"msgNewVersion")) == platform::Answer::kYes) {
    openPortalPage(shared, kPluginPage);
  }
}

}  // namespace

void checkForUpdates(SharedObjects& shared) {
  std::u16string reply;
  try {
    reply = shared.platform.web.openUrl(portalAddress(shared, kVersionDocument)).text;
  } catch (...) {
    const platform::Error failure = platform::currentError();
    if (portalUnreachable(failure)) {
      shared.platform.ui.messageBox(failure.description(), platform::Buttons::kOk,
                                    platform::Icon::kExclamation, kApplicationTitle);
    }
    return;
  }
  platform::skipOnFailure([&] { answerFromVersionDocument(shared, reply); });
}

}  // namespace juvo
