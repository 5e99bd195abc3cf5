#include "file_problem.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

namespace juvo::tool {

std::string readFileBytes(const std::filesystem::path& file) {
  std::error_code error;
  if (std::filesystem::is_directory(file, error)) throw FileProblem(file, 0, "is a folder");
  std::ifstream in(file, std::ios::binary);
  if (!in) throw FileProblem(file, 0, std::string("cannot be read: ") + std::strerror(errno));
  std::ostringstream bytes;
  bytes << in.rdbuf();
  if (in.bad()) throw FileProblem(file, 0, "cannot be read");
  return std::move(bytes).str();
}

std::string_view withoutByteOrderMark(std::string_view text) {
  constexpr std::string_view kMark = "\xEF\xBB\xBF";
  if (text.substr(0, kMark.size()) == kMark) text.remove_prefix(kMark.size());
  return text;
}

void writeFileAtomically(const std::filesystem::path& file, std::string_view bytes) {
  const std::filesystem::path temporary = file.string() + ".tmp";
  const auto fail = [&](const char* what) {
    const int cause = errno;
    ::unlink(temporary.c_str());
    throw FileProblem(file, 0, std::string(what) + ": " + std::strerror(cause));
  };
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) fail("cannot be written");
  size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      ::close(fd);
      fail("cannot be written");
    }
    written += static_cast<size_t>(n);
  }
  if (::fsync(fd) != 0) {
    ::close(fd);
    fail("cannot be written");
  }
  if (::close(fd) != 0) fail("cannot be written");
  if (::rename(temporary.c_str(), file.c_str()) != 0) fail("cannot be replaced");
}

}  // namespace juvo::tool
