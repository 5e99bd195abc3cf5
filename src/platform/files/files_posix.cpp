// The file system on POSIX, over std::filesystem and stdio.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>
#include <utility>
#include <vector>

#include "platform/base/error.h"
#include "platform/base/text.h"
#include "platform/files/files.h"

namespace platform::files {

namespace fs = std::filesystem;

namespace {

fs::path nativePath(std::u16string_view path) {
  return fs::path(toUtf8(path));
}

[[noreturn]] void raiseForErrno(int error, std::u16string_view path) {
  ErrorCode code = ErrorCode::kPathFileAccess;
  if (error == ENOENT) code = ErrorCode::kFileNotFound;
  if (error == EACCES || error == EPERM || error == EROFS) code = ErrorCode::kPermissionDenied;
  if (error == EISDIR) code = ErrorCode::kPathFileAccess;
  raise(code, std::u16string(describe(code)) + u": " + std::u16string(path));
}

// Puts `names` in the order an NTFS folder index keeps them: code unit by code unit after
// upper-casing each one. Names that differ only in case (possible here, never on Windows) keep
// a fixed order among themselves, by their code units as stored.
void sortAsFolderIndex(std::vector<std::u16string>& names) {
  std::vector<std::pair<std::u16string, std::u16string>> keyed;
  keyed.reserve(names.size());
  for (std::u16string& name : names) {
    std::u16string upper = toUpper(name);
    keyed.emplace_back(std::move(upper), std::move(name));
  }
  std::sort(keyed.begin(), keyed.end());
  for (size_t i = 0; i < keyed.size(); ++i)
    names[i] = std::move(keyed[i].second);
}

}  // namespace

bool matchesPattern(std::u16string_view name, std::u16string_view pattern) {
  // Iterative wildcard match with one backtrack point for the last '*'.
  size_t n = 0, p = 0, starP = std::u16string_view::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == u'*') {
      starP = p++;
      starN = n;
    } else if (p < pattern.size() &&
               (pattern[p] == u'?' || toLower(pattern[p]) == toLower(name[n]))) {
      ++p;
      ++n;
    } else if (starP != std::u16string_view::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == u'*')
    ++p;
  return p == pattern.size();
}

std::u16string folderOf(std::u16string_view path) {
  size_t slash = path.rfind(u'/');
  if (slash == std::u16string_view::npos) return u".";
  if (slash == 0) return u"/";
  return std::u16string(path.substr(0, slash));
}

std::vector<std::u16string> find(std::u16string_view pattern, Entries which) {
  std::vector<std::u16string> names;
  size_t slash = pattern.rfind(u'/');
  std::u16string folder = folderOf(pattern);
  std::u16string_view namePattern =
      slash == std::u16string_view::npos ? pattern : pattern.substr(slash + 1);
  if (namePattern.empty()) return names;
  std::error_code ec;
  fs::directory_iterator it(nativePath(folder), ec);
  for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
    std::u16string name = fromUtf8(it->path().filename().string());
    if (!matchesPattern(name, namePattern)) continue;
    if (which == Entries::kOrdinaryFiles) {
      std::error_code statError;
      if (name.starts_with(u".") || !it->is_regular_file(statError)) continue;
    }
    names.push_back(std::move(name));
  }
  sortAsFolderIndex(names);
  return names;
}

bool exists(std::u16string_view path) {
  std::error_code ec;
  return fs::exists(fs::symlink_status(nativePath(path), ec)) && !ec;
}

std::vector<std::u16string> splitLines(std::u16string_view text) {
  std::vector<std::u16string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t cr = text.find(u'\r', start);
    if (cr == std::u16string_view::npos) {
      lines.emplace_back(text.substr(start));
      break;
    }
    lines.emplace_back(text.substr(start, cr - start));
    start = cr + 1;
    if (start < text.size() && text[start] == u'\n') ++start;
  }
  return lines;
}

std::vector<std::u16string> readLines(std::u16string_view path) {
  fs::path native = nativePath(path);
  std::error_code ec;
  if (fs::is_directory(native, ec)) raiseForErrno(EISDIR, path);
  std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(native.c_str(), "rb"), &std::fclose);
  if (!file) raiseForErrno(errno, path);
  std::string bytes;
  char buffer[1 << 16];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0)
    bytes.append(buffer, got);
  if (std::ferror(file.get())) raiseForErrno(EIO, path);
  return splitLines(fromAnsi(bytes));
}

void createFolder(std::u16string_view path) {
  fs::path native = nativePath(path);
  std::error_code ec;
  if (fs::exists(fs::symlink_status(native, ec))) raise(ErrorCode::kFileAlreadyExists);
  if (!fs::create_directory(native, ec) || ec) {
    if (ec == std::errc::no_such_file_or_directory) raise(ErrorCode::kPathNotFound);
    raiseForErrno(ec.value(), path);
  }
}

void deleteFile(std::u16string_view path) {
  fs::path native = nativePath(path);
  std::error_code ec;
  fs::file_status status = fs::symlink_status(native, ec);
  if (!fs::exists(status)) raiseForErrno(ENOENT, path);
  if (fs::is_directory(status)) raiseForErrno(EISDIR, path);
  if (std::remove(native.c_str()) != 0) raiseForErrno(errno, path);
}

}  // namespace platform::files
