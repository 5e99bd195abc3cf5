// The DOM's view of a libxml2 tree: node types and names as the Windows DOM gives them, the
// nodes it shows and how it walks them, text and markup of a node, and the few changes a
// script may make. Plain functions over libxml2 nodes; the automation objects are built on
// them. Changes raise platform::Error (kFail) with a description of what is not allowed.
#pragma once

#include <libxml/tree.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/xml/xml_tree.h"

namespace platform::xml::dom {

enum NodeType : int32_t {
  kElement = 1,
  kAttribute = 2,
  kText = 3,
  kCDataSection = 4,
  kEntityReference = 5,
  kEntity = 6,
  kProcessingInstruction = 7,
  kComment = 8,
  kDocument = 9,
  kDocumentType = 10,
  kDocumentFragment = 11,
  kNotation = 12,
};

// The DOM type of `node`; 0 for what the DOM does not show (element and attribute
// declarations of a document type, namespace nodes).
int32_t nodeType(const xmlNode* node);
// "element", "text", "cdatasection", ...
std::u16string_view nodeTypeString(int32_t type);

// The qualified name of an element or attribute; "#text", "#cdata-section", "#comment",
// "#document"; a processing instruction's target; a document type's or entity's name.
std::u16string nodeName(const xmlNode* node);
// The local part of an element's or attribute's name; "" for other nodes.
std::u16string baseName(const xmlNode* node);
std::u16string prefix(const xmlNode* node);
std::u16string namespaceURI(const xmlNode* node);
// The value of a text, CDATA, comment, processing instruction or attribute node exactly as
// loaded; nullopt (Null) for the others.
std::optional<std::u16string> nodeValue(const xmlNode* node);

// The shown nodes around `node`, or nullptr. An attribute has no parent and no siblings.
xmlNode* firstChild(const xmlNode* node);
xmlNode* lastChild(const xmlNode* node);
xmlNode* nextSibling(const xmlNode* node);
xmlNode* previousSibling(const xmlNode* node);
xmlNode* parentNode(const xmlNode* node);
std::vector<xmlNode*> children(const xmlNode* node);
// An element's attributes in document order (libxml2's attribute nodes, as xmlNode).
std::vector<xmlNode*> attributes(const xmlNode* element);

// The text of `node`: for an element or the document, the text and CDATA of every descendant
// in document order. Unless whitespace is kept (`keepsWhiteSpace`, and the tree was loaded
// keeping it) or xml:space="preserve" applies, a run of whitespace that the load dropped
// between two texts reads as one space and the result is trimmed at both ends, CDATA text
// excepted.
std::u16string text(const xmlNode* node, const Tree& tree, bool keepsWhiteSpace);
// The markup of `node`; for the document, each top-level node followed by CR LF.
std::u16string xml(const xmlNode* node);

// The value of the attribute named `name` (qualified name, exact case; "xmlns" and
// "xmlns:p" give namespace declarations), or nullopt.
std::optional<std::u16string> getAttribute(const xmlNode* element, std::u16string_view name);
// The attribute node named `name` (qualified name, exact case), or nullptr.
xmlNode* attributeNamed(const xmlNode* element, std::u16string_view name);

// The elements named `name` (qualified name, exact case; "*" for all) below `root`, at any
// depth, in document order.
std::vector<xmlNode*> elementsByTagName(const xmlNode* root, std::u16string_view name);

// New nodes of `tree`, in no place yet.
xmlNode* createElement(Tree& tree, std::u16string_view name);
xmlNode* createTextNode(Tree& tree, std::u16string_view text);
// Moves `child` (of the same tree) to the end of `parent`'s children. Nodes nest at most
// 4096 levels deep.
void appendChild(Tree& tree, xmlNode* parent, xmlNode* child);

}  // namespace platform::xml::dom
