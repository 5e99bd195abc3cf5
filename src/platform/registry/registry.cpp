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
#include <vector>

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
  // The file is not to be written: it was refused or could not be read, or it is damaged and
  // no copy of it could be kept.
  bool saveBlocked = false;
  bool unwritableReported = false;  // since the last save that worked
  std::string lastReport;           // not said twice in a row
  std::unordered_map<uintptr_t, Target> handles;
  uintptr_t lastHandle = 0;

  std::mutex reportMutex;  // guards what follows; taken after `mutex`, never before it
  std::vector<std::string> reports;
  size_t delivered = 0;  // to the listener
  std::function<void(const std::string&)> listener;

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
    stamp = current;
    savedText.clear();
    saveBlocked = false;
    hive::FileContent content = current.exists ? hive::readHiveFile(file) : hive::FileContent{};
    using Status = hive::FileContent::Status;
    if (content.status == Status::kMissing) {
      top = std::make_unique<hive::Key>();
      return;
    }
    if (content.status != Status::kRead) {
      // Writing would replace what this process never saw, or a file that is no hive at all:
      // what this process holds so far stays, in memory only.
      if (!top) top = std::make_unique<hive::Key>();
      saveBlocked = true;
      report("registry: " + file.string() +
             (content.status == Status::kRefused ? " is not read: " : " cannot be read: ") +
             content.problem + "; settings are kept in memory only and the file is not written");
      return;
    }
    hive::ParsedHive parsed = hive::parseHive(content.text);
    top = std::move(parsed.top);
    if (parsed.damagedCount == 0) {
      savedText = std::move(content.text);
      return;
    }
    salvage(content.text, parsed);
  }

  // Keeps a copy of the damaged file and puts what could be read in its place.
  void salvage(std::string_view original, const hive::ParsedHive& parsed) {
    std::string message = "registry: " + file.string() + ": " + describeDamage(parsed) +
                          "; every other setting is used";
    std::string problem;
    std::optional<fs::path> copy = hive::keepCopy(file, original, problem);
    if (!copy) {
      saveBlocked = true;
      report(message + ", but the file could not be kept aside (" + problem +
             "), so it is left as it is and changes are kept in memory only");
      return;
    }
    report(message + ", and the file as it was is kept as " + copy->string());
    save();
  }

  static std::string describeDamage(const hive::ParsedHive& parsed) {
    constexpr size_t kNamed = 3;
    std::string text = std::to_string(parsed.damagedCount) +
                       (parsed.damagedCount == 1 ? " damaged line" : " damaged lines") +
                       " skipped (";
    for (size_t i = 0; i < parsed.damaged.size() && i < kNamed; ++i) {
      if (i > 0) text += ", ";
      text += "line " + std::to_string(parsed.damaged[i].number) + ": " + parsed.damaged[i].problem;
    }
    if (parsed.damagedCount > kNamed) {
      text += ", and " + std::to_string(parsed.damagedCount - kNamed) + " more";
    }
    return text + ")";
  }

  // Writes the hive when its text differs from the file's. Where the file cannot be written
  // the change lives on in this process only.
  void save() {
    if (saveBlocked) return;
    std::string text = hive::formatHive(*top);
    if (text == savedText) return;
    std::string problem;
    // A file that would not be read back is not written either.
    const bool tooLarge = text.size() > hive::kLargestHiveFile;
    if (tooLarge) problem = "it would be larger than 64 MB";
    if (tooLarge || !hive::writeFileAtomically(file, text, problem)) {
      if (!unwritableReported) {
        report("registry: changes cannot be saved to " + file.string() + " (" + problem +
               "); they are kept in memory only");
      }
      unwritableReported = true;
      return;
    }
    unwritableReported = false;
    savedText = std::move(text);
    stamp = hive::stampOf(file);
  }

  // Called with `mutex` held; the listener gets it once the call has let go (ReportDelivery).
  void report(std::string text) {
    if (text == lastReport) return;
    lastReport = text;
    std::fprintf(stderr, "%s\n", text.c_str());
    std::lock_guard lock(reportMutex);
    reports.push_back(std::move(text));
  }

  // Hands the reports not yet handed to the listener.
  void deliverReports() {
    std::function<void(const std::string&)> to;
    std::vector<std::string> fresh;
    {
      std::lock_guard lock(reportMutex);
      if (!listener || delivered == reports.size()) return;
      to = listener;
      fresh.assign(reports.begin() + static_cast<std::ptrdiff_t>(delivered), reports.end());
      delivered = reports.size();
    }
    for (const std::string& text : fresh)
      to(text);
  }

  // Declared before a call takes the registry's lock, so that the reports the call made reach
  // the listener after the lock is let go.
  class ReportDelivery {
   public:
    explicit ReportDelivery(Impl& impl) : impl_(impl) {}
    ~ReportDelivery() { impl_.deliverReports(); }
    ReportDelivery(const ReportDelivery&) = delete;
    ReportDelivery& operator=(const ReportDelivery&) = delete;

   private:
    Impl& impl_;
  };
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
  Impl::ReportDelivery delivery(*impl_);
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
    target->path.push_back(found->name());
  }
  target->root = target->root && names->empty();
  *result = impl_->newHandle(std::move(*target));
  return ERROR_SUCCESS;
}

LONG Registry::RegCreateKeyA(HKEY key, const char* subKey, HKEY* result) {
  if (!result) return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  Impl::ReportDelivery delivery(*impl_);
  std::lock_guard lock(impl_->mutex);
  impl_->refresh();
  auto target = impl_->target(key);
  if (!target) return ERROR_INVALID_HANDLE;
  auto names = hive::splitKeyPath(textOf(subKey));
  if (!names) return ERROR_INVALID_PARAMETER;
  hive::Key* found = nullptr;
  if (LONG rc = impl_->lookUp(key, found); rc != ERROR_SUCCESS) return rc;
  target->path.insert(target->path.end(), names->begin(), names->end());
  if (!hive::depthFits(target->path)) return ERROR_INVALID_PARAMETER;
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
  Impl::ReportDelivery delivery(*impl_);
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
  if ((!data && dataSize > 0) || name.find_first_of("\r\n") != std::string_view::npos ||
      !hive::valueNameFits(name)) {
    return ERROR_INVALID_PARAMETER;
  }
  Impl::ReportDelivery delivery(*impl_);
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

void Registry::setReportListener(std::function<void(const std::string& report)> listener) {
  {
    std::lock_guard lock(impl_->reportMutex);
    impl_->listener = std::move(listener);
    impl_->delivered = 0;
  }
  impl_->deliverReports();
}

LONG Registry::RegDeleteTreeA(HKEY key, const char* subKey) {
  Impl::ReportDelivery delivery(*impl_);
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
