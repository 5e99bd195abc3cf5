#include "platform/registry/registry.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>

#include "platform/registry/hive.h"
#include "platform/registry/hive_file.h"
#include "platform/registry/hive_format.h"

namespace platform {

namespace fs = std::filesystem;

namespace {

std::string_view textOf(const char* text) {
  return text ? text : "";
}

uintptr_t numberOf(HKEY key) {
  return reinterpret_cast<uintptr_t>(key);
}

bool isPredefined(HKEY key) {
  return key == HKEY_CLASSES_ROOT || key == HKEY_CURRENT_USER || key == HKEY_LOCAL_MACHINE;
}

fs::path userHiveFile() {
  fs::path config;
  // A relative XDG_CONFIG_HOME is to be ignored, as the base-directory rules say.
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && xdg[0] == '/') {
    config = xdg;
  } else if (const char* home = std::getenv("HOME"); home && home[0] != '\0') {
    config = fs::path(home) / ".config";
  } else if (const passwd* user = ::getpwuid(::getuid()); user && user->pw_dir) {
    config = fs::path(user->pw_dir) / ".config";
  } else {
    config = fs::temp_directory_path();
  }
  return config / "juvo" / "registry.reg";
}

}  // namespace

struct Registry::Impl {
  // What a handle stands for. A predefined root (or a handle opened on one with no sub-key)
  // always exists: it reads as empty until something is written below it.
  struct Target {
    hive::KeyPath path;
    bool root = false;
  };

  explicit Impl(fs::path hiveFile) : file(std::move(hiveFile)) {}

  fs::path file;
  std::mutex mutex;
  std::unique_ptr<hive::Key> top;  // null until first use
  hive::FileStamp stamp;           // of the file as last read or written
  std::string savedText;           // its content then
  bool saveBlocked = false;        // the file holds data this process could not take in
  std::unordered_map<uintptr_t, Target> handles;
  uintptr_t lastHandle = 0;

  std::optional<Target> target(HKEY key) const {
    if (key == HKEY_CURRENT_USER) return Target{{hive::kCurrentUser}, true};
    if (key == HKEY_LOCAL_MACHINE) return Target{{hive::kLocalMachine}, true};
    if (key == HKEY_CLASSES_ROOT) return Target{{hive::kCurrentUser, "Software", "Classes"}, true};
    auto it = handles.find(numberOf(key));
    if (it == handles.end()) return std::nullopt;
    return it->second;
  }

  HKEY newHandle(Target target) {
    do {
      ++lastHandle;
    } while (lastHandle == 0 || isPredefined(reinterpret_cast<HKEY>(lastHandle)));
    handles.emplace(lastHandle, std::move(target));
    return reinterpret_cast<HKEY>(lastHandle);
  }

  // The key a handle stands for; null for a root with nothing stored yet.
  LONG lookUp(HKEY key, hive::Key*& found) const {
    auto t = target(key);
    if (!t) return ERROR_INVALID_HANDLE;
    found = hive::findKey(*top, t->path);
    if (!found && !t->root) return ERROR_KEY_DELETED;
    return ERROR_SUCCESS;
  }

  // As lookUp, but a root gets its entry; `changed` tells whether one was made.
  LONG lookUpForWriting(HKEY key, hive::Key*& found, bool& changed) {
    changed = false;
    auto t = target(key);
    if (!t) return ERROR_INVALID_HANDLE;
    found = hive::findKey(*top, t->path);
    if (found) return ERROR_SUCCESS;
    if (!t->root) return ERROR_KEY_DELETED;
    found = &hive::createKey(*top, t->path, changed);
    return ERROR_SUCCESS;
  }

  // Takes in the file when it is new or changed since this process last read or wrote it.
  void refresh() {
    hive::FileStamp current = hive::stampOf(file);
    if (top && current == stamp) return;
    load(current);
  }

  void load(const hive::FileStamp& current) {
    top = std::make_unique<hive::Key>();
    savedText.clear();
    saveBlocked = false;
    stamp = current;
    if (!current.exists) return;
    std::optional<std::string> content = hive::readFile(file);
    if (!content) {
      // Writing now would replace data this process never saw.
      saveBlocked = true;
      return;
    }
    hive::ParsedHive parsed = hive::parseHive(*content);
    if (parsed.top) {
      top = std::move(parsed.top);
      savedText = std::move(*content);
      return;
    }
    std::string problem;
    if (std::optional<fs::path> kept = hive::keepAside(file, problem)) {
      std::fprintf(stderr,
                   "registry: %s is damaged (line %zu: %s); it has been kept as %s and an empty "
                   "registry is used\n",
                   file.c_str(), parsed.badLine, parsed.problem.c_str(), kept->c_str());
      stamp = hive::stampOf(file);
    } else {
      std::fprintf(stderr,
                   "registry: %s is damaged (line %zu: %s) and could not be kept aside (%s); it "
                   "is left as it is, and changes to the registry will not be saved\n",
                   file.c_str(), parsed.badLine, parsed.problem.c_str(), problem.c_str());
      saveBlocked = true;
    }
  }

  // Writes the hive when its text differs from the file's. Where the file cannot be written
  // the change lives on in this process only.
  void save() {
    if (saveBlocked) return;
    std::string text = hive::formatHive(*top);
    if (text == savedText) return;
    if (!hive::writeFileAtomically(file, text)) return;
    savedText = std::move(text);
    stamp = hive::stampOf(file);
  }
};

