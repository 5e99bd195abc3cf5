// cLanguage: the string table. Texts by key, keys compared without regard to case; it always
// holds the complete set of English defaults, which a language file may replace.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>

namespace juvo {

class SharedObjects;

class cLanguage {
 public:
  // Loads the English defaults, then the start-up choice of language: `currentlang` becomes
  // "English", and the saved language's file is applied when it exists under exactly that name.
  // One trap covers both: at the first failure it stops silently and keeps what it has.
  explicit cLanguage(SharedObjects& shared);

  // The text stored under `stringname` (any letter case), exactly as stored. Raises the keyed
  // collection's key-not-found error (platform::kKeyNotFound), naming the key, when there is no
  // such key; never an empty text or the key instead.
  const std::u16string& str(std::u16string_view stringname) const;

  // How many keys the table holds.
  std::size_t size() const { return strtable_.size(); }

 private:
  // Discards the table and adds the English defaults.
  void loaddefaults();
  // The start-up choice of language, after the defaults.
  void chooseSavedLanguage();
  // Applies the saved language's file at `path`, found under exactly `name` + ".xml". Reading
  // language files is not built yet: until it is, the table stays English and `currentlang`
  // stays "English" (it must name the language the table really holds, since web addresses
  // carry it). Then: loadfromfile(path) and currentlang = name.
  void applySavedLanguageFile(const std::u16string& path, const std::u16string& name);

  // Keys are stored lower-cased; lookups hash and compare without regard to case, so a lookup
  // needs no lower-cased copy of its key.
  struct KeyHash {
    using is_transparent = void;
    std::size_t operator()(std::u16string_view key) const noexcept;
  };
  struct KeyEqual {
    using is_transparent = void;
    bool operator()(std::u16string_view a, std::u16string_view b) const noexcept;
  };
  struct Entry {
    std::u16string key;  // as written
    std::u16string text;
  };

  SharedObjects& shared_;
  std::unordered_map<std::u16string, Entry, KeyHash, KeyEqual> strtable_;  // by lower-cased key
};

}  // namespace juvo
