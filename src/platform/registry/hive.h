// The registry's keys and values in memory. Names and data are the raw bytes the ANSI calls
// were given; names are matched without regard to case and keep the case they were created
// with. Private to platform/registry.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry/registry.h"

namespace platform::hive {

// The form two names are compared in: equal folds mean the same name.
std::u16string foldName(std::string_view name);

struct Value {
  std::string name;  // empty for the default value
  std::u16string folded;
  DWORD type = REG_NONE;
  std::string data;
};

struct Key {
  std::string name;
  std::u16string folded;
  std::vector<std::unique_ptr<Key>> subKeys;  // in creation order
  std::vector<Value> values;                  // in creation order

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
};

// A key path: the root's name ("HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE") and the names
// below it.
using KeyPath = std::vector<std::string>;

inline constexpr char kCurrentUser[] = "HKEY_CURRENT_USER";
inline constexpr char kLocalMachine[] = "HKEY_LOCAL_MACHINE";
inline constexpr char kClassesRoot[] = "HKEY_CLASSES_ROOT";

// The names of a '\'-separated path. nullopt when a name is empty or holds a CR or LF (which
// the hive file cannot hold); a single trailing '\' is allowed.
std::optional<std::vector<std::string>> splitKeyPath(std::string_view path);

// A whole hive: a nameless key whose sub-keys are the roots.
Key* findKey(const Key& top, const KeyPath& path);
Key& createKey(Key& top, const KeyPath& path, bool& created);

}  // namespace platform::hive
