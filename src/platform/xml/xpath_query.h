// XPath over a tree: what selectNodes and selectSingleNode run. An expression that takes too
// many steps is stopped (an error), so no expression holds the script for long.
#pragma once

#include <libxml/tree.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace platform::xml {

// Prefixes usable in expressions, with their namespace names (UTF-8).
using Namespaces = std::vector<std::pair<std::string, std::string>>;

// The namespaces of a "SelectionNamespaces" value: declarations such as
// xmlns:a='urn:a' xmlns:b="urn:b", separated by whitespace. A default namespace (xmlns='...')
// is accepted and has no effect: XPath names without a prefix name no namespace. Raises kFail
// for anything else.
Namespaces parseNamespaces(std::u16string_view declarations);

// The nodes `expression` selects from `context` in `doc`, in document order (namespace nodes
// left out). Raises kFail with libxml2's explanation for an expression that is not valid, that
// gives no node-set, or that takes too many steps.
std::vector<xmlNode*> selectNodes(xmlDocPtr doc, xmlNode* context, std::u16string_view expression,
                                  const Namespaces& namespaces);

}  // namespace platform::xml
