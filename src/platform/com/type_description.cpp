#include "platform/com/type_description.h"

#include <cstring>

#include "platform/automation/variant_convert.h"
#include "platform/base/error.h"
#include "platform/base/text.h"
#include "platform/com/hresult_of.h"
#include "platform/com/interfaces.h"
#include "platform/com/variant_bridge.h"

namespace platform {

namespace {

// How many bytes a by-reference VARIANT of type `base` points at.
size_t valueSize(VARTYPE base) {
  switch (base) {
    case VT_I1:
    case VT_UI1:
      return 1;
    case VT_I2:
    case VT_UI2:
    case VT_BOOL:
      return 2;
    case VT_I4:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
    case VT_R4:
    case VT_ERROR:
      return 4;
    case VT_R8:
    case VT_CY:
    case VT_DATE:
    case VT_I8:
    case VT_UI8:
      return 8;
    case VT_BSTR:
    case VT_DISPATCH:
    case VT_UNKNOWN:
      return sizeof(void*);
    default:
      return 0;
  }
}

// A by-value copy of what `raw` holds, following a reference, owned by the caller.
HRESULT copyByValue(const VARIANT& raw, VARIANT& out) {
  if (!isCarriedType(raw.vt)) return DISP_E_BADVARTYPE;
  if (!(raw.vt & VT_BYREF)) return VariantCopy(&out, &raw);
  if (!raw.byref) return E_POINTER;
  if (raw.vt == (VT_BYREF | VT_VARIANT)) return copyByValue(*raw.pvarVal, out);
  VARIANT view;
  VariantInit(&view);
  view.vt = raw.vt & ~VT_BYREF;
  std::memcpy(&view.llVal, raw.byref, valueSize(view.vt));
  return VariantCopy(&out, &view);
}

// The HRESULT a failed coercion stands for.
HRESULT coercionFailure(const Error& error) {
  switch (static_cast<ErrorCode>(error.number())) {
    case ErrorCode::kOverflow:
    case ErrorCode::kOverflowDisp:
      return DISP_E_OVERFLOW;
    case ErrorCode::kBadVarType:
      return DISP_E_BADVARTYPE;
    case ErrorCode::kOutOfMemory:
      return E_OUTOFMEMORY;
    case ErrorCode::kPointer:
      return E_POINTER;
    default:
      return DISP_E_TYPEMISMATCH;
  }
}

HRESULT objectArgument(const VARIANT& raw, VARIANT& out) {
  VARIANT value;
  VariantInit(&value);
  HRESULT hr = copyByValue(raw, value);
  if (FAILED(hr)) return hr;
  out.vt = VT_DISPATCH;
  out.pdispVal = nullptr;
  switch (value.vt) {
    case VT_EMPTY:  // no object given
      return S_OK;
    case VT_DISPATCH:
      out.pdispVal = value.pdispVal;  // the copy's reference passes to `out`
      return S_OK;
    case VT_UNKNOWN:
      hr = value.punkVal ? value.punkVal->QueryInterface(IID_IDispatch,
                                                         reinterpret_cast<void**>(&out.pdispVal))
                         : S_OK;
      VariantClear(&value);
      return FAILED(hr) ? DISP_E_TYPEMISMATCH : S_OK;
    default:
      VariantClear(&value);
      return DISP_E_TYPEMISMATCH;
  }
}

// Makes `out` the value of in parameter `param` from the caller's `raw`.
HRESULT inArgument(const ParamDescription& param, const VARIANT& raw, VARIANT& out) {
  if (!isCarriedType(raw.vt)) return DISP_E_BADVARTYPE;
  if (param.type == ParamType::kVariant) return copyByValue(raw, out);
  if (param.type == ParamType::kObject) return objectArgument(raw, out);
  try {
    Variant value = fromRaw(raw);
    switch (param.type) {
      case ParamType::kLong:
        out.lVal = toInt32(value);
        out.vt = VT_I4;
        break;
      case ParamType::kString:
        out.bstrVal = allocBstr(toText(value));
        out.vt = VT_BSTR;
        break;
      case ParamType::kBoolean:
        out.boolVal = toBool(value) ? VARIANT_TRUE : VARIANT_FALSE;
        out.vt = VT_BOOL;
        break;
      default:
        break;
    }
    return S_OK;
  } catch (const Error& e) {
    return coercionFailure(e);
  } catch (...) {
    return hresultOfCurrentException(nullptr);
  }
}

// Makes `out` a reference to the caller's storage for in/out parameter `param`.
HRESULT inOutArgument(const ParamDescription& param, const VARIANT& raw, VARIANT& out) {
  const VARTYPE type = varTypeOf(param.type);
  if (raw.vt == (VT_BYREF | type)) {
    if (!raw.byref) return E_POINTER;
    out = raw;
    return S_OK;
  }
  // A Variant variable passed by reference that holds the very type will do: the value is
  // changed inside it and it keeps its type.
  if (raw.vt == (VT_BYREF | VT_VARIANT) && raw.pvarVal && raw.pvarVal->vt == type) {
    out.vt = VT_BYREF | type;
    out.byref = &raw.pvarVal->llVal;
    return S_OK;
  }
  return DISP_E_TYPEMISMATCH;
}

}  // namespace

const MemberDescription* InterfaceDescription::member(DISPID id) const {
  for (const MemberDescription& m : members) {
    if (m.id == id) return &m;
  }
  return nullptr;
}

const MemberDescription* InterfaceDescription::member(std::u16string_view name) const {
  for (const MemberDescription& m : members) {
    if (equalsIgnoreCase(m.name, name)) return &m;
  }
  return nullptr;
}

VARTYPE varTypeOf(ParamType type) {
  switch (type) {
    case ParamType::kLong:
      return VT_I4;
    case ParamType::kString:
      return VT_BSTR;
    case ParamType::kBoolean:
      return VT_BOOL;
    case ParamType::kObject:
      return VT_DISPATCH;
    case ParamType::kVariant:
      return VT_VARIANT;
  }
  return VT_EMPTY;
}

HRESULT getIDsOfNames(const InterfaceDescription& description, LPOLESTR* names, UINT count,
                      DISPID* ids) {
  if (count == 0) return S_OK;
  if (!names || !ids) return E_POINTER;
  HRESULT hr = S_OK;
  const MemberDescription* member = names[0] ? description.member(names[0]) : nullptr;
  ids[0] = member ? member->id : DISPID_UNKNOWN;
  if (!member) hr = DISP_E_UNKNOWNNAME;
  for (UINT i = 1; i < count; ++i) {
    ids[i] = DISPID_UNKNOWN;
    for (size_t p = 0; member && names[i] && p < member->params.size(); ++p) {
      if (equalsIgnoreCase(member->params[p].name, names[i])) ids[i] = static_cast<DISPID>(p);
    }
    if (ids[i] == DISPID_UNKNOWN) hr = DISP_E_UNKNOWNNAME;
  }
  return hr;
}

HRESULT invokeMember(const InterfaceDescription& description, DISPID id, WORD flags,
                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* excepInfo, UINT* argErr,
                     const MemberBody& body) {
  const MemberDescription* member = description.member(id);
  if (!member || !(flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET))) {
    return DISP_E_MEMBERNOTFOUND;
  }
  DISPPARAMS none{};
  const DISPPARAMS& given = params ? *params : none;
  if ((given.cArgs && !given.rgvarg) || given.cNamedArgs > given.cArgs ||
      (given.cNamedArgs && !given.rgdispidNamedArgs)) {
    return E_INVALIDARG;
  }
  const size_t count = member->params.size();
  if (given.cArgs != count) return DISP_E_BADPARAMCOUNT;