Registry::Registry(fs::path hiveFile) : impl_(std::make_unique<Impl>(std::move(hiveFile))) {}

Registry::~Registry() = default;

Registry& Registry::user() {
  static Registry registry(userHiveFile());
  return registry;
}

const fs::path& Registry::hiveFile() const {
  return impl_->file;
}

LONG Registry::RegOpenKeyA(HKEY key, const char* subKey, HKEY* result) {
  if (!result) return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  std::lock_guard lock(impl_->mutex);
  impl_->refresh();
  auto target = impl_->target(key);
  if (!target) return ERROR_INVALID_HANDLE;
  hive::Key* found = nullptr;
  if (LONG rc = impl_->lookUp(key, found); rc != ERROR_SUCCESS) return rc;
  auto names = hive::splitKeyPath(textOf(subKey));
  if (!names) return ERROR_FILE_NOT_FOUND;  // no key can have such a name
  for (const std::string& name : *names) {
    found = found ? found->subKey(name) : nullptr;
    if (!found) return ERROR_FILE_NOT_FOUND;
    target->path.push_back(found->name);
  }
  target->root = target->root && names->empty();
  *result = impl_->newHandle(std::move(*target));
  return ERROR_SUCCESS;
}

LONG Registry::RegCreateKeyA(HKEY key, const char* subKey, HKEY* result) {
  if (!result) return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  std::lock_guard lock(impl_->mutex);
  impl_->refresh();
  auto target = impl_->target(key);
  if (!target) return ERROR_INVALID_HANDLE;
  auto names = hive::splitKeyPath(textOf(subKey));
  if (!names) return ERROR_INVALID_PARAMETER;
  hive::Key* found = nullptr;
  if (LONG rc = impl_->lookUp(key, found); rc != ERROR_SUCCESS) return rc;
  target->path.insert(target->path.end(), names->begin(), names->end());
  target->root = target->root && names->empty();
  bool created = false;
  hive::createKey(*impl_->top, target->path, created);
  if (created) impl_->save();
  *result = impl_->newHandle(std::move(*target));
  return ERROR_SUCCESS;
}

LONG Registry::RegQueryValueExA(HKEY key, const char* valueName, DWORD* reserved, DWORD* type,
                                BYTE* data, DWORD* dataSize) {
  if (reserved || (data && !dataSize)) return ERROR_INVALID_PARAMETER;
  std::lock_guard lock(impl_->mutex);
  impl_->refresh();
  hive::Key* found = nullptr;
  if (LONG rc = impl_->lookUp(key, found); rc != ERROR_SUCCESS) return rc;
  const hive::Value* value = found ? found->value(textOf(valueName)) : nullptr;
  if (!value) return ERROR_FILE_NOT_FOUND;
  if (type) *type = value->type;
  auto size = static_cast<DWORD>(value->data.size());
  if (data) {
    if (*dataSize < size) {
      *dataSize = size;
      return ERROR_MORE_DATA;
    }
    std::memcpy(data, value->data.data(), size);
  }
  if (dataSize) *dataSize = size;
  return ERROR_SUCCESS;
}

LONG Registry::RegSetValueExA(HKEY key, const char* valueName, DWORD /*reserved*/, DWORD type,
                              const BYTE* data, DWORD dataSize) {
  std::string_view name = textOf(valueName);
  // The hive file has no way to write a line end inside a name.
  if ((!data && dataSize > 0) || name.find_first_of("\r\n") != std::string_view::npos) {
    return ERROR_INVALID_PARAMETER;
  }
  std::lock_guard lock(impl_->mutex);
  impl_->refresh();
  hive::Key* found = nullptr;
  bool changed = false;
  if (LONG rc = impl_->lookUpForWriting(key, found, changed); rc != ERROR_SUCCESS) return rc;
  std::string_view bytes(reinterpret_cast<const char*>(data), data ? dataSize : 0);
  if (found->setValue(name, type, bytes)) changed = true;
  if (changed) impl_->save();
  return ERROR_SUCCESS;
}

LONG Registry::RegCloseKey(HKEY key) {
  if (isPredefined(key)) return ERROR_SUCCESS;
  std::lock_guard lock(impl_->mutex);
  return impl_->handles.erase(numberOf(key)) > 0 ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

LONG Registry::RegDeleteTreeA(HKEY key, const char* subKey) {
  std::lock_guard lock(impl_->mutex);
  impl_->refresh();
  hive::Key* found = nullptr;
  if (LONG rc = impl_->lookUp(key, found); rc != ERROR_SUCCESS) return rc;
  auto names = hive::splitKeyPath(textOf(subKey));
  if (!names) return ERROR_FILE_NOT_FOUND;
  bool changed = false;
  if (names->empty()) {
    changed = found && found->clear();
  } else {
    for (size_t i = 0; found && i + 1 < names->size(); ++i)
      found = found->subKey((*names)[i]);
    if (!found || !found->removeSubKey(names->back())) return ERROR_FILE_NOT_FOUND;
    changed = true;
  }
  if (changed) impl_->save();
  return ERROR_SUCCESS;
}

}  // namespace platform
