#include "vbscript/runtime/builtins.h"

#include <algorithm>
#include <string>
#include <vector>

#include "vbscript/runtime/families.h"

namespace vbscript {

namespace {

// Built-in names are ASCII; a name with any other letter matches none of them.
char16_t asciiLower(char16_t c) {
  return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + (u'a' - u'A')) : c;
}

std::u16string lowered(std::u16string_view name) {
  std::u16string result(name);
  std::transform(result.begin(), result.end(), result.begin(), asciiLower);
  return result;
}

// Entries by lower-case name, for a binary search.
template <class Entry>
class CaseBlindIndex {
 public:
  void add(const Entry& entry) { entries_.push_back({lowered(entry.name), &entry}); }
  void seal() {
    std::sort(entries_.begin(), entries_.end(),
              [](const Keyed& a, const Keyed& b) { return a.key < b.key; });
  }
  const Entry* find(std::u16string_view name) const {
    const std::u16string key = lowered(name);
    auto it = std::lower_bound(entries_.begin(), entries_.end(), key,
                               [](const Keyed& a, const std::u16string& k) { return a.key < k; });
    return it != entries_.end() && it->key == key ? it->entry : nullptr;
  }

 private:
  struct Keyed {
    std::u16string key;
    const Entry* entry;
  };
  std::vector<Keyed> entries_;
};

struct Table {
  std::vector<Builtin> functions;
  CaseBlindIndex<Builtin> functionIndex;
  CaseBlindIndex<NamedConstant> constantIndex;

  Table() {
    for (auto family : {arrayFunctions, byteStringFunctions, conversionFunctions, dateFunctions,
                        formattingFunctions, interactionFunctions, localeFunctions, mathFunctions,
                        stringFunctions}) {
      const std::span<const Builtin> members = family();
      functions.insert(functions.end(), members.begin(), members.end());
    }
    for (const Builtin& builtin : functions)
      functionIndex.add(builtin);
    functionIndex.seal();
    for (const NamedConstant& constant : builtinConstants())
      constantIndex.add(constant);
    constantIndex.seal();
  }
};

const Table& table() {
  static const Table instance;
  return instance;
}

}  // namespace

std::span<const Builtin> builtins() {
  return table().functions;
}

const Builtin* findBuiltin(std::u16string_view name) {
  return table().functionIndex.find(name);
}

const platform::Variant* findBuiltinConstant(std::u16string_view name) {
  const NamedConstant* constant = table().constantIndex.find(name);
  return constant ? &constant->value : nullptr;
}

}  // namespace vbscript
