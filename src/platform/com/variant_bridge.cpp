#include "platform/com/variant_bridge.h"

#include <cmath>
#include <limits>
#include <type_traits>

#include "platform/automation/variant_convert.h"
#include "platform/base/error.h"
#include "platform/com/dispatch_adapters.h"
#include "platform/com/interfaces.h"

namespace platform {

namespace {

// The value of a VARIANT member, read through the pointer when the VARIANT is a reference.
template <class T>
T valueOf(const VARIANT& raw, T VARIANT::*member) {
  if (raw.vt & VT_BYREF) return *static_cast<const T*>(raw.byref);
  return raw.*member;
}

// Wide integers fit a Long when they can, else they become a Double.
template <class T>
Variant fromInteger(T value) {
  bool fits;
  if constexpr (std::is_signed_v<T>) {
    fits = value >= INT32_MIN && value <= INT32_MAX;
  } else {
    fits = value <= static_cast<T>(INT32_MAX);
  }
  return fits ? Variant(static_cast<int32_t>(value)) : Variant(static_cast<double>(value));
}

Variant fromDispatch(IDispatch* dispatch) {
  if (!dispatch) return Variant::nothing();
  if (ObjectPtr served = servedObject(dispatch)) return Variant(served);
  return Variant(automationObjectFor(dispatch));
}

Variant fromUnknown(IUnknown* unknown) {
  if (!unknown) return Variant::nothing();
  ComPtr<IDispatch> dispatch;
  if (FAILED(unknown->QueryInterface(IID_IDispatch, dispatch.putVoid())) || !dispatch) {
    raise(ErrorCode::kTypeMismatchDisp);
  }
  return fromDispatch(dispatch.get());
}

template <class T>
T inRange(double value) {
  if (!(value >= static_cast<double>(std::numeric_limits<T>::lowest()) &&
        value <= static_cast<double>(std::numeric_limits<T>::max()))) {
    raise(ErrorCode::kOverflow);
  }
  return static_cast<T>(value);
}

}  // namespace

Variant fromRaw(const VARIANT& raw) {
  if (!isCarriedType(raw.vt)) raise(ErrorCode::kBadVarType);
  const bool byRef = (raw.vt & VT_BYREF) != 0;
  if (byRef && !raw.byref) raise(ErrorCode::kPointer);
  switch (raw.vt & ~VT_BYREF) {
    case VT_EMPTY:
      return {};
    case VT_NULL:
      return Variant::null();
    case VT_VARIANT:
      // A reference to a reference is no VARIANT COM allows.
      if (raw.pvarVal->vt == (VT_BYREF | VT_VARIANT)) raise(ErrorCode::kBadVarType);
      return fromRaw(*raw.pvarVal);
    case VT_I2:
      return Variant(static_cast<int16_t>(valueOf(raw, &VARIANT::iVal)));
    case VT_I4:
      return Variant(static_cast<int32_t>(valueOf(raw, &VARIANT::lVal)));
    case VT_R4:
      return Variant(valueOf(raw, &VARIANT::fltVal));
    case VT_R8:
      return Variant(valueOf(raw, &VARIANT::dblVal));
    case VT_CY:
      return Variant(Currency{valueOf(raw, &VARIANT::cyVal).int64});
    case VT_DATE:
      return Variant(Date{valueOf(raw, &VARIANT::date)});
    case VT_BSTR:
      return Variant(std::u16string(bstrView(valueOf(raw, &VARIANT::bstrVal))));
    case VT_DISPATCH:
      return fromDispatch(valueOf(raw, &VARIANT::pdispVal));
    case VT_UNKNOWN:
      return fromUnknown(valueOf(raw, &VARIANT::punkVal));
    case VT_ERROR:
      return Variant(ErrorValue{valueOf(raw, &VARIANT::scode)});
    case VT_BOOL:
      return Variant(valueOf(raw, &VARIANT::boolVal) != VARIANT_FALSE);
    case VT_UI1:
      return Variant(static_cast<uint8_t>(valueOf(raw, &VARIANT::bVal)));
    case VT_I1:
      return Variant(static_cast<int16_t>(valueOf(raw, &VARIANT::cVal)));
    case VT_UI2:
      return Variant(static_cast<int32_t>(valueOf(raw, &VARIANT::uiVal)));
    case VT_UI4:
      return fromInteger(valueOf(raw, &VARIANT::ulVal));
    case VT_INT:
      return Variant(static_cast<int32_t>(valueOf(raw, &VARIANT::intVal)));
    case VT_UINT:
      return fromInteger(valueOf(raw, &VARIANT::uintVal));
    case VT_I8:
      return fromInteger(valueOf(raw, &VARIANT::llVal));
    case VT_UI8:
      return fromInteger(valueOf(raw, &VARIANT::ullVal));
  }
  raise(ErrorCode::kBadVarType);
}

void toRaw(const Variant& value, VARIANT& raw) {
  VariantInit(&raw);
  switch (value.type()) {
    case VarType::kEmpty:
      return;
    case VarType::kNull:
      raw.vt = VT_NULL;
      return;
    case VarType::kBoolean:
      raw.vt = VT_BOOL;
      raw.boolVal = value.boolean() ? VARIANT_TRUE : VARIANT_FALSE;
      return;
    case VarType::kInteger:
      raw.vt = VT_I2;
      raw.iVal = value.integer();
      return;
    case VarType::kLong:
      raw.vt = VT_I4;
      raw.lVal = value.longValue();
      return;
    case VarType::kSingle:
      raw.vt = VT_R4;
      raw.fltVal = value.single();
      return;
    case VarType::kDouble:
      raw.vt = VT_R8;
      raw.dblVal = value.dbl();
      return;
    case VarType::kCurrency:
      raw.vt = VT_CY;
      raw.cyVal.int64 = value.currency().scaled;
      return;
    case VarType::kDate:
      raw.vt = VT_DATE;
      raw.date = value.date().days;
      return;
    case VarType::kString:
      raw.bstrVal = allocBstr(value.string());
      raw.vt = VT_BSTR;
      return;
    case VarType::kObject: {
      IDispatch* dispatch = nullptr;
      if (const ObjectPtr& object = value.object()) {
        dispatch = clientDispatch(*object);
        if (!dispatch) dispatch = dispatchFor(object);
      }
      raw.vt = VT_DISPATCH;
      raw.pdispVal = dispatch;
      return;
    }
    case VarType::kError:
      raw.vt = VT_ERROR;
      raw.scode = value.error().scode;
      return;
    case VarType::kByte:
      raw.vt = VT_UI1;
      raw.bVal = value.byte();
      return;
    default:
      raise(ErrorCode::kBadVarType);
  }
}

void storeThrough(const VARIANT& target, const Variant& value) {
  if (!(target.vt & VT_BYREF) || !isCarriedType(target.vt)) raise(ErrorCode::kBadVarType);
  if (!target.byref) raise(ErrorCode::kPointer);
  switch (target.vt & ~VT_BYREF) {
    case VT_VARIANT: {
      VARIANT fresh;
      toRaw(value, fresh);
      VariantClear(target.pvarVal);
      *target.pvarVal = fresh;
      return;
    }
    case VT_BSTR: {
      BSTR fresh = allocBstr(toText(value));
      SysFreeString(*target.pbstrVal);
      *target.pbstrVal = fresh;
      return;
    }
    case VT_I4:
      *target.plVal = toInt32(value);
      return;
    case VT_I2:
      *target.piVal = inRange<SHORT>(toInt32(value));
      return;
    case VT_UI1:
      *target.pbVal = inRange<BYTE>(toInt32(value));
      return;
    case VT_BOOL:
      *target.pboolVal = toBool(value) ? VARIANT_TRUE : VARIANT_FALSE;
      return;
    case VT_R8:
      *target.pdblVal = toDouble(value);
      return;
    case VT_R4:
      *target.pfltVal = inRange<float>(toDouble(value));
      return;
    case VT_DATE:
      *target.pdate = value.type() == VarType::kDate ? value.date().days : toDouble(value);
      return;
    case VT_CY: {
      double scaled = std::nearbyint(toDouble(value) * 10000.0);
      // Beyond about 9.2e18 the amount leaves the 64 bits of a currency.
      if (!(std::fabs(scaled) < 9.2e18)) raise(ErrorCode::kOverflow);
      *target.pcyVal = CY{static_cast<LONGLONG>(scaled)};
      return;
    }
    case VT_DISPATCH: {
      if (!value.isObject() && !value.isEmpty()) raise(ErrorCode::kTypeMismatch);
      VARIANT fresh;
      toRaw(value.isEmpty() ? Variant::nothing() : value, fresh);
      if (*target.ppdispVal) (*target.ppdispVal)->Release();
      *target.ppdispVal = fresh.pdispVal;
      return;
    }
    case VT_ERROR:
      if (value.type() != VarType::kError) raise(ErrorCode::kTypeMismatch);
      *target.pscode = value.error().scode;
      return;
    default:
      raise(ErrorCode::kTypeMismatch);
  }
}

}  // namespace platform
