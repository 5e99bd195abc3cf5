#include "platform/dictionary/dictionary.h"

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/automation/dispatch_object.h"
#include "platform/automation/object_catalogue.h"
#include "platform/automation/variant_convert.h"
#include "platform/base/error.h"
#include "platform/base/text.h"

namespace platform {

namespace {

enum class CompareMode { kBinary = 0, kText = 1, kDatabase = 2 };

// A key as the dictionary compares it.
struct KeyIdentity {
  enum class Kind : uint8_t { kEmpty, kNull, kBoolean, kNumber, kText, kObject, kError };
  Kind kind = Kind::kEmpty;
  double number = 0;    // numbers, Booleans, error codes
  std::u16string text;  // texts, folded to lower case under a text comparison
  const void* object = nullptr;

  friend bool operator==(const KeyIdentity&, const KeyIdentity&) = default;
};

struct KeyHash {
  size_t operator()(const KeyIdentity& key) const {
    size_t hash = std::hash<uint8_t>()(static_cast<uint8_t>(key.kind));
    switch (key.kind) {
      case KeyIdentity::Kind::kText:
        return hash ^ std::hash<std::u16string>()(key.text);
      case KeyIdentity::Kind::kObject:
        return hash ^ std::hash<const void*>()(key.object);
      default:
        return hash ^ std::hash<double>()(key.number);
    }
  }
};

KeyIdentity identityOf(const Variant& key, CompareMode mode) {
  using Kind = KeyIdentity::Kind;
  KeyIdentity identity;
  switch (key.type()) {
    case VarType::kEmpty:
      identity.kind = Kind::kEmpty;
      break;
    case VarType::kNull:
      identity.kind = Kind::kNull;
      break;
    case VarType::kBoolean:
      identity.kind = Kind::kBoolean;
      identity.number = key.boolean() ? 1 : 0;
      break;
    case VarType::kString:
      identity.kind = Kind::kText;
      identity.text = mode == CompareMode::kBinary ? key.string() : toLower(key.string());
      break;
    case VarType::kObject:
      identity.kind = Kind::kObject;
      identity.object = key.object().get();
      break;
    case VarType::kError:
      identity.kind = Kind::kError;
      identity.number = key.error().scode;
      break;
    case VarType::kArray:
      raise(ErrorCode::kTypeMismatch);
    default:
      identity.kind = Kind::kNumber;
      identity.number = key.type() == VarType::kDate ? key.date().days : toDouble(key);
      if (identity.number == 0) identity.number = 0;  // -0 and 0 are one key
      break;
  }
  return identity;
}

class KeyEnumerator final : public Enumerator {
 public:
  explicit KeyEnumerator(std::vector<Variant> keys) : keys_(std::move(keys)) {}
  std::optional<Variant> next() override {
    if (next_ >= keys_.size()) return std::nullopt;
    return keys_[next_++];
  }

 private:
  std::vector<Variant> keys_;
  size_t next_ = 0;
};

class Dictionary final : public DispatchObject {
 public:
  Dictionary() : DispatchObject(members()) {}

  std::u16string typeName() const override { return u"Dictionary"; }

  // For Each goes over the keys as they were when it began.
  std::unique_ptr<Enumerator> enumerate() override {
    return std::make_unique<KeyEnumerator>(column(&Entry::key));
  }

 private:
  struct Entry {
    Variant key;
    Variant item;
    bool removed = false;
  };

  // The entry of `key`, or nullptr.
  Entry* find(const Variant& key) {
    auto it = index_.find(identityOf(key, mode_));
    return it == index_.end() ? nullptr : &entries_[it->second];
  }

  Entry& add(const Variant& key, Variant item) {
    KeyIdentity identity = identityOf(key, mode_);
    if (index_.contains(identity)) raise(ErrorCode::kKeyAlreadyAssociated);
    index_.emplace(std::move(identity), entries_.size());
    entries_.push_back({key, std::move(item)});
    return entries_.back();
  }

  void remove(const Variant& key) {
    auto it = index_.find(identityOf(key, mode_));
    if (it == index_.end()) raise(ErrorCode::kElementNotFound);
    entries_[it->second] = Entry{{}, {}, true};
    index_.erase(it);
    // Removed entries keep their place until they outnumber the others.
    if (entries_.size() > 32 && index_.size() < entries_.size() / 2) compact();
  }

