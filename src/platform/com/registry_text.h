// Text values in the registry, as COM's registration keeps them: REG_SZ in the ANSI code
// page, under HKEY_CLASSES_ROOT.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/registry/registry.h"

namespace platform {

// The text value `name` ("" for the key's default value) of `subKey` under `root`; nullopt
// when the key or the value is missing or holds no text.
std::optional<std::u16string> readRegistryText(Registry& registry, HKEY root,
                                               const std::string& subKey, const char* name);

// Writes `text` as the REG_SZ value `name` of `subKey`, creating the key. Raises the
// registry's error as an HRESULT.
void writeRegistryText(Registry& registry, HKEY root, const std::string& subKey, const char* name,
                       std::u16string_view text);

// Deletes `subKey` with everything below it; a missing key is no failure. Raises the
// registry's error as an HRESULT.
void deleteRegistryTree(Registry& registry, HKEY root, const std::string& subKey);

}  // namespace platform
