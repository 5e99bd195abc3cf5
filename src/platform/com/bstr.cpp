#include "platform/com/bstr.h"

#include <cstdlib>
#include <cstring>
#include <limits>

#include "platform/base/error.h"

namespace {

// The byte length sits in the four bytes before the characters.
constexpr size_t kPrefix = sizeof(uint32_t);
constexpr size_t kTerminator = sizeof(OLECHAR);

char* blockOf(BSTR bstr) {
  return reinterpret_cast<char*>(bstr) - kPrefix;
}

BSTR allocBytes(const void* bytes, UINT length) {
  if (length > std::numeric_limits<uint32_t>::max() - kPrefix - kTerminator) return nullptr;
  auto* block = static_cast<char*>(std::malloc(kPrefix + length + kTerminator));
  if (!block) return nullptr;
  uint32_t byteLength = length;
  std::memcpy(block, &byteLength, kPrefix);
  if (bytes) {
    std::memcpy(block + kPrefix, bytes, length);
  } else {
    std::memset(block + kPrefix, 0, length);
  }
  std::memset(block + kPrefix + length, 0, kTerminator);
  return reinterpret_cast<BSTR>(block + kPrefix);
}

}  // namespace

BSTR SysAllocString(const OLECHAR* text) {
  if (!text) return nullptr;
  return SysAllocStringLen(text, static_cast<UINT>(std::char_traits<char16_t>::length(text)));
}

BSTR SysAllocStringLen(const OLECHAR* text, UINT length) {
  if (length > std::numeric_limits<UINT>::max() / sizeof(OLECHAR)) return nullptr;
  return allocBytes(text, length * static_cast<UINT>(sizeof(OLECHAR)));
}

BSTR SysAllocStringByteLen(LPCSTR bytes, UINT length) {
  return allocBytes(bytes, length);
}

INT SysReAllocString(BSTR* bstr, const OLECHAR* text) {
  return SysReAllocStringLen(
      bstr, text ? text : u"",
      static_cast<UINT>(std::char_traits<char16_t>::length(text ? text : u"")));
}

INT SysReAllocStringLen(BSTR* bstr, const OLECHAR* text, UINT length) {
  if (!bstr) return 0;
  // Copy before freeing: `text` may lie inside the old string.
  BSTR fresh = SysAllocStringLen(text, length);
  if (!fresh) return 0;
  SysFreeString(*bstr);
  *bstr = fresh;
  return 1;
}

void SysFreeString(BSTR bstr) {
  if (bstr) std::free(blockOf(bstr));
}

UINT SysStringByteLen(BSTR bstr) {
  if (!bstr) return 0;
  uint32_t byteLength;
  std::memcpy(&byteLength, blockOf(bstr), kPrefix);
  return byteLength;
}

UINT SysStringLen(BSTR bstr) {
  return SysStringByteLen(bstr) / sizeof(OLECHAR);
}

namespace platform {

BSTR allocBstr(std::u16string_view text) {
  if (text.size() > std::numeric_limits<UINT>::max()) raise(ErrorCode::kOutOfMemory);
  BSTR bstr = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  if (!bstr) raise(ErrorCode::kOutOfMemory);
  return bstr;
}

}  // namespace platform
