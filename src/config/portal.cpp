#include "config/portal.h"

#include "platform/platform.h"
#include "platform/shell/shell.h"
#include "shared/shared_objects.h"

namespace juvo {

std::u16string portalAddress(const SharedObjects& shared, std::u16string_view page) {
  return shared.platform.portalBase + std::u16string(page) + shared.currentlang;
}

void openPortalPage(SharedObjects& shared, std::u16string_view page) {
  shared.platform.shell.open(portalAddress(shared, page));
}

}  // namespace juvo
