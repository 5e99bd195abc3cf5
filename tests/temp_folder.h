// A fresh, empty folder under the system's temporary folder, removed with everything in it
// when the object goes away.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace juvo::testing {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // The folder as the program's paths are written: UTF-16, '/' separators, no trailing '/'.
  std::u16string text() const;
  // Writes `bytes` to the file at `relative` (folders made as needed); returns its path.
  std::filesystem::path write(std::string_view relative, std::string_view bytes) const;
  // Reads the whole file at `relative`; empty when it is missing.
  std::string read(std::string_view relative) const;

 private:
  std::filesystem::path path_;
};

}  // namespace juvo::testing
