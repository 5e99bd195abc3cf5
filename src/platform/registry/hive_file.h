// The hive file on disk: telling whether it changed, reading it without being fooled by what
// is not a settings file, replacing it atomically and keeping a copy of a damaged one. Private
// to platform/registry.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace platform::hive {

// The largest hive file that is read. The program's own settings take a few hundred bytes;
// anything near this is no settings file of ours.
inline constexpr uint64_t kLargestHiveFile = uint64_t{64} << 20;

// What tells one version of the file from another. A replaced file is a new inode, so a change
// shows even within the file system's time resolution.
struct FileStamp {
  bool exists = false;
  uint64_t device = 0;
  uint64_t inode = 0;
  uint64_t size = 0;
  int64_t modifiedNs = 0;
  friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// Of the file a symbolic link leads to.
FileStamp stampOf(const std::filesystem::path& file);

struct FileContent {
  enum class Status {
    kRead,     // `text` holds the whole file
    kMissing,  // there is no such file
    kRefused,  // not a regular file, or larger than kLargestHiveFile
    kFailed,   // it could not be opened or read
  };
  Status status = Status::kMissing;
  std::string text;
  std::string problem;  // for kRefused and kFailed: why, in a few words
};

// Reads the file, through symbolic links. It is opened without blocking (a FIFO or a device
// never holds the program up) and read only when it is a regular file of at most
// kLargestHiveFile bytes.
FileContent readHiveFile(const std::filesystem::path& file);

// Replaces the file's content: a temporary file in the same folder, written, flushed to disk
// and renamed over it, so that readers see the old content or the new, never a part. The
// folder is made when missing. A symbolic link stays: the file it leads to is replaced (made,
// when the link leads nowhere yet). False when anything fails, with the reason in `problem`;
// the file is then as it was.
bool writeFileAtomically(const std::filesystem::path& file, std::string_view content,
                         std::string& problem);

// Writes `content` to the first free name of <name>.damaged, <name>.damaged.1, ... beside the
// file and returns that name; nullopt when that fails, with the reason in `problem`.
std::optional<std::filesystem::path> keepCopy(const std::filesystem::path& file,
                                              std::string_view content, std::string& problem);

}  // namespace platform::hive
