// Who makes JUVO, and where: the maker's domain below is the one constant that every web
// address and the e-mail address are built from.
#pragma once

#include "shared/constant_text.h"

namespace juvo::maker {

inline constexpr char16_t kName[] = u"Korvel";
inline constexpr char16_t kDomain[] = u"korvel.example";

inline constexpr auto kSite = join(u"http://www.", kDomain);
// Where the plug-in is downloaded.
inline constexpr auto kDownloadPage = join(kSite, u"/JUVO/");
// Where the portal pages live (menus, update check).
inline constexpr auto kPortal = kSite;
inline constexpr auto kMail = join(u"juvo@", kDomain);

}  // namespace juvo::maker
