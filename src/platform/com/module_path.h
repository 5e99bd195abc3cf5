// Where a loaded module lies on disk, the stand-in for GetModuleFileName.
#pragma once

#include <filesystem>

namespace platform {

// The absolute path of the loaded module (shared library or program) whose code or data
// holds `address`; empty when no module holds it.
std::filesystem::path modulePathOf(const void* address);

}  // namespace platform
