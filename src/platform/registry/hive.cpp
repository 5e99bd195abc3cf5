#include "platform/registry/hive.h"

#include <algorithm>

#include "platform/base/text.h"

namespace platform::hive {

std::u16string foldName(std::string_view name) {
  std::u16string wide = fromAnsi(name);
  if (toAnsi(wide) == name) return toLower(wide);
  // Bytes the code page cannot read would all become U+FFFD and match each other: compare
  // them byte by byte instead, each as a lone surrogate that no readable name contains.
  std::u16string folded;
  folded.reserve(name.size());
  for (unsigned char c : name) {
    folded.push_back(c < 0x80 ? toLower(static_cast<char16_t>(c))
                              : static_cast<char16_t>(0xDC00 + c));
  }
  return folded;
}

Key* Key::subKey(std::string_view name) const {
  std::u16string folded = foldName(name);
  for (const auto& key : subKeys) {
    if (key->folded == folded) return key.get();
  }
  return nullptr;
}

Key& Key::subKeyOrNew(std::string_view name, bool& created) {
  created = false;
  if (Key* existing = subKey(name)) return *existing;
  auto key = std::make_unique<Key>();
  key->name = std::string(name);
  key->folded = foldName(name);
  subKeys.push_back(std::move(key));
  created = true;
  return *subKeys.back();
}

const Value* Key::value(std::string_view name) const {
  std::u16string folded = foldName(name);
  for (const Value& value : values) {
    if (value.folded == folded) return &value;
  }
  return nullptr;
}

bool Key::setValue(std::string_view name, DWORD type, std::string_view data) {
  std::u16string folded = foldName(name);
  for (Value& value : values) {
    if (value.folded != folded) continue;
    if (value.type == type && value.data == data) return false;
    value.type = type;
    value.data = std::string(data);
    return true;
  }
  values.push_back(Value{std::string(name), std::move(folded), type, std::string(data)});
  return true;
}

bool Key::removeSubKey(std::string_view name) {
  std::u16string folded = foldName(name);
  auto it = std::find_if(subKeys.begin(), subKeys.end(),
                         [&](const auto& key) { return key->folded == folded; });
  if (it == subKeys.end()) return false;
  subKeys.erase(it);
  return true;
}

bool Key::clear() {
  bool hadAny = !subKeys.empty() || !values.empty();
  subKeys.clear();
  values.clear();
  return hadAny;
}

std::optional<std::vector<std::string>> splitKeyPath(std::string_view path) {
  std::vector<std::string> names;
  if (path.empty()) return names;
  if (path.back() == '\\') path.remove_suffix(1);
  size_t start = 0;
  while (true) {
    size_t end = path.find('\\', start);
    std::string_view name =
        path.substr(start, end == std::string_view::npos ? path.npos : end - start);
    if (name.empty() || name.find_first_of("\r\n") != std::string_view::npos) {
      return std::nullopt;
    }
    names.emplace_back(name);
    if (end == std::string_view::npos) return names;
    start = end + 1;
  }
}

Key* findKey(const Key& top, const KeyPath& path) {
  const Key* key = &top;
  for (const std::string& name : path) {
    key = key->subKey(name);
    if (!key) return nullptr;
  }
  return const_cast<Key*>(key);
}

Key& createKey(Key& top, const KeyPath& path, bool& created) {
  created = false;
  Key* key = &top;
  for (const std::string& name : path) {
    bool made = false;
    key = &key->subKeyOrNew(name, made);
    created = created || made;
  }
  return *key;
}

}  // namespace platform::hive
