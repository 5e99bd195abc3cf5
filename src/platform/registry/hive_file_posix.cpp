#include "platform/registry/hive_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace platform::hive {

namespace fs = std::filesystem;

namespace {

// Linux's own limit on the links followed while resolving one path.
constexpr int kMostLinksFollowed = 40;

std::string reason(const char* what, const fs::path& path, int error) {
  return std::string(what) + " " + path.string() + ": " + std::strerror(error);
}

bool writeAll(int fd, std::string_view content) {
  while (!content.empty()) {
    ssize_t written = ::write(fd, content.data(), content.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    content.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

// Makes the rename itself durable; a failure here loses nothing that is not already on disk.
void syncFolder(const fs::path& folder) {
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// Where writing `file` must go: the file itself, or the end of its chain of symbolic links.
std::optional<fs::path> followLinks(const fs::path& file, std::string& problem) {
  fs::path current = file;
  for (int followed = 0; followed <= kMostLinksFollowed; ++followed) {
    struct stat info {};
    if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return current;
    std::error_code ec;
    fs::path target = fs::read_symlink(current, ec);
    if (ec) {
      problem = "cannot read the link " + current.string() + ": " + ec.message();
      return std::nullopt;
    }
    current = target.is_absolute() ? target : current.parent_path() / target;
  }
  problem = reason("cannot follow", file, ELOOP);
  return std::nullopt;
}

const char* refusal(const struct stat& info) {
  if (!S_ISREG(info.st_mode)) return "it is not a regular file";
  if (static_cast<uint64_t>(info.st_size) > kLargestHiveFile) return "it is larger than 64 MB";
  return nullptr;
}

}  // namespace

FileStamp stampOf(const fs::path& file) {
  struct stat info {};
  if (::stat(file.c_str(), &info) != 0) return {};
  return FileStamp{true, static_cast<uint64_t>(info.st_dev), static_cast<uint64_t>(info.st_ino),
                   static_cast<uint64_t>(info.st_size),
                   static_cast<int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
}

FileContent readHiveFile(const fs::path& file) {
  using Status = FileContent::Status;
  FileContent result;
  // Looked at before it is opened, so that no device is ever opened; the descriptor is the
  // one that counts, though, in case the file is replaced in between.
  struct stat info {};
  if (::stat(file.c_str(), &info) == 0) {
    if (const char* refused = refusal(info)) return {Status::kRefused, {}, refused};
  }
  int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT) return result;
    return {Status::kFailed, {}, std::strerror(errno)};
  }
  if (::fstat(fd, &info) != 0) {
    result = {Status::kFailed, {}, std::strerror(errno)};
  } else if (const char* refused = refusal(info)) {
    result = {Status::kRefused, {}, refused};
  } else {
    result.status = Status::kRead;
    result.text.reserve(static_cast<size_t>(info.st_size));
    char buffer[65536];
    while (true) {
      ssize_t got = ::read(fd, buffer, sizeof buffer);
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) {
        result = {Status::kFailed, {}, std::strerror(errno)};
        break;
      }
      if (got == 0) break;
      result.text.append(buffer, static_cast<size_t>(got));
      // A file that grows while it is read is held to the same size.
      if (result.text.size() > kLargestHiveFile) {
        result = {Status::kRefused, {}, "it is larger than 64 MB"};
        break;
      }
    }
  }
  ::close(fd);
  return result;
}

bool writeFileAtomically(const fs::path& file, std::string_view content, std::string& problem) {
  std::optional<fs::path> target = followLinks(file, problem);
  if (!target) return false;
  fs::path folder = target->parent_path();
  if (folder.empty()) folder = ".";
  // Folders are made for the file's own path, never where a link leads.
  if (*target == file) {
    std::error_code ec;
    fs::create_directories(folder, ec);
  }
  std::string temp = (folder / ("." + target->filename().string() + ".XXXXXX")).string();
  int fd = ::mkstemp(temp.data());
  if (fd < 0) {
    problem = reason("cannot make a file in", folder, errno);
    return false;
  }
  // mkstemp makes the file private; a file that is replaced keeps the permissions it had.
  struct stat existing {};
  if (::stat(target->c_str(), &existing) == 0) ::fchmod(fd, existing.st_mode & 07777);
  bool ok = writeAll(fd, content) && ::fsync(fd) == 0;
  ok = ::close(fd) == 0 && ok;
  if (!ok) problem = reason("cannot write", temp, errno);
  if (ok && ::rename(temp.c_str(), target->c_str()) != 0) {
    ok = false;
    problem = reason("cannot replace", *target, errno);
  }
  if (!ok) {
    ::unlink(temp.c_str());
    return false;
  }
  syncFolder(folder);
  return true;
}

std::optional<fs::path> keepCopy(const fs::path& file, std::string_view content,
                                 std::string& problem) {
  for (int attempt = 0; attempt < 1000; ++attempt) {
    fs::path candidate = file;
    candidate += attempt == 0 ? ".damaged" : ".damaged." + std::to_string(attempt);
    int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0 && errno == EEXIST) continue;
    if (fd < 0) {
      problem = reason("cannot make", candidate, errno);
      return std::nullopt;
    }
    bool ok = writeAll(fd, content) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (ok) return candidate;
    problem = reason("cannot write", candidate, errno);
    ::unlink(candidate.c_str());
    return std::nullopt;
  }
  problem = "no free name beside " + file.string();
  return std::nullopt;
}

}  // namespace platform::hive
