#include "platform/script/dispatch_errors.h"

#include <iterator>

namespace platform {

namespace {

struct Mapping {
  ErrorCode failure;
  ErrorCode scriptError;
};

constexpr Mapping kMappings[] = {
    {ErrorCode::kMemberNotFound, ErrorCode::kNoSuchMember},
    {ErrorCode::kUnknownName, ErrorCode::kNoSuchMember},
    {ErrorCode::kBadParamCount, ErrorCode::kWrongArgumentCount},
    {ErrorCode::kParamNotOptional, ErrorCode::kArgumentNotOptional},
    {ErrorCode::kTypeMismatchDisp, ErrorCode::kTypeMismatch},
    {ErrorCode::kBadVarType, ErrorCode::kTypeMismatch},
    {ErrorCode::kOverflowDisp, ErrorCode::kOverflow},
    {ErrorCode::kParamNotFound, ErrorCode::kNamedArgumentNotFound},
    {ErrorCode::kNoInterface, ErrorCode::kObjectRequired},
    {ErrorCode::kPointer, ErrorCode::kObjectRequired},
};

}  // namespace

int32_t scriptErrorNumber(int32_t number) {
  for (const Mapping& mapping : kMappings) {
    if (static_cast<int32_t>(mapping.failure) == number)
      return static_cast<int32_t>(mapping.scriptError);
  }
  return number;
}

Error asScriptError(const Error& error) {
  const int32_t number = scriptErrorNumber(error.number());
  if (number == error.number()) return error;
  // A description of the host's own says more than the standard one.
  const bool standard = error.description().empty() ||
                        error.description() == describe(static_cast<ErrorCode>(error.number()));
  Error mapped(
      number,
      standard ? std::u16string(describe(static_cast<ErrorCode>(number))) : error.description(),
      error.source());
  if (error.reported()) mapped.markReported();
  return mapped;
}

}  // namespace platform
