#include "platform/com/variant_abi.h"

#include "platform/com/interfaces.h"

void VariantInit(VARIANTARG* variant) {
  if (!variant) return;
  variant->vt = VT_EMPTY;
  variant->wReserved1 = variant->wReserved2 = variant->wReserved3 = 0;
  variant->brecVal = {};
}

HRESULT VariantClear(VARIANTARG* variant) {
  if (!variant) return E_INVALIDARG;
  if (!platform::isCarriedType(variant->vt)) return DISP_E_BADVARTYPE;
  switch (variant->vt) {
    case VT_BSTR:
      SysFreeString(variant->bstrVal);
      break;
    case VT_DISPATCH:
    case VT_UNKNOWN:
      if (variant->punkVal) variant->punkVal->Release();
      break;
    default:
      break;
  }
  VariantInit(variant);
  return S_OK;
}

HRESULT VariantCopy(VARIANTARG* target, const VARIANTARG* source) {
  if (!target || !source) return E_INVALIDARG;
  if (target == source) return S_OK;
  if (!platform::isCarriedType(source->vt)) return DISP_E_BADVARTYPE;
  HRESULT hr = VariantClear(target);
  if (FAILED(hr)) return hr;
  VARIANT copy = *source;
  switch (source->vt) {
    case VT_BSTR:
      if (source->bstrVal) {
        copy.bstrVal = SysAllocStringByteLen(reinterpret_cast<LPCSTR>(source->bstrVal),
                                             SysStringByteLen(source->bstrVal));
        if (!copy.bstrVal) return E_OUTOFMEMORY;
      }
      break;
    case VT_DISPATCH:
    case VT_UNKNOWN:
      if (copy.punkVal) copy.punkVal->AddRef();
      break;
    default:
      break;
  }
  *target = copy;
  return S_OK;
}

namespace platform {

bool isCarriedType(VARTYPE vt) {
  VARTYPE base = vt & ~VT_BYREF;
  switch (base) {
    case VT_EMPTY:
    case VT_NULL:
      // There is no reference to nothing.
      return !(vt & VT_BYREF);
    case VT_VARIANT:
      return (vt & VT_BYREF) != 0;
    case VT_I2:
    case VT_I4:
    case VT_R4:
    case VT_R8:
    case VT_CY:
    case VT_DATE:
    case VT_BSTR:
    case VT_DISPATCH:
    case VT_ERROR:
    case VT_BOOL:
    case VT_UNKNOWN:
    case VT_I1:
    case VT_UI1:
    case VT_UI2:
    case VT_UI4:
    case VT_I8:
    case VT_UI8:
    case VT_INT:
    case VT_UINT:
      return true;
    default:
      return false;
  }
}

void clearExcepInfo(EXCEPINFO& info) {
  SysFreeString(info.bstrSource);
  SysFreeString(info.bstrDescription);
  SysFreeString(info.bstrHelpFile);
  info = EXCEPINFO{};
}

VARIANT longArgument(LONG value) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = value;
  return v;
}

VARIANT textArgument(BSTR text) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_BSTR;
  v.bstrVal = text;
  return v;
}

VARIANT objectArgument(IDispatch* object) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_DISPATCH;
  v.pdispVal = object;
  return v;
}

VARIANT referenceArgument(VARTYPE vt, void* target) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_BYREF | vt;
  v.byref = target;
  return v;
}

}  // namespace platform
