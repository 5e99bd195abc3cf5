#include "platform/xml/dom_model.h"

#include <libxml/xmlsave.h>

#include <algorithm>
#include <new>

#include "platform/base/error.h"
#include "platform/base/text.h"

namespace platform::xml::dom {

namespace {

// How deep a script may nest the nodes it builds. The parser stops at 257 levels; libxml2's
// XPath stops looking below about 10000, so trees stay well short of that.
constexpr int kMaxDepth = 4096;

std::string_view view(const xmlChar* text) {
  return text ? std::string_view(reinterpret_cast<const char*>(text)) : std::string_view();
}

std::u16string fromXml(const xmlChar* text) {
  return fromUtf8(view(text));
}

bool isSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool shown(const xmlNode* node) {
  return nodeType(node) != 0;
}

bool holdsChildren(const xmlNode* node) {
  switch (node->type) {
    case XML_ELEMENT_NODE:
    case XML_ATTRIBUTE_NODE:
    case XML_DOCUMENT_NODE:
    case XML_HTML_DOCUMENT_NODE:
    case XML_DOCUMENT_FRAG_NODE:
    case XML_DTD_NODE:
      return true;
    default:
      // An entity reference's children are the entity's own, shared: not the reference's.
      return false;
  }
}

const xmlChar* prefixOf(const xmlNode* node) {
  if (node->type == XML_ATTRIBUTE_NODE) {
    const auto* attr = reinterpret_cast<const xmlAttr*>(node);
    return attr->ns ? attr->ns->prefix : nullptr;
  }
  return node->ns ? node->ns->prefix : nullptr;
}

bool isNamed(const xmlNode* node) {
  return node->type == XML_ELEMENT_NODE || node->type == XML_ATTRIBUTE_NODE;
}

// Whether the qualified name of an element or attribute is `name`.
bool qualifiedNameIs(const xmlNode* node, std::string_view name) {
  const std::string_view local = view(node->name);
  const xmlChar* ns = prefixOf(node);
  if (ns == nullptr) return name == local;
  const std::string_view p = view(ns);
  return name.size() == p.size() + 1 + local.size() && name.substr(0, p.size()) == p &&
         name[p.size()] == ':' && name.substr(p.size() + 1) == local;
}

// xml:space="preserve" on the nearest element at or above `node` that says either.
bool spacePreservedAt(const xmlNode* node) {
  for (; node != nullptr; node = node->parent) {
    if (node->type != XML_ELEMENT_NODE) continue;
    for (const xmlAttr* attr = node->properties; attr != nullptr; attr = attr->next) {
      if (attr->ns == nullptr || !xmlStrEqual(attr->name, BAD_CAST "space") ||
          !xmlStrEqual(attr->ns->href, XML_XML_NAMESPACE)) {
        continue;
      }
      const xmlChar* value = attr->children ? attr->children->content : nullptr;
      if (xmlStrEqual(value, BAD_CAST "preserve")) return true;
      if (xmlStrEqual(value, BAD_CAST "default")) return false;
    }
  }
  return false;
}

std::string contentOf(const xmlNode* node) {
  xmlChar* content = xmlNodeGetContent(node);
  std::string result(view(content));
  xmlFree(content);
  return result;
}

// Trims whitespace at both ends of `text`, but not inside [keepFrom, keepTo).
void trim(std::string& text, size_t keepFrom, size_t keepTo) {
  size_t end = text.size();
  while (end > keepTo && isSpace(text[end - 1]))
    --end;
  text.erase(end);
  size_t begin = 0;
  while (begin < keepFrom && begin < text.size() && isSpace(text[begin]))
    ++begin;
  text.erase(0, begin);
}

// The text of an element or document: its text and CDATA descendants with the dropped
// whitespace between them as single spaces.
std::string descendantText(const xmlNode* root, const Tree& tree, size_t& cdataFrom,
                           size_t& cdataTo) {
  std::string out;
  const auto softSpace = [&] {
    if (!out.empty() && !isSpace(out.back())) out.push_back(' ');
  };
  const xmlNode* node = root->children;
  while (node != nullptr) {
    if (tree.spaceBefore(node)) softSpace();
    if (node->type == XML_ELEMENT_NODE && node->children != nullptr) {
      node = node->children;
      continue;
    }
    if (node->type == XML_TEXT_NODE) {
      out += view(node->content);
    } else if (node->type == XML_CDATA_SECTION_NODE) {
      cdataFrom = std::min(cdataFrom, out.size());
      out += view(node->content);
      cdataTo = out.size();
    } else if (node->type == XML_ELEMENT_NODE && tree.spaceAtEnd(node)) {
      softSpace();
    }
    while (node != root && node->next == nullptr) {
      node = node->parent;
      if (node != root && tree.spaceAtEnd(node)) softSpace();
    }
    node = node == root ? nullptr : node->next;
  }
  return out;
}

std::string serialize(const xmlNode* node) {
  xmlBufferPtr buffer = xmlBufferCreate();
  if (buffer == nullptr) throw std::bad_alloc();
  xmlSaveCtxtPtr save = xmlSaveToBuffer(buffer, "UTF-8", XML_SAVE_NO_DECL | XML_SAVE_AS_XML);
  if (save == nullptr) {
    xmlBufferFree(buffer);
    throw std::bad_alloc();
  }
  xmlSaveTree(save, const_cast<xmlNode*>(node));
  xmlSaveClose(save);
  std::string result(view(xmlBufferContent(buffer)));
  xmlBufferFree(buffer);
  return result;
}

// How many levels the nodes under `node` reach below it.
int heightBelow(const xmlNode* node) {
  int height = 0;
  int level = 0;
  const xmlNode* at = node->children;
  if (node->type != XML_ELEMENT_NODE) return 0;
  if (at != nullptr) level = 1;
  while (at != nullptr) {
    height = std::max(height, level);
    if (at->type == XML_ELEMENT_NODE && at->children != nullptr) {
      at = at->children;
      ++level;
      continue;
    }
    while (at != node && at->next == nullptr) {
      at = at->parent;
      --level;
    }
    at = at == node ? nullptr : at->next;
  }
  return height;
}

[[noreturn]] void refuse(std::u16string description) {
  raise(ErrorCode::kFail, std::move(description));
}

}  // namespace

int32_t nodeType(const xmlNode* node) {
  switch (node->type) {
    case XML_ELEMENT_NODE:
      return kElement;
    case XML_ATTRIBUTE_NODE:
      return kAttribute;
    case XML_TEXT_NODE:
      return kText;
    case XML_CDATA_SECTION_NODE:
      return kCDataSection;
    case XML_ENTITY_REF_NODE:
      return kEntityReference;
    case XML_ENTITY_DECL:
      return kEntity;
    case XML_PI_NODE:
      return kProcessingInstruction;
    case XML_COMMENT_NODE:
      return kComment;
    case XML_DOCUMENT_NODE:
    case XML_HTML_DOCUMENT_NODE:
      return kDocument;
    case XML_DTD_NODE:
      return kDocumentType;
    case XML_DOCUMENT_FRAG_NODE:
      return kDocumentFragment;
    case XML_NOTATION_NODE:
      return kNotation;
    default:
      return 0;
  }
}

std::u16string_view nodeTypeString(int32_t type) {
  switch (type) {
    case kElement:
      return u"element";
    case kAttribute:
      return u"attribute";
    case kText:
      return u"text";
    case kCDataSection:
      return u"cdatasection";
    case kEntityReference:
      return u"entityreference";
    case kEntity:
      return u"entity";
    case kProcessingInstruction:
      return u"processinginstruction";
    case kComment:
      return u"comment";
    case kDocument:
      return u"document";
    case kDocumentType:
      return u"documenttype";
    case kDocumentFragment:
      return u"documentfragment";
    case kNotation:
      return u"notation";
    default:
      return u"";
  }
}

std::u16string nodeName(const xmlNode* node) {
  switch (nodeType(node)) {
    case kElement:
    case kAttribute: {
      const xmlChar* p = prefixOf(node);
      return p ? fromXml(p) + u":" + fromXml(node->name) : fromXml(node->name);
    }
    case kText:
      return u"#text";
    case kCDataSection:
      return u"#cdata-section";
    case kComment:
      return u"#comment";
    case kDocument:
      return u"#document";
    case kDocumentFragment:
      return u"#document-fragment";
    default:
      return fromXml(node->name);
  }
}

std::u16string baseName(const xmlNode* node) {
  if (!isNamed(node)) return {};
  // A name made with createElement keeps its prefix in the name itself.
  const std::string_view name = view(node->name);
  const size_t colon = prefixOf(node) ? std::string_view::npos : name.find(':');
  return fromUtf8(colon == std::string_view::npos ? name : name.substr(colon + 1));
}

std::u16string prefix(const xmlNode* node) {
  if (!isNamed(node)) return {};
  if (const xmlChar* p = prefixOf(node)) return fromXml(p);
  const std::string_view name = view(node->name);
  const size_t colon = name.find(':');
  return colon == std::string_view::npos ? std::u16string() : fromUtf8(name.substr(0, colon));
}

std::u16string namespaceURI(const xmlNode* node) {
  if (node->type == XML_ATTRIBUTE_NODE) {
    const auto* attr = reinterpret_cast<const xmlAttr*>(node);
    return attr->ns ? fromXml(attr->ns->href) : std::u16string();
  }
  return node->type == XML_ELEMENT_NODE && node->ns ? fromXml(node->ns->href) : std::u16string();
}

std::optional<std::u16string> nodeValue(const xmlNode* node) {
  switch (nodeType(node)) {
    case kText:
    case kCDataSection:
    case kComment:
    case kProcessingInstruction:
      return fromXml(node->content);
    case kAttribute:
      return fromUtf8(contentOf(node));
    default:
      return std::nullopt;
  }
}

xmlNode* firstChild(const xmlNode* node) {
  if (!holdsChildren(node)) return nullptr;
  xmlNode* child = node->children;
  while (child != nullptr && !shown(child))
    child = child->next;
  return child;
}

xmlNode* lastChild(const xmlNode* node) {
  if (!holdsChildren(node)) return nullptr;
  xmlNode* child = node->last;
  while (child != nullptr && !shown(child))
    child = child->prev;
  return child;
}

xmlNode* nextSibling(const xmlNode* node) {
  if (node->type == XML_ATTRIBUTE_NODE) return nullptr;
  xmlNode* sibling = node->next;
  while (sibling != nullptr && !shown(sibling))
    sibling = sibling->next;
  return sibling;
}

xmlNode* previousSibling(const xmlNode* node) {
  if (node->type == XML_ATTRIBUTE_NODE) return nullptr;
  xmlNode* sibling = node->prev;
  while (sibling != nullptr && !shown(sibling))
    sibling = sibling->prev;
  return sibling;
}

xmlNode* parentNode(const xmlNode* node) {
  if (node->type == XML_ATTRIBUTE_NODE) return nullptr;
  return node->parent;
}

std::vector<xmlNode*> children(const xmlNode* node) {
  std::vector<xmlNode*> result;
  for (xmlNode* child = firstChild(node); child != nullptr; child = nextSibling(child))
    result.push_back(child);
  return result;
}

std::vector<xmlNode*> attributes(const xmlNode* element) {
  std::vector<xmlNode*> result;
  if (element->type != XML_ELEMENT_NODE) return result;
  for (xmlAttr* attr = element->properties; attr != nullptr; attr = attr->next)
    result.push_back(reinterpret_cast<xmlNode*>(attr));
  return result;
}

std::u16string text(const xmlNode* node, const Tree& tree, bool keepsWhiteSpace) {
  std::string result;
  size_t keepFrom = std::string::npos;
  size_t keepTo = 0;
  switch (nodeType(node)) {
    case kElement:
    case kDocument:
    case kDocumentFragment:
      result = descendantText(node, tree, keepFrom, keepTo);
      break;
    case kText:
      result = view(node->content);
      break;
    case kCDataSection:
    case kComment:
    case kProcessingInstruction:
      return fromXml(node->content);
    case kAttribute:
      result = contentOf(node);
      break;
    case kEntity:
      return fromUtf8(view(reinterpret_cast<const xmlEntity*>(node)->content));
    default:
      return {};
  }
  if (!(keepsWhiteSpace && tree.preservedWhiteSpace()) && !spacePreservedAt(node)) {
    trim(result, keepFrom, keepTo);
  }
  return fromUtf8(result);
}

std::u16string xml(const xmlNode* node) {
  switch (nodeType(node)) {
    case kDocument: {
      std::string result;
      for (const xmlNode* child = firstChild(node); child != nullptr; child = nextSibling(child)) {
        result += serialize(child);
        result += "\r\n";
      }
      return fromUtf8(result);
    }
    case kAttribute: {
      // libxml2 writes an attribute as it stands in a tag, after a space.
      std::string result = serialize(node);
      if (!result.empty() && result.front() == ' ') result.erase(0, 1);
      return fromUtf8(result);
    }
    case 0:
      return {};
    default:
      return fromUtf8(serialize(node));
  }
}

std::optional<std::u16string> getAttribute(const xmlNode* element, std::u16string_view name) {
  if (element->type != XML_ELEMENT_NODE) return std::nullopt;
  if (const xmlNode* attr = attributeNamed(element, name)) return fromUtf8(contentOf(attr));
  const std::string wanted = toUtf8(name);
  const std::string_view w = wanted;
  if (w == "xmlns" || w.substr(0, 6) == "xmlns:") {
    const std::string_view declared = w.size() > 5 ? w.substr(6) : std::string_view();
    for (const xmlNs* ns = element->nsDef; ns != nullptr; ns = ns->next) {
      if (view(ns->prefix) == declared && (ns->prefix != nullptr) == (w.size() > 5)) {
        return fromXml(ns->href);
      }
    }
  }
  return std::nullopt;
}

xmlNode* attributeNamed(const xmlNode* element, std::u16string_view name) {
  if (element->type != XML_ELEMENT_NODE) return nullptr;
  const std::string wanted = toUtf8(name);
  for (xmlAttr* attr = element->properties; attr != nullptr; attr = attr->next) {
    auto* node = reinterpret_cast<xmlNode*>(attr);
    if (qualifiedNameIs(node, wanted)) return node;
  }
  return nullptr;
}

std::vector<xmlNode*> elementsByTagName(const xmlNode* root, std::u16string_view name) {
  std::vector<xmlNode*> result;
  if (!holdsChildren(root) || root->type == XML_ATTRIBUTE_NODE) return result;
  const std::string wanted = toUtf8(name);
  const bool any = wanted == "*";
  xmlNode* node = root->children;
  while (node != nullptr) {
    if (node->type == XML_ELEMENT_NODE) {
      if (any || qualifiedNameIs(node, wanted)) result.push_back(node);
      if (node->children != nullptr) {
        node = node->children;
        continue;
      }
    }
    while (node != root && node->next == nullptr)
      node = node->parent;
    node = node == root ? nullptr : node->next;
  }
  return result;
}

xmlNode* createElement(Tree& tree, std::u16string_view name) {
  const std::string utf8 = toUtf8(name);
  if (name.empty() || utf8.find('\0') != std::string::npos ||
      xmlValidateQName(BAD_CAST utf8.c_str(), 0) != 0) {
    refuse(u"'" + std::u16string(name) + u"' is not a valid element name.");
  }
  return tree.adopt(xmlNewDocNode(tree.doc(), nullptr, BAD_CAST utf8.c_str(), nullptr));
}

xmlNode* createTextNode(Tree& tree, std::u16string_view text) {
  const std::string utf8 = toUtf8(text);
  return tree.adopt(
      xmlNewDocTextLen(tree.doc(), BAD_CAST utf8.data(), static_cast<int>(utf8.size())));
}

void appendChild(Tree& tree, xmlNode* parent, xmlNode* child) {
  const int32_t parentType = nodeType(parent);
  const int32_t childType = nodeType(child);
  if (parentType != kElement && parentType != kDocument) {
    refuse(u"A node of type " + std::u16string(nodeTypeString(parentType)) +
           u" cannot have child nodes.");
  }
  switch (childType) {
    case kElement:
    case kText:
    case kCDataSection:
    case kEntityReference:
    case kProcessingInstruction:
    case kComment:
      break;
    default:
      refuse(u"A node of type " + std::u16string(nodeTypeString(childType)) +
             u" cannot be inserted into another node.");
  }
  if (child->doc != parent->doc) refuse(u"The node belongs to another document.");
  // One walk up from the parent finds both a cycle and the depth the child would stand at.
  int depth = 0;
  for (const xmlNode* up = parent; up != nullptr && up->type != XML_DOCUMENT_NODE;
       up = up->parent) {
    if (up == child) refuse(u"A node cannot be inserted under itself or its own descendants.");
    if (++depth > kMaxDepth) break;
  }
  if (depth + 1 + heightBelow(child) > kMaxDepth) {
    refuse(u"The document would be nested more than " + decimal(kMaxDepth) + u" levels deep.");
  }
  if (parentType == kDocument) {
    if (childType == kText || childType == kCDataSection || childType == kEntityReference) {
      refuse(u"Text cannot stand at the top level of a document.");
    }
    if (childType == kElement) {
      for (const xmlNode* top = parent->children; top != nullptr; top = top->next) {
        if (top->type == XML_ELEMENT_NODE && top != child) {
          refuse(u"Only one top level element is allowed in an XML document.");
        }
      }
    }
  }
  // Linked by hand: libxml2's own xmlAddChild merges adjacent text nodes and frees one of
  // them, which a node object may still hold.
  tree.forgetSpaceBefore(child);
  xmlUnlinkNode(child);
  child->parent = parent;
  child->prev = parent->last;
  child->next = nullptr;
  if (parent->last != nullptr) {
    parent->last->next = child;
  } else {
    parent->children = child;
  }
  parent->last = child;
  tree.changed();
}

}  // namespace platform::xml::dom
