// The update check: asks the maker's portal for its version document, compares the newest
// version it names with this plug-in's, and either says the plug-in is up to date or offers
// to open the plug-in's page. It runs only when the user asks for it, and keeps nothing.
//
// The version document is any XML document; the check reads the text of the first element
// named "version" (at any depth, name matched exactly) as a number under the user's locale,
// and, when that is newer, the text of the first element named "updatemsg", shown as it comes.
// A grouping separator counts only between groups of three digits, so under a locale that
// groups with "." the text "2.0" is no number at all, rather than 20.
//
// Failures: once the portal has answered, every failure ends the check silently (an answer
// that is not XML, an error status, no "version", no number, a newer version without
// "updatemsg"). When the portal cannot be reached at all (no such server, no connection, no
// answer in time, a broken secure connection) the user, who asked for the check, is told so
// in a box titled "Juvo" with the transfer's own description; nothing else changes.
#pragma once

namespace juvo {

class SharedObjects;

// This plug-in's version, as the version document's is compared with it.
inline constexpr double kPluginVersion = 2.0;

void checkForUpdates(SharedObjects& shared);

}  // namespace juvo
