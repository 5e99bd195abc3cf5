// The members every node answers, the document included, declared once for both classes.
// Members that do not apply to a node's type (getAttribute of a text node) raise kNoSuchMember,
// as a member the object lacks would.
#pragma once

#include <span>

#include "platform/automation/dispatch_object.h"
#include "platform/xml/dom_objects.h"

namespace platform::xml::node_members {

Variant nodeName(const NodeRef& self);
Variant baseName(const NodeRef& self);
Variant prefix(const NodeRef& self);
Variant namespaceURI(const NodeRef& self);
Variant nodeType(const NodeRef& self);
Variant nodeTypeString(const NodeRef& self);
Variant nodeValue(const NodeRef& self);
Variant text(const NodeRef& self);
Variant xml(const NodeRef& self);
Variant childNodes(const NodeRef& self);
Variant firstChild(const NodeRef& self);
Variant lastChild(const NodeRef& self);
Variant nextSibling(const NodeRef& self);
Variant previousSibling(const NodeRef& self);
Variant parentNode(const NodeRef& self);
Variant ownerDocument(const NodeRef& self);
Variant attributes(const NodeRef& self);
Variant hasChildNodes(const NodeRef& self);
Variant selectSingleNode(const NodeRef& self, const Variant& expression);
Variant selectNodes(const NodeRef& self, const Variant& expression);
Variant getElementsByTagName(const NodeRef& self, const Variant& name);
Variant getAttribute(const NodeRef& self, const Variant& name);
Variant appendChild(const NodeRef& self, const Variant& child);
// An element's tagName, an attribute's name and value, a text's data.
Variant tagName(const NodeRef& self);
Variant attributeName(const NodeRef& self);
Variant attributeValue(const NodeRef& self);
Variant data(const NodeRef& self);

// Adds the node members to the members of `T`, whose ref() gives the NodeRef.
template <class T>
Members<T> add(Members<T>&& members) {
  using Args = std::span<Variant>;
  return std::move(members)
      .property(u"nodeName", [](T& t) { return nodeName(t.ref()); })
      .property(u"baseName", [](T& t) { return baseName(t.ref()); })
      .property(u"prefix", [](T& t) { return prefix(t.ref()); })
      .property(u"namespaceURI", [](T& t) { return namespaceURI(t.ref()); })
      .property(u"nodeType", [](T& t) { return nodeType(t.ref()); })
      .property(u"nodeTypeString", [](T& t) { return nodeTypeString(t.ref()); })
      .property(u"nodeValue", [](T& t) { return nodeValue(t.ref()); })
      .property(u"text", [](T& t) { return text(t.ref()); })
      .property(u"xml", [](T& t) { return xml(t.ref()); })
      .property(u"childNodes", [](T& t) { return childNodes(t.ref()); })
      .property(u"firstChild", [](T& t) { return firstChild(t.ref()); })
      .property(u"lastChild", [](T& t) { return lastChild(t.ref()); })
      .property(u"nextSibling", [](T& t) { return nextSibling(t.ref()); })
      .property(u"previousSibling", [](T& t) { return previousSibling(t.ref()); })
      .property(u"parentNode", [](T& t) { return parentNode(t.ref()); })
      .property(u"ownerDocument", [](T& t) { return ownerDocument(t.ref()); })
      .property(u"attributes", [](T& t) { return attributes(t.ref()); })
      .property(u"tagName", [](T& t) { return tagName(t.ref()); })
      .property(u"name", [](T& t) { return attributeName(t.ref()); })
      .property(u"value", [](T& t) { return attributeValue(t.ref()); })
      .property(u"data", [](T& t) { return data(t.ref()); })
      .method(u"hasChildNodes", 0, 0, [](T& t, Args) { return hasChildNodes(t.ref()); })
      .method(u"selectSingleNode", 1, 1,
              [](T& t, Args args) { return selectSingleNode(t.ref(), args[0]); })
      .method(u"selectNodes", 1, 1, [](T& t, Args args) { return selectNodes(t.ref(), args[0]); })
      .method(u"getElementsByTagName", 1, 1,
              [](T& t, Args args) { return getElementsByTagName(t.ref(), args[0]); })
      .method(u"getAttribute", 1, 1, [](T& t, Args args) { return getAttribute(t.ref(), args[0]); })
      .method(u"appendChild", 1, 1, [](T& t, Args args) { return appendChild(t.ref(), args[0]); });
}

}  // namespace platform::xml::node_members
