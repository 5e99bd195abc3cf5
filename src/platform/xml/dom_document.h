// DocumentObject: the document of the XML DOM (XmlDocument), itself the "#document" node of
// its current tree.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/xml/dom_objects.h"
#include "platform/xml/xml_document.h"
#include "platform/xml/xml_parse.h"
#include "platform/xml/xpath_query.h"

namespace platform::xml {

class DocumentObject final : public XmlDocument {
 public:
  DocumentObject(WebTransfer& web, FileLoading files, StopCheck stop);

  std::u16string typeName() const override { return u"DOMDocument"; }

  bool loadXML(std::u16string_view text) override;
  bool load(std::u16string_view location) override;
  const ParseError& parseError() const override { return parseError_; }
  std::shared_ptr<XmlNode> documentElement() override;
  std::vector<std::shared_ptr<XmlNode>> getElementsByTagName(std::u16string_view name) override;
  std::shared_ptr<XmlNode> selectSingleNode(std::u16string_view xpath) override;

  NodeRef ref() { return {tree_->docNode(), tree_.get(), this}; }
  std::shared_ptr<DocumentObject> self();
  bool preserveWhiteSpace() const { return preserveWhiteSpace_; }
  const Namespaces& selectionNamespaces() const { return namespaces_; }

 private:
  static const MemberTable& members();
  // Takes the outcome of a parse: its tree, or an empty one and the error.
  bool take(Parsed parsed, std::u16string url);
  bool loadFile(std::u16string_view path);
  bool loadAddress(std::u16string_view url);
  void setProperty(std::u16string_view name, const Variant& value);
  Variant getProperty(std::u16string_view name) const;

  WebTransfer& web_;
  FileLoading files_;
  StopCheck stop_;
  std::shared_ptr<Tree> tree_;
  ParseError parseError_;
  bool async_ = true;
  bool validateOnParse_ = true;
  bool resolveExternals_ = false;
  bool preserveWhiteSpace_ = false;
  std::u16string url_;
  std::u16string selectionLanguage_ = u"XPath";
  std::u16string selectionNamespacesText_;
  Namespaces namespaces_;
  std::vector<std::pair<std::u16string, Variant>> inertValues_;
};

}  // namespace platform::xml
