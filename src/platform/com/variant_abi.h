// The raw automation structures of the module boundary: VARIANT, DISPPARAMS, EXCEPINFO, and
// the VARIANT functions that manage ownership. Inside the program values are
// platform::Variant (variant_bridge.h converts); these appear only where the host calls.
#pragma once

#include "platform/com/bstr.h"
#include "platform/com/com_base.h"

struct IUnknown;
struct IDispatch;
struct SAFEARRAY;  // arrays do not cross our boundary

using VARTYPE = USHORT;
using VARIANT_BOOL = SHORT;
using DATE = DOUBLE;

inline constexpr VARIANT_BOOL VARIANT_TRUE = -1;
inline constexpr VARIANT_BOOL VARIANT_FALSE = 0;

struct CY {
  LONGLONG int64;  // scaled by 10,000
};

// A user-defined record; only its size matters here, as it sets the size of VARIANT.
struct BRECORD {
  void* pvRecord;
  void* pRecInfo;
};

inline constexpr VARTYPE VT_EMPTY = 0;
inline constexpr VARTYPE VT_NULL = 1;
inline constexpr VARTYPE VT_I2 = 2;
inline constexpr VARTYPE VT_I4 = 3;
inline constexpr VARTYPE VT_R4 = 4;
inline constexpr VARTYPE VT_R8 = 5;
inline constexpr VARTYPE VT_CY = 6;
inline constexpr VARTYPE VT_DATE = 7;
inline constexpr VARTYPE VT_BSTR = 8;
inline constexpr VARTYPE VT_DISPATCH = 9;
inline constexpr VARTYPE VT_ERROR = 10;
inline constexpr VARTYPE VT_BOOL = 11;
inline constexpr VARTYPE VT_VARIANT = 12;
inline constexpr VARTYPE VT_UNKNOWN = 13;
inline constexpr VARTYPE VT_DECIMAL = 14;
inline constexpr VARTYPE VT_I1 = 16;
inline constexpr VARTYPE VT_UI1 = 17;
inline constexpr VARTYPE VT_UI2 = 18;
inline constexpr VARTYPE VT_UI4 = 19;
inline constexpr VARTYPE VT_I8 = 20;
inline constexpr VARTYPE VT_UI8 = 21;
inline constexpr VARTYPE VT_INT = 22;
inline constexpr VARTYPE VT_UINT = 23;
inline constexpr VARTYPE VT_VOID = 24;
inline constexpr VARTYPE VT_HRESULT = 25;
inline constexpr VARTYPE VT_RECORD = 36;
inline constexpr VARTYPE VT_ARRAY = 0x2000;
inline constexpr VARTYPE VT_BYREF = 0x4000;
inline constexpr VARTYPE VT_TYPEMASK = 0x0FFF;

struct VARIANT {
  VARTYPE vt;
  WORD wReserved1;
  WORD wReserved2;
  WORD wReserved3;
  union {
    LONGLONG llVal;
    LONG lVal;
    BYTE bVal;
    SHORT iVal;
    FLOAT fltVal;
    DOUBLE dblVal;
    VARIANT_BOOL boolVal;
    SCODE scode;
    CY cyVal;
    DATE date;
    BSTR bstrVal;
    IUnknown* punkVal;
    IDispatch* pdispVal;
    SAFEARRAY* parray;
    BYTE* pbVal;
    SHORT* piVal;
    LONG* plVal;
    LONGLONG* pllVal;
    FLOAT* pfltVal;
    DOUBLE* pdblVal;
    VARIANT_BOOL* pboolVal;
    SCODE* pscode;
    CY* pcyVal;
    DATE* pdate;
    BSTR* pbstrVal;
    IUnknown** ppunkVal;
    IDispatch** ppdispVal;
    SAFEARRAY** pparray;
    VARIANT* pvarVal;
    void* byref;
    CHAR cVal;
    USHORT uiVal;
    ULONG ulVal;
    ULONGLONG ullVal;
    INT intVal;
    UINT uintVal;
    BRECORD brecVal;
  };
};
using VARIANTARG = VARIANT;
static_assert(sizeof(VARIANT) == 8 + 2 * sizeof(void*), "VARIANT keeps the Windows size");

struct DISPPARAMS {
  VARIANTARG* rgvarg;  // the arguments, last one first; named ones before positional ones
  DISPID* rgdispidNamedArgs;
  UINT cArgs;
  UINT cNamedArgs;
};

struct EXCEPINFO {
  WORD wCode;
  WORD wReserved;
  BSTR bstrSource;
  BSTR bstrDescription;
  BSTR bstrHelpFile;
  DWORD dwHelpContext;
  void* pvReserved;
  HRESULT(STDMETHODCALLTYPE* pfnDeferredFillIn)(EXCEPINFO*);
  SCODE scode;
};

// Makes `variant` empty without looking at what it held.
void VariantInit(VARIANTARG* variant);
// Frees what `variant` owns (a BSTR, a reference on an interface) and makes it empty. By-
// reference values own nothing. DISP_E_BADVARTYPE, leaving it alone, for a type we do not
// carry (arrays, records, decimals).
HRESULT VariantClear(VARIANTARG* variant);
// Clears `target`, then makes it an independent copy of `source`: strings duplicated,
// interfaces referenced once more, by-reference values copied as pointers.
HRESULT VariantCopy(VARIANTARG* target, const VARIANTARG* source);

namespace platform {

// True for the value types VariantClear and VariantCopy know, by value or by reference.
bool isCarriedType(VARTYPE vt);

// Frees the texts an EXCEPINFO holds and zeroes it.
void clearExcepInfo(EXCEPINFO& info);

// Arguments for a call through IDispatch::Invoke. They borrow what they point at: the caller
// keeps the BSTR, the interface or the target alive and frees it; none needs VariantClear.
VARIANT longArgument(LONG value);
VARIANT textArgument(BSTR text);
VARIANT objectArgument(IDispatch* object);
// By reference: `target` points at a value of type `vt` that the callee may change.
VARIANT referenceArgument(VARTYPE vt, void* target);

}  // namespace platform
