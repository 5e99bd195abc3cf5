#include "shared/shared_objects.h"

#include "platform/base/error.h"
#include "platform/ui/form.h"
#include "platform/ui/ui.h"

namespace juvo {

SharedObjects::SharedObjects(platform::Platform& platform, ConfigWindowFactory makeConfigWindow)
    : platform(platform), makeConfigWindow_(std::move(makeConfigWindow)) {}

SharedObjects::~SharedObjects() = default;

const cLanguage& SharedObjects::language() const {
  if (!lang) platform::raise(platform::ErrorCode::kObjectVariableNotSet);
  return *lang;
}

cLanguage& SharedObjects::language() {
  if (!lang) platform::raise(platform::ErrorCode::kObjectVariableNotSet);
  return *lang;
}

std::u16string SharedObjects::juvoFolder() const {
  return platform.moduleFolder + u"/JUVO";
}

std::u16string SharedObjects::parsersFolder() const {
  return juvoFolder() + u"/Parsers";
}

std::u16string SharedObjects::languagesFolder() const {
  return juvoFolder() + u"/Languages";
}

ConfigWindow& SharedObjects::configWindow() {
  if (!configWindow_ || configWindow_->form().isClosed()) {
    configWindow_ = makeConfigWindow_(*this);
    try {
      configWindow_->form().load();
    } catch (...) {
      configWindow_.reset();
      throw;
    }
  }
  return *configWindow_;
}

void SharedObjects::showConfigWindow() {
  configWindow();
  std::shared_ptr<ConfigWindow> shown = configWindow_;
  platform.ui.showModal(shown->form(), nullptr);
}

}  // namespace juvo
