#include "platform/com/guid.h"

#include <cstdio>

namespace platform {

namespace {

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Reads `digits` hex digits at `pos`; false when any is not one.
bool readHex(std::string_view text, size_t pos, size_t digits, uint64_t& value) {
  value = 0;
  for (size_t i = 0; i < digits; ++i) {
    int d = hexDigit(text[pos + i]);
    if (d < 0) return false;
    value = value << 4 | static_cast<uint64_t>(d);
  }
  return true;
}

}  // namespace

std::optional<GUID> parseGuid(std::string_view text) {
  // {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}
  if (text.size() != 38 || text.front() != '{' || text.back() != '}') return std::nullopt;
  if (text[9] != '-' || text[14] != '-' || text[19] != '-' || text[24] != '-') return std::nullopt;
  GUID guid{};
  uint64_t v = 0;
  if (!readHex(text, 1, 8, v)) return std::nullopt;
  guid.Data1 = static_cast<uint32_t>(v);
  if (!readHex(text, 10, 4, v)) return std::nullopt;
  guid.Data2 = static_cast<uint16_t>(v);
  if (!readHex(text, 15, 4, v)) return std::nullopt;
  guid.Data3 = static_cast<uint16_t>(v);
  static constexpr size_t kData4At[8] = {20, 22, 25, 27, 29, 31, 33, 35};
  for (size_t i = 0; i < 8; ++i) {
    if (!readHex(text, kData4At[i], 2, v)) return std::nullopt;
    guid.Data4[i] = static_cast<uint8_t>(v);
  }
  return guid;
}

std::string formatGuid(const GUID& guid) {
  char text[39];
  std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", guid.Data1,
                guid.Data2, guid.Data3, guid.Data4[0], guid.Data4[1], guid.Data4[2], guid.Data4[3],
                guid.Data4[4], guid.Data4[5], guid.Data4[6], guid.Data4[7]);
  return text;
}

std::array<uint8_t, 16> guidBytes(const GUID& guid) {
  std::array<uint8_t, 16> bytes{};
  for (int i = 0; i < 4; ++i)
    bytes[i] = static_cast<uint8_t>(guid.Data1 >> (8 * i));
  for (int i = 0; i < 2; ++i)
    bytes[4 + i] = static_cast<uint8_t>(guid.Data2 >> (8 * i));
  for (int i = 0; i < 2; ++i)
    bytes[6 + i] = static_cast<uint8_t>(guid.Data3 >> (8 * i));
  for (int i = 0; i < 8; ++i)
    bytes[8 + i] = guid.Data4[i];
  return bytes;
}

}  // namespace platform
