// The error catalogue: every error number the program raises itself, with its standard
// description. Numbers follow COM: HRESULTs, and Visual Basic run-time errors as
// 0x800A0000 + the run-time error number.
#pragma once

#include <cstdint>
#include <string_view>

namespace platform {

enum class ErrorCode : int32_t {
  // COM
  kFail = static_cast<int32_t>(0x80004005),
  kNotImplemented = static_cast<int32_t>(0x80004001),
  kNoInterface = static_cast<int32_t>(0x80004002),
  kPointer = static_cast<int32_t>(0x80004003),
  kUnexpected = static_cast<int32_t>(0x8000FFFF),
  kAborted = static_cast<int32_t>(0x80004004),
  kOutOfMemory = static_cast<int32_t>(0x8007000E),
  kInvalidArg = static_cast<int32_t>(0x80070057),
  kClassNotRegistered = static_cast<int32_t>(0x80040154),
  kClassNotAvailable = static_cast<int32_t>(0x80040111),
  kNoAggregation = static_cast<int32_t>(0x80040110),
  kInvalidProgId = static_cast<int32_t>(0x800401F3),
  kModuleNotFound = static_cast<int32_t>(0x8007007E),
  kFileNotFoundHr = static_cast<int32_t>(0x80070002),
  kAccessDeniedHr = static_cast<int32_t>(0x80070005),
  // IDispatch
  kUnknownName = static_cast<int32_t>(0x80020006),
  kMemberNotFound = static_cast<int32_t>(0x80020003),
  kBadParamCount = static_cast<int32_t>(0x8002000E),
  kTypeMismatchDisp = static_cast<int32_t>(0x80020005),
  kParamNotFound = static_cast<int32_t>(0x80020004),
  kParamNotOptional = static_cast<int32_t>(0x8002000F),
  kException = static_cast<int32_t>(0x80020009),
  kOverflowDisp = static_cast<int32_t>(0x8002000A),
  kBadVarType = static_cast<int32_t>(0x80020008),
  // Visual Basic run-time errors
  kInvalidProcedureCall = static_cast<int32_t>(0x800A0005),  // 5, also a missing key
  kOverflow = static_cast<int32_t>(0x800A0006),              // 6
  kOutOfMemoryVb = static_cast<int32_t>(0x800A0007),         // 7
  kSubscriptOutOfRange = static_cast<int32_t>(0x800A0009),   // 9
  kDivisionByZero = static_cast<int32_t>(0x800A000B),        // 11
  kTypeMismatch = static_cast<int32_t>(0x800A000D),          // 13
  kOutOfStackSpace = static_cast<int32_t>(0x800A001C),       // 28
  kFileNotFound = static_cast<int32_t>(0x800A0035),          // 53
  kPermissionDenied = static_cast<int32_t>(0x800A0046),      // 70
  kPathNotFound = static_cast<int32_t>(0x800A004C),          // 76
  kPathFileAccess = static_cast<int32_t>(0x800A004B),        // 75
  kFileAlreadyExists = static_cast<int32_t>(0x800A003A),     // 58
  kObjectRequired = static_cast<int32_t>(0x800A01A8),        // 424
  kCannotCreateObject = static_cast<int32_t>(0x800A01AD),    // 429
  kNoSuchMember = static_cast<int32_t>(0x800A01B6),          // 438
  kWrongArgumentCount = static_cast<int32_t>(0x800A01C2),    // 450
  kInvalidUseOfNull = static_cast<int32_t>(0x800A005E),      // 94
  kObjectVariableNotSet = static_cast<int32_t>(0x800A005B),  // 91
  kTimeout = static_cast<int32_t>(0x800A01C3),               // script time-out (ours)
  // Web transfers: the INET_E_* numbers of the Windows internet layer
  kWebInvalidAddress = static_cast<int32_t>(0x800C0002),
  kWebCannotConnect = static_cast<int32_t>(0x800C0004),
  kWebServerNotFound = static_cast<int32_t>(0x800C0005),
  kWebNotFound = static_cast<int32_t>(0x800C0006),
  kWebDownloadFailed = static_cast<int32_t>(0x800C0008),
  kWebTimeout = static_cast<int32_t>(0x800C000B),
  kWebUnsupportedScheme = static_cast<int32_t>(0x800C000D),
  kWebSecurityProblem = static_cast<int32_t>(0x800C000E),
  kWebRedirectFailed = static_cast<int32_t>(0x800C0014),

  // VBScript's RegExp and Scripting.Dictionary
  kKeyAlreadyExists = static_cast<int32_t>(0x800A01C9),  // 457
  kRegExpSyntax = static_cast<int32_t>(0x800A1399),      // 5017
  kElementNotFound = static_cast<int32_t>(0x800A802B),   // 32811
};

// A keyed collection's missing key is Visual Basic's run-time error 5.
inline constexpr ErrorCode kKeyNotFound = ErrorCode::kInvalidProcedureCall;

// The standard description of a catalogue entry, in English.
std::u16string_view describe(ErrorCode code);

}  // namespace platform
