// Who makes JUVO, and where the maker's site is: the one place that holds the maker's
// addresses. Every text that names the site is built from these.
#pragma once

namespace juvo::maker {

inline constexpr char16_t kName[] = u"Korvel";
// The maker's web site; its /JUVO/ page is where the plug-in is downloaded.
inline constexpr char16_t kSite[] = u"http://www.korvel.example";
inline constexpr char16_t kDownloadPage[] = u"http://www.korvel.example/JUVO/";
// Where the portal pages live (menus, update check).
inline constexpr char16_t kPortal[] = u"http://www.korvel.example";
inline constexpr char16_t kMail[] = u"juvo@korvel.example";

}  // namespace juvo::maker
