#include "vbscript/err_object.h"

#include "platform/automation/variant_convert.h"

namespace vbscript {

namespace {

constexpr int32_t kVbFacility = static_cast<int32_t>(0x800A0000);

}  // namespace

int32_t errNumberOf(int32_t hresult) {
  if ((hresult & static_cast<int32_t>(0xFFFF0000)) == kVbFacility) return hresult & 0xFFFF;
  return hresult;
}

int32_t hresultOf(int32_t number) {
  if (number > 0 && number <= 0xFFFF) return kVbFacility | number;
  return number;
}

ErrObject::ErrObject() : DispatchObject(members()) {}

void ErrObject::assign(const platform::Error& error) {
  number_ = errNumberOf(error.number());
  description_ = error.description();
  source_ = error.source().empty() ? std::u16string(kRuntimeErrorSource) : error.source();
  if (!raised_) {
    helpFile_.clear();
    helpContext_ = 0;
  }
  raised_ = false;
}

void ErrObject::clear() {
  number_ = 0;
  description_.clear();
  source_.clear();
  helpFile_.clear();
  helpContext_ = 0;
  raised_ = false;
}

void ErrObject::raise(std::span<platform::Variant> args) {
  int32_t number = platform::toInt32(args[0]);
  if (number == 0) platform::raise(platform::ErrorCode::kInvalidProcedureCall);
  const int32_t hresult = hresultOf(number);
  std::u16string source =
      args[1].isMissing() ? std::u16string(kRuntimeErrorSource) : platform::toText(args[1]);
  std::u16string description;
  if (!args[2].isMissing()) {
    description = platform::toText(args[2]);
  } else if (auto known = platform::catalogueDescription(hresult)) {
    description = std::u16string(*known);
  } else {
    description = u"Unknown runtime error";
  }
  helpFile_ = args[3].isMissing() ? std::u16string() : platform::toText(args[3]);
  helpContext_ = args[4].isMissing() ? 0 : platform::toInt32(args[4]);
  number_ = errNumberOf(hresult);
  description_ = description;
  source_ = source;
  raised_ = true;
  throw platform::Error(hresult, std::move(description), std::move(source));
}

const platform::MemberTable& ErrObject::members() {
  using platform::Variant;
  static const auto table =
      platform::Members<ErrObject>()
          .property(
              u"Number", [](ErrObject& e) { return Variant(e.number_); },
              [](ErrObject& e, const Variant& v) { e.number_ = platform::toInt32(v); })
          .property(
              u"Description", [](ErrObject& e) { return Variant(e.description_); },
              [](ErrObject& e, const Variant& v) { e.description_ = platform::toText(v); })
          .property(
              u"Source", [](ErrObject& e) { return Variant(e.source_); },
              [](ErrObject& e, const Variant& v) { e.source_ = platform::toText(v); })
          .property(
              u"HelpFile", [](ErrObject& e) { return Variant(e.helpFile_); },
              [](ErrObject& e, const Variant& v) { e.helpFile_ = platform::toText(v); })
          .property(
              u"HelpContext", [](ErrObject& e) { return Variant(e.helpContext_); },
              [](ErrObject& e, const Variant& v) { e.helpContext_ = platform::toInt32(v); })
          .method(u"Raise", 1, 5,
                  [](ErrObject& e, std::span<Variant> args) -> Variant { e.raise(args); })
          .method(u"Clear", 0, 0,
                  [](ErrObject& e, std::span<Variant>) {
                    e.clear();
                    return Variant();
                  })
          .defaultMember(u"Number");
  return table;
}

}  // namespace vbscript
