// The module's resources, as the Windows module carries them: the type library (type
// "TYPELIB", id 1), the interface identifier record (type "_IID_JUVO_MAIN", id 1) and the
// version record (type "VERSION", or the number 16, id 1). The module exports them through
// JuvoFindResource (juvo_exports.h).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace juvo {

// The bytes of resource `id` of `type` (type names without regard to case; "#16" and
// "VERSION" name the version record); nullopt when there is no such resource.
std::optional<std::span<const uint8_t>> findModuleResource(std::string_view type, int id);

// Whether the module has any resource of `type`.
bool hasResourceType(std::string_view type);

}  // namespace juvo
