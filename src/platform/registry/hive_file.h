// The hive file on disk: telling whether it changed, reading it, replacing it atomically and
// keeping a damaged one aside. Private to platform/registry.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace platform::hive {

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

FileStamp stampOf(const std::filesystem::path& file);

// The whole file; nullopt when it cannot be read.
std::optional<std::string> readFile(const std::filesystem::path& file);

// Replaces the file's content: a temporary file in the same folder, written, flushed to disk
// and renamed over it, so that readers see the old content or the new, never a part. The
// folder is made when missing. False when anything fails; the file is then as it was.
bool writeFileAtomically(const std::filesystem::path& file, std::string_view content);

// Renames the file to the first free name of <name>.damaged, <name>.damaged.1, ... and
// returns it; nullopt when that fails, with the reason in `problem`.
std::optional<std::filesystem::path> keepAside(const std::filesystem::path& file,
                                               std::string& problem);

}  // namespace platform::hive
