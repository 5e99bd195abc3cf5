#include "platform/xml/dom_document.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <system_error>

#include "platform/automation/object_catalogue.h"
#include "platform/automation/variant_convert.h"
#include "platform/base/error.h"
#include "platform/base/text.h"
#include "platform/inet/web_transfer.h"
#include "platform/xml/dom_model.h"
#include "platform/xml/dom_node_members.h"

namespace platform::xml {

namespace {

// Larger files are refused rather than read: no language file comes near it.
constexpr std::streamoff kMaxFileSize = std::streamoff{64} << 20;

constexpr std::u16string_view kProgIds[] = {u"MSXML2.DOMDocument", u"MSXML2.DOMDocument.3.0",
                                            u"MSXML2.DOMDocument.6.0", u"Microsoft.XMLDOM"};

// Settings of the Windows DOM that scripts set out of habit; accepted, kept, without effect.
constexpr std::u16string_view kInertProperties[] = {u"ProhibitDTD",
                                                    u"NewParser",
                                                    u"ServerHTTPRequest",
                                                    u"AllowDocumentFunction",
                                                    u"AllowXsltScript",
                                                    u"ResolveExternals",
                                                    u"ValidateOnParse",
                                                    u"MaxElementDepth",
                                                    u"MaxXMLSize",
                                                    u"UseInlineSchema",
                                                    u"MultipleErrorMessages",
                                                    u"ForcedResync",
                                                    u"NormalizeAttributeValues"};

bool startsWithIgnoreCase(std::u16string_view text, std::u16string_view prefix) {
  return text.size() >= prefix.size() && equalsIgnoreCase(text.substr(0, prefix.size()), prefix);
}

struct FileRead {
  std::string bytes;
  std::optional<ParseError> failure;
};

FileRead readFile(std::u16string_view path) {
  FileRead read;
  const std::string name = toUtf8(path);
  std::error_code code;
  const auto status = std::filesystem::status(name, code);
  if (code || !std::filesystem::exists(status)) {
    read.failure =
        failure(static_cast<int32_t>(ErrorCode::kFileNotFoundHr), u"The file cannot be found");
    return read;
  }
  if (std::filesystem::is_directory(status)) {
    read.failure = failure(static_cast<int32_t>(ErrorCode::kAccessDeniedHr),
                           u"The path names a folder, not a file");
    return read;
  }
  std::ifstream in(name, std::ios::binary);
  if (!in) {
    read.failure =
        failure(static_cast<int32_t>(ErrorCode::kAccessDeniedHr), u"The file cannot be opened");
    return read;
  }
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  if (size > kMaxFileSize) {
    read.failure =
        failure(static_cast<int32_t>(ErrorCode::kFail), u"The file is too large to load");
    return read;
  }
  in.seekg(0, std::ios::beg);
  read.bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (in.bad()) {
    read.failure =
        failure(static_cast<int32_t>(ErrorCode::kAccessDeniedHr), u"The file cannot be read");
  }
  return read;
}

int32_t statusErrorCode(long status) {
  if (status == 404 || status == 410) return static_cast<int32_t>(ErrorCode::kFileNotFoundHr);
  if (status == 401 || status == 403) return static_cast<int32_t>(ErrorCode::kAccessDeniedHr);
  return static_cast<int32_t>(ErrorCode::kFail);
}

}  // namespace

DocumentObject::DocumentObject(WebTransfer& web, FileLoading files, StopCheck stop)
    : XmlDocument(members()),
      web_(web),
      files_(files),
      stop_(std::move(stop)),
      tree_(std::make_shared<Tree>()) {}

std::shared_ptr<DocumentObject> DocumentObject::self() {
  return std::static_pointer_cast<DocumentObject>(shared_from_this());
}

bool DocumentObject::take(Parsed parsed, std::u16string url) {
  const bool loaded = parsed.tree != nullptr;
  // A failed load leaves an empty document, never part of a tree.
  tree_ = loaded ? std::move(parsed.tree) : std::make_shared<Tree>();
  parseError_ = std::move(parsed.error);
  parseError_.url = url;
  url_ = std::move(url);
  return loaded;
}

bool DocumentObject::loadXML(std::u16string_view text) {
  return take(parseText(text, preserveWhiteSpace_), {});
}

bool DocumentObject::load(std::u16string_view location) {
  if (startsWithIgnoreCase(location, u"http://") || startsWithIgnoreCase(location, u"https://")) {
    return loadAddress(location);
  }
  if (files_ == FileLoading::kAllowed) {
    return loadFile(startsWithIgnoreCase(location, u"file://") ? location.substr(7) : location);
  }
  return take({nullptr, failure(static_cast<int32_t>(ErrorCode::kAccessDeniedHr),
                                u"Only http and https addresses can be loaded")},
              std::u16string(location));
}

bool DocumentObject::loadFile(std::u16string_view path) {
  FileRead read = readFile(path);
  if (read.failure) return take({nullptr, std::move(*read.failure)}, std::u16string(path));
  return take(parseBytes(read.bytes, toUtf8(path), preserveWhiteSpace_), std::u16string(path));
}

bool DocumentObject::loadAddress(std::u16string_view url) {
  WebDocument fetched;
  try {
    fetched = web_.openUrl(url, stop_);
  } catch (const Error& error) {
    return take({nullptr, failure(error.number(), error.description())}, std::u16string(url));
  }
  if (fetched.status >= 400) {
    return take({nullptr, failure(statusErrorCode(fetched.status),
                                  u"The server answered " + decimal(fetched.status) + u" for " +
                                      std::u16string(url))},
                std::u16string(url));
  }
  return take(parseText(fetched.text, preserveWhiteSpace_), std::u16string(url));
}

std::shared_ptr<XmlNode> DocumentObject::documentElement() {
  for (xmlNode* child = tree_->doc()->children; child != nullptr; child = child->next) {
    if (child->type == XML_ELEMENT_NODE) return wrapNode(ref(), child);
  }
  return nullptr;
}

std::vector<std::shared_ptr<XmlNode>> DocumentObject::getElementsByTagName(
    std::u16string_view name) {
  std::vector<std::shared_ptr<XmlNode>> result;
  for (xmlNode* element : dom::elementsByTagName(tree_->docNode(), name))
    result.push_back(wrapNode(ref(), element));
  return result;
}

std::shared_ptr<XmlNode> DocumentObject::selectSingleNode(std::u16string_view xpath) {
  for (xmlNode* node : selectNodes(tree_->doc(), tree_->docNode(), xpath, namespaces_)) {
    return dom::nodeType(node) == dom::kDocument ? nullptr : wrapNode(ref(), node);
  }
  return nullptr;
}

void DocumentObject::setProperty(std::u16string_view name, const Variant& value) {
  if (equalsIgnoreCase(name, u"SelectionLanguage")) {
    const std::u16string language = toText(value);
    // Expressions of the older pattern language that scripts use are XPath as well.
    if (!equalsIgnoreCase(language, u"XPath") && !equalsIgnoreCase(language, u"XSLPattern")) {
      raise(ErrorCode::kFail,
            u"The selection language '" + language + u"' is not known: expressions are XPath.");
    }
    selectionLanguage_ = language;
    return;
  }
  if (equalsIgnoreCase(name, u"SelectionNamespaces")) {
    std::u16string declarations = toText(value);
    namespaces_ = parseNamespaces(declarations);
    selectionNamespacesText_ = std::move(declarations);
    return;
  }
  for (std::u16string_view inert : kInertProperties) {
    if (!equalsIgnoreCase(name, inert)) continue;
    for (auto& [known, stored] : inertValues_) {
      if (equalsIgnoreCase(known, name)) {
        stored = value;
        return;
      }
    }
    inertValues_.emplace_back(std::u16string(inert), value);
    return;
  }
  raise(ErrorCode::kFail, u"The property name '" + std::u16string(name) + u"' is not known.");
}

Variant DocumentObject::getProperty(std::u16string_view name) const {
  if (equalsIgnoreCase(name, u"SelectionLanguage")) return Variant(selectionLanguage_);
  if (equalsIgnoreCase(name, u"SelectionNamespaces")) return Variant(selectionNamespacesText_);
  for (const auto& [known, stored] : inertValues_) {
    if (equalsIgnoreCase(known, name)) return stored;
  }
  for (std::u16string_view inert : kInertProperties) {
    if (equalsIgnoreCase(name, inert)) return Variant();
  }
  raise(ErrorCode::kFail, u"The property name '" + std::u16string(name) + u"' is not known.");
}

const MemberTable& DocumentObject::members() {
  using Args = std::span<Variant>;
  using D = DocumentObject;
  static const auto table =
      node_members::add(Members<D>())
          .property(
              u"async", [](D& d) { return Variant(d.async_); },
              [](D& d, const Variant& v) { d.async_ = toBool(v); })
          .property(
              u"validateOnParse", [](D& d) { return Variant(d.validateOnParse_); },
              [](D& d, const Variant& v) { d.validateOnParse_ = toBool(v); })
          .property(
              u"resolveExternals", [](D& d) { return Variant(d.resolveExternals_); },
              [](D& d, const Variant& v) { d.resolveExternals_ = toBool(v); })
          .property(
              u"preserveWhiteSpace", [](D& d) { return Variant(d.preserveWhiteSpace_); },
              [](D& d, const Variant& v) { d.preserveWhiteSpace_ = toBool(v); })
          // Loading finishes before load returns: the document is always complete.
          .property(u"readyState", [](D&) { return Variant(int32_t{4}); })
          .property(u"url", [](D& d) { return Variant(d.url_); })
          .property(u"parseError",
                    [](D& d) {
                      return Variant(ObjectPtr(std::make_shared<ParseErrorObject>(d.parseError_)));
                    })
          .property(u"documentElement",
                    [](D& d) { return Variant(ObjectPtr(d.documentElement())); })
          .method(u"loadXML", 1, 1,
                  [](D& d, Args args) { return Variant(d.loadXML(toText(args[0]))); })
          .method(u"load", 1, 1, [](D& d, Args args) { return Variant(d.load(toText(args[0]))); })
          .method(u"createElement", 1, 1,
                  [](D& d, Args args) {
                    return Variant(ObjectPtr(
                        wrapNode(d.ref(), dom::createElement(*d.tree_, toText(args[0])))));
                  })
          .method(u"createTextNode", 1, 1,
                  [](D& d, Args args) {
                    return Variant(ObjectPtr(
                        wrapNode(d.ref(), dom::createTextNode(*d.tree_, toText(args[0])))));
                  })
          .method(u"setProperty", 2, 2,
                  [](D& d, Args args) {
                    d.setProperty(toText(args[0]), args[1]);
                    return Variant();
                  })
          .method(u"getProperty", 1, 1,
                  [](D& d, Args args) { return d.getProperty(toText(args[0])); });
  return table;
}

std::shared_ptr<XmlDocument> makeDocument(WebTransfer& web, FileLoading files, StopCheck stop) {
  return std::make_shared<DocumentObject>(web, files, std::move(stop));
}

void registerDocuments(ObjectCatalogue& catalogue, WebTransfer& web) {
  for (std::u16string_view progId : kProgIds) {
    catalogue.add(progId, [&web](const StopCheck& stop) {
      return ObjectPtr(makeDocument(web, FileLoading::kRefused, stop));
    });
  }
}

}  // namespace platform::xml
