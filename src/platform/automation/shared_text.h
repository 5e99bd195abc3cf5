// SharedText: the text a Variant holds, shared by its copies the way a script engine shares a
// string between its variables (and BSTRs are passed by pointer). Copying counts a reference
// instead of copying characters, so a 200 KB page handed from a script to a function or a host
// object is not copied on each call. Script engines keep their own strings in the same buffer
// (TextBuffer) and hand them over without a copy either way.
//
// References are counted without atomics: Variants live on the host's one thread, as the
// values of apartment-threaded COM objects do.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace platform {

// The buffer behind a SharedText. Whoever holds the only reference (refs == 1) may change the
// text in place; everyone else must copy it first.
struct TextBuffer {
  uint32_t refs = 1;
  std::u16string text;
};

class SharedText {
 public:
  SharedText() noexcept = default;  // the empty text
  explicit SharedText(std::u16string text)
      : buffer_(text.empty() ? nullptr : new TextBuffer{1, std::move(text)}) {}
  // One more reference to `buffer`, which may be null (the empty text).
  static SharedText share(TextBuffer* buffer) noexcept {
    SharedText shared;
    shared.buffer_ = buffer;
    if (buffer != nullptr) ++buffer->refs;
    return shared;
  }

  SharedText(const SharedText& other) noexcept : buffer_(other.buffer_) {
    if (buffer_ != nullptr) ++buffer_->refs;
  }
  SharedText(SharedText&& other) noexcept : buffer_(std::exchange(other.buffer_, nullptr)) {}
  SharedText& operator=(SharedText other) noexcept {
    std::swap(buffer_, other.buffer_);
    return *this;
  }
  ~SharedText() {
    if (buffer_ != nullptr && --buffer_->refs == 0) delete buffer_;
  }

  const std::u16string& str() const noexcept { return buffer_ ? buffer_->text : empty(); }
  std::u16string_view view() const noexcept { return str(); }
  // The buffer, null for the empty text: for engines that keep their strings in TextBuffers.
  TextBuffer* buffer() const noexcept { return buffer_; }

  friend bool operator==(const SharedText& a, const SharedText& b) noexcept {
    return a.buffer_ == b.buffer_ || a.str() == b.str();
  }

 private:
  static const std::u16string& empty() noexcept {
    static const std::u16string text;
    return text;
  }

  TextBuffer* buffer_ = nullptr;
};

}  // namespace platform
