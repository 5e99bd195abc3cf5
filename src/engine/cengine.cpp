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

}  // namespace

cengine::cengine(SharedObjects& shared, EngineHost& host)
    : DispatchObject(members()),
      shared_(shared),
      host_(host),
      argument_(),
      help_(shared.language().str(u"msgNoHelpFound")),
      description_(shared.language().str(u"msgNoDescriptionFound")),
      syntax_(shared.language().str(u"msgNoSyntaxFound")),
      result_() {}

const platform::MemberTable& cengine::members() {
  using Table = platform::Members<cengine>;
  // The text members: read and written as text, with no index.
  auto read = [](std::u16string cengine::*field) -> Table::Get {
    return [field](cengine& e) { return Variant(e.*field); };
  };
  auto write = [](std::u16string cengine::*field) -> Table::Put {
    return [field](cengine& e, const Variant& value) { e.*field = platform::toText(value); };
  };
  auto keepObject = [](cengine& e, const Variant& value) {
    if (!value.isObject()) platform::raise(platform::ErrorCode::kTypeMismatch);
    e.globals_ = value.object();
  };
  static const auto table =
      Table()
          .property(u"help", read(&cengine::help_), write(&cengine::help_))
          .property(u"syntax", read(&cengine::syntax_), write(&cengine::syntax_))
          .property(u"description", read(&cengine::description_), write(&cengine::description_))
          .property(u"argument", read(&cengine::argument_), write(&cengine::argument_))
          .property(u"document", read(&cengine::document_), write(&cengine::document_))
          .property(
              u"globals", [](cengine& e) { return Variant(e.globals_); }, keepObject, keepObject)
          .method(u"output", 1, 1,
                  [](cengine& e, std::span<Variant> args) {
                    e.result_ = platform::toText(args[0]);
                    return Variant();
                  })
          .method(u"alert", 1, 1,
                  [](cengine& e, std::span<Variant> args) {
                    e.alert(platform::toText(args[0]));
                    return Variant();
                  })
          .property(u"ret", [](cengine& e) { return Variant(e.result_); });
  return table;
}

void cengine::alert(const std::u16string& text) {
  shared_.platform.ui.messageBox(text, platform::Buttons::kOk, platform::Icon::kNone, kAlertTitle);
}

}  // namespace juvo
