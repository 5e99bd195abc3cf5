// GUIDs: the 128-bit identifiers of interfaces, classes and type libraries, with the
// registry's text form "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}".
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct GUID {
  uint32_t Data1;
  uint16_t Data2;
  uint16_t Data3;
  uint8_t Data4[8];

  friend constexpr bool operator==(const GUID&, const GUID&) = default;
};
using IID = GUID;
using CLSID = GUID;
using REFGUID = const GUID&;
using REFIID = const IID&;
using REFCLSID = const CLSID&;

constexpr bool IsEqualGUID(REFGUID a, REFGUID b) {
  return a == b;
}
constexpr bool IsEqualIID(REFIID a, REFIID b) {
  return a == b;
}
constexpr bool IsEqualCLSID(REFCLSID a, REFCLSID b) {
  return a == b;
}

inline constexpr IID IID_NULL = {0, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}};
inline constexpr IID IID_IUnknown = {
    0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
inline constexpr IID IID_IClassFactory = {
    0x00000001, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
inline constexpr IID IID_IDispatch = {
    0x00020400, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

namespace platform {

// Reads "{6B29FC40-CA47-1067-B31D-00DD010662DA}" (hex digits in either case, braces required,
// nothing around it); nullopt for anything else.
std::optional<GUID> parseGuid(std::string_view text);

// The braced, upper-case form, as the registry holds it.
std::string formatGuid(const GUID& guid);

// The 16 bytes as a GUID lies in memory on Windows: the first three groups little-endian.
std::array<uint8_t, 16> guidBytes(const GUID& guid);

}  // namespace platform
