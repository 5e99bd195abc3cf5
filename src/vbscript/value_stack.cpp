#include "vbscript/value_stack.h"

#include <algorithm>

namespace vbscript {

namespace {

constexpr size_t kChunkSize = 4096;

}  // namespace

Value* ValueStack::push(size_t count) {
  if (chunks_.empty()) {
    chunks_.push_back({std::make_unique<Value[]>(kChunkSize), kChunkSize, 0});
    current_ = 0;
  }
  while (chunks_[current_].size - chunks_[current_].used < count) {
    // The rest of this chunk stays unused until the frames above it are gone.
    if (current_ + 1 == chunks_.size()) {
      const size_t size = std::max(kChunkSize, count);
      chunks_.push_back({std::make_unique<Value[]>(size), size, 0});
    } else if (chunks_[current_ + 1].size < count) {
      chunks_[current_ + 1] = {std::make_unique<Value[]>(count), count, 0};
    }
    ++current_;
  }
  Chunk& chunk = chunks_[current_];
  Value* base = chunk.values.get() + chunk.used;
  chunk.used += count;
  return base;
}

void ValueStack::pop(Value* base, size_t count) noexcept {
  for (size_t i = 0; i < count; ++i)
    base[i] = Value();
  chunks_[current_].used -= count;
  // A chunk other than the first is in use only while a frame lies in it.
  while (current_ > 0 && chunks_[current_].used == 0) {
    --current_;
  }
}

}  // namespace vbscript
