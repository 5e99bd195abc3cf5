#include "platform/base/error.h"

#include <new>
#include <optional>

#include "platform/base/text.h"

namespace platform {

Error::Error(int32_t number, std::u16string description, std::u16string source)
    : number_(number),
      description_(std::move(description)),
      source_(std::move(source)),
      what_(toUtf8(description_)) {}

Error::~Error() = default;

void raise(ErrorCode code) {
  throw Error(static_cast<int32_t>(code), std::u16string(describe(code)));
}

void raise(ErrorCode code, std::u16string description) {
  throw Error(static_cast<int32_t>(code), std::move(description));
}

Error currentError() noexcept {
  try {
    throw;
  } catch (const Error& e) {
    return e;
  } catch (const std::bad_alloc&) {
    return Error(static_cast<int32_t>(ErrorCode::kOutOfMemory), u"Out of memory");
  } catch (const std::exception& e) {
    return Error(static_cast<int32_t>(ErrorCode::kFail), fromUtf8(e.what()));
  } catch (...) {
    return Error(static_cast<int32_t>(ErrorCode::kUnexpected), u"Unexpected failure");
  }
}

namespace {

// The catalogue's description of `code`; empty for a number it does not hold.
std::u16string_view lookUp(ErrorCode code) {
  switch (code) {
    case ErrorCode::kFail:
      return u"Unspecified error";
    case ErrorCode::kNotImplemented:
      return u"Not implemented";
    case ErrorCode::kNoInterface:
      return u"No such interface supported";
    case ErrorCode::kPointer:
      return u"Invalid pointer";
    case ErrorCode::kUnexpected:
      return u"Catastrophic failure";
    case ErrorCode::kAborted:
      return u"Operation aborted";
    case ErrorCode::kOutOfMemory:
      return u"Out of memory";
    case ErrorCode::kInvalidArg:
      return u"The parameter is incorrect";
    case ErrorCode::kClassNotRegistered:
      return u"Class not registered";
    case ErrorCode::kClassNotAvailable:
      return u"ClassFactory cannot supply requested class";
    case ErrorCode::kNoAggregation:
      return u"Class does not support aggregation";
    case ErrorCode::kInvalidProgId:
      return u"Invalid class string";
    case ErrorCode::kModuleNotFound:
      return u"The specified module could not be found";
    case ErrorCode::kFileNotFoundHr:
      return u"The system cannot find the file specified";
    case ErrorCode::kAccessDeniedHr:
      return u"Access is denied";
    case ErrorCode::kUnknownName:
      return u"Unknown name";
    case ErrorCode::kMemberNotFound:
      return u"Member not found";
    case ErrorCode::kBadParamCount:
      return u"Invalid number of parameters";
    case ErrorCode::kTypeMismatchDisp:
      return u"Type mismatch";
    case ErrorCode::kParamNotFound:
      return u"Parameter not found";
    case ErrorCode::kParamNotOptional:
      return u"Parameter not optional";
    case ErrorCode::kException:
      return u"Exception occurred";
    case ErrorCode::kOverflowDisp:
      return u"Out of present range";
    case ErrorCode::kBadVarType:
      return u"Bad variable type";
    case ErrorCode::kInvalidProcedureCall:
      return u"Invalid procedure call or argument";
    case ErrorCode::kOverflow:
      return u"Overflow";
    case ErrorCode::kOutOfMemoryVb:
      return u"Out of memory";
    case ErrorCode::kSubscriptOutOfRange:
      return u"Subscript out of range";
    case ErrorCode::kArrayFixed:
      return u"This array is fixed or temporarily locked";
    case ErrorCode::kDivisionByZero:
      return u"Division by zero";
    case ErrorCode::kTypeMismatch:
      return u"Type mismatch";
    case ErrorCode::kOutOfStringSpace:
      return u"Out of string space";
    case ErrorCode::kCannotPerformOperation:
      return u"Can't perform requested operation";
    case ErrorCode::kOutOfStackSpace:
      return u"Out of stack space";
    case ErrorCode::kSubNotDefined:
      return u"Sub or function not defined";
    case ErrorCode::kErrorLoadingDll:
      return u"Error in loading DLL";
    case ErrorCode::kInternalError:
      return u"Internal error";
    case ErrorCode::kFileNotFound:
      return u"File not found";
    case ErrorCode::kFileAlreadyExists:
      return u"File already exists";
    case ErrorCode::kPermissionDenied:
      return u"Permission denied";
    case ErrorCode::kPathFileAccess:
      return u"Path/File access error";
    case ErrorCode::kPathNotFound:
      return u"Path not found";
    case ErrorCode::kObjectVariableNotSet:
      return u"Object variable not set";
    case ErrorCode::kForLoopNotInitialized:
      return u"For loop not initialized";
    case ErrorCode::kInvalidUseOfNull:
      return u"Invalid use of Null";
    case ErrorCode::kObjectRequired:
      return u"Object required";
    case ErrorCode::kCannotCreateObject:
      return u"ActiveX component can't create object";
    case ErrorCode::kNoAutomation:
      return u"Class doesn't support Automation";
    case ErrorCode::kFileNameOrClassNotFound:
      return u"File name or class name not found during Automation operation";
    case ErrorCode::kNoSuchMember:
      return u"Object doesn't support this property or method";
    case ErrorCode::kAutomationError:
      return u"Automation error";
    case ErrorCode::kActionNotSupported:
      return u"Object doesn't support this action";
    case ErrorCode::kNamedArgumentsNotSupported:
      return u"Object doesn't support named arguments";
    case ErrorCode::kNoCurrentLocale:
      return u"Object doesn't support current locale setting";
    case ErrorCode::kNamedArgumentNotFound:
      return u"Named argument not found";
    case ErrorCode::kArgumentNotOptional:
      return u"Argument not optional";
    case ErrorCode::kWrongArgumentCount:
      return u"Wrong number of arguments or invalid property assignment";
    case ErrorCode::kNotACollection:
      return u"Object not a collection";
    case ErrorCode::kKeyAlreadyAssociated:
      return u"This key is already associated with an element of this collection";
    case ErrorCode::kUnsupportedAutomationType:
      return u"Variable uses an Automation type not supported in VBScript";
    case ErrorCode::kRemoteServerUnavailable:
      return u"The remote server machine does not exist or is unavailable";
    case ErrorCode::kInvalidPicture:
      return u"Invalid picture";
    case ErrorCode::kVariableUndefined:
      return u"Variable is undefined";
    case ErrorCode::kIllegalAssignment:
      return u"Illegal assignment";
    case ErrorCode::kNotSafeForScripting:
      return u"Object not safe for scripting";
    case ErrorCode::kNotSafeForInitializing:
      return u"Object not safe for initializing";
    case ErrorCode::kNotSafeForCreating:
      return u"Object not safe for creating";
    case ErrorCode::kInvalidReference:
      return u"Invalid or unqualified reference";
    case ErrorCode::kClassNotDefined:
      return u"Class not defined";
    case ErrorCode::kExceptionOccurred:
      return u"An exception occurred";
    case ErrorCode::kIllegalAssignmentOfValue:
      return u"Illegal assignment";
    case ErrorCode::kRegExpObjectExpected:
      return u"Regular Expression object expected";
    case ErrorCode::kRegExpSyntax:
      return u"Syntax error in regular expression";
    case ErrorCode::kRegExpQuantifier:
      return u"Unexpected quantifier";
    case ErrorCode::kRegExpExpectedBracket:
      return u"Expected ']' in regular expression";
    case ErrorCode::kRegExpExpectedParen:
      return u"Expected ')' in regular expression";
    case ErrorCode::kRegExpInvalidRange:
      return u"Invalid range in character set";
    case ErrorCode::kElementNotFound:
      return u"Element not found";
    case ErrorCode::kCompileOutOfMemory:
      return u"Out of memory";
    case ErrorCode::kSyntaxError:
      return u"Syntax error";
    case ErrorCode::kExpectedColon:
      return u"Expected ':'";
    case ErrorCode::kExpectedLeftParen:
      return u"Expected '('";
    case ErrorCode::kExpectedRightParen:
      return u"Expected ')'";
    case ErrorCode::kExpectedRightBracket:
      return u"Expected ']'";
    case ErrorCode::kExpectedIdentifier:
      return u"Expected identifier";
    case ErrorCode::kExpectedEquals:
      return u"Expected '='";
    case ErrorCode::kExpectedIf:
      return u"Expected 'If'";
    case ErrorCode::kExpectedTo:
      return u"Expected 'To'";
    case ErrorCode::kExpectedEnd:
      return u"Expected 'End'";
    case ErrorCode::kExpectedFunction:
      return u"Expected 'Function'";
    case ErrorCode::kExpectedSub:
      return u"Expected 'Sub'";
    case ErrorCode::kExpectedThen:
      return u"Expected 'Then'";
    case ErrorCode::kExpectedWend:
      return u"Expected 'Wend'";
    case ErrorCode::kExpectedLoop:
      return u"Expected 'Loop'";
    case ErrorCode::kExpectedNext:
      return u"Expected 'Next'";
    case ErrorCode::kExpectedCase:
      return u"Expected 'Case'";
    case ErrorCode::kExpectedSelect:
      return u"Expected 'Select'";
    case ErrorCode::kExpectedExpression:
      return u"Expected expression";
    case ErrorCode::kExpectedStatement:
      return u"Expected statement";
    case ErrorCode::kExpectedEndOfStatement:
      return u"Expected end of statement";
    case ErrorCode::kExpectedInteger:
      return u"Expected integer constant";
    case ErrorCode::kExpectedWhileOrUntil:
      return u"Expected 'While' or 'Until'";
    case ErrorCode::kExpectedWhileUntilOrEnd:
      return u"Expected 'While,' 'Until,' or end of statement";
    case ErrorCode::kExpectedWith:
      return u"Expected 'With'";
    case ErrorCode::kIdentifierTooLong:
      return u"Identifier too long";
    case ErrorCode::kInvalidNumber:
      return u"Invalid number";
    case ErrorCode::kInvalidCharacter:
      return u"Invalid character";
    case ErrorCode::kUnterminatedString:
      return u"Unterminated string constant";
    case ErrorCode::kUnterminatedComment:
      return u"Unterminated comment";
    case ErrorCode::kInvalidUseOfMe:
      return u"Invalid use of 'Me' keyword";
    case ErrorCode::kLoopWithoutDo:
      return u"'loop' without 'do'";
    case ErrorCode::kInvalidExit:
      return u"Invalid 'exit' statement";
    case ErrorCode::kInvalidForVariable:
      return u"Invalid 'for' loop control variable";
    case ErrorCode::kNameRedefined:
      return u"Name redefined";
    case ErrorCode::kMustBeFirstStatement:
      return u"Must be first statement on the line";
    case ErrorCode::kCannotAssignToNonByVal:
      return u"Cannot assign to non-ByVal argument";
    case ErrorCode::kParenthesesCallingSub:
      return u"Cannot use parentheses when calling a Sub";
    case ErrorCode::kExpectedLiteral:
      return u"Expected literal constant";
    case ErrorCode::kExpectedIn:
      return u"Expected 'In'";
    case ErrorCode::kExpectedClass:
      return u"Expected 'Class'";
    case ErrorCode::kMustBeInsideClass:
      return u"Must be defined inside a Class";
    case ErrorCode::kExpectedLetSetGet:
      return u"Expected Let or Set or Get in property declaration";
    case ErrorCode::kExpectedProperty:
      return u"Expected 'Property'";
    case ErrorCode::kInconsistentPropertyArguments:
      return u"Number of arguments must be consistent across properties";
    case ErrorCode::kMultipleDefaults:
      return u"Cannot have multiple default property/method in a Class";
    case ErrorCode::kInitializeWithArguments:
      return u"Class initialize or terminate do not have arguments";
    case ErrorCode::kPropertyLetWithoutArgument:
      return u"Property set or let must have at least one argument";
    case ErrorCode::kUnexpectedNext:
      return u"Unexpected 'Next'";
    case ErrorCode::kDefaultOnlyOnProcedure:
      return u"'Default' can be specified only on 'Property' or 'Function' or 'Sub'";
    case ErrorCode::kDefaultMustBePublic:
      return u"'Default' must also specify 'Public'";
    case ErrorCode::kDefaultOnlyOnGet:
      return u"'Default' can only be on Property Get";
    case ErrorCode::kTimeout:
      return u"Script execution timed out";
    case ErrorCode::kWebInvalidAddress:
      return u"The web address is not valid";
    case ErrorCode::kWebCannotConnect:
      return u"Cannot connect to the server";
    case ErrorCode::kWebServerNotFound:
      return u"The server was not found";
    case ErrorCode::kWebNotFound:
      return u"The document was not found";
    case ErrorCode::kWebDownloadFailed:
      return u"The document could not be fetched";
    case ErrorCode::kWebTimeout:
      return u"The server did not answer in time";
    case ErrorCode::kWebUnsupportedScheme:
      return u"Only http and https addresses can be fetched";
    case ErrorCode::kWebSecurityProblem:
      return u"A secure connection could not be made";
    case ErrorCode::kWebRedirectFailed:
      return u"A redirect could not be followed";
  }
  return {};
}

}  // namespace

std::u16string_view describe(ErrorCode code) {
  const std::u16string_view description = lookUp(code);
  return description.empty() ? u"Unknown error" : description;
}

std::optional<std::u16string_view> catalogueDescription(int32_t number) {
  const std::u16string_view description = lookUp(static_cast<ErrorCode>(number));
  if (description.empty()) return std::nullopt;
  return description;
}

}  // namespace platform
