#include "platform/base/error.h"

#include <new>

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

std::u16string_view describe(ErrorCode code) {
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
    case ErrorCode::kDivisionByZero:
      return u"Division by zero";
    case ErrorCode::kTypeMismatch:
      return u"Type mismatch";
    case ErrorCode::kOutOfStackSpace:
      return u"Out of stack space";
    case ErrorCode::kFileNotFound:
      return u"File not found";
    case ErrorCode::kPermissionDenied:
      return u"Permission denied";
    case ErrorCode::kPathNotFound:
      return u"Path not found";
    case ErrorCode::kPathFileAccess:
      return u"Path/File access error";
    case ErrorCode::kFileAlreadyExists:
      return u"File already exists";
    case ErrorCode::kObjectRequired:
      return u"Object required";
    case ErrorCode::kCannotCreateObject:
      return u"ActiveX component can't create object";
    case ErrorCode::kNoSuchMember:
      return u"Object doesn't support this property or method";
    case ErrorCode::kWrongArgumentCount:
      return u"Wrong number of arguments or invalid property assignment";
    case ErrorCode::kInvalidUseOfNull:
      return u"Invalid use of Null";
    case ErrorCode::kObjectVariableNotSet:
      return u"Object variable not set";
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

    // VBScript's RegExp and Scripting.Dictionary
    case ErrorCode::kKeyAlreadyExists:
      return u"This key is already associated with an element of this collection";
    case ErrorCode::kRegExpSyntax:
      return u"Syntax error in regular expression";
    case ErrorCode::kElementNotFound:
      return u"Element not found";
  }
  return u"Unknown error";
}

}  // namespace platform
