// Exceptions never cross the module boundary: code that may throw runs inside hresultOf,
// which turns the failure into an HRESULT (and an EXCEPINFO when the caller wants one).
#pragma once

#include <type_traits>

#include "platform/com/com_base.h"
#include "platform/com/variant_abi.h"

namespace platform {

class Error;

// The HRESULT of the exception being handled: a platform::Error gives its number (E_FAIL if
// the number is no failure), bad_alloc E_OUTOFMEMORY, anything else E_UNEXPECTED. When
// `info` is given it receives the number as scode with the description and source. Call only
// inside a catch block.
HRESULT hresultOfCurrentException(EXCEPINFO* info) noexcept;

// Fills `info` (freeing nothing it held) from `error`.
void fillExcepInfo(EXCEPINFO& info, HRESULT hr, const Error& error) noexcept;

// What IDispatch::Invoke answers for the failure `hr` of a member: dispatch errors (facility
// 2) are the caller's mistakes and go back as they are, with `info` cleared; any other failure
// is an exception: DISP_E_EXCEPTION when `info` (filled by hresultOf) is given, else `hr`.
HRESULT dispatchFailure(HRESULT hr, EXCEPINFO* info) noexcept;

// Runs `code`; S_OK (or the HRESULT it returns) when it completes, the failure's HRESULT
// when it throws.
template <class Code>
HRESULT hresultOf(Code&& code, EXCEPINFO* info = nullptr) noexcept {
  try {
    if constexpr (std::is_same_v<std::invoke_result_t<Code>, HRESULT>) {
      return code();
    } else {
      code();
      return S_OK;
    }
  } catch (...) {
    return hresultOfCurrentException(info);
  }
}

}  // namespace platform
