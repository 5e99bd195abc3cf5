#include "engine/cengine.h"

#include <span>

#include "engine/engine_host.h"
#include "language/c_language.h"
#include "platform/automation/variant_convert.h"
#include "platform/base/error.h"
#include "platform/platform.h"
#include "platform/ui/ui.h"
#include "platform/xml/xml_document.h"
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
          .method(u"getXML", 2, 4,
                  [](cengine& e, std::span<Variant> args) {
                    const bool tidy =
                        args.size() > 2 && !args[2].isMissing() && platform::toBool(args[2]);
                    const std::u16string preXML = args.size() > 3 && !args[3].isMissing()
                                                      ? platform::toText(args[3])
                                                      : std::u16string();
                    e.getXML(platform::toText(args[0]), platform::toText(args[1]), tidy, preXML);
                    return Variant();
                  })
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

void cengine::getXML(std::u16string_view url, std::u16string_view func, bool tidy,
                     std::u16string_view preXML) {
  document_ = host_.fetch(url);
  if (!preXML.empty()) host_.runProcedure(preXML, {});
  const std::shared_ptr<platform::xml::XmlDocument> xml = platform::xml::makeDocument(
      shared_.platform.web, platform::xml::FileLoading::kRefused, host_.scriptStop());
  xml->loadXML(tidy ? host_.tidy(document_) : document_);
  if (xml->parseError().errorCode != 0) {
    shared_.platform.ui.messageBox(xml->parseError().reason, platform::Buttons::kOk,
                                   platform::Icon::kNone, kApplicationTitle);
    return;
  }
  Variant argument{platform::ObjectPtr(xml)};
  host_.runProcedure(func, std::span<Variant>(&argument, 1));
}

void cengine::alert(const std::u16string& text) {
  shared_.platform.ui.messageBox(text, platform::Buttons::kOk, platform::Icon::kNone, kAlertTitle);
}

}  // namespace juvo
