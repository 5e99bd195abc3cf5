// The error catalogue: every error number the program raises itself, with its standard
// description. Numbers follow COM: HRESULTs, and Visual Basic run-time errors as
// 0x800A0000 + the run-time error number.
#pragma once

#include <cstdint>
#include <optional>
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
  // Visual Basic run-time errors: 0x800A0000 + the number VBScript reports (Err.Number).
  kInvalidProcedureCall = static_cast<int32_t>(0x800A0005),        // 5, also a missing key
  kOverflow = static_cast<int32_t>(0x800A0006),                    // 6
  kOutOfMemoryVb = static_cast<int32_t>(0x800A0007),               // 7
  kSubscriptOutOfRange = static_cast<int32_t>(0x800A0009),         // 9
  kArrayFixed = static_cast<int32_t>(0x800A000A),                  // 10
  kDivisionByZero = static_cast<int32_t>(0x800A000B),              // 11
  kTypeMismatch = static_cast<int32_t>(0x800A000D),                // 13
  kOutOfStringSpace = static_cast<int32_t>(0x800A000E),            // 14
  kCannotPerformOperation = static_cast<int32_t>(0x800A0011),      // 17
  kOutOfStackSpace = static_cast<int32_t>(0x800A001C),             // 28
  kSubNotDefined = static_cast<int32_t>(0x800A0023),               // 35
  kErrorLoadingDll = static_cast<int32_t>(0x800A0030),             // 48
  kInternalError = static_cast<int32_t>(0x800A0033),               // 51
  kFileNotFound = static_cast<int32_t>(0x800A0035),                // 53
  kFileAlreadyExists = static_cast<int32_t>(0x800A003A),           // 58
  kPermissionDenied = static_cast<int32_t>(0x800A0046),            // 70
  kPathFileAccess = static_cast<int32_t>(0x800A004B),              // 75
  kPathNotFound = static_cast<int32_t>(0x800A004C),                // 76
  kObjectVariableNotSet = static_cast<int32_t>(0x800A005B),        // 91
  kForLoopNotInitialized = static_cast<int32_t>(0x800A005C),       // 92
  kInvalidUseOfNull = static_cast<int32_t>(0x800A005E),            // 94
  kObjectRequired = static_cast<int32_t>(0x800A01A8),              // 424
  kCannotCreateObject = static_cast<int32_t>(0x800A01AD),          // 429
  kNoAutomation = static_cast<int32_t>(0x800A01AE),                // 430
  kFileNameOrClassNotFound = static_cast<int32_t>(0x800A01B0),     // 432
  kNoSuchMember = static_cast<int32_t>(0x800A01B6),                // 438
  kAutomationError = static_cast<int32_t>(0x800A01B8),             // 440
  kActionNotSupported = static_cast<int32_t>(0x800A01BD),          // 445
  kNamedArgumentsNotSupported = static_cast<int32_t>(0x800A01BE),  // 446
  kNoCurrentLocale = static_cast<int32_t>(0x800A01BF),             // 447
  kNamedArgumentNotFound = static_cast<int32_t>(0x800A01C0),       // 448
  kArgumentNotOptional = static_cast<int32_t>(0x800A01C1),         // 449
  kWrongArgumentCount = static_cast<int32_t>(0x800A01C2),          // 450
  kNotACollection = static_cast<int32_t>(0x800A01C3),              // 451
  kKeyAlreadyAssociated = static_cast<int32_t>(0x800A01C9),        // 457
  kUnsupportedAutomationType = static_cast<int32_t>(0x800A01CA),   // 458
  kRemoteServerUnavailable = static_cast<int32_t>(0x800A01CE),     // 462
  kInvalidPicture = static_cast<int32_t>(0x800A01E1),              // 481
  kVariableUndefined = static_cast<int32_t>(0x800A01F4),           // 500
  kIllegalAssignment = static_cast<int32_t>(0x800A01F5),           // 501
  kNotSafeForScripting = static_cast<int32_t>(0x800A01F6),         // 502
  kNotSafeForInitializing = static_cast<int32_t>(0x800A01F7),      // 503
  kNotSafeForCreating = static_cast<int32_t>(0x800A01F8),          // 504
  kInvalidReference = static_cast<int32_t>(0x800A01F9),            // 505
  kClassNotDefined = static_cast<int32_t>(0x800A01FA),             // 506
  kExceptionOccurred = static_cast<int32_t>(0x800A01FB),           // 507
  kIllegalAssignmentOfValue = static_cast<int32_t>(0x800A1390),    // 5008
  kRegExpObjectExpected = static_cast<int32_t>(0x800A1398),        // 5016
  kRegExpSyntax = static_cast<int32_t>(0x800A1399),                // 5017
  kRegExpQuantifier = static_cast<int32_t>(0x800A139A),            // 5018
  kRegExpExpectedBracket = static_cast<int32_t>(0x800A139B),       // 5019
  kRegExpExpectedParen = static_cast<int32_t>(0x800A139C),         // 5020
  kRegExpInvalidRange = static_cast<int32_t>(0x800A139D),          // 5021
  kElementNotFound = static_cast<int32_t>(0x800A802B),             // 32811
  // VBScript compilation errors.
  kCompileOutOfMemory = static_cast<int32_t>(0x800A03E9),             // 1001
  kSyntaxError = static_cast<int32_t>(0x800A03EA),                    // 1002
  kExpectedColon = static_cast<int32_t>(0x800A03EB),                  // 1003
  kExpectedLeftParen = static_cast<int32_t>(0x800A03ED),              // 1005
  kExpectedRightParen = static_cast<int32_t>(0x800A03EE),             // 1006
  kExpectedRightBracket = static_cast<int32_t>(0x800A03EF),           // 1007
  kExpectedIdentifier = static_cast<int32_t>(0x800A03F2),             // 1010
  kExpectedEquals = static_cast<int32_t>(0x800A03F3),                 // 1011
  kExpectedIf = static_cast<int32_t>(0x800A03F4),                     // 1012
  kExpectedTo = static_cast<int32_t>(0x800A03F5),                     // 1013
  kExpectedEnd = static_cast<int32_t>(0x800A03F6),                    // 1014
  kExpectedFunction = static_cast<int32_t>(0x800A03F7),               // 1015
  kExpectedSub = static_cast<int32_t>(0x800A03F8),                    // 1016
  kExpectedThen = static_cast<int32_t>(0x800A03F9),                   // 1017
  kExpectedWend = static_cast<int32_t>(0x800A03FA),                   // 1018
  kExpectedLoop = static_cast<int32_t>(0x800A03FB),                   // 1019
  kExpectedNext = static_cast<int32_t>(0x800A03FC),                   // 1020
  kExpectedCase = static_cast<int32_t>(0x800A03FD),                   // 1021
  kExpectedSelect = static_cast<int32_t>(0x800A03FE),                 // 1022
  kExpectedExpression = static_cast<int32_t>(0x800A03FF),             // 1023
  kExpectedStatement = static_cast<int32_t>(0x800A0400),              // 1024
  kExpectedEndOfStatement = static_cast<int32_t>(0x800A0401),         // 1025
  kExpectedInteger = static_cast<int32_t>(0x800A0402),                // 1026
  kExpectedWhileOrUntil = static_cast<int32_t>(0x800A0403),           // 1027
  kExpectedWhileUntilOrEnd = static_cast<int32_t>(0x800A0404),        // 1028
  kExpectedWith = static_cast<int32_t>(0x800A0405),                   // 1029
  kIdentifierTooLong = static_cast<int32_t>(0x800A0406),              // 1030
  kInvalidNumber = static_cast<int32_t>(0x800A0407),                  // 1031
  kInvalidCharacter = static_cast<int32_t>(0x800A0408),               // 1032
  kUnterminatedString = static_cast<int32_t>(0x800A0409),             // 1033
  kUnterminatedComment = static_cast<int32_t>(0x800A040A),            // 1034
  kInvalidUseOfMe = static_cast<int32_t>(0x800A040D),                 // 1037
  kLoopWithoutDo = static_cast<int32_t>(0x800A040E),                  // 1038
  kInvalidExit = static_cast<int32_t>(0x800A040F),                    // 1039
  kInvalidForVariable = static_cast<int32_t>(0x800A0410),             // 1040
  kNameRedefined = static_cast<int32_t>(0x800A0411),                  // 1041
  kMustBeFirstStatement = static_cast<int32_t>(0x800A0412),           // 1042
  kCannotAssignToNonByVal = static_cast<int32_t>(0x800A0413),         // 1043
  kParenthesesCallingSub = static_cast<int32_t>(0x800A0414),          // 1044
  kExpectedLiteral = static_cast<int32_t>(0x800A0415),                // 1045
  kExpectedIn = static_cast<int32_t>(0x800A0416),                     // 1046
  kExpectedClass = static_cast<int32_t>(0x800A0417),                  // 1047
  kMustBeInsideClass = static_cast<int32_t>(0x800A0418),              // 1048
  kExpectedLetSetGet = static_cast<int32_t>(0x800A0419),              // 1049
  kExpectedProperty = static_cast<int32_t>(0x800A041A),               // 1050
  kInconsistentPropertyArguments = static_cast<int32_t>(0x800A041B),  // 1051
  kMultipleDefaults = static_cast<int32_t>(0x800A041C),               // 1052
  kInitializeWithArguments = static_cast<int32_t>(0x800A041D),        // 1053
  kPropertyLetWithoutArgument = static_cast<int32_t>(0x800A041E),     // 1054
  kUnexpectedNext = static_cast<int32_t>(0x800A041F),                 // 1055
  kDefaultOnlyOnProcedure = static_cast<int32_t>(0x800A0420),         // 1056
  kDefaultMustBePublic = static_cast<int32_t>(0x800A0421),            // 1057
  kDefaultOnlyOnGet = static_cast<int32_t>(0x800A0422),               // 1058
  // The script host's time-out: HRESULT_FROM_WIN32(ERROR_TIMEOUT). No script and no host
  // object raises it for any other reason.
  kTimeout = static_cast<int32_t>(0x800705B4),
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
};

// A keyed collection's missing key is Visual Basic's run-time error 5.
inline constexpr ErrorCode kKeyNotFound = ErrorCode::kInvalidProcedureCall;

// The standard description of a catalogue entry, in English.
std::u16string_view describe(ErrorCode code);

// The standard description of the catalogue entry numbered `number`, or nullopt when the
// catalogue has none.
std::optional<std::u16string_view> catalogueDescription(int32_t number);

}  // namespace platform
