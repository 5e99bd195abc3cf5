#include "platform/com/hresult_of.h"

#include <new>

#include "platform/base/error.h"

namespace platform {

void fillExcepInfo(EXCEPINFO& info, HRESULT hr, const Error& error) noexcept {
  info = EXCEPINFO{};
  info.scode = hr;
  // Texts that cannot be allocated stay null: the number still tells what happened.
  info.bstrDescription =
      SysAllocStringLen(error.description().data(), static_cast<UINT>(error.description().size()));
  if (!error.source().empty()) {
    info.bstrSource =
        SysAllocStringLen(error.source().data(), static_cast<UINT>(error.source().size()));
  }
}

HRESULT dispatchFailure(HRESULT hr, EXCEPINFO* info) noexcept {
  if ((static_cast<uint32_t>(hr) & 0xFFFF0000u) == 0x80020000u) {
    if (info) clearExcepInfo(*info);
    return hr;
  }
  return info ? DISP_E_EXCEPTION : hr;
}

HRESULT hresultOfCurrentException(EXCEPINFO* info) noexcept {
  try {
    throw;
  } catch (const Error& e) {
    HRESULT hr = FAILED(e.number()) ? e.number() : E_FAIL;
    if (info) fillExcepInfo(*info, hr, e);
    return hr;
  } catch (const std::bad_alloc&) {
    if (info) {
      *info = EXCEPINFO{};
      info->scode = E_OUTOFMEMORY;
    }
    return E_OUTOFMEMORY;
  } catch (...) {
    if (info) {
      try {
        fillExcepInfo(*info, E_UNEXPECTED, Error(E_UNEXPECTED, u"Catastrophic failure"));
      } catch (...) {
        *info = EXCEPINFO{};
        info->scode = E_UNEXPECTED;
      }
    }
    return E_UNEXPECTED;
  }
}

}  // namespace platform
