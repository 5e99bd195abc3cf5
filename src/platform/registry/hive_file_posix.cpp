#include "platform/registry/hive_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace platform::hive {

namespace fs = std::filesystem;

namespace {

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

}  // namespace

FileStamp stampOf(const fs::path& file) {
  struct stat info {};
  if (::stat(file.c_str(), &info) != 0) return {};
  return FileStamp{true, static_cast<uint64_t>(info.st_dev), static_cast<uint64_t>(info.st_ino),
                   static_cast<uint64_t>(info.st_size),
                   static_cast<int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
}

std::optional<std::string> readFile(const fs::path& file) {
  int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  std::string content;
  char buffer[65536];
  while (true) {
    ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      ::close(fd);
      return std::nullopt;
    }
    if (got == 0) break;
    content.append(buffer, static_cast<size_t>(got));
  }
  ::close(fd);
  return content;
}

bool writeFileAtomically(const fs::path& file, std::string_view content) {
  fs::path folder = file.parent_path();
  if (folder.empty()) folder = ".";
  std::error_code ec;
  fs::create_directories(folder, ec);
  std::string temp = (folder / ("." + file.filename().string() + ".XXXXXX")).string();
  int fd = ::mkstemp(temp.data());
  if (fd < 0) return false;
  // mkstemp makes the file private; a file that is replaced keeps the permissions it had.
  struct stat existing {};
  if (::stat(file.c_str(), &existing) == 0) ::fchmod(fd, existing.st_mode & 07777);
  bool ok = writeAll(fd, content) && ::fsync(fd) == 0;
  ok = ::close(fd) == 0 && ok;
  if (ok) ok = ::rename(temp.c_str(), file.c_str()) == 0;
  if (!ok) {
    ::unlink(temp.c_str());
    return false;
  }
  syncFolder(folder);
  return true;
}

std::optional<fs::path> keepAside(const fs::path& file, std::string& problem) {
  for (int attempt = 0; attempt < 1000; ++attempt) {
    fs::path candidate = file;
    candidate += attempt == 0 ? ".damaged" : ".damaged." + std::to_string(attempt);
    struct stat info {};
    if (::lstat(candidate.c_str(), &info) == 0) continue;
    if (::rename(file.c_str(), candidate.c_str()) == 0) return candidate;
    problem = std::strerror(errno);
    return std::nullopt;
  }
  problem = "no free name beside it";
  return std::nullopt;
}

}  // namespace platform::hive