  // Which rgvarg entry serves each parameter: named arguments come first in rgvarg, then the
  // positional ones, last first.
  std::vector<UINT> source(count, UINT(-1));
  const UINT positional = given.cArgs - given.cNamedArgs;
  for (UINT i = 0; i < positional; ++i)
    source[i] = given.cArgs - 1 - i;
  for (UINT j = 0; j < given.cNamedArgs; ++j) {
    DISPID position = given.rgdispidNamedArgs[j];
    if (position < 0 || static_cast<size_t>(position) >= count ||
        source[static_cast<size_t>(position)] != UINT(-1)) {
      if (argErr) *argErr = j;
      return DISP_E_PARAMNOTFOUND;
    }
    source[static_cast<size_t>(position)] = j;
  }

  std::vector<VARIANT> args(count);
  for (VARIANT& v : args)
    VariantInit(&v);
  // In parameters are our copies; references own nothing, so clearing them is harmless.
  struct Release {
    std::vector<VARIANT>& args;
    ~Release() {
      for (VARIANT& v : args)
        VariantClear(&v);
    }
  } release{args};
  for (size_t i = 0; i < count; ++i) {
    const ParamDescription& param = member->params[i];
    const VARIANT& raw = given.rgvarg[source[i]];
    HRESULT hr = param.direction == ParamDirection::kInOut ? inOutArgument(param, raw, args[i])
                                                           : inArgument(param, raw, args[i]);
    if (FAILED(hr)) {
      if (argErr) *argErr = source[i];
      return hr;
    }
  }

  VARIANT answer;
  VariantInit(&answer);
  if (member->result == ParamType::kBoolean) {
    answer.vt = VT_BOOL;
    answer.boolVal = VARIANT_FALSE;
  }
  HRESULT hr = hresultOf([&] { body(*member, args, answer); }, excepInfo);
  if (FAILED(hr)) {
    VariantClear(&answer);
    return dispatchFailure(hr, excepInfo);
  }
  if (result) {
    *result = answer;
  } else {
    VariantClear(&answer);
  }
  return hr;
}

}  // namespace platform
