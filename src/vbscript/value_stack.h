// The slots of every frame, taken and given back in stack order. Slots never move while they
// are in use, so that a by-reference parameter may point at its caller's variable.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "vbscript/value.h"

namespace vbscript {

class ValueStack {
 public:
  // `count` Empty slots, contiguous.
  Value* push(size_t count);
  // Gives back the last `count` slots taken, which begin at `base`, releasing their values.
  void pop(Value* base, size_t count) noexcept;

 private:
  struct Chunk {
    std::unique_ptr<Value[]> values;
    size_t size = 0;
    size_t used = 0;
  };
  std::vector<Chunk> chunks_;
  size_t current_ = 0;  // the chunk in use
};

// A frame's slots for as long as the object lives.
class FrameSlots {
 public:
  FrameSlots(ValueStack& stack, size_t count)
      : stack_(stack), count_(count), base_(stack.push(count)) {}
  ~FrameSlots() { stack_.pop(base_, count_); }
  FrameSlots(const FrameSlots&) = delete;
  FrameSlots& operator=(const FrameSlots&) = delete;

  Value* data() const { return base_; }
  Value& operator[](size_t i) const { return base_[i]; }

 private:
  ValueStack& stack_;
  size_t count_;
  Value* base_;
};

}  // namespace vbscript
