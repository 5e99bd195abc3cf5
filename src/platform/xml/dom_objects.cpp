#include "platform/xml/dom_objects.h"

#include <optional>

#include "platform/automation/variant_convert.h"
#include "platform/base/error.h"
#include "platform/base/text.h"
#include "platform/xml/dom_document.h"
#include "platform/xml/dom_model.h"
#include "platform/xml/dom_node_members.h"
#include "platform/xml/xpath_query.h"

namespace platform::xml {

namespace {

// Steps through a snapshot of nodes, holding what owns them.
class NodeCursor final : public Enumerator {
 public:
  NodeCursor(NodeRef owner, std::shared_ptr<AutomationObject> keeper, std::vector<xmlNode*> nodes)
      : owner_(owner), keeper_(std::move(keeper)), nodes_(std::move(nodes)) {}
  std::optional<Variant> next() override {
    if (next_ == nodes_.size()) return std::nullopt;
    return Variant(wrap(owner_, nodes_[next_++]));
  }

 private:
  NodeRef owner_;
  std::shared_ptr<AutomationObject> keeper_;
  std::vector<xmlNode*> nodes_;
  size_t next_ = 0;
};

Variant nodeOrNothing(const NodeRef& at, xmlNode* node) {
  return Variant(wrap(at, node));
}

[[noreturn]] void notForThisNode() {
  raise(ErrorCode::kNoSuchMember);
}

ObjectPtr itemAt(const NodeRef& at, const std::vector<xmlNode*>& nodes, int32_t index) {
  if (index < 0 || static_cast<size_t>(index) >= nodes.size()) return nullptr;
  return wrap(at, nodes[static_cast<size_t>(index)]);
}

}  // namespace

// --- Node objects ------------------------------------------------------------------------------

NodeObject::NodeObject(std::shared_ptr<DocumentObject> document, std::shared_ptr<Tree> tree,
                       xmlNode* node)
    : XmlNode(members()), document_(std::move(document)), tree_(std::move(tree)), node_(node) {}

NodeObject::~NodeObject() {
  if (node_->_private == this) node_->_private = nullptr;
}

std::u16string NodeObject::typeName() const {
  switch (dom::nodeType(node_)) {
    case dom::kElement:
      return u"IXMLDOMElement";
    case dom::kAttribute:
      return u"IXMLDOMAttribute";
    case dom::kText:
      return u"IXMLDOMText";
    case dom::kCDataSection:
      return u"IXMLDOMCDATASection";
    case dom::kComment:
      return u"IXMLDOMComment";
    case dom::kProcessingInstruction:
      return u"IXMLDOMProcessingInstruction";
    case dom::kDocumentType:
      return u"IXMLDOMDocumentType";
    case dom::kEntity:
      return u"IXMLDOMEntity";
    case dom::kEntityReference:
      return u"IXMLDOMEntityReference";
    default:
      return u"IXMLDOMNode";
  }
}

std::u16string NodeObject::nodeName() const {
  return dom::nodeName(node_);
}

std::u16string NodeObject::text() const {
  return dom::text(node_, *tree_, document_->preserveWhiteSpace());
}

std::vector<std::shared_ptr<XmlNode>> NodeObject::childNodes() {
  std::vector<std::shared_ptr<XmlNode>> result;
  for (xmlNode* child : dom::children(node_))
    result.push_back(wrapNode(ref(), child));
  return result;
}

NodeRef NodeObject::ref() const {
  return {node_, tree_.get(), document_.get()};
}

const MemberTable& NodeObject::members() {
  static const auto table = node_members::add(Members<NodeObject>());
  return table;
}

ObjectPtr wrap(const NodeRef& at, xmlNode* node) {
  if (node == nullptr) return nullptr;
  if (dom::nodeType(node) == dom::kDocument) {
    return node == at.document->ref().node ? at.document->self() : nullptr;
  }
  return wrapNode(at, node);
}

std::shared_ptr<NodeObject> wrapNode(const NodeRef& at, xmlNode* node) {
  if (node == nullptr) return nullptr;
  if (auto* existing = static_cast<NodeObject*>(node->_private)) {
    if (std::shared_ptr<AutomationObject> alive = existing->weak_from_this().lock()) {
      return std::static_pointer_cast<NodeObject>(alive);
    }
  }
  auto object =
      std::make_shared<NodeObject>(at.document->self(), at.tree->shared_from_this(), node);
  node->_private = object.get();
  return object;
}

// --- Node lists --------------------------------------------------------------------------------

NodeList::NodeList(const NodeRef& owner, Kind kind, std::vector<xmlNode*> nodes)
    : DispatchObject(members()),
      document_(owner.document->self()),
      tree_(owner.tree->shared_from_this()),
      parent_(owner.node),
      kind_(kind),
      nodes_(std::move(nodes)),
      version_(owner.tree->version()) {}

std::u16string NodeList::typeName() const {
  return kind_ == Kind::kSelection ? u"IXMLDOMSelection" : u"IXMLDOMNodeList";
}

const std::vector<xmlNode*>& NodeList::nodes() {
  if (kind_ == Kind::kChildren && version_ != tree_->version()) {
    nodes_ = dom::children(parent_);
    version_ = tree_->version();
  }
  return nodes_;
}

ObjectPtr NodeList::item(int32_t index) {
  return itemAt({parent_, tree_.get(), document_.get()}, nodes(), index);
}

std::unique_ptr<Enumerator> NodeList::enumerate() {
  return std::make_unique<NodeCursor>(NodeRef{parent_, tree_.get(), document_.get()},
                                      shared_from_this(), nodes());
}

const MemberTable& NodeList::members() {
  using Args = std::span<Variant>;
  static const auto table =
      Members<NodeList>()
          .indexedProperty(
              u"item", 1,
              [](NodeList& l, Args index) { return Variant(l.item(toInt32(index[0]))); })
          .defaultMember(u"item")
          .property(u"length",
                    [](NodeList& l) { return Variant(static_cast<int32_t>(l.nodes().size())); })
          .method(u"nextNode", 0, 0,
                  [](NodeList& l, Args) {
                    const auto index = static_cast<int32_t>(l.cursor_);
                    ObjectPtr node = l.item(index);
                    if (node) ++l.cursor_;
                    return Variant(node);
                  })
          .method(u"reset", 0, 0, [](NodeList& l, Args) {
            l.cursor_ = 0;
            return Variant();
          });
  return table;
}

// --- Attributes --------------------------------------------------------------------------------

AttributeMap::AttributeMap(const NodeRef& element)
    : DispatchObject(members()),
      document_(element.document->self()),
      tree_(element.tree->shared_from_this()),
      element_(element.node),
      nodes_(dom::attributes(element.node)),
      version_(element.tree->version()) {}

const std::vector<xmlNode*>& AttributeMap::nodes() {
  if (version_ != tree_->version()) {
    nodes_ = dom::attributes(element_);
    version_ = tree_->version();
  }
  return nodes_;
}

ObjectPtr AttributeMap::item(int32_t index) {
  return itemAt({element_, tree_.get(), document_.get()}, nodes(), index);
}

std::unique_ptr<Enumerator> AttributeMap::enumerate() {
  return std::make_unique<NodeCursor>(NodeRef{element_, tree_.get(), document_.get()},
                                      shared_from_this(), nodes());
}

const MemberTable& AttributeMap::members() {
  using Args = std::span<Variant>;
  static const auto table =
      Members<AttributeMap>()
          .indexedProperty(
              u"item", 1,
              [](AttributeMap& m, Args index) { return Variant(m.item(toInt32(index[0]))); })
          .defaultMember(u"item")
          .property(u"length",
                    [](AttributeMap& m) { return Variant(static_cast<int32_t>(m.nodes().size())); })
          .method(u"getNamedItem", 1, 1,
                  [](AttributeMap& m, Args args) {
                    const NodeRef at{m.element_, m.tree_.get(), m.document_.get()};
                    return Variant(wrap(at, dom::attributeNamed(m.element_, toText(args[0]))));
                  })
          .method(u"nextNode", 0, 0,
                  [](AttributeMap& m, Args) {
                    ObjectPtr node = m.item(static_cast<int32_t>(m.cursor_));
                    if (node) ++m.cursor_;
                    return Variant(node);
                  })
          .method(u"reset", 0, 0, [](AttributeMap& m, Args) {
            m.cursor_ = 0;
            return Variant();
          });
  return table;
}

// --- The parse error ---------------------------------------------------------------------------

ParseErrorObject::ParseErrorObject(ParseError error)
    : DispatchObject(members()), error_(std::move(error)) {}

const MemberTable& ParseErrorObject::members() {
  static const auto table =
      Members<ParseErrorObject>()
          .property(u"errorCode", [](ParseErrorObject& e) { return Variant(e.error_.errorCode); })
          .defaultMember(u"errorCode")
          .property(u"reason", [](ParseErrorObject& e) { return Variant(e.error_.reason); })
          .property(u"line", [](ParseErrorObject& e) { return Variant(e.error_.line); })
          .property(u"linepos", [](ParseErrorObject& e) { return Variant(e.error_.linepos); })
          .property(u"srcText", [](ParseErrorObject& e) { return Variant(e.error_.srcText); })
          .property(u"url", [](ParseErrorObject& e) { return Variant(e.error_.url); })
          .property(u"filepos", [](ParseErrorObject&) { return Variant(int32_t{0}); });
  return table;
}

// --- The node members --------------------------------------------------------------------------

namespace node_members {

Variant nodeName(const NodeRef& self) {
  return Variant(dom::nodeName(self.node));
}

Variant baseName(const NodeRef& self) {
  return Variant(dom::baseName(self.node));
}

Variant prefix(const NodeRef& self) {
  return Variant(dom::prefix(self.node));
}

Variant namespaceURI(const NodeRef& self) {
  return Variant(dom::namespaceURI(self.node));
}

Variant nodeType(const NodeRef& self) {
  return Variant(dom::nodeType(self.node));
}

Variant nodeTypeString(const NodeRef& self) {
  return Variant(dom::nodeTypeString(dom::nodeType(self.node)));
}

Variant nodeValue(const NodeRef& self) {
  std::optional<std::u16string> value = dom::nodeValue(self.node);
  return value ? Variant(std::move(*value)) : Variant::null();
}

Variant text(const NodeRef& self) {
  return Variant(dom::text(self.node, *self.tree, self.document->preserveWhiteSpace()));
}

Variant xml(const NodeRef& self) {
  return Variant(dom::xml(self.node));
}

Variant childNodes(const NodeRef& self) {
  return Variant(ObjectPtr(
      std::make_shared<NodeList>(self, NodeList::Kind::kChildren, dom::children(self.node))));
}

Variant firstChild(const NodeRef& self) {
  return nodeOrNothing(self, dom::firstChild(self.node));
}

Variant lastChild(const NodeRef& self) {
  return nodeOrNothing(self, dom::lastChild(self.node));
}

Variant nextSibling(const NodeRef& self) {
  return nodeOrNothing(self, dom::nextSibling(self.node));
}

Variant previousSibling(const NodeRef& self) {
  return nodeOrNothing(self, dom::previousSibling(self.node));
}

Variant parentNode(const NodeRef& self) {
  return nodeOrNothing(self, dom::parentNode(self.node));
}

Variant ownerDocument(const NodeRef& self) {
  if (dom::nodeType(self.node) == dom::kDocument) return Variant::nothing();
  return Variant(ObjectPtr(self.document->self()));
}

Variant attributes(const NodeRef& self) {
  if (dom::nodeType(self.node) != dom::kElement) return Variant::nothing();
  return Variant(ObjectPtr(std::make_shared<AttributeMap>(self)));
}

Variant hasChildNodes(const NodeRef& self) {
  return Variant(dom::firstChild(self.node) != nullptr);
}

Variant selectSingleNode(const NodeRef& self, const Variant& expression) {
  const std::vector<xmlNode*> found = xml::selectNodes(
      self.tree->doc(), self.node, toText(expression), self.document->selectionNamespaces());
  return nodeOrNothing(self, found.empty() ? nullptr : found.front());
}

Variant selectNodes(const NodeRef& self, const Variant& expression) {
  std::vector<xmlNode*> found = xml::selectNodes(self.tree->doc(), self.node, toText(expression),
                                                 self.document->selectionNamespaces());
  return Variant(
      ObjectPtr(std::make_shared<NodeList>(self, NodeList::Kind::kSelection, std::move(found))));
}

Variant getElementsByTagName(const NodeRef& self, const Variant& name) {
  const int32_t type = dom::nodeType(self.node);
  if (type != dom::kElement && type != dom::kDocument) notForThisNode();
  return Variant(ObjectPtr(std::make_shared<NodeList>(
      self, NodeList::Kind::kElements, dom::elementsByTagName(self.node, toText(name)))));
}

Variant getAttribute(const NodeRef& self, const Variant& name) {
  if (dom::nodeType(self.node) != dom::kElement) notForThisNode();
  std::optional<std::u16string> value = dom::getAttribute(self.node, toText(name));
  return value ? Variant(std::move(*value)) : Variant::null();
}

Variant appendChild(const NodeRef& self, const Variant& child) {
  auto* node = child.isObject() ? dynamic_cast<NodeObject*>(child.object().get()) : nullptr;
  if (node == nullptr) raise(ErrorCode::kInvalidArg, u"appendChild needs a node to append.");
  const NodeRef added = node->ref();
  if (added.tree != self.tree) raise(ErrorCode::kFail, u"The node belongs to another document.");
  dom::appendChild(*self.tree, self.node, added.node);
  return child;
}

Variant tagName(const NodeRef& self) {
  if (dom::nodeType(self.node) != dom::kElement) notForThisNode();
  return Variant(dom::nodeName(self.node));
}

Variant attributeName(const NodeRef& self) {
  if (dom::nodeType(self.node) != dom::kAttribute) notForThisNode();
  return Variant(dom::nodeName(self.node));
}

Variant attributeValue(const NodeRef& self) {
  if (dom::nodeType(self.node) != dom::kAttribute) notForThisNode();
  return nodeValue(self);
}

Variant data(const NodeRef& self) {
  switch (dom::nodeType(self.node)) {
    case dom::kText:
    case dom::kCDataSection:
    case dom::kComment:
    case dom::kProcessingInstruction:
      return nodeValue(self);
    default:
      notForThisNode();
  }
}

}  // namespace node_members

}  // namespace platform::xml
