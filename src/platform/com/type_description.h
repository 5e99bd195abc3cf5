// A dispatch interface described by a table of its members. The one table drives
// GetIDsOfNames, Invoke (argument count, order, coercion, by-reference parameters) and the
// type library's text, so that what a caller reads and what the object does cannot drift.
#pragma once

#include <functional>
#include <span>
#include <string_view>
#include <vector>

#include "platform/com/guid.h"
#include "platform/com/variant_abi.h"

namespace platform {

// The types a member's parameters and results have at the boundary.
enum class ParamType {
  kLong,     // LONG, VT_I4
  kString,   // BSTR, VT_BSTR
  kBoolean,  // VARIANT_BOOL, VT_BOOL
  kObject,   // IDispatch*, VT_DISPATCH
  kVariant,  // VARIANT
};

enum class ParamDirection { kIn, kInOut };

struct ParamDescription {
  std::u16string_view name;
  ParamType type;
  ParamDirection direction = ParamDirection::kIn;
};

struct MemberDescription {
  std::u16string_view name;
  DISPID id;
  std::vector<ParamDescription> params;
  ParamType result;
};

// A dual interface derived from IDispatch; its members in vtable order.
struct InterfaceDescription {
  std::u16string_view name;
  IID iid;
  std::vector<MemberDescription> members;

  const MemberDescription* member(DISPID id) const;
  // Names are compared without regard to case.
  const MemberDescription* member(std::u16string_view name) const;
};

// The VARTYPE of a parameter type.
VARTYPE varTypeOf(ParamType type);

// IDispatch::GetIDsOfNames over `description`: names[0] is a member's name, the rest are
// names of its parameters (for named arguments), which get their positions (0 for the first).
// Names that are not found get DISPID_UNKNOWN and make the answer DISP_E_UNKNOWNNAME.
HRESULT getIDsOfNames(const InterfaceDescription& description, LPOLESTR* names, UINT count,
                      DISPID* ids);

// A member's body as invokeMember calls it. args[i] is parameter i in declaration order:
// an in parameter by value in its type (lVal, bstrVal, boolVal, pdispVal; a Variant as
// itself), owned by invokeMember and released after the call; an in/out parameter as
// VT_BYREF | its type (plVal, pbstrVal, ...) pointing at the caller's storage, which the body
// changes in place. `result` starts VT_BOOL false for a Boolean result and empty for a
// Variant one. The body may throw.
using MemberBody =
    std::function<void(const MemberDescription& member, std::span<VARIANT> args, VARIANT& result)>;

// IDispatch::Invoke over `description`: finds the member (DISP_E_MEMBERNOTFOUND, also for a
// property put), checks the count (DISP_E_BADPARAMCOUNT), takes positional arguments from
// their reversed order and named ones by position (DISP_E_PARAMNOTFOUND), coerces in
// parameters to their types by Visual Basic's rules, following references
// (DISP_E_TYPEMISMATCH or DISP_E_OVERFLOW, with *argErr the index in rgvarg), and takes an
// in/out parameter only as VT_BYREF | its type, or as a VT_BYREF | VT_VARIANT that holds
// exactly that type. Then it runs `body`. A failure the body throws comes back as
// DISP_E_EXCEPTION with `excepInfo` filled when one is given, else as its own number.
HRESULT invokeMember(const InterfaceDescription& description, DISPID id, WORD flags,
                     DISPPARAMS* params, VARIANT* result, EXCEPINFO* excepInfo, UINT* argErr,
                     const MemberBody& body);

}  // namespace platform
