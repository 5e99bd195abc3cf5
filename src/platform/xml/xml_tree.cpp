#include "platform/xml/xml_tree.h"

#include <new>

namespace platform::xml {

Tree::Tree() : doc_(xmlNewDoc(BAD_CAST "1.0")) {
  if (doc_ == nullptr) throw std::bad_alloc();
}

Tree::Tree(xmlDocPtr doc, bool preservedWhiteSpace)
    : doc_(doc), preservedWhiteSpace_(preservedWhiteSpace) {}

Tree::~Tree() {
  // Loose nodes first: their names may live in the document's dictionary.
  for (xmlNode* node : loose_) {
    if (node->parent == nullptr) xmlFreeNode(node);
  }
  xmlFreeDoc(doc_);
}

xmlNode* Tree::adopt(xmlNode* node) {
  if (node == nullptr) throw std::bad_alloc();
  try {
    loose_.push_back(node);
  } catch (...) {
    xmlFreeNode(node);
    throw;
  }
  return node;
}

}  // namespace platform::xml
