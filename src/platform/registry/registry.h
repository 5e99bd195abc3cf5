// The registry: the five ANSI calls the program uses, plus the few that registration needs,
// with their Windows semantics (handles, typed values stored as raw bytes, missing parent
// keys created, errors as return codes), over a per-user hive file in REGEDIT4 format.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

// The Windows types and constants, under their Windows names, as <windows.h> gives them.
using LONG = int32_t;
using DWORD = uint32_t;
using BYTE = uint8_t;
struct HKEY__;
using HKEY = HKEY__*;

#define HKEY_CLASSES_ROOT (reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x80000000)))
#define HKEY_CURRENT_USER (reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x80000001)))
#define HKEY_LOCAL_MACHINE (reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x80000002)))

inline constexpr LONG ERROR_SUCCESS = 0;
inline constexpr LONG ERROR_FILE_NOT_FOUND = 2;
inline constexpr LONG ERROR_ACCESS_DENIED = 5;
inline constexpr LONG ERROR_INVALID_HANDLE = 6;
inline constexpr LONG ERROR_INVALID_PARAMETER = 87;
inline constexpr LONG ERROR_MORE_DATA = 234;
inline constexpr LONG ERROR_CANTWRITE = 1013;
inline constexpr LONG ERROR_KEY_DELETED = 1018;

inline constexpr DWORD REG_NONE = 0;
inline constexpr DWORD REG_SZ = 1;
inline constexpr DWORD REG_EXPAND_SZ = 2;
inline constexpr DWORD REG_BINARY = 3;
inline constexpr DWORD REG_DWORD = 4;
inline constexpr DWORD REG_MULTI_SZ = 7;

namespace platform {

// The hive is read at the first call and again whenever the file has changed on disk since
// (another Registry or process wrote it). Every change is written at once, atomically, with the
// folder made if need be; a change that leaves the content as it was writes nothing. A hive
// file reached through a symbolic link stays a link: the file it leads to is replaced.
//
// Trouble with the file never stops the calls, and each kind is reported once (below):
// - Lines that do not parse, or go beyond the registry's limits, are skipped and everything
//   else is used; the file as it was is kept beside it (<name>.damaged, .damaged.1, ...) and
//   replaced by what was read.
// - A file that is no regular file (a FIFO, a device, a folder), is larger than 64 MB or
//   cannot be read is never written: the settings live in this process only.
// - Where the file cannot be written, changes live on in this process only.
//
// Handles are numbers, not pointers: a closed or unknown handle gives ERROR_INVALID_HANDLE,
// and one whose key has been deleted ERROR_KEY_DELETED. One mutex guards each Registry.
class Registry {
 public:
  // A registry over the hive file at `hiveFile`; the file need not exist yet.
  explicit Registry(std::filesystem::path hiveFile);
  ~Registry();
  Registry(const Registry&) = delete;
  Registry& operator=(const Registry&) = delete;

  // The process's registry: $XDG_CONFIG_HOME/juvo/registry.reg (~/.config when unset).
  static Registry& user();

  const std::filesystem::path& hiveFile() const;

  // As their Windows namesakes. Key paths are '\'-separated, matched without regard to case;
  // names keep the case they were created with. HKEY_CLASSES_ROOT stands for
  // HKEY_CURRENT_USER\Software\Classes. A null or empty sub-key or value name means the key
  // itself or its default value; every successful open or create gives a new handle to close.
  // Values are stored as exactly the bytes given, with the type given. The registry's limits
  // hold: a key name of at most 255 characters, keys at most 512 levels below the root, a value
  // name of at most 16,383 characters. Names beyond them, or holding a CR or LF, cannot be
  // created (ERROR_INVALID_PARAMETER) and so are never found.
  LONG RegOpenKeyA(HKEY key, const char* subKey, HKEY* result);
  LONG RegCreateKeyA(HKEY key, const char* subKey, HKEY* result);
  LONG RegQueryValueExA(HKEY key, const char* valueName, DWORD* reserved, DWORD* type, BYTE* data,
                        DWORD* dataSize);
  LONG RegSetValueExA(HKEY key, const char* valueName, DWORD reserved, DWORD type, const BYTE* data,
                      DWORD dataSize);
  LONG RegCloseKey(HKEY key);
  // Deletes the sub-key and everything below it; with a null or empty sub-key, everything
  // below `key` (the key itself stays).
  LONG RegDeleteTreeA(HKEY key, const char* subKey);

  // Each report of trouble with the hive file is one line, such as "registry: <file>: 2
  // damaged lines skipped (...)". It is written to standard error, and handed to the listener,
  // which first gets every report made before it was set. The listener runs on the thread
  // whose call met the trouble, outside the registry's lock; an empty one stops the handing.
  void setReportListener(std::function<void(const std::string& report)> listener);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace platform
