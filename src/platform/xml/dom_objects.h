// The automation objects of the DOM: node objects, node lists, the attribute map and the
// parse error. A document and its nodes answer the same node members (dom_node_members.h).
//
// One object per libxml2 node: wrapping a node that already has a live object gives that
// object, so one node reached two ways is one object (`Is`, `===`). Node objects hold their
// document object and their tree, so the document lives as long as any of its nodes.
#pragma once

#include <libxml/tree.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/automation/dispatch_object.h"
#include "platform/xml/xml_document.h"
#include "platform/xml/xml_tree.h"

namespace platform::xml {

class DocumentObject;

// What a node member works on: a node of a tree of a document.
struct NodeRef {
  xmlNode* node;
  Tree* tree;
  DocumentObject* document;
};

class NodeObject final : public XmlNode {
 public:
  NodeObject(std::shared_ptr<DocumentObject> document, std::shared_ptr<Tree> tree, xmlNode* node);
  ~NodeObject() override;

  std::u16string typeName() const override;
  std::u16string nodeName() const override;
  std::u16string text() const override;
  std::vector<std::shared_ptr<XmlNode>> childNodes() override;

  NodeRef ref() const;

 private:
  static const MemberTable& members();

  std::shared_ptr<DocumentObject> document_;
  std::shared_ptr<Tree> tree_;
  xmlNode* node_;
};

// The object for `node`: its existing object if one lives; the document object for the
// document node of the document's current tree; Nothing for nullptr (or for the document node
// of a tree the document has since replaced).
ObjectPtr wrap(const NodeRef& at, xmlNode* node);
// The same for a node that is no document node.
std::shared_ptr<NodeObject> wrapNode(const NodeRef& at, xmlNode* node);

// A list of nodes: a fixed selection, or the live child nodes of a node (read again when the
// tree changes). Item(index) is its default member; out of range gives Nothing.
class NodeList final : public DispatchObject {
 public:
  enum class Kind { kChildren, kElements, kSelection };
  NodeList(const NodeRef& owner, Kind kind, std::vector<xmlNode*> nodes);

  std::u16string typeName() const override;
  std::unique_ptr<Enumerator> enumerate() override;

  const std::vector<xmlNode*>& nodes();
  ObjectPtr item(int32_t index);

 private:
  static const MemberTable& members();

  std::shared_ptr<DocumentObject> document_;
  std::shared_ptr<Tree> tree_;
  xmlNode* parent_;  // for kChildren
  Kind kind_;
  std::vector<xmlNode*> nodes_;
  uint64_t version_;
  size_t cursor_ = 0;  // nextNode()
};

// An element's attributes, live: getNamedItem(name), item(index), length.
class AttributeMap final : public DispatchObject {
 public:
  explicit AttributeMap(const NodeRef& element);

  std::u16string typeName() const override { return u"IXMLDOMNamedNodeMap"; }
  std::unique_ptr<Enumerator> enumerate() override;

  const std::vector<xmlNode*>& nodes();
  ObjectPtr item(int32_t index);

 private:
  static const MemberTable& members();

  std::shared_ptr<DocumentObject> document_;
  std::shared_ptr<Tree> tree_;
  xmlNode* element_;
  std::vector<xmlNode*> nodes_;
  uint64_t version_;
  size_t cursor_ = 0;
};

// The parse error of a load, as it was when read. errorCode is its default member.
class ParseErrorObject final : public DispatchObject {
 public:
  explicit ParseErrorObject(ParseError error);
  std::u16string typeName() const override { return u"IXMLDOMParseError"; }

 private:
  static const MemberTable& members();
  ParseError error_;
};

}  // namespace platform::xml
