// Err: the object that describes the last run-time error a script handled (On Error Resume
// Next), with Number (its default member), Description, Source, HelpFile, HelpContext, Raise
// and Clear.
#pragma once

#include <cstdint>
#include <string>

#include "platform/automation/dispatch_object.h"
#include "platform/base/error.h"

namespace vbscript {

// The source VBScript names in its own run-time errors.
inline constexpr char16_t kRuntimeErrorSource[] = u"Microsoft VBScript runtime error";
inline constexpr char16_t kCompilationErrorSource[] = u"Microsoft VBScript compilation error";

// Err.Number of an error: VBScript's own errors (0x800A....) by their short number, anything
// else by its full 32 bits.
int32_t errNumberOf(int32_t hresult);
// The full number of Err.Number `number`: short numbers are VBScript's (0x800A0000 + n).
int32_t hresultOf(int32_t number);

class ErrObject final : public platform::DispatchObject {
 public:
  ErrObject();

  std::u16string typeName() const override { return u"ErrObject"; }

  // Takes the properties of a caught error.
  void assign(const platform::Error& error);
  void clear();

  int32_t number() const { return number_; }  // as Err.Number shows it
  const std::u16string& description() const { return description_; }
  const std::u16string& source() const { return source_; }

  // Err.Raise: fills the properties (defaults for those left out) and throws the error.
  [[noreturn]] void raise(std::span<platform::Variant> args);

 private:
  static const platform::MemberTable& members();

  int32_t number_ = 0;
  std::u16string description_;
  std::u16string source_;
  std::u16string helpFile_;
  int32_t helpContext_ = 0;
  bool raised_ = false;  // the error in flight came from Raise, help fields included
};

}  // namespace vbscript
