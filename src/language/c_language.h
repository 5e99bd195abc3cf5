// cLanguage: the string table. Texts by key, keys compared without regard to case; it always
// holds the complete set of English defaults, which a language file may replace.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>

namespace platform::xml {
struct ParseError;
}

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

  // Rebuilds the table from the English defaults, then lays the language file at `filename`
  // over them. The file <module>/JUVO/Languages/English.xml (exactly so, case-sensitively) is
  // never read: English is the defaults. Reports nothing to the caller: a file that cannot be
  // opened or is not well formed is reported in a message box (see readLanguageFile), and
  // every other failure skips the one step it happened in. Changes neither `currentlang` nor
  // the saved setting.
  void loadfromfile(std::u16string_view filename);

 private:
  // Discards the table and adds the English defaults.
  void loaddefaults();
  // The start-up choice of language, after the defaults.
  void chooseSavedLanguage();
  // Lays the entries of the language file at `filename` over the table: each child node of the
  // root element `strings`, in document order, replaces the entry of its name (any letter case)
  // with its text content, or adds one; the last of a name wins. A file that cannot be opened or is
  // not well formed is reported in one box ("Error in language file PATH." CR LF, the parser's
  // reason, "On line N: " and that line's text; titled "XML Error " and the parser's code; OK,
  // exclamation mark) and gives nothing. A file with another root element gives nothing, silently.
  void readLanguageFile(std::u16string_view filename);
  void reportFileError(std::u16string_view filename, const platform::xml::ParseError& error);
  // Puts `text` under `key`, in place of the entry of that key in any letter case.
  void replace(std::u16string key, std::u16string text);

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
