// The one error type. Failures travel as exceptions of this type, carrying an HRESULT-style
// number and a description. Operations that trap failures catch at the points their
// documentation names; the COM boundary turns any exception into an HRESULT.
#pragma once

#include <cstdint>
#include <exception>
#include <string>

#include "platform/base/error_codes.h"

namespace platform {

class Error : public std::exception {
 public:
  Error(int32_t number, std::u16string description, std::u16string source = {});
  ~Error() override;

  // HRESULT-style number, e.g. 0x800A0005 for Visual Basic's run-time error 5.
  int32_t number() const { return number_; }
  const std::u16string& description() const { return description_; }
  // Who raised it (a component name such as "Microsoft VBScript runtime error"); may be empty.
  const std::u16string& source() const { return source_; }
  // The description in UTF-8.
  const char* what() const noexcept override { return what_.c_str(); }

  // True once the user has been told of this error (the script host's Error event showed
  // it): whoever passes it on tells nobody again. A copy keeps the mark; an Error made anew
  // from its number and description does not, so pass the error itself on.
  bool reported() const { return reported_; }
  void markReported() { reported_ = true; }

 private:
  int32_t number_;
  std::u16string description_;
  std::u16string source_;
  std::string what_;
  bool reported_ = false;
};

// Raises the catalogue's error `code` with its standard description.
[[noreturn]] void raise(ErrorCode code);
// Raises the catalogue's error `code` with a description of the caller's.
[[noreturn]] void raise(ErrorCode code, std::u16string description);

// The Error an arbitrary exception stands for: itself for an Error, E_OUTOFMEMORY for
// bad_alloc, E_FAIL with what() for any other std::exception, E_UNEXPECTED otherwise.
// Call only inside a catch block.
Error currentError() noexcept;

// "Skip the failing step and go on": runs `step`, and swallows any failure it raises.
// Returns true when the step completed.
template <class Step>
bool skipOnFailure(Step&& step) noexcept {
  try {
    step();
    return true;
  } catch (...) {
    return false;
  }
}

}  // namespace platform
