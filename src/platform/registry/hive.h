// The registry's keys and values in memory. Names and data are the raw bytes the ANSI calls
// were given; names are matched without regard to case and keep the case they were created
// with. Sub-keys and values are found through an index and kept in creation order. Private to
// platform/registry.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry/registry.h"

namespace platform::hive {

// The registry's own limits, in characters of the code page: a name beyond them cannot be made
// and, in the hive file, makes its line a damaged one.
inline constexpr size_t kMaxKeyNameLength = 255;
inline constexpr size_t kMaxValueNameLength = 16383;
// Names below the root: HKEY_CURRENT_USER\Software\Korvel is 2 deep.
inline constexpr size_t kMaxKeyDepth = 512;

bool keyNameFits(std::string_view name);
bool valueNameFits(std::string_view name);

// The form two names are compared in: equal folds mean the same name.
std::u16string foldName(std::string_view name);

// A name's fold, with its hash. ASCII names (nearly all) are folded without a copy.
class FoldedName {
 public:
  explicit FoldedName(std::string_view name);
  uint32_t hash() const { return hash_; }
  friend bool operator==(const FoldedName& a, const FoldedName& b);

 private:
  size_t size() const { return wide_ ? wide_->size() : ascii_.size(); }
  char16_t unit(size_t i) const;

  std::string_view ascii_;              // when the name reads as it is written
  std::optional<std::u16string> wide_;  // otherwise: foldName()
  uint32_t hash_ = 0;
};

// Where each name of a vector of named entries is: an open-addressing table of positions,
// with the hash of each name's fold beside it, so that a look-up rarely reads a name.
class NameIndex {
 public:
  static constexpr size_t npos = static_cast<size_t>(-1);

  // The position `matches` accepts among those whose name has `hash`; npos when none.
  template <class Matches>
  size_t find(uint32_t hash, Matches&& matches) const {
    if (slots_.empty()) return npos;
    const size_t mask = slots_.size() - 1;
    for (size_t i = hash & mask;; i = (i + 1) & mask) {
      const Slot& slot = slots_[i];
      if (slot.position == 0) return npos;
      if (slot.hash == hash && matches(slot.position - 1)) return slot.position - 1;
    }
  }
  void insert(uint32_t hash, size_t position);
  void clear();

 private:
  struct Slot {
    uint32_t hash = 0;
    uint32_t position = 0;  // plus one; 0 marks a free slot
  };
  void grow();

  std::vector<Slot> slots_;  // a power of two long, never more than three quarters full
  size_t count_ = 0;
};

struct Value {
  std::string name;  // empty for the default value
  DWORD type = REG_NONE;
  std::string data;
};

class Key {
 public:
  Key() = default;
  explicit Key(std::string name) : name_(std::move(name)) {}
  // Takes the tree below apart without recursion, however deep it is.
  ~Key();
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;

  const std::string& name() const { return name_; }
  const std::vector<std::unique_ptr<Key>>& subKeys() const { return subKeys_; }
  const std::vector<Value>& values() const { return values_; }

  Key* subKey(std::string_view name) const;
  // The named sub-key, made when missing; `created` tells which.
  Key& subKeyOrNew(std::string_view name, bool& created);
  const Value* value(std::string_view name) const;
  // Stores the value; false when it already held exactly this.
  bool setValue(std::string_view name, DWORD type, std::string_view data);
  // False when there is no such sub-key.
  bool removeSubKey(std::string_view name);
  // Removes every sub-key and value; false when there was none.
  bool clear();

 private:
  size_t subKeyPosition(const FoldedName& name) const;
  size_t valuePosition(const FoldedName& name) const;

  std::string name_;
  std::vector<std::unique_ptr<Key>> subKeys_;  // in creation order
  NameIndex subKeyIndex_;
  std::vector<Value> values_;  // in creation order; a value is never removed alone
  NameIndex valueIndex_;
};

// A key path: the root's name ("HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE") and the names
// below it.
using KeyPath = std::vector<std::string>;

inline constexpr char kCurrentUser[] = "HKEY_CURRENT_USER";
inline constexpr char kLocalMachine[] = "HKEY_LOCAL_MACHINE";
inline constexpr char kClassesRoot[] = "HKEY_CLASSES_ROOT";

// The names of a '\'-separated path. nullopt when a name is empty, holds a CR or LF (which
// the hive file cannot hold) or is longer than kMaxKeyNameLength; a single trailing '\' is
// allowed.
std::optional<std::vector<std::string>> splitKeyPath(std::string_view path);

// Whether a path, root included, stays within kMaxKeyDepth.
inline bool depthFits(const KeyPath& path) {
  return path.size() <= kMaxKeyDepth + 1;
}

// A whole hive: a nameless key whose sub-keys are the roots.
Key* findKey(const Key& top, const KeyPath& path);
Key& createKey(Key& top, const KeyPath& path, bool& created);

}  // namespace platform::hive
