// Loading the plug-in as a Windows host would: find the class by its ProgID in the registry,
// registering the module first when the class is missing or registered for another file.
#pragma once

#include <filesystem>

#include "platform/com/interfaces.h"
#include "platform/registry/registry.h"

namespace host {

inline constexpr char16_t kProgId[] = u"juvo.juvo_main";

// True when the registry maps kProgId to a class served by exactly `module`.
bool isRegisteredFor(platform::Registry& registry, const std::filesystem::path& module);

// Loads `module`, registers it unless it already is, and creates the plug-in object.
// Raises platform::Error with a clear description on failure.
platform::ComPtr<IDispatch> loadPlugin(platform::Registry& registry,
                                       const std::filesystem::path& module);

}  // namespace host