  void compact() {
    std::vector<Entry> kept;
    kept.reserve(index_.size());
    index_.clear();
    for (Entry& entry : entries_) {
      if (entry.removed) continue;
      index_.emplace(identityOf(entry.key, mode_), kept.size());
      kept.push_back(std::move(entry));
    }
    entries_ = std::move(kept);
  }

  void removeAll() {
    entries_.clear();
    index_.clear();
  }

  // Key(key) = newKey: the item keeps its place under the new key.
  void rename(const Variant& key, const Variant& newKey) {
    auto it = index_.find(identityOf(key, mode_));
    if (it == index_.end()) raise(ErrorCode::kElementNotFound);
    KeyIdentity identity = identityOf(newKey, mode_);
    if (index_.contains(identity)) {
      if (identity == it->first) return;
      raise(ErrorCode::kKeyAlreadyAssociated);
    }
    const size_t position = it->second;
    index_.erase(it);
    index_.emplace(std::move(identity), position);
    entries_[position].key = newKey;
  }

  void setCompareMode(const Variant& value) {
    const int32_t mode = toInt32(value);
    if (mode < 0 || mode > 2 || !index_.empty()) raise(ErrorCode::kInvalidProcedureCall);
    mode_ = static_cast<CompareMode>(mode);
  }

  Variant& itemOf(const Variant& key) {
    if (Entry* entry = find(key)) return entry->item;
    return add(key, Variant()).item;
  }

  std::vector<Variant> column(Variant Entry::*field) const {
    std::vector<Variant> values;
    values.reserve(index_.size());
    for (const Entry& entry : entries_) {
      if (!entry.removed) values.push_back(entry.*field);
    }
    return values;
  }

  static Variant arrayOf(std::vector<Variant> values) {
    auto array = std::make_shared<VariantArray>();
    array->bounds.push_back({0, static_cast<int32_t>(values.size())});
    array->elements = std::move(values);
    return Variant(std::move(array));
  }

  static const MemberTable& members() {
    using Args = std::span<Variant>;
    static const auto table =
        Members<Dictionary>()
            .method(u"Add", 2, 2,
                    [](Dictionary& d, Args args) {
                      d.add(args[0], args[1]);
                      return Variant();
                    })
            .method(u"Exists", 1, 1,
                    [](Dictionary& d, Args args) { return Variant(d.find(args[0]) != nullptr); })
            .indexedProperty(
                u"Item", 1, [](Dictionary& d, Args key) { return d.itemOf(key[0]); },
                [](Dictionary& d, Args key, const Variant& value) { d.itemOf(key[0]) = value; })
            .method(u"Items", 0, 0,
                    [](Dictionary& d, Args) { return arrayOf(d.column(&Entry::item)); })
            .method(u"Keys", 0, 0,
                    [](Dictionary& d, Args) { return arrayOf(d.column(&Entry::key)); })
            .method(u"Remove", 1, 1,
                    [](Dictionary& d, Args args) {
                      d.remove(args[0]);
                      return Variant();
                    })
            .method(u"RemoveAll", 0, 0,
                    [](Dictionary& d, Args) {
                      d.removeAll();
                      return Variant();
                    })
            .property(u"Count",
                      [](Dictionary& d) { return Variant(static_cast<int32_t>(d.index_.size())); })
            .property(
                u"CompareMode",
                [](Dictionary& d) { return Variant(static_cast<int32_t>(d.mode_)); },
                [](Dictionary& d, const Variant& value) { d.setCompareMode(value); })
            .indexedProperty(
                u"Key", 1, {},
                [](Dictionary& d, Args key, const Variant& newKey) { d.rename(key[0], newKey); })
            .defaultMember(u"Item");
    return table;
  }

  std::vector<Entry> entries_;
  std::unordered_map<KeyIdentity, size_t, KeyHash> index_;
  CompareMode mode_ = CompareMode::kBinary;
};

}  // namespace

ObjectPtr makeDictionary() {
  return std::make_shared<Dictionary>();
}

void registerDictionary(ObjectCatalogue& catalogue) {
  catalogue.add(u"Scripting.Dictionary", [](const StopCheck&) { return makeDictionary(); });
}

}  // namespace platform
