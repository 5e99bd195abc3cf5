// The file system as the program needs it: a Windows-like pattern search, reading a text
// file line by line, creating folders, deleting a file. Paths are UTF-16 texts with '/'
// separators; names on disk are UTF-8.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform::files {

enum class Entries {
  kOrdinaryFiles,    // regular files that are not hidden (no leading '.')
  kFilesAndFolders,  // anything with a matching name, hidden or not
};

// The names (without folder, as stored) of the entries in the folder part of `pattern` whose
// names match its last part, in the order a Windows folder index keeps them: sorted without
// regard to case (each UTF-16 unit upper-cased, then compared by value), so the same folder
// lists alike on every machine. The last part may hold
// the wildcards '*' (any run of characters) and '?' (one character); names are matched
// without regard to case. A missing or unreadable folder, or a pattern naming no folder that
// exists, gives an empty list; the search never fails.
std::vector<std::u16string> find(std::u16string_view pattern, Entries which);

// True when something (file or folder) exists at `path`.
bool exists(std::u16string_view path);

// The lines of a text file in the ANSI code page, ended by CR or CR LF (a lone LF stays part
// of its line); the line ends are not included, and a final line end opens no new line.
// Raises kFileNotFound, kPathFileAccess (a folder), kPermissionDenied.
std::vector<std::u16string> readLines(std::u16string_view path);

// Splits text into lines by the rules of readLines; exposed for callers holding a text.
std::vector<std::u16string> splitLines(std::u16string_view text);

// Creates one folder; its parent must exist. Raises kPathNotFound, kFileAlreadyExists,
// kPermissionDenied.
void createFolder(std::u16string_view path);

// Deletes one file. Raises kFileNotFound, kPermissionDenied, kPathFileAccess (a folder).
void deleteFile(std::u16string_view path);

// The folder part of a path, without the trailing '/': "/a/b/c.txt" gives "/a/b".
std::u16string folderOf(std::u16string_view path);

// True when `name` matches the Windows-like `pattern` ('*', '?', case ignored).
bool matchesPattern(std::u16string_view name, std::u16string_view pattern);

}  // namespace platform::files
