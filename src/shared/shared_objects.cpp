#include "shared/shared_objects.h"

#include "language/c_language.h"

namespace juvo {

SharedObjects::SharedObjects(platform::Platform& platform) : platform(platform) {}

SharedObjects::~SharedObjects() = default;

std::u16string SharedObjects::juvoFolder() const { return platform.moduleFolder + u"/JUVO"; }

std::u16string SharedObjects::parsersFolder() const { return juvoFolder() + u"/Parsers"; }

std::u16string SharedObjects::languagesFolder() const { return juvoFolder() + u"/Languages"; }

}  // namespace juvo
