// BSTR: COM's length-prefixed UTF-16 string. A 4-byte byte length lies just before the
// characters, and a zero character follows them; embedded zeros are allowed. A null BSTR is
// the empty string. The allocation functions return null when memory runs out.
#pragma once

#include <string>
#include <string_view>

#include "platform/com/com_base.h"

using OLECHAR = char16_t;
using LPOLESTR = OLECHAR*;
using LPCOLESTR = const OLECHAR*;
using BSTR = OLECHAR*;

// A copy of the zero-terminated `text`; null for a null `text`.
BSTR SysAllocString(const OLECHAR* text);
// `length` characters copied from `text`, or zeroed when `text` is null.
BSTR SysAllocStringLen(const OLECHAR* text, UINT length);
// `length` bytes copied from `bytes`, or zeroed when `bytes` is null; the length may be odd.
BSTR SysAllocStringByteLen(LPCSTR bytes, UINT length);
// Replaces *bstr by a copy of `text` (empty for null); `text` may point into *bstr. Returns
// 0 and leaves *bstr alone when memory runs out.
INT SysReAllocString(BSTR* bstr, const OLECHAR* text);
INT SysReAllocStringLen(BSTR* bstr, const OLECHAR* text, UINT length);
void SysFreeString(BSTR bstr);
UINT SysStringLen(BSTR bstr);
UINT SysStringByteLen(BSTR bstr);

namespace platform {

// The characters of `bstr`, embedded zeros included; empty for null.
inline std::u16string_view bstrView(BSTR bstr) {
  return {bstr, SysStringLen(bstr)};
}

// A new BSTR holding `text`; raises kOutOfMemory when it cannot be made.
BSTR allocBstr(std::u16string_view text);

// Owns one BSTR and frees it when it goes away.
class Bstr {
 public:
  Bstr() = default;
  explicit Bstr(std::u16string_view text) : bstr_(allocBstr(text)) {}
  // Takes over `bstr`.
  static Bstr adopt(BSTR bstr) {
    Bstr owner;
    owner.bstr_ = bstr;
    return owner;
  }
  Bstr(Bstr&& other) noexcept : bstr_(other.release()) {}
  Bstr& operator=(Bstr&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  ~Bstr() { SysFreeString(bstr_); }

  BSTR get() const { return bstr_; }
  std::u16string_view view() const { return bstrView(bstr_); }
  // For an in/out or out parameter: the callee may free and replace what it points at.
  BSTR* address() { return &bstr_; }
  BSTR release() {
    BSTR b = bstr_;
    bstr_ = nullptr;
    return b;
  }
  void reset(BSTR bstr = nullptr) {
    SysFreeString(bstr_);
    bstr_ = bstr;
  }

 private:
  BSTR bstr_ = nullptr;
};

}  // namespace platform
