// The module's COM identity: the type library, the interface _juvo_main and the class
// juvo_main, with the names the registry and the host know them by.
#pragma once

#include "platform/com/guid.h"

namespace juvo {

// {4271B10A-6C84-4417-A006-947FDA2940C9}
inline constexpr GUID LIBID_juvo = {
    0x4271B10A, 0x6C84, 0x4417, {0xA0, 0x06, 0x94, 0x7F, 0xDA, 0x29, 0x40, 0xC9}};
// {D1EBA228-5CCC-4084-A092-11D7304A67B8}
inline constexpr IID IID__juvo_main = {
    0xD1EBA228, 0x5CCC, 0x4084, {0xA0, 0x92, 0x11, 0xD7, 0x30, 0x4A, 0x67, 0xB8}};
// {C4137502-E7B9-4E71-A53A-A1DEEF7948A2}
inline constexpr CLSID CLSID_juvo_main = {
    0xC4137502, 0xE7B9, 0x4E71, {0xA5, 0x3A, 0xA1, 0xDE, 0xEF, 0x79, 0x48, 0xA2}};

inline constexpr char16_t kLibraryName[] = u"juvo";
inline constexpr char16_t kClassName[] = u"juvo_main";
inline constexpr char16_t kInterfaceName[] = u"_juvo_main";
// Library name, a point, class name.
inline constexpr char16_t kProgId[] = u"juvo.juvo_main";
inline constexpr char16_t kLibraryHelp[] = u"Juvo plugin for Messenger Plus";

}  // namespace juvo
