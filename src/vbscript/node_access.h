// Reading and finding the storage of an expression's value on the nodes' hot paths: the common
// leaves (a local, a constant, an implicit local) without a virtual call.
#pragma once

#include "vbscript/nodes.h"
#include "vbscript/program.h"

namespace vbscript {

// The value of `node`.
[[gnu::always_inline]] inline Value fetch(Frame& frame, const ExprNode& node) {
  switch (node.leaf) {
    case ExprNode::Leaf::kLocal:
      return frame.slots[node.leafSlot];
    case ExprNode::Leaf::kConstant:
      return *node.leafConstant;
    case ExprNode::Leaf::kImplicit:
      if (node.leafGlobal->kind == Global::Kind::kUndeclared) return frame.slots[node.leafSlot];
      break;
    case ExprNode::Leaf::kNone:
      break;
  }
  return node.eval(frame);
}

// The storage of `node` when it is a variable (ExprNode::ref), else nullptr.
[[gnu::always_inline]] inline Value* storageOf(Frame& frame, const ExprNode& node) {
  switch (node.leaf) {
    case ExprNode::Leaf::kLocal:
      return &frame.slots[node.leafSlot];
    case ExprNode::Leaf::kImplicit:
      if (node.leafGlobal->kind == Global::Kind::kUndeclared) return &frame.slots[node.leafSlot];
      break;
    default:
      break;
  }
  return node.ref(frame);
}

}  // namespace vbscript
