#include "language/c_language.h"

#include "language/english_defaults.h"
#include "platform/base/error.h"
#include "platform/base/text.h"
#include "platform/files/files.h"
#include "platform/platform.h"
#include "platform/registry/registry.h"
#include "platform/ui/ui.h"
#include "platform/xml/xml_document.h"
#include "shared/settings.h"
#include "shared/shared_objects.h"

namespace juvo {

namespace {

// Keys are nearly always ASCII: fold those here rather than across the library boundary.
char16_t foldCase(char16_t c) {
  if (c < 0x80) return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c;
  return platform::toLower(c);
}

// The object a step needs; a missing one fails the step as an unset object variable would.
template <class T>
T& required(const std::shared_ptr<T>& object) {
  if (!object) platform::raise(platform::ErrorCode::kObjectVariableNotSet);
  return *object;
}

}  // namespace

std::size_t cLanguage::KeyHash::operator()(std::u16string_view key) const noexcept {
  // FNV-1a over the lower-cased code units.
  std::size_t hash = 14695981039346656037ull;
  for (char16_t c : key) {
    hash = (hash ^ foldCase(c)) * 1099511628211ull;
  }
  return hash;
}

bool cLanguage::KeyEqual::operator()(std::u16string_view a, std::u16string_view b) const noexcept {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (foldCase(a[i]) != foldCase(b[i])) return false;
  }
  return true;
}

cLanguage::cLanguage(SharedObjects& shared) : shared_(shared) {
  try {
    loaddefaults();
    chooseSavedLanguage();
  } catch (...) {
    // Stops silently: the table keeps what it holds by now.
  }
}

const std::u16string& cLanguage::str(std::u16string_view stringname) const {
  auto it = strtable_.find(stringname);
  if (it == strtable_.end()) {
    platform::raise(platform::kKeyNotFound, u"The string table has no text with the key '" +
                                                std::u16string(stringname) + u"'.");
  }
  return it->second.text;
}

void cLanguage::loaddefaults() {
  strtable_.clear();
  for (const DefaultText& entry : englishDefaults()) {
    strtable_.emplace(platform::toLower(entry.key),
                      Entry{std::u16string(entry.key), std::u16string(entry.text)});
  }
}

void cLanguage::chooseSavedLanguage() {
  shared_.currentlang = u"English";
  std::u16string name = settingText(
      regGetValue(shared_.platform.registry, HKEY_CURRENT_USER, kSettingsKey, kLanguageSetting));
  std::u16string fileName = name + u".xml";
  std::u16string path = shared_.languagesFolder() + u"/" + fileName;
  // The search ignores case and wildcards match anything, so only a file reported under exactly
  // the saved name is that language's file. A folder of that name is no language file.
  auto found = platform::files::find(path, platform::files::Entries::kOrdinaryFiles);
  if (!found.empty() && found.front() == fileName) {
    loadfromfile(path);
    shared_.currentlang = name;
  }
}

void cLanguage::loadfromfile(std::u16string_view filename) {
  loaddefaults();
  if (filename == shared_.languagesFolder() + u"/English.xml") return;
  readLanguageFile(filename);
}

void cLanguage::readLanguageFile(std::u16string_view filename) {
  using platform::xml::XmlDocument;
  using platform::xml::XmlNode;
  // Each step is skipped when it fails, and the next one runs; a step whose object a failed
  // step should have made fails for want of it.
  std::shared_ptr<XmlDocument> document;
  platform::skipOnFailure([&] {
    document =
        platform::xml::makeDocument(shared_.platform.web, platform::xml::FileLoading::kAllowed);
  });
  platform::skipOnFailure([&] { required(document).load(filename); });
  platform::skipOnFailure([&] {
    const platform::xml::ParseError& error = required(document).parseError();
    if (error.errorCode != 0) reportFileError(filename, error);
  });
  std::vector<std::shared_ptr<XmlNode>> entries;
  platform::skipOnFailure(
      [&] { entries = required(required(document).selectSingleNode(u"strings")).childNodes(); });
  // A node whose name or text cannot be read changes nothing, so no key is ever lost.
  for (const std::shared_ptr<XmlNode>& node : entries) {
    platform::skipOnFailure([&] {
      const XmlNode& entry = required(node);
      replace(entry.nodeName(), entry.text());
    });
  }
}

void cLanguage::reportFileError(std::u16string_view filename,
                                const platform::xml::ParseError& error) {
  const std::u16string text = u"Error in language file " + std::u16string(filename) + u".\r\n" +
                              error.reason + u"On line " + platform::decimal(error.line) + u": " +
                              error.srcText;
  shared_.platform.ui.messageBox(text, platform::Buttons::kOk, platform::Icon::kExclamation,
                                 u"XML Error " + platform::decimal(error.errorCode));
}

void cLanguage::replace(std::u16string key, std::u16string text) {
  std::u16string folded = platform::toLower(key);
  strtable_.insert_or_assign(std::move(folded), Entry{std::move(key), std::move(text)});
}

}  // namespace juvo
