// Tree: one parsed (or built) libxml2 document and what the DOM keeps beside it. Node objects
// hold the tree they belong to, so a node a script still holds stays valid after its document
// loads something else. No node of a tree is freed before the tree: nodes taken out of it
// stay with it until the end.
#pragma once

#include <libxml/tree.h>

#include <cstdint>
#include <memory>
#include <unordered_set>
#include <vector>

namespace platform::xml {

class Tree : public std::enable_shared_from_this<Tree> {
 public:
  // An empty document.
  Tree();
  // Takes ownership of `doc`. `preservedWhiteSpace`: whether it was loaded keeping
  // whitespace-only text.
  Tree(xmlDocPtr doc, bool preservedWhiteSpace);
  ~Tree();
  Tree(const Tree&) = delete;
  Tree& operator=(const Tree&) = delete;

  xmlDocPtr doc() const { return doc_; }
  xmlNode* docNode() const { return reinterpret_cast<xmlNode*>(doc_); }
  bool preservedWhiteSpace() const { return preservedWhiteSpace_; }

  // Takes a node made for this tree that has no parent (yet); it is freed with the tree
  // unless it then lies under another node.
  xmlNode* adopt(xmlNode* node);

  // Bumped by every change of the tree's shape, so that live lists read it again.
  uint64_t version() const { return version_; }
  void changed() { ++version_; }

  // Whitespace-only text that the load dropped: right before `node`, or at the end of the
  // content of `parent`. Text of an element reads one space there.
  bool spaceBefore(const xmlNode* node) const { return spaceBefore_.count(node) != 0; }
  bool spaceAtEnd(const xmlNode* parent) const { return spaceAtEnd_.count(parent) != 0; }
  void markSpaceBefore(const xmlNode* node) { spaceBefore_.insert(node); }
  void markSpaceAtEnd(const xmlNode* parent) { spaceAtEnd_.insert(parent); }
  // `node` moves: the space before it stays where it was.
  void forgetSpaceBefore(const xmlNode* node) { spaceBefore_.erase(node); }

 private:
  xmlDocPtr doc_;
  bool preservedWhiteSpace_ = false;
  std::vector<xmlNode*> loose_;
  std::unordered_set<const xmlNode*> spaceBefore_;
  std::unordered_set<const xmlNode*> spaceAtEnd_;
  uint64_t version_ = 0;
};

}  // namespace platform::xml
