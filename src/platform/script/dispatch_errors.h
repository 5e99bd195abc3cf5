// What a failed call on an automation object means to a script. Host objects report misuse
// with IDispatch's numbers (DISP_E_MEMBERNOTFOUND, DISP_E_BADPARAMCOUNT, ...); both script
// languages show the script the Visual Basic run-time error those stand for, with its standard
// description, as the Windows engines do. Every other error reaches the script unchanged.
#pragma once

#include <cstdint>

#include "platform/base/error.h"

namespace platform {

// The run-time error that the dispatch failure `number` stands for, or `number` itself when it
// is no dispatch failure:
//   DISP_E_MEMBERNOTFOUND, DISP_E_UNKNOWNNAME   438 Object doesn't support this property or method
//   DISP_E_BADPARAMCOUNT                        450 Wrong number of arguments or invalid ...
//   DISP_E_PARAMNOTOPTIONAL                     449 Argument not optional
//   DISP_E_TYPEMISMATCH, DISP_E_BADVARTYPE      13 Type mismatch
//   DISP_E_OVERFLOW                             6 Overflow
//   DISP_E_PARAMNOTFOUND                        448 Named argument not found
//   E_NOINTERFACE, E_POINTER                    424 Object required
int32_t scriptErrorNumber(int32_t number);

// `error` as a script sees it: a dispatch failure becomes its run-time error, with that
// error's standard description unless the host gave one of its own; any other error is
// returned as it is.
Error asScriptError(const Error& error);

}  // namespace platform
