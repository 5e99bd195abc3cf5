#include "engine/cengine.h"

#include <span>

#include "language/c_language.h"
#include "platform/automation/variant_convert.h"
#include "platform/base/error.h"
#include "platform/platform.h"
#include "platform/ui/ui.h"
#include "shared/shared_objects.h"

namespace juvo {

namespace {

using platform::Variant;

constexpr std::u16string_view kAlertTitle = u"Parser script message";

// None of the members takes an index: `engine.help(1)` is a wrong argument count, not a read.
void requireNoIndex(std::span<Variant> index) {
  if (!index.empty()) platform::raise(platform::ErrorCode::kBadParamCount);
}

}  // namespace

cengine::cengine(SharedObjects& shared)
    : shared_(shared),
      argument_(),
      help_(shared.language().str(u"msgNoHelpFound")),
      description_(shared.language().str(u"msgNoDescriptionFound")),
      syntax_(shared.language().str(u"msgNoSyntaxFound")),
      result_() {
  defineText(u"help", &cengine::help_);
  defineText(u"syntax", &cengine::syntax_);
  defineText(u"description", &cengine::description_);
  defineText(u"argument", &cengine::argument_);
  defineText(u"document", &cengine::document_);

  auto keepObject = [this](std::span<Variant> index, const Variant& value) {
    requireNoIndex(index);
    if (!value.isObject()) platform::raise(platform::ErrorCode::kTypeMismatch);
    globals_ = value.object();
  };
  defineProperty(
      u"globals",
      [this](std::span<Variant> index) {
        requireNoIndex(index);
        return Variant(globals_);
      },
      keepObject, keepObject);

  defineMethod(
      u"output",
      [this](std::span<Variant> args) {
        result_ = platform::toText(args[0]);
        return Variant();
      },
      1, 1);
  defineMethod(
      u"alert",
      [this](std::span<Variant> args) {
        alert(platform::toText(args[0]));
        return Variant();
      },
      1, 1);
  defineProperty(u"ret", [this](std::span<Variant> index) {
    requireNoIndex(index);
    return Variant(result_);
  });
}

void cengine::defineText(std::u16string name, std::u16string cengine::*field) {
  defineProperty(
      std::move(name),
      [this, field](std::span<Variant> index) {
        requireNoIndex(index);
        return Variant(this->*field);
      },
      [this, field](std::span<Variant> index, const Variant& value) {
        requireNoIndex(index);
        this->*field = platform::toText(value);
      });
}

void cengine::alert(const std::u16string& text) {
  shared_.platform.ui.messageBox(text, platform::Buttons::kOk, platform::Icon::kNone, kAlertTitle);
}

}  // namespace juvo
