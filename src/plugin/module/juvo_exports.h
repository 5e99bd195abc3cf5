// What the module juvo.so exports, all with C linkage: the four exports of an in-process
// COM server (platform/com/server_exports.h) and JuvoFindResource, the stand-in for
// FindResource/LoadResource on the module.
#pragma once

#include <cstdint>

#include "platform/com/server_exports.h"

extern "C" {
// The bytes of resource `id` of `type`: "TYPELIB" 1 (the type library as IDL text, UTF-8),
// "_IID_JUVO_MAIN" 1 (20 bytes: little-endian 16, then the IID of _juvo_main as it lies in
// memory), "VERSION" 1 (also type 16 as MAKEINTRESOURCE or "#16": the version record as
// resource-script text, UTF-8). Type names are compared without regard to case. The bytes
// stay valid while the module is loaded; texts are followed by a zero not counted in *size.
// S_OK; E_POINTER for a null type, data or size; HRESULT_FROM_WIN32 of
// ERROR_RESOURCE_TYPE_NOT_FOUND or ERROR_RESOURCE_NAME_NOT_FOUND.
HRESULT JuvoFindResource(const char* type, int id, const void** data, uint32_t* size);
}

namespace juvo {

using JuvoFindResourceFunction = HRESULT (*)(const char*, int, const void**, uint32_t*);

}  // namespace juvo
