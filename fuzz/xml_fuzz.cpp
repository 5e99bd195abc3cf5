// Any document and any XPath expression: loading, reading and querying never crash or hang;
// bad input ends in a parse error or an error raised to the caller. The first line of the input
// is the expression, the rest the document (as text, and as the bytes of a file).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/automation/automation_object.h"
#include "platform/base/error.h"
#include "platform/base/text.h"
#include "platform/inet/web_transfer.h"
#include "platform/xml/xml_document.h"
#include "platform/xml/xml_parse.h"

namespace {

class NoWeb final : public platform::WebTransfer {
 public:
  platform::WebDocument openUrl(std::u16string_view, const platform::StopCheck&) override {
    platform::raise(platform::ErrorCode::kFail, u"no web");
  }
};

platform::Variant member(const platform::ObjectPtr& object, std::u16string_view name,
                         platform::Variant argument = {}) {
  std::vector<platform::Variant> args;
  if (!argument.isEmpty()) args.push_back(std::move(argument));
  return platform::invokeByName(*object, name, platform::kMethod | platform::kPropertyGet, args);
}

// Reads what a parser reads of a node.
void read(const platform::Variant& node) {
  if (!node.isObject() || !node.object()) return;
  for (std::u16string_view name : {u"nodeName", u"baseName", u"nodeTypeString", u"nodeValue",
                                   u"text", u"xml", u"hasChildNodes"}) {
    member(node.object(), name);
  }
  const platform::Variant attributes = member(node.object(), u"attributes");
  if (attributes.isObject() && attributes.object()) {
    member(attributes.object(), u"item", platform::Variant(int32_t{0}));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static NoWeb web;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const size_t lineEnd = input.find('\n');
  const std::u16string expression =
      platform::fromUtf8(input.substr(0, lineEnd == std::string_view::npos ? 0 : lineEnd));
  const std::string_view body =
      lineEnd == std::string_view::npos ? input : input.substr(lineEnd + 1);

  platform::xml::parseBytes(body, "fuzz.xml", false);

  auto doc = platform::xml::makeDocument(web);
  const platform::ObjectPtr object = doc;
  const bool keep = !body.empty() && (body[0] & 1);
  std::vector<platform::Variant> put{platform::Variant(keep)};
  platform::invokeByName(*object, u"preserveWhiteSpace", platform::kPropertyPut, put);
  if (!doc->loadXML(platform::fromUtf8(body))) return 0;

  read(platform::Variant(object));
  std::vector<platform::Variant> namespaces{platform::Variant(u"SelectionNamespaces"),
                                            platform::Variant(u"xmlns:a='urn:a' xmlns:b='urn:b'")};
  platform::invokeByName(*object, u"setProperty", platform::kMethod, namespaces);
  for (const auto& element : doc->getElementsByTagName(u"*"))
    read(platform::Variant(platform::ObjectPtr(element)));
  platform::skipOnFailure([&] {
    const platform::Variant found = member(object, u"selectNodes", platform::Variant(expression));
    const platform::Variant first = member(found.object(), u"item", platform::Variant(int32_t{0}));
    read(first);
    if (first.isObject() && first.object()) {
      platform::skipOnFailure([&] {
        read(member(first.object(), u"selectSingleNode", platform::Variant(expression)));
      });
    }
  });
  return 0;
}
