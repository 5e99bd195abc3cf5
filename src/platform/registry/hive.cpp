#include "platform/registry/hive.h"

#include <algorithm>

#include "platform/base/text.h"

namespace platform::hive {

namespace {

// Whether the code page reads every ASCII byte as that character, as UTF-8 and Windows-1252
// do; the code page is fixed for the process's life.
bool asciiReadsAsItself() {
  static const bool same = [] {
    std::string ascii;
    for (int c = 1; c < 0x80; ++c)
      ascii.push_back(static_cast<char>(c));
    const std::u16string wide = fromAnsi(ascii);
    return std::equal(ascii.begin(), ascii.end(), wide.begin(), wide.end(),
                      [](char a, char16_t w) { return static_cast<char16_t>(a) == w; });
  }();
  return same;
}

char16_t lowerAscii(char c) {
  return static_cast<char16_t>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
}

bool isAscii(std::string_view name) {
  return std::all_of(name.begin(), name.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Whether `name` has at most `limit` characters. A byte never reads as more than one UTF-16
// unit, so a short name needs no conversion.
bool fitsIn(std::string_view name, size_t limit) {
  return name.size() <= limit || fromAnsi(name).size() <= limit;
}

}  // namespace

bool keyNameFits(std::string_view name) {
  return fitsIn(name, kMaxKeyNameLength);
}

bool valueNameFits(std::string_view name) {
  return fitsIn(name, kMaxValueNameLength);
}

std::u16string foldName(std::string_view name) {
  if (isAscii(name) && asciiReadsAsItself()) {
    std::u16string folded(name.size(), u'\0');
    std::transform(name.begin(), name.end(), folded.begin(), lowerAscii);
    return folded;
  }
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

FoldedName::FoldedName(std::string_view name) {
  // This runs for every line of the hive file: most names need neither copy nor conversion.
  if (isAscii(name) && asciiReadsAsItself()) {
    ascii_ = name;
  } else {
    wide_ = foldName(name);
  }
  // FNV-1a over the fold's units, then mixed so that the low bits, which pick the slot,
  // depend on every unit.
  uint32_t hash = 2166136261u;
  for (size_t i = 0, n = size(); i < n; ++i) {
    hash = (hash ^ unit(i)) * 16777619u;
  }
  hash ^= hash >> 16;
  hash *= 0x85ebca6bu;
  hash ^= hash >> 13;
  hash *= 0xc2b2ae35u;
  hash_ = hash ^ (hash >> 16);
}

char16_t FoldedName::unit(size_t i) const {
  return wide_ ? (*wide_)[i] : lowerAscii(ascii_[i]);
}

bool operator==(const FoldedName& a, const FoldedName& b) {
  if (a.hash_ != b.hash_ || a.size() != b.size()) return false;
  for (size_t i = 0, n = a.size(); i < n; ++i) {
    if (a.unit(i) != b.unit(i)) return false;
  }
  return true;
}

void NameIndex::insert(uint32_t hash, size_t position) {
  if ((count_ + 1) * 4 > slots_.size() * 3) grow();
  const size_t mask = slots_.size() - 1;
  size_t i = hash & mask;
  while (slots_[i].position != 0)
    i = (i + 1) & mask;
  slots_[i] = Slot{hash, static_cast<uint32_t>(position + 1)};
  ++count_;
}

void NameIndex::clear() {
  slots_.clear();
  count_ = 0;
}

void NameIndex::grow() {
  std::vector<Slot> old = std::move(slots_);
  slots_.assign(std::max<size_t>(8, old.size() * 2), Slot{});
  const size_t mask = slots_.size() - 1;
  for (const Slot& slot : old) {
    if (slot.position == 0) continue;
    size_t i = slot.hash & mask;
    while (slots_[i].position != 0)
      i = (i + 1) & mask;
    slots_[i] = slot;
  }
}

Key::~Key() {
  std::vector<std::unique_ptr<Key>> pending = std::move(subKeys_);
  while (!pending.empty()) {
    std::unique_ptr<Key> key = std::move(pending.back());
    pending.pop_back();
    for (auto& subKey : key->subKeys_)
      pending.push_back(std::move(subKey));
    key->subKeys_.clear();
  }
}

size_t Key::subKeyPosition(const FoldedName& name) const {
  return subKeyIndex_.find(
      name.hash(), [&](size_t position) { return FoldedName(subKeys_[position]->name_) == name; });
}

size_t Key::valuePosition(const FoldedName& name) const {
  return valueIndex_.find(
      name.hash(), [&](size_t position) { return FoldedName(values_[position].name) == name; });
}

Key* Key::subKey(std::string_view name) const {
  const size_t position = subKeyPosition(FoldedName(name));
  return position == NameIndex::npos ? nullptr : subKeys_[position].get();
}

Key& Key::subKeyOrNew(std::string_view name, bool& created) {
  const FoldedName folded(name);
  const size_t position = subKeyPosition(folded);
  created = position == NameIndex::npos;
  if (!created) return *subKeys_[position];
  subKeys_.push_back(std::make_unique<Key>(std::string(name)));
  try {
    subKeyIndex_.insert(folded.hash(), subKeys_.size() - 1);
  } catch (...) {
    subKeys_.pop_back();
    throw;
  }
  return *subKeys_.back();
}

const Value* Key::value(std::string_view name) const {
  const size_t position = valuePosition(FoldedName(name));
  return position == NameIndex::npos ? nullptr : &values_[position];
}

bool Key::setValue(std::string_view name, DWORD type, std::string_view data) {
  const FoldedName folded(name);
  const size_t position = valuePosition(folded);
  if (position == NameIndex::npos) {
    values_.push_back(Value{std::string(name), type, std::string(data)});
    try {
      valueIndex_.insert(folded.hash(), values_.size() - 1);
    } catch (...) {
      values_.pop_back();
      throw;
    }
    return true;
  }
  Value& value = values_[position];
  if (value.type == type && value.data == data) return false;
  value.type = type;
  value.data = std::string(data);
  return true;
}

bool Key::removeSubKey(std::string_view name) {
  const size_t position = subKeyPosition(FoldedName(name));
  if (position == NameIndex::npos) return false;
  subKeys_.erase(subKeys_.begin() + static_cast<std::ptrdiff_t>(position));
  // The keys after it moved up: index them again. Deleting a key is rare; finding one is not.
  subKeyIndex_.clear();
  for (size_t i = 0; i < subKeys_.size(); ++i)
    subKeyIndex_.insert(FoldedName(subKeys_[i]->name_).hash(), i);
  return true;
}

bool Key::clear() {
  bool hadAny = !subKeys_.empty() || !values_.empty();
  subKeyIndex_.clear();
  valueIndex_.clear();
  {
    // Through a key of its own, so that a deep tree goes without recursion.
    Key doomed;
    doomed.subKeys_ = std::move(subKeys_);
  }
  subKeys_.clear();
  values_.clear();
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
    if (name.empty() || name.find_first_of("\r\n") != std::string_view::npos ||
        !keyNameFits(name)) {
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
