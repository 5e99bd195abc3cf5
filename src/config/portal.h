// The maker's web portal: the pages the configuration window opens in the user's browser, and
// the version document the update check reads. An address is the portal's base address, the
// page's fixed path and query, and the name of the language in use appended as it is (no
// escaping of any kind), so the portal can answer in that language.
#pragma once

#include <string>
#include <string_view>

namespace juvo {

class SharedObjects;

// The fixed texts after the portal's base address.
inline constexpr std::u16string_view kParsersPage = u"/Portal/?action=juvoparsers&lang=";
inline constexpr std::u16string_view kTutorialPage = u"/Portal/?action=juvotutorial&lang=";
inline constexpr std::u16string_view kPluginPage = u"/Portal/?action=juvo&lang=";
inline constexpr std::u16string_view kVersionDocument = u"/Portal/?action=juvoversion&lang=";

// The address of `page` in the language in use.
std::u16string portalAddress(const SharedObjects& shared, std::u16string_view page);

// Opens `page` in the user's browser through the shell. Whether that worked is not known and
// not reported.
void openPortalPage(SharedObjects& shared, std::u16string_view page);

}  // namespace juvo
